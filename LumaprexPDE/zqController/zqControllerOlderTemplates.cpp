// Templates of the earlier release: one flat dictionary keyed mostly by the
// decimal label identifiers of that release's controls, a few plain keys,
// and arrays under keys that are label texts. The conversion puts the engine
// back to factory settings, applies every setting it finds through the
// storing step (no rule checks), each value held to the panes' limits as a
// current template's are, restores the page sets and page features, and
// then replaces the older dictionary by one built from the engine, so a
// template saved afterwards has the current layout. A value left out makes
// the conversion incomplete, as it does for a current template.
#include <tuple>

#include "zqController.h"
#include "zqControllerTemplateValues.h"

namespace {

using template_values::FeatureRange;
using template_values::kAnyNumber;
using template_values::Range;

constexpr int kImageAlignLabel = 13120;
constexpr int kEdgeEraseLabel = 13087;

struct OlderKey {
    const char* key;
    int feature;
    bool always;  // a missing key reads as 0; else it is applied only when present
    Range range;  // within the feature's own range
};

constexpr OlderKey kJobKeys[] = {
    {"13051", kFeaturePrintingMode, false, kAnyNumber}, {"10010", kFeatureCollate, false, {0, 1}},
    {"10009", kFeatureProofSet, false, {0, 1}},         {"10080", kFeatureSetSeparator, false, {0, 1}},
    {"10083", kFeatureSignaturePages, false, kAnyNumber},
};

constexpr OlderKey kDeviceKeys[] = {
    {"13060", kFeatureDocumentExit, true, kAnyNumber}, {"13172", kFeatureStaplerPosition, true, kAnyNumber},
    {"13169", kFeatureOffsetStacking, true, kAnyNumber}, {"13168", kFeatureTrimming, true, kAnyNumber},
    {"3655", kFeatureLongEdgeFold, true, kAnyNumber},  {"10120", kFeaturePageOrder, true, kAnyNumber},
};

constexpr OlderKey kHalftoneKeys[] = {
    {"-2025", kFeatureHalftoneAngle, false, kAnyNumber},
    {"-2027", kFeatureHalftoneFrequency, false, kAnyNumber},
};

// The older key, its feature and the key of the field that sets it now.
constexpr struct {
    const char* key;
    int feature;
    const char* field;
} kNotificationTexts[] = {
    {"12056", kFeatureEMailAddress, "eMailAddressText"},
    {"13080", kFeatureOperatorMessage, "operatorMessageText"},
    {"13081", kFeatureDeliverTo, "deliverToText"},
    {"13082", kFeatureChargeNumber, "chargeNumberText"},
};

Range Within(Range a, Range b) { return {std::max(a.min, b.min), std::min(a.max, b.max)}; }

// The element at the position, or the default past the end.
platform::Value At(const platform::Array& items, std::size_t position, platform::Value fallback) {
    return position < items.size() ? items[position] : fallback;
}

// An older array's "0 off, any other integer on" switch, on when missing.
std::string Switch(const platform::Array& items, std::size_t position) {
    return position < items.size() && items[position].integerValue() == 0 ? "0" : "1";
}

// An older array's unit: 0 inch, any other integer millimetre.
std::string Unit(const platform::Array& items) { return items.size() > 3 && items[3].integerValue() != 0 ? "1" : "0"; }

// Each number found within its range, to store.
template <std::size_t N, class Store>
void ApplyOlderKeys(template_values::Group& older, const OlderKey (&keys)[N], Store store) {
    for (const OlderKey& k : keys) {
        if (!k.always && !older.has(k.key)) continue;
        if (const auto number = older.number(k.key, Within(k.range, FeatureRange(k.feature))))
            store(k, *number);
    }
}

}  // namespace

bool zqController::convertRelease7Template() {
    template_values::Outcome outcome;
    JSEPreferenceSetFactory();
    reapplyApplicationJobInfo();  // the application's job, as on the current road
    getJobSettings(outcome);
    getDeviceSettings(outcome);
    getPunchPatterns(outcome);
    getNotificationSettings(outcome);
    getCustomOptions(outcome);
    getImageAlign(outcome);
    getEdgeErase(outcome);
    getHalfTones(outcome);
    convertPageFeatures(outcome);
    m_jobFeatureDict = platform::Dictionary();
    convertFeaturesToDictionary();
    return outcome.complete();
}

// The user, the print mode, collate, proof set, separators and the pamphlet:
// sheets follow the signature pages unless the template names them.
void zqController::getJobSettings(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    if (older.has("User ID")) SetJobFeature(kFeatureUserName, 0, older.text("User ID").value_or(""), 0);
    // As the job-setup pane's rules make them, as a current template's are.
    ApplyOlderKeys(older, kJobKeys, [&](const OlderKey& k, std::int64_t value) {
        if (separatorsCollate(k.feature, value)) storeTemplateNumber(kFeatureCollate, 1);
        storeTemplateNumber(k.feature, jobSetupPaneValue(k.feature, value));
    });
    mJobFeature.sheets = mJobFeature.signaturePages / 4;
    if (older.has("10084"))
        if (const auto sheets = older.number("10084", {1, 1000}))
            mJobFeature.sheets = static_cast<std::int32_t>(*sheets);
}

void zqController::getDeviceSettings(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    ApplyOlderKeys(older, kDeviceKeys,
                   [this](const OlderKey& k, std::int64_t value) { storeTemplateNumber(k.feature, value); });
}

void zqController::getPunchPatterns(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    const auto pattern = older.number("13071", FeatureRange(kFeaturePunchPattern));
    if (!pattern) return;
    setPunchPattern(static_cast<int>(*pattern));
    SetJobFeature(kFeaturePunchPattern, *pattern, {}, 0);
}

// The texts as the notification pane's fields take them; a status paper
// the catalog in use lacks is the body paper.
void zqController::getNotificationSettings(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    for (const auto& [key, feature, field] : kNotificationTexts)
        SetJobFeature(feature, 0, older.text(key, field).value_or(""), 0);
    if (const auto mode = older.number("10069", FeatureRange(kFeatureStatusMode)))
        SetJobFeature(kFeatureStatusMode, *mode, {}, 0);
    std::string paper = older.text("Status Page Paper").value_or("");
    if (!knownPaper(paper)) {
        older.leaveOut("Status Page Paper", "names a paper the catalog in use lacks");
        paper.clear();
    }
    SetJobFeature(kFeatureStatusPaper, 0, paper.empty() ? wstringToNSString(mJobFeature.bodyPaper) : paper, 0);
}

// A name that does not begin with a number switches storing or the printer
// off, since its switch is the same entry read as a number.
void zqController::getCustomOptions(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    SetJobFeature(kFeaturePrint, older.number("10058", kAnyNumber).value_or(0), {}, 0);
    if (older.has("12077"))
        SetJobFeature(kFeatureCreateTIFF, older.number("12077", kAnyNumber) == 1,
                      older.text("13033", "createTIFFPath").value_or(""), 0);
    for (const auto& [key, feature, field] : {std::tuple{"13089", kFeatureSaveAs, "saveAsFileNameText"},
                                              {"10060", kFeatureSpecificPrinter, "specificPrinterNameText"}})
        if (older.has(key))
            SetJobFeature(feature, older.flag(key), older.text(key, field).value_or(""), 0);
    const bool withText = older.number("10070", kAnyNumber) == 1 && older.has("User Defined Custom Commands");
    const std::string text = withText ? older.textCutToField("User Defined Custom Commands", "command").value_or("") : "";
    const std::string file = older.text("10077").value_or("");
    const int kind = 1 + (text.empty() ? 0 : 1) + (file.empty() ? 0 : 2);
    platform::Dictionary command{{"command", text},
                                 {"fieldFlag", platform::FormatInteger(kind)},
                                 {"insertPosition", older.number("13077", kAnyNumber) == 1 ? "2" : "1"}};
    // The earlier release's key for the file, which the custom command reads.
    if (!file.empty()) command.set("filaName", file);
    setCustomCommand(command);
}

void zqController::getImageAlign(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    for (const auto& [key, feature] : {std::pair{"12085", kFeatureFinishOrientation}, {"13088", kFeatureGRET}})
        if (older.has(key))
            if (const auto number = older.number(key, FeatureRange(feature)))
                SetJobFeature(feature, *number, {}, 0);
    const platform::Array items = m_jobFeatureDict[getNSStringWithID(kImageAlignLabel)].array();
    if (items.empty() || items[0].integerValue() != 1) return;
    const platform::Dictionary image{
        {"imageAlignUnit", Unit(items)},
        {"imageAlignPaperOrientation", At(items, 2, "1")},
        {"imageAlignFrontX", At(items, 4, "0")},
        {"imageAlignFrontY", At(items, 5, "0")},
        {"imageAlignBackX", At(items, 6, "0")},
        {"imageAlignBackY", At(items, 7, "0")},
    };
    template_values::Group values(image, "", outcome);
    applyImageAlign(values, true, Switch(items, 1) == "1");
}

void zqController::getEdgeErase(template_values::Outcome& outcome) {
    const platform::Array items = m_jobFeatureDict[getNSStringWithID(kEdgeEraseLabel)].array();
    if (items.empty()) return;
    platform::Dictionary image{{"edgeEraseUnit", Unit(items)}, {"edgeErasePaperOrientation", At(items, 2, "0")}};
    const char* margins[] = {"frontEraseTopSide", "frontEraseLeftSide", "frontEraseBottomSide",
                             "frontEraseRightSide", "backEraseTopSide", "backEraseLeftSide",
                             "backEraseBottomSide", "backEraseRightSide"};
    for (std::size_t i = 0; i < std::size(margins); ++i) image.set(margins[i], At(items, 4 + i, "0"));
    template_values::Group values(image, "", outcome);
    applyEdgeErase(values, true, Switch(items, 1) == "1");
}

void zqController::getHalfTones(template_values::Outcome& outcome) {
    template_values::Group older(m_jobFeatureDict, "", outcome);
    ApplyOlderKeys(older, kHalftoneKeys,
                   [this](const OlderKey& k, std::int64_t value) { storeTemplateNumber(k.feature, value); });
}
