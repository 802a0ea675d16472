// Range checks on the values of a template (see the header).
#include "zqControllerTemplateValues.h"

#include <cmath>

#include "JSE_Records.h"
#include "SystemLog.h"

namespace template_values {

namespace {

struct FeatureLimit {
    int feature;
    Range range;
};

// The values the panes and the ticket know, by feature.
constexpr FeatureLimit kFeatureLimits[] = {
    {kFeatureCopies, {1, 99999}},          {kFeaturePrintingMode, {1, 6}},
    {kFeatureFrontCoverMode, {1, 5}},      {kFeatureBackCoverMode, {1, 5}},
    {kFeatureStatusMode, {1, 4}},          {kFeatureDocumentExit, {1, 6}},
    {kFeatureStaplerPosition, {1, 5}},     {kFeatureLongEdgeFold, {0, 1}},
    {kFeaturePunchPattern, {0, 999}},      {kFeatureSignaturePages, {1, 4000}},
    {kFeatureHalftoneAngle, {0, 180}},     {kFeatureHalftoneFrequency, {1, 600}},
    {kFeatureFinishOrientation, {1, 4}},   {kFeaturePageOrder, {1, 3}},
};

bool Within(double value, Range range) { return std::isfinite(value) && value >= range.min && value <= range.max; }

void LogSkipped(std::string_view key, std::string_view text) {
    platform::ConsoleLog("zqController: template value " + std::string(key) + " = \"" + std::string(text) +
                         "\" is out of range and was not applied");
}

template <class T>
std::optional<T> Read(const platform::Dictionary& group, std::string_view key, Range range, T value) {
    if (Within(static_cast<double>(value), range)) return value;
    if (const platform::Value* entry = group.find(key)) LogSkipped(key, entry->text());
    return std::nullopt;
}

}  // namespace

Range FeatureRange(int feature) {
    for (const FeatureLimit& limit : kFeatureLimits)
        if (limit.feature == feature) return limit.range;
    return kAnyNumber;
}

std::optional<std::int64_t> Number(const platform::Dictionary& group, std::string_view key, Range range) {
    return Read(group, key, range, group[key].integerValue());
}

std::optional<double> Decimal(const platform::Dictionary& group, std::string_view key, Range range) {
    return Read(group, key, range, group[key].doubleValue());
}

bool PageRange(std::int64_t first, std::int64_t last, std::string_view where) {
    if (first >= 1 && first <= last && last <= kLastPage) return true;
    platform::ConsoleLog("zqController: template " + std::string(where) + " pages " + std::to_string(first) + ".." +
                         std::to_string(last) + " are out of range and were not applied");
    return false;
}

// A hundredth of an inch above what the pane lets the user type (0.80 inch
// or 20.32 mm of shift, 1 inch or 25.4 mm of erase), so that a value the pane
// shows after a change of unit, rounded to two decimals, is taken back.
Range AlignmentRange(int unit) { return unit == 0 ? Range{-0.81, 0.81} : Range{-20.58, 20.58}; }
Range EraseRange(int unit) { return unit == 0 ? Range{0, 1.01} : Range{0, 25.66}; }

}  // namespace template_values
