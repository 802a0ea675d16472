// Gestalt answers from a table that tests may change.
#include "Gestalt.h"

#include <map>

namespace platform {

namespace {

std::map<std::uint32_t, std::int32_t>& Answers() {
    static std::map<std::uint32_t, std::int32_t> answers = {{kGestaltSystemVersion, 0x1090}};
    return answers;
}

}  // namespace

int Gestalt(std::uint32_t selector, std::int32_t* response) {
    const auto found = Answers().find(selector);
    if (found == Answers().end() || !response) return kGestaltUnknownSelector;
    *response = found->second;
    return kGestaltNoError;
}

void SetGestaltValue(std::uint32_t selector, std::optional<std::int32_t> value) {
    if (value) Answers()[selector] = *value;
    else Answers().erase(selector);
}

}  // namespace platform
