#include "platform/ClassRegistry.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "platform/ElfCheck.h"
#include "platform/ProgramFolder.h"
#include "platform/Text.h"

namespace platform {

namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

}  // namespace

DispatchObject::~DispatchObject() {
    if (object_) object_->release(object_);
    if (library_) dlclose(library_);
}

void DispatchObject::Invoke(int dispid, const std::vector<MwArg>& args) {
    char error[512] = {0};
    const int rc = object_->invoke(object_, dispid, args.empty() ? nullptr : args.data(),
                                   static_cast<int32_t>(args.size()), error, sizeof error);
    if (rc != 0)
        throw ComError(error[0] ? std::string(error)
                                : "the call " + std::to_string(dispid) + " failed");
}

std::string DefaultRegistryFile() {
    return ProgramFolder() + "classes.reg";
}

std::string RegisteredLibrary(const std::string& classId, const std::string& registryFile) {
    std::ifstream in(registryFile);
    if (!in) throw ComError("The class registry " + registryFile + " cannot be read.");
    const std::string wanted = Upper(classId);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line, " \t\r");
        if (line.empty() || line[0] == '#') continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (Upper(Trim(line.substr(0, eq), " \t\r")) != wanted) continue;
        std::string library = Trim(line.substr(eq + 1), " \t\r");
        if (library.empty()) return "";
        // A relative name is looked for beside the registry; a bare name found nowhere there
        // is left to the system loader's search.
        const std::filesystem::path path(library);
        if (path.is_relative()) {
            const auto beside = std::filesystem::path(registryFile).parent_path() / path;
            std::error_code ec;
            if (path.has_parent_path() || std::filesystem::exists(beside, ec))
                library = beside.string();
        }
        return library;
    }
    return "";
}

std::unique_ptr<DispatchObject> CreateObject(const std::string& classId, const MwCreateInfo& info,
                                             const std::string& registryFile) {
    const std::string library = RegisteredLibrary(classId, registryFile);
    if (library.empty()) throw ComError("Class not registered: " + classId + ".");
    // A bare name is left to the loader's search of the system's folders.
    if (library.find('/') != std::string::npos) {
        const std::string problem = ElfImageProblem(library);
        if (!problem.empty())
            throw ComError("The component " + library + " cannot be loaded: " + problem + ".");
    }
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        throw ComError("The component " + library +
                       " cannot be loaded: " + (why ? why : "unknown error") + ".");
    }
    auto create = reinterpret_cast<MwCreateObjectFn>(dlsym(handle, MW_CREATE_OBJECT_SYMBOL));
    if (!create) {
        dlclose(handle);
        throw ComError("The component " + library + " has no entry point " +
                       MW_CREATE_OBJECT_SYMBOL + ".");
    }
    char error[512] = {0};
    MwDispatch* object = create(classId.c_str(), &info, error, sizeof error);
    if (!object || !object->invoke || !object->release) {
        dlclose(handle);
        throw ComError("The component " + library + " did not create the class " + classId +
                       (error[0] ? ": " + std::string(error) : std::string()) + ".");
    }
    return std::unique_ptr<DispatchObject>(new DispatchObject(handle, object));
}

MwArg ShortArg(int16_t value) {
    MwArg a{};
    a.type = MW_ARG_I2;
    a.i2 = value;
    return a;
}

}  // namespace platform
