#pragma once
// The host side of the minimization core: the component registered under CLASS_Trimmer,
// called through its default interface by dispatch id. The interface is obtained on the
// first call and kept; a core that is missing or broken surfaces as platform::ComError from
// that call, so the program runs on without it.

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ClassRegistry.h"

extern const char* const CLASS_Trimmer;  // {47019827-6801-492F-B369-BB8555FE71D0}
extern const char* const IID_ITrimmer;   // {8A405D85-A28E-4FA4-870E-C85C0D8723E4}

class TTrimmer {
  public:
    enum DispId {
        kOperation1 = 1,
        kOperation2 = 2,
        kOperation3 = 3,
        kOperation4 = 4,
        kSetVariableCount = 5,
        kSetEffort = 6,
        kSetOutputCount = 7,
        kCancel = 8,
        kSetCubeInput = 9
    };

    // exchangePath: the file through which the function goes in and the results come back,
    // asked for only when the component is first called.
    explicit TTrimmer(std::function<std::string()> exchangePath,
                      std::string registryFile = platform::DefaultRegistryFile());
    explicit TTrimmer(std::string exchangePath,
                      std::string registryFile = platform::DefaultRegistryFile());

    // The core's four steps, in this order: read the exchange file, minimize, make the result
    // lines, write them back over the exchange file.
    void Operation1() { Call(kOperation1); }
    void Operation2() { Call(kOperation2); }
    void Operation3() { Call(kOperation3); }
    void Operation4() { Call(kOperation4); }
    void SetVariableCount(short n) { Call(kSetVariableCount, {platform::ShortArg(n)}); }
    // 0 quick, 1 thorough (the core's default), 2 prove; cores before this call refuse it.
    void SetEffort(short effort) { Call(kSetEffort, {platform::ShortArg(effort)}); }
    // How many functions of the n inputs the exchange file holds, one per line (1: the one
    // function of the designed calls); cores before this call refuse it.
    void SetOutputCount(short k) { Call(kSetOutputCount, {platform::ShortArg(k)}); }
    // 1: the exchange file holds the rows of a PLA (any width the core takes) instead of
    // function strings; 0 back to function strings. Cores before this call refuse it.
    void SetCubeInput(short on) { Call(kSetCubeInput, {platform::ShortArg(on)}); }
    // The one call made from another thread, while Operation2 runs: the core stops with the
    // best cover so far. Does nothing before the component exists.
    void Cancel();

    // The control state the form keeps for the component (version and extent).
    static const std::array<unsigned char, 16>& ControlState();

  private:
    platform::DispatchObject& DefaultInterface();
    void Call(int dispid, const std::vector<MwArg>& args = {});

    std::function<std::string()> exchangePathSource_;
    std::string exchangePath_;
    std::string registryFile_;
    std::unique_ptr<platform::DispatchObject> interface_;
    std::atomic<platform::DispatchObject*> live_{nullptr};  // interface_, once made, for Cancel
};
