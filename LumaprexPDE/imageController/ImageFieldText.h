// The image pane's number fields as text: the filter that keeps what the
// user types to a number within the group's range, the value a field's text
// stands for, and the range and unit factors of each group. Plain functions
// on texts and numbers, used by imageController.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ImageDistanceLimits.h"

namespace image_field {

// The two groups of decimal fields: image alignment (a shift either way)
// and edge erase (a margin, never negative).
enum class Group { Alignment, EdgeErase };

// The unit a group shows its values in; the number is what the bridge takes.
enum Unit : int { kInch = 0, kMillimetre = 1 };

inline constexpr double kInchToMillimetre = 25.4;
inline constexpr double kMillimetreToInch = 0.0393700787;

// The lowest and highest value of a field of the group in the unit: the
// limits of its stepper.
using Limits = image_limits::Limits;
Limits LimitsOf(Group group, Unit unit);

// The value a field's text stands for: the decimal number at its start,
// read with "." or with the locale's decimal separator as the decimal point
// (the filter lets the user type the locale's, the pane writes "."); 0 when
// the text does not begin with a number.
double FieldValue(std::string_view text, std::string_view separator);

struct Filtered {
    std::string text;
    bool refused = false;  // a typed character was refused (the pane beeps)
};

// The text a field keeps of what was typed. Only the first `length` UTF-16
// units count; the rest goes silently. Digits are kept, a "-" as the very
// first character of an alignment value, and the first character of the
// locale's separator once; the first other character is refused and ends
// the text. A value beyond the group's range in the unit then becomes the
// bound with two decimals ("0.80", "-20.32", "1.00", "25.40", with the
// locale's separator in place of the point); in inches a value reaching the
// highest is written as it, and an alignment value counts as too large only
// from its reach, 0.81, so 0.805 stays as typed (until editing ends).
Filtered FilterTypedNumber(std::string_view text, std::size_t length, Group group, Unit unit,
                           std::string_view separator);

// The text a field takes when editing ends, if its number is not the one it
// shows at two decimals (a third decimal typed, "0.125") or it is a zero in
// another form ("0", "-0", "-0.00"): "%.2f" of its single-precision value,
// as the steppers and the unit switch write it, a zero as "0.00"; not
// limited again, so 0.805 inch gives "0.81". None for a text that stands for
// a number other than zero at two decimals already ("0.5").
std::optional<std::string> TwoDecimalText(std::string_view text, std::string_view separator);

}  // namespace image_field
