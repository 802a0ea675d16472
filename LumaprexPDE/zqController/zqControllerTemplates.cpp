// Job templates: the template pane names a template file, a job-feature
// dictionary saved as a property list; the bridge puts the engine back to
// factory settings, applies the file group by group through the storing step
// (no rule checks), restores its page features, hands the file's dictionary
// to every pane and tells the user the outcome. A file of the earlier
// release, known by its "Version" key, is converted instead.
#include <tuple>
#include <vector>

#include "AlertPanel.h"
#include "PropertyList.h"
#include "zqController.h"
#include "zqControllerTemplateValues.h"

namespace {

using template_values::FeatureRange;
using template_values::Range;

constexpr int kTemplateApplied = 15000;
constexpr int kTemplateIncomplete = 16094;
constexpr int kOkButton = 10001;

struct GroupKey {
    const char* key;
    int feature;
    bool text;  // sent as text with value 0, else as a number
};

// The "jobSetup" keys in the order they are applied; the cover, status-page
// and separator punches are applied after the job's punch pattern (ApplyCoverPunches).
constexpr GroupKey kJobSetupKeys[] = {
    {"copyCount", kFeatureCopies, false},          {"bodyPaper", kFeatureBodyPaper, true},
    {"printingMode", kFeaturePrintingMode, false}, {"interleavePaper", kFeatureInterleavePaper, true},
    {"separatorPaper", kFeatureSeparatorPaper, true}, {"frontCoverMode", kFeatureFrontCoverMode, false},
    {"frontCoverPaper", kFeatureFrontCoverPaper, true}, {"backCoverMode", kFeatureBackCoverMode, false},
    {"backCoverPaper", kFeatureBackCoverPaper, true}, {"collate", kFeatureCollate, false},
    {"setSeparator", kFeatureSetSeparator, false}, {"proofSet", kFeatureProofSet, false},
    {"signaturePages", kFeatureSignaturePages, false},
};

constexpr GroupKey kCoverPunchKeys[] = {
    {"punchSeparatorPaper", kFeaturePunchSeparatorPaper, false},
    {"punchFrontCover", kFeaturePunchFrontCover, false},
    {"punchBackCover", kFeaturePunchBackCover, false},
    {"punchStatusPaper", kFeaturePunchStatusPaper, false},
};

constexpr GroupKey kFinisherKeys[] = {
    {"jobExit", kFeatureDocumentExit, false},
    {"staplerPosition", kFeatureStaplerPosition, false},
    {"offsetStack", kFeatureOffsetStacking, false},
    {"trimming", kFeatureTrimming, false},
};

constexpr GroupKey kNotificationKeys[] = {
    {"eMailAddressText", kFeatureEMailAddress, true}, {"operatorMessageText", kFeatureOperatorMessage, true},
    {"deliverToText", kFeatureDeliverTo, true},       {"chargeNumberText", kFeatureChargeNumber, true},
    {"statusMode", kFeatureStatusMode, false},        {"statusPaper", kFeatureStatusPaper, true},
};

template <std::size_t N>
void ApplyKeys(zqController& bridge, const platform::Dictionary& group, const GroupKey (&keys)[N]) {
    for (const GroupKey& k : keys) {
        if (k.text) bridge.SetJobFeature(k.feature, 0, group[k.key].text(), 0);
        else if (const auto number = template_values::Number(group, k.key, FeatureRange(k.feature)))
            bridge.SetJobFeature(k.feature, *number, {}, 0);
    }
}

// After the job punch, which turns them on for every cover the job has, so
// that a saved "do not punch" stays. The finishing pane keeps its own copy of
// the two cover punches in its group, newer than the bridge's.
void ApplyCoverPunches(zqController& bridge, const std::optional<platform::Dictionary>& jobSetup,
                       const std::optional<platform::Dictionary>& finisher) {
    for (const GroupKey& k : kCoverPunchKeys) {
        const platform::Dictionary* group = finisher && finisher->contains(k.key) ? &*finisher : nullptr;
        if (!group && jobSetup) group = &*jobSetup;
        if (group) bridge.SetJobFeature(k.feature, (*group)[k.key].integerValue() != 0, {}, 0);
    }
}

constexpr GroupKey kImageKeys[] = {
    {"halftoneAngle", kFeatureHalftoneAngle, false},
    {"halftoneFrequency", kFeatureHalftoneFrequency, false},
    {"engineGRET", kFeatureGRET, false},
};

// The image group's distances in the order the bridge's setters take them:
// side 1 then side 2; margins top, left, bottom, right.
constexpr const char* kImageAlignDistances[] = {"imageAlignFrontX", "imageAlignFrontY", "imageAlignBackX",
                                                "imageAlignBackY"};
constexpr const char* kEdgeEraseMargins[] = {"frontEraseTopSide", "frontEraseLeftSide", "frontEraseBottomSide",
                                             "frontEraseRightSide", "backEraseTopSide", "backEraseLeftSide",
                                             "backEraseBottomSide", "backEraseRightSide"};

struct ImageValues {
    int unit, orientation;
    std::vector<double> distances;
};

// The unit and orientation of an image setting, then its distances in that
// unit; nothing when one of them is out of range.
template <std::size_t N>
std::optional<ImageValues> ReadImageValues(const platform::Dictionary& image, const char* unitKey,
                                           const char* orientationKey, const char* const (&keys)[N],
                                           Range (*range)(int unit)) {
    const auto unit = template_values::Number(image, unitKey, {0, 1});
    const auto orientation = template_values::Number(image, orientationKey, {0, 4});
    if (!unit || !orientation) return std::nullopt;
    ImageValues values{static_cast<int>(*unit), static_cast<int>(*orientation), {}};
    for (const char* key : keys) {
        const auto value = template_values::Decimal(image, key, range(values.unit));
        if (!value) return std::nullopt;
        values.distances.push_back(*value);
    }
    return values;
}

// The group of that name, when the file holds it as a dictionary.
std::optional<platform::Dictionary> Group(const platform::Dictionary& file, std::string_view name) {
    const platform::Value* group = file.find(name);
    if (!group || !group->isDictionary()) return std::nullopt;
    return group->dictionary();
}

}  // namespace

void zqController::listenLoadSettingsNotification(const platform::Notification& notification) {
    if (!started()) return;
    LoadSettings(notification.object.text());
}

std::string zqController::getNSStringWithID(int identifier) const {
    if (!m_pluginBundle) return {};
    return m_pluginBundle.localizedString(platform::FormatInteger(identifier), "Labels");
}

// A file that cannot be read changes nothing and reaches no pane.
void zqController::LoadSettings(const std::string& path) {
    if (!m_service) return;
    platform::PropertyListError error = platform::PropertyListError::None;
    const platform::Dictionary file = platform::ReadDictionaryFile(path, &error);
    bool complete = false;
    if (error == platform::PropertyListError::None) {
        complete = applyTemplateFile(file);
        // The ticket takes the custom command and the release values only
        // from the store, whatever step of the template set them last.
        m_service->JSE_Preference_Copy_Value_To_JobTicket();
        postApplySettings({"jobSetupController::applySettings", "finishingController::applySettings",
                           "peSubstitutionController::applySettings", "notificationController::applySettings",
                           "imageController::applySettings", "customController::applySettings",
                           "lumaTemplate::applySettings"});
    }
    platform::ShowAlert(getNSStringWithID(complete ? kTemplateApplied : kTemplateIncomplete),
                        getNSStringWithID(kOkButton));
}

// Whether every job group was there. The file becomes the bridge's
// dictionary; a file with a group missing is applied as far as it goes, and
// the panes then receive the dictionary rebuilt from the engine rather than
// a half-applied file.
bool zqController::applyTemplateFile(const platform::Dictionary& file) {
    m_jobFeatureDict = file;
    if (file.contains("Version")) {
        convertRelease7Template();
        return true;
    }
    if (applyTemplate(file)) return true;
    m_jobFeatureDict = platform::Dictionary();
    convertFeaturesToDictionary();
    return false;
}

// The current layout, group by group from factory settings; always with a
// "Substitution" group for the page panes.
bool zqController::applyTemplate(const platform::Dictionary& file) {
    JSEPreferenceSetFactory();
    const auto jobSetup = Group(file, "jobSetup");
    const auto finisher = Group(file, "finisher");
    const auto custom = Group(file, "custom");
    const auto image = Group(file, "image");
    const auto notification = Group(file, "notification");
    if (jobSetup) ApplyKeys(*this, *jobSetup, kJobSetupKeys);
    if (finisher) applyFinisherGroup(*finisher);
    ApplyCoverPunches(*this, jobSetup, finisher);
    if (custom) applyCustomGroup(*custom);
    if (image) applyImageGroup(*image);
    if (notification) ApplyKeys(*this, *notification, kNotificationKeys);
    if (const auto substitution = Group(file, "Substitution")) {
        const int orientation = image ? (*image)["edgeErasePaperOrientation"].intValue() : 1;
        applyPageFeatures(*substitution, orientation);
    } else {
        m_jobFeatureDict.set("Substitution", platform::Dictionary());
    }
    return jobSetup && finisher && custom && image && notification;
}

// A job punch that is on with a default pattern above 1 punches with that
// pattern: the finishing pane writes its on/off state as "punchJob".
void zqController::applyFinisherGroup(const platform::Dictionary& finisher) {
    ApplyKeys(*this, finisher, kFinisherKeys);
    const Range patterns = FeatureRange(kFeaturePunchPattern);
    const auto punch = template_values::Number(finisher, "punchJob", patterns);
    const auto pattern = template_values::Number(finisher, "defaultPunchPattern", patterns);
    if (punch) SetJobFeature(kFeaturePunchPattern, *punch != 0 && pattern && *pattern > 1 ? *pattern : *punch, {}, 0);
    if (const auto fold = template_values::Number(finisher, "longEdgeFold", FeatureRange(kFeatureLongEdgeFold)))
        storeTemplateNumber(kFeatureLongEdgeFold, *fold);
    if (const auto order = template_values::Number(finisher, "pageOrdering", FeatureRange(kFeaturePageOrder))) {
        SetJobFeature(kFeaturePageOrder, *order, {}, 0);
        mPageOrdering = static_cast<int>(*order);
    }
    if (pattern) setPunchPattern(static_cast<int>(*pattern));
}

// The long-edge fold is no field of the record, so the storing step would
// drop it: the store keeps it, as on the setting road.
void zqController::storeTemplateNumber(int feature, std::int64_t value) {
    if (feature != kFeatureLongEdgeFold) SetJobFeature(feature, value, {}, 0);
    else m_service->JSE_Preference_SetNarrowBookletValue(static_cast<std::int32_t>(value));
}

// The destinations as features, then the custom command as the custom pane
// hands it over (kind, position, file and text, with the ticket's place for
// it), enabled as the file says.
void zqController::applyCustomGroup(const platform::Dictionary& custom) {
    SetJobFeature(kFeaturePrint, custom["createTIFF"].integerValue() == 0 ? 1 : 0, {}, 0);
    for (const auto& [flag, text, feature] : {std::tuple{"saveAs", "saveAsFileNameText", kFeatureSaveAs},
                                              {"specificPrinter", "specificPrinterNameText", kFeatureSpecificPrinter},
                                              {"createTIFF", "createTIFFPath", kFeatureCreateTIFF}})
        SetJobFeature(feature, custom[flag].integerValue() != 0, custom[text].text(), 0);
    const bool kind = template_values::Number(custom, "fieldFlag", {1, 4}).has_value();
    const bool position = template_values::Number(custom, "insertPosition", {1, 2}).has_value();
    const bool number = template_values::Number(custom, "modifyPrintFile", template_values::kAnyNumber).has_value();
    if (!kind || !position || !number) return;
    setCustomCommand(custom);
    mCustomCommand.withJobStream = custom["withJobStream"].integerValue() != 0;
    m_service->JSE_JobTicket_Set_CustomRecord(mCustomCommand);
    m_service->JSE_Preference_Set_CustomRecord(mCustomCommand);
}

void zqController::applyImageGroup(const platform::Dictionary& image) {
    ApplyKeys(*this, image, kImageKeys);
    applyImageAlign(image["imageAlign"].integerValue() != 0, image["imageAlignMirrorSide1"].integerValue() != 0, image);
    applyEdgeErase(image["edgeErase"].integerValue() != 0, image["edgeEraseMirrorSide1"].integerValue() != 0, image);
    if (const auto finishing = template_values::Number(image, "FinishOrientation",
                                                       FeatureRange(kFeatureFinishOrientation)))
        SetFinishOrientation(static_cast<int>(*finishing));
}

void zqController::applyImageAlign(bool on, bool mirror, const platform::Dictionary& image) {
    const auto v = ReadImageValues(image, "imageAlignUnit", "imageAlignPaperOrientation", kImageAlignDistances,
                                   template_values::AlignmentRange);
    if (!v) return;
    const auto& d = v->distances;
    SetImageAlign(on, mirror, v->unit, v->orientation, static_cast<float>(d[0]), static_cast<float>(d[1]),
                  static_cast<float>(d[2]), static_cast<float>(d[3]));
}

void zqController::applyEdgeErase(bool on, bool mirror, const platform::Dictionary& image) {
    const auto v = ReadImageValues(image, "edgeEraseUnit", "edgeErasePaperOrientation", kEdgeEraseMargins,
                                   template_values::EraseRange);
    if (!v) return;
    const auto& m = v->distances;
    SetEdgeErase(on, mirror, v->unit, v->orientation, {{m[0], m[1], m[2], m[3]}, {m[4], m[5], m[6], m[7]}});
}
