// Templates of the earlier release: one flat dictionary keyed mostly by the
// decimal label identifiers of that release's controls, a few plain keys,
// and arrays under keys that are label texts. The conversion puts the engine
// back to factory settings, applies every setting it finds through the
// storing step (no rule checks), restores the page sets and page features,
// and then replaces the older dictionary by one built from the engine, so a
// template saved afterwards has the current layout.
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

constexpr struct {
    const char* key;
    int feature;
} kNotificationTexts[] = {
    {"12056", kFeatureEMailAddress},
    {"13080", kFeatureOperatorMessage},
    {"13081", kFeatureDeliverTo},
    {"13082", kFeatureChargeNumber},
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
void ApplyOlderKeys(const platform::Dictionary& older, const OlderKey (&keys)[N], Store store) {
    for (const OlderKey& k : keys) {
        if (!k.always && !older.contains(k.key)) continue;
        if (const auto number = template_values::Number(older, k.key, Within(k.range, FeatureRange(k.feature))))
            store(k.feature, *number);
    }
}

}  // namespace

void zqController::convertRelease7Template() {
    JSEPreferenceSetFactory();
    getJobSettings();
    getDeviceSettings();
    getPunchPatterns();
    getNotificationSettings();
    getCustomOptions();
    getImageAlign();
    getEdgeErase();
    getHalfTones();
    convertPageFeatures();
    m_jobFeatureDict = platform::Dictionary();
    convertFeaturesToDictionary();
}

// The user, the print mode, collate, proof set, separators and the pamphlet:
// sheets follow the signature pages unless the template names them.
void zqController::getJobSettings() {
    const platform::Dictionary& older = m_jobFeatureDict;
    if (const platform::Value* user = older.find("User ID")) SetJobFeature(kFeatureUserName, 0, user->text(), 0);
    ApplyOlderKeys(older, kJobKeys, [this](int feature, std::int64_t value) { storeTemplateNumber(feature, value); });
    mJobFeature.sheets = mJobFeature.signaturePages / 4;
    if (older.contains("10084"))
        if (const auto sheets = template_values::Number(older, "10084", {1, 1000}))
            mJobFeature.sheets = static_cast<std::int32_t>(*sheets);
}

void zqController::getDeviceSettings() {
    ApplyOlderKeys(m_jobFeatureDict, kDeviceKeys,
                   [this](int feature, std::int64_t value) { storeTemplateNumber(feature, value); });
}

void zqController::getPunchPatterns() {
    const auto pattern = template_values::Number(m_jobFeatureDict, "13071", FeatureRange(kFeaturePunchPattern));
    if (!pattern) return;
    setPunchPattern(static_cast<int>(*pattern));
    SetJobFeature(kFeaturePunchPattern, *pattern, {}, 0);
}

void zqController::getNotificationSettings() {
    const platform::Dictionary& older = m_jobFeatureDict;
    for (const auto& [key, feature] : kNotificationTexts) SetJobFeature(feature, 0, older[key].text(), 0);
    if (const auto mode = template_values::Number(older, "10069", FeatureRange(kFeatureStatusMode)))
        SetJobFeature(kFeatureStatusMode, *mode, {}, 0);
    const std::string& paper = older["Status Page Paper"].text();
    SetJobFeature(kFeatureStatusPaper, 0, paper.empty() ? wstringToNSString(mJobFeature.bodyPaper) : paper, 0);
}

// A name that does not begin with a number switches storing or the printer
// off, since its switch is the same entry read as a number.
void zqController::getCustomOptions() {
    const platform::Dictionary& older = m_jobFeatureDict;
    SetJobFeature(kFeaturePrint, older["10058"].integerValue(), {}, 0);
    if (older.contains("12077"))
        SetJobFeature(kFeatureCreateTIFF, older["12077"].integerValue() == 1, older["13033"].text(), 0);
    for (const auto& [key, feature] : {std::pair{"13089", kFeatureSaveAs}, {"10060", kFeatureSpecificPrinter}})
        if (older.contains(key)) SetJobFeature(feature, older[key].integerValue() != 0, older[key].text(), 0);
    const platform::Value* userCommand = older.find("User Defined Custom Commands");
    const std::string text = older["10070"].integerValue() == 1 && userCommand ? userCommand->text() : std::string();
    const std::string& file = older["10077"].text();
    const int kind = 1 + (text.empty() ? 0 : 1) + (file.empty() ? 0 : 2);
    platform::Dictionary command{{"command", text},
                                 {"fieldFlag", platform::FormatInteger(kind)},
                                 {"insertPosition", older["13077"].integerValue() == 1 ? "2" : "1"}};
    // The earlier release's key for the file, which the custom command reads.
    if (!file.empty()) command.set("filaName", file);
    setCustomCommand(command);
}

void zqController::getImageAlign() {
    const platform::Dictionary& older = m_jobFeatureDict;
    for (const auto& [key, feature] : {std::pair{"12085", kFeatureFinishOrientation}, {"13088", kFeatureGRET}})
        if (older.contains(key))
            if (const auto number = template_values::Number(older, key, FeatureRange(feature)))
                SetJobFeature(feature, *number, {}, 0);
    const platform::Array items = older[getNSStringWithID(kImageAlignLabel)].array();
    if (items.empty() || items[0].integerValue() != 1) return;
    const platform::Dictionary image{
        {"imageAlignUnit", Unit(items)},
        {"imageAlignPaperOrientation", At(items, 2, "1")},
        {"imageAlignFrontX", At(items, 4, "0")},
        {"imageAlignFrontY", At(items, 5, "0")},
        {"imageAlignBackX", At(items, 6, "0")},
        {"imageAlignBackY", At(items, 7, "0")},
    };
    applyImageAlign(true, Switch(items, 1) == "1", image);
}

void zqController::getEdgeErase() {
    const platform::Array items = m_jobFeatureDict[getNSStringWithID(kEdgeEraseLabel)].array();
    if (items.empty()) return;
    platform::Dictionary image{{"edgeEraseUnit", Unit(items)}, {"edgeErasePaperOrientation", At(items, 2, "0")}};
    const char* margins[] = {"frontEraseTopSide", "frontEraseLeftSide", "frontEraseBottomSide",
                             "frontEraseRightSide", "backEraseTopSide", "backEraseLeftSide",
                             "backEraseBottomSide", "backEraseRightSide"};
    for (std::size_t i = 0; i < std::size(margins); ++i) image.set(margins[i], At(items, 4 + i, "0"));
    applyEdgeErase(true, Switch(items, 1) == "1", image);
}

void zqController::getHalfTones() {
    ApplyOlderKeys(m_jobFeatureDict, kHalftoneKeys,
                   [this](int feature, std::int64_t value) { storeTemplateNumber(feature, value); });
}
