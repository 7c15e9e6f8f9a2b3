// The library's one entry point: makes the dispatch object for the minimization core's class
// and maps dispatch ids onto its calls. Every failure comes back as a message, never as an
// exception across the C boundary.

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/CoreObject.h"
#include "platform/Dispatch.h"

namespace {

constexpr const char* kClassId = "{47019827-6801-492F-B369-BB8555FE71D0}";

void CopyMessage(const std::string& text, char* error, uint32_t size) {
    if (!error || size == 0) return;
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(error, text.data(), n);
    error[n] = '\0';
}

struct CoreDispatch {
    MwDispatch base;  // first, so that the host's pointer is ours
    mwcore::CoreObject core;
};

int Invoke(MwDispatch* self, int32_t dispid, const MwArg* args, int32_t argc, char* error,
           uint32_t errorSize) {
    auto* object = reinterpret_cast<CoreDispatch*>(self);
    try {
        // Cancel comes from another thread while Operation2 runs: it touches nothing else.
        if (dispid == 8 && argc == 0) {
            object->core.Cancel();
            return 0;
        }
        const int32_t expected = dispid >= 5 && dispid != 8 ? 1 : 0;
        if (dispid < 1 || dispid > 9)
            throw mwcore::CallError("unknown dispatch id " + std::to_string(dispid));
        if (argc != expected || (argc && (!args || args[0].type != MW_ARG_I2)))
            throw mwcore::CallError("wrong arguments for dispatch id " + std::to_string(dispid));
        switch (dispid) {
            case 1:
                object->core.ReadFunction();
                break;
            case 2:
                object->core.MinimizeFunction();
                break;
            case 3:
                object->core.FormatResults();
                break;
            case 4:
                object->core.WriteResults();
                break;
            case 5:
                object->core.SetVariableCount(args[0].i2);
                break;
            case 6:
                object->core.SetEffort(args[0].i2);
                break;
            case 7:
                object->core.SetOutputCount(args[0].i2);
                break;
            case 9:
                object->core.SetCubeInput(args[0].i2);
                break;
        }
        return 0;
    } catch (const std::exception& e) {
        CopyMessage(e.what(), error, errorSize);
    } catch (...) {
        CopyMessage("unexpected failure", error, errorSize);
    }
    return 1;
}

void Release(MwDispatch* self) {
    delete reinterpret_cast<CoreDispatch*>(self);
}

// The work allowances may be scaled from outside for measurements.
mwcore::MinimizeOptions OptionsFromEnvironment() {
    mwcore::MinimizeOptions options;
    if (const char* s = std::getenv("MW_CORE_WORK_SCALE")) {
        char* end = nullptr;
        const double v = std::strtod(s, &end);
        if (end != s && v >= 0 && v <= 1000) options.workScale = v;
    }
    return options;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) MwDispatch* mw_create_object(
    const char* classId, const MwCreateInfo* info, char* error, uint32_t errorSize) {
    try {
        if (!classId || std::strcmp(classId, kClassId) != 0) {
            CopyMessage("this library does not implement the class " +
                            std::string(classId ? classId : "(none)"),
                        error, errorSize);
            return nullptr;
        }
        if (!info || info->size < sizeof(MwCreateInfo) || !info->exchangePath ||
            !*info->exchangePath) {
            CopyMessage("no exchange file was given", error, errorSize);
            return nullptr;
        }
        auto* object = new CoreDispatch{
            {&Invoke, &Release}, mwcore::CoreObject(info->exchangePath, OptionsFromEnvironment())};
        return &object->base;
    } catch (const std::exception& e) {
        CopyMessage(e.what(), error, errorSize);
    }
    return nullptr;
}
