// The libFuzzer entry of one target, chosen by MW_FUZZ_TARGET at build time.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/FuzzBodies.h"
#include "platform/Message.h"

namespace {

const fuzz::Target& Chosen() {
    static const fuzz::Target* chosen = [] {
        for (const fuzz::Target& t : fuzz::Targets())
            if (std::strcmp(t.name, MW_FUZZ_TARGET) == 0) return &t;
        std::fprintf(stderr, "no fuzz target %s\n", MW_FUZZ_TARGET);
        std::abort();
    }();
    return *chosen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Messages a body does not catch itself must not reach stderr on every run.
    static platform::RecordingMessageSink quiet;
    static platform::ScopedMessageSink scope(&quiet);
    quiet.Clear();
    const std::string problem = fuzz::Problem(Chosen().body(data, size));
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s", MW_FUZZ_TARGET, problem.c_str());
        std::abort();
    }
    return 0;
}
