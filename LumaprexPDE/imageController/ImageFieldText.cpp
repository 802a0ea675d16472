// The image pane's number fields as text: filter, value and ranges.
#include "ImageFieldText.h"

#include <optional>

#include "FoundationValues.h"
#include "zqController.h"

namespace image_field {

namespace {

// The bound a filtered value is replaced by, if any.
std::optional<double> Bound(double value, Group group, Unit unit) {
    const Limits limits = LimitsOf(group, unit);
    const double inchCeiling = group == Group::Alignment ? image_limits::AlignmentReach(kInch).highest : limits.highest;
    const bool tooLarge = unit == kInch ? value >= inchCeiling : value > limits.highest;
    if (tooLarge) return limits.highest;
    if (value < limits.lowest) return limits.lowest;
    return std::nullopt;
}

}  // namespace

Limits LimitsOf(Group group, Unit unit) {
    return group == Group::Alignment ? image_limits::Alignment(unit) : image_limits::EdgeErase(unit);
}

double FieldValue(std::string_view text, std::string_view separator) {
    std::string read(text);
    if (!separator.empty() && separator != ".") {
        const std::size_t at = read.find(separator);
        if (at != std::string::npos) read.replace(at, separator.size(), ".");
    }
    return platform::ReadDouble(read);
}

Filtered FilterTypedNumber(std::string_view text, std::size_t length, Group group, Unit unit,
                           std::string_view separator) {
    const std::u16string typed = platform::ToUtf16(text);
    const std::u16string separators = platform::ToUtf16(separator);
    const char16_t decimalPoint = separators.empty() ? u'.' : separators.front();
    std::u16string kept;
    bool pointSeen = false;
    Filtered filtered;
    for (std::size_t at = 0; at < typed.size() && at < length; ++at) {
        const char16_t c = typed[at];
        const bool accepted = (c >= u'0' && c <= u'9') || (c == u'-' && at == 0 && group == Group::Alignment) ||
                              (c == decimalPoint && !pointSeen);
        if (!accepted) {
            filtered.refused = true;
            break;
        }
        pointSeen = pointSeen || c == decimalPoint;
        kept += c;
    }
    filtered.text = platform::FromUtf16(kept);
    if (const std::optional<double> bound = Bound(FieldValue(filtered.text, separator), group, unit)) {
        // Written with the separator the filter lets through, so that the
        // text passes the filter again when editing ends.
        filtered.text = platform::FormatDecimal(*bound);
        filtered.text.replace(filtered.text.find('.'), 1, platform::FromUtf16(std::u16string(1, decimalPoint)));
    }
    return filtered;
}

std::optional<std::string> TwoDecimalText(std::string_view text, std::string_view separator) {
    const auto value = static_cast<float>(FieldValue(text, separator));
    std::string shown = platform::FormatDecimal(zqController::AtTwoDecimals(value));
    const bool sameNumber = value != 0 && static_cast<float>(platform::ReadDouble(shown)) == value;
    if (sameNumber || text == shown) return std::nullopt;
    return shown;
}

}  // namespace image_field
