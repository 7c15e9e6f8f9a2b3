#pragma once
// Components created by class identifier. The registry is a text file beside the program,
// "classes.reg": lines "{CLASS-ID}=library file" (relative names are taken from the registry's
// folder; '#' starts a comment). Creating an object loads the library and asks its one C entry
// point for a dispatch object; methods are then called by dispatch id with positional
// arguments. Every failure is a ComError with a message that says what went wrong.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dispatch.h"

namespace platform {

struct ComError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class DispatchObject {
  public:
    ~DispatchObject();
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // Throws ComError with the component's own message when the call fails.
    void Invoke(int dispid, const std::vector<MwArg>& args = {});

  private:
    friend std::unique_ptr<DispatchObject> CreateObject(const std::string&, const MwCreateInfo&,
                                                        const std::string&);
    DispatchObject(void* library, MwDispatch* object) : library_(library), object_(object) {}

    void* library_;
    MwDispatch* object_;
};

// The registry file in the program folder.
std::string DefaultRegistryFile();

// The library registered for classId, or an empty text; throws ComError if the registry
// cannot be read.
std::string RegisteredLibrary(const std::string& classId, const std::string& registryFile);

std::unique_ptr<DispatchObject> CreateObject(
    const std::string& classId, const MwCreateInfo& info,
    const std::string& registryFile = DefaultRegistryFile());

MwArg ShortArg(int16_t value);

}  // namespace platform
