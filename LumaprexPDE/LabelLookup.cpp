// Label texts from the bundle's strings, and the panes' stripping rules.
#include "LabelLookup.h"

#include "FoundationValues.h"

const LabelRule kMainPaneLabels{{{10163, 10163, ""}, {10193, 10193, ""}}, ":"};
const LabelRule kJobSetupLabels{{{10084, 10084, ""}, {10163, 10163, ""}, {10193, 10193, ""}}, ":"};
const LabelRule kNotificationLabels{{{10163, 10163, ""}, {10193, 10193, ""}}, ":"};
const LabelRule kPageSetLabels{{{10096, 10099, ""}, {10163, 10163, ""}, {10193, 10193, ""}}, ":"};
const LabelRule kPageExceptionLabels{
    {{16035, 16035, "%s"}, {10096, 10099, ""}, {10163, 10163, ""}, {10193, 10193, ""}}, ":"};
const LabelRule kTemplateLabels{{{12011, 12011, "..."}}, ""};
const LabelRule kUnstrippedLabels{{}, ""};

std::string RemoveAll(std::string text, std::string_view part) {
    if (part.empty()) return text;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) text.erase(at, part.size());
    return text;
}

std::string getNSStringWithID(const platform::Bundle& bundle, int id, const LabelRule& rule) {
    if (!bundle) return {};
    const std::string text = bundle.localizedString(platform::FormatInteger(id), "Labels");
    for (const LabelRule::Exception& exception : rule.exceptions) {
        if (id >= exception.first && id <= exception.last) return RemoveAll(text, exception.removed);
    }
    return RemoveAll(text, rule.removed);
}
