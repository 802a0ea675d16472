// Checks on the values of a template (see the header).
#include "zqControllerTemplateValues.h"

#include <algorithm>
#include <cmath>

#include "ImageDistanceLimits.h"
#include "JSE_Records.h"
#include "SystemLog.h"
#include "TypedText.h"

namespace template_values {

namespace {

struct FeatureLimit {
    int feature;
    Range range;
};

// The values the panes let the user choose, by feature.
constexpr FeatureLimit kFeatureLimits[] = {
    {kFeatureCopies, {1, 99999}},          {kFeaturePrintingMode, {1, 6}},
    {kFeatureFrontCoverMode, {1, 5}},      {kFeatureBackCoverMode, {1, 5}},
    {kFeatureStatusMode, {1, 4}},          {kFeatureDocumentExit, {1, 6}},
    {kFeatureStaplerPosition, {1, 5}},     {kFeatureLongEdgeFold, {0, 1}},
    {kFeaturePunchPattern, {0, 999}},      {kFeatureSignaturePages, {1, 4000}},
    {kFeatureHalftoneAngle, {30, 180}},    {kFeatureHalftoneFrequency, {60, 600}},
    {kFeatureFinishOrientation, {1, 4}},   {kFeaturePageOrder, {1, 3}},
};

bool Within(double value, Range range) { return std::isfinite(value) && value >= range.min && value <= range.max; }

// A text as a log line may show it: control characters become blanks.
std::string Shown(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return text;
}

// Digits after an optional sign, with blanks around; an empty text reads as
// 0, as an absent key does.
bool WholeNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return true;
    const std::size_t digits = text[start] == '+' || text[start] == '-' ? start + 1 : start;
    const std::size_t end = text.find_first_not_of("0123456789", digits);
    return end != digits && (end == std::string_view::npos || text.find_first_not_of(' ', end) == std::string_view::npos);
}

// What typing leaves in a distance field: an optional minus, digits and at
// most one point, with a digit among them.
bool WholeDecimal(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    std::string digits(text);
    if (const std::size_t point = digits.find('.'); point != std::string::npos) digits.erase(point, 1);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

Range FeatureRange(int feature) {
    for (const FeatureLimit& limit : kFeatureLimits)
        if (limit.feature == feature) return limit.range;
    return kAnyNumber;
}

// What the pane can come to hold, which is a little more than its limits:
// 0.805 to 0.809 inch typed (the field takes five characters) shows and is
// saved as "0.81" once editing ends, and a switch from millimetres leaves
// 0.81 inch, whose 20.57 mm switch back to 0.81. The margins of edge erase
// keep to the pane's limits.
Range AlignmentRange(int unit) {
    const image_limits::Limits reach = image_limits::AlignmentReach(unit);
    return {reach.lowest, reach.highest};
}
Range EraseRange(int unit) {
    const image_limits::Limits limits = image_limits::EdgeErase(unit);
    return {limits.lowest, limits.highest};
}

void Outcome::log(const std::string& line) const {
    if (m_logged) platform::ConsoleLog(line);
}

void Outcome::leaveOut(std::string_view group, std::string_view key, std::string_view why) {
    log("zqController: template value " + std::string(key) + " " + std::string(why) + " and was not applied");
    m_complete = false;
    if (!group.empty()) m_fromEngine.emplace_back(group, key);
}

void Outcome::absent(std::string_view group, std::string_view key) {
    if (!group.empty()) m_fromEngine.emplace_back(group, key);
}

const std::string* Group::stored(std::string_view key) {
    const platform::Value* value = m_values.find(key);
    if (!value) m_outcome.absent(m_name, key);
    else if (value->kind() != platform::Value::Kind::String) leaveOut(key, "is not a text");
    else return &value->text();
    return nullptr;
}

std::optional<std::int64_t> Group::number(std::string_view key, Range range) {
    const std::string* text = stored(key);
    if (!text && has(key)) return std::nullopt;
    const std::int64_t value = text ? platform::ReadInteger(*text) : 0;
    if (Within(static_cast<double>(value), range)) return value;
    if (text) leaveOut(key, "= \"" + Shown(*text) + "\" is out of range");
    return std::nullopt;
}

std::optional<double> Group::decimal(std::string_view key, Range range, Hold hold) {
    const std::string* text = stored(key);
    if (!text && has(key)) return std::nullopt;
    std::optional<double> value = text ? platform::ReadDecimal(*text) : 0.0;
    if (value && hold) value = hold(*value);
    if (value && Within(*value, range)) return value;
    if (text) leaveOut(key, "= \"" + Shown(*text) + (value ? "\" is out of range" : "\" is no number"));
    return std::nullopt;
}

std::optional<double> Group::wholeDecimal(std::string_view key, Range range, Hold hold) {
    const platform::Value* value = m_values.find(key);
    if (value && value->kind() == platform::Value::Kind::String && !WholeDecimal(value->text())) {
        leaveOut(key, "= \"" + Shown(value->text()) + "\" is no number");
        return std::nullopt;
    }
    return decimal(key, range, hold);
}

std::optional<std::int64_t> Group::wholeNumber(std::string_view key, Range range) {
    const platform::Value* value = m_values.find(key);
    if (value && value->kind() == platform::Value::Kind::String && !WholeNumber(value->text())) {
        leaveOut(key, "= \"" + Shown(value->text()) + "\" is not a whole number");
        return std::nullopt;
    }
    return number(key, range);
}

std::optional<std::int64_t> Group::oneOf(std::string_view key, std::span<const int> values) {
    const auto value = number(key, kAnyNumber);
    if (!value || std::find(values.begin(), values.end(), *value) != values.end()) return value;
    leaveOut(key, "= \"" + platform::FormatInteger(*value) + "\" is no value the panes give");
    return std::nullopt;
}

bool Group::flag(std::string_view key) { return number(key, kAnyNumber).value_or(0) != 0; }

bool Group::onOff(std::string_view key) {
    const std::string* text = stored(key);
    if (!text || *text == "0") return false;
    if (*text == "1") return true;
    leaveOut(key, "= \"" + Shown(*text) + "\" is no value the panes give");
    return false;
}

std::optional<std::string> Group::text(std::string_view key, std::string_view ruleKey) {
    return heldText(key, ruleKey, false);
}

std::optional<std::string> Group::textCutToField(std::string_view key, std::string_view ruleKey) {
    return heldText(key, ruleKey, true);
}

std::optional<std::string> Group::heldText(std::string_view key, std::string_view ruleKey, bool cutToField) {
    const std::string* text = stored(key);
    if (!text) return has(key) ? std::nullopt : std::optional<std::string>(std::string());
    const TextRule* rule = TextRuleOf(ruleKey);
    if (!rule) return *text;
    AuditedText audited = AuditUserEntry(*text, *rule);
    if (!audited.mended()) return *text;
    if (cutToField && !audited.removed) {
        answeredByEngine(key);
        return std::move(audited.text);
    }
    leaveOut(key, "holds characters or bytes its field does not take");
    return std::nullopt;
}

void Group::leaveOut(std::string_view key, std::string_view why) { m_outcome.leaveOut(m_name, key, why); }

bool PageRange(std::int64_t first, std::int64_t last, std::string_view where, const Outcome& outcome) {
    if (first >= 1 && first <= last && last <= kLastPage) return true;
    outcome.log("zqController: template " + std::string(where) + " pages " + std::to_string(first) + ".." +
                std::to_string(last) + " are out of range and were not applied");
    return false;
}

}  // namespace template_values
