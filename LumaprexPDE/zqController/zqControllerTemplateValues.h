// Reading the values of a template: numbers and decimals from the texts the
// dictionary holds, each accepted only within the range its setting allows.
// A value outside is logged with its key and left out, so a damaged or
// hand-edited template never stores what a pane could not have set. An
// absent key reads as 0, as the panes write nothing else for "none"; when 0
// lies outside the range it is left out without a log line. Used by the
// bridge's template sources only.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "FoundationValues.h"

namespace template_values {

struct Range {
    double min, max;
};

// Numbers that go to the engine as 32-bit values.
constexpr Range kAnyNumber{-2147483648.0, 2147483647.0};

// The range of a job feature's number; kAnyNumber for flags and for
// features whose number the engine takes as it comes.
Range FeatureRange(int feature);

// The whole number of the key, when it lies in the range.
std::optional<std::int64_t> Number(const platform::Dictionary& group, std::string_view key, Range range);
// The decimal number of the key, when it lies in the range.
std::optional<double> Decimal(const platform::Dictionary& group, std::string_view key, Range range);
// The pages of a page feature: 1 to the last page, in order.
bool PageRange(std::int64_t first, std::int64_t last, std::string_view where);

// The limits of the image pane's distances in a unit (0 inch, else mm).
Range AlignmentRange(int unit);
Range EraseRange(int unit);

}  // namespace template_values
