#pragma once
// One body per reader of outside data, shared by the libFuzzer entries and the replay test of
// the normal suite, so a kept input is checked the same way in both.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// What a reader did with one input.
struct Outcome {
    bool refused = false;               // the reader would not take the input
    bool stateUnchanged = true;         // when refused: what the user had is as it was
    std::vector<std::string> messages;  // shown to the user, or the reader's error texts
    std::vector<std::string> faults;    // broken promises of the reader itself
};

using Body = Outcome (*)(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name;  // also the folder name under fuzz/corpus and fuzz/regressions
    Body body;
};

// Every target, in a fixed order.
const std::vector<Target>& Targets();

// Empty when the outcome is sound: a refusal left the state alone and said why, and no
// message is blank. Otherwise what is wrong.
std::string Problem(const Outcome& outcome);

}  // namespace fuzz
