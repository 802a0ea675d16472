// Job templates: the template pane names a template file, a job-feature
// dictionary saved as a property list; the bridge puts the engine back to
// factory settings, applies the file group by group, restores its page
// features, hands the file's dictionary to every pane and tells the user the
// outcome. A file of the earlier release, known by its "Version" key, is
// converted instead.
//
// A template is held to what the dialog itself lets the user choose: every
// number within its range, every text within its field's characters and
// bytes, every paper one of the catalog in use, and every setting a rule
// governs checked by the rules, in the order the settings are applied. A
// value that fails is left out, the setting keeps its factory value, the
// panes are shown what the engine holds for it, and the user is told that
// the template was not applied completely. Collate and the covers take
// what the job-setup pane's rules give them, as the job printed.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <tuple>

#include "AlertPanel.h"
#include "PropertyList.h"
#include "TemplateFileSize.h"
#include "zqController.h"
#include "zqControllerTemplateValues.h"

namespace {

using template_values::FeatureRange;
using template_values::Range;

constexpr int kTemplateApplied = 15000;
constexpr int kTemplateIncomplete = 16094;
constexpr int kNotATemplate = 17312;
constexpr int kOkButton = 10001;

constexpr const char* kJobGroups[] = {"jobSetup", "finisher", "custom", "image", "notification"};

// The image group's distances in the order the bridge's setters take them:
// side 1 then side 2; margins top, left, bottom, right.
constexpr const char* kImageAlignDistances[] = {"imageAlignFrontX", "imageAlignFrontY", "imageAlignBackX",
                                                "imageAlignBackY"};
constexpr const char* kEdgeEraseMargins[] = {"frontEraseTopSide", "frontEraseLeftSide", "frontEraseBottomSide",
                                             "frontEraseRightSide", "backEraseTopSide", "backEraseLeftSide",
                                             "backEraseBottomSide", "backEraseRightSide"};

// The group of that name, when the file holds it as a dictionary.
std::optional<platform::Dictionary> FindGroup(const platform::Dictionary& file, std::string_view name) {
    const platform::Value* group = file.find(name);
    if (!group || !group->isDictionary()) return std::nullopt;
    return group->dictionary();
}

// A file that is no property list of a dictionary, or one that holds none
// of a template's groups and is no template of the earlier release; not a
// file that could not be read whole.
bool NotATemplate(platform::PropertyListError error, const platform::Dictionary& file) {
    using platform::PropertyListError;
    if (error == PropertyListError::CannotOpen || error == PropertyListError::TooLarge) return false;
    if (error != PropertyListError::None) return true;
    const auto group = [&](const char* name) { return FindGroup(file, name).has_value(); };
    return !file.contains("Version") && !group("Substitution") &&
           std::none_of(std::begin(kJobGroups), std::end(kJobGroups), group);
}

// The value a built dictionary holds for the key: in the group, else in
// the group that keeps the setting (the finishing pane's cover punches are
// the job setup's).
const platform::Value* BuiltValue(const platform::Dictionary& built, std::string_view group, std::string_view key) {
    if (const platform::Value* value = built[group].dictionary().find(key)) return value;
    for (const char* other : kJobGroups)
        if (const platform::Value* value = built[other].dictionary().find(key)) return value;
    return nullptr;
}

using Key = template_values::SettingKey;

// The paper orientations the bridge writes for the image values: the image
// pane's upright 1, and 0 to 4 from the arrays of the earlier release.
constexpr Range kPaperOrientations{0, 4};

// A distance of the image group at two decimals as the panes hold it, when
// so held it lies within the range (an edge erase of 1.004 inch applies as
// 1.00, as typed). A text that typing could not leave in its field ("0,5",
// which would read as 0, "+0.50", "5e-1") is left out; the engine answers
// for one that does not show the number so (a third decimal, which no pane
// writes, or a zero with a minus), so that the panes, the summary and a
// later save show what prints.
double Distance(template_values::Group& image, const char* key, template_values::Range range) {
    const std::optional<double> held = image.wholeDecimal(key, range, zqController::AtTwoDecimals);
    if (!held) return 0;
    const double written = image.values()[key].doubleValue();
    if (*held != written || std::signbit(written)) image.answeredByEngine(key);
    return *held;
}

// The paper orientation the image values are placed for: upright, as the
// factory has it, when the template names none or one left out.
int PaperOrientation(template_values::Group& image, std::string_view key) {
    if (!image.has(key)) {
        image.answeredByEngine(key);
        return 1;
    }
    return static_cast<int>(image.number(key, kPaperOrientations).value_or(1));
}

// The "jobSetup" keys in the order they are applied; the cover, status-page
// and separator punches are applied after the job's punch pattern. The copy
// count is the application's (keepApplicationJobInfo).
constexpr Key kJobSetupKeys[] = {
    {"bodyPaper", kFeatureBodyPaper, Key::kPaper},
    {"printingMode", kFeaturePrintingMode, Key::kNumber},
    {"interleavePaper", kFeatureInterleavePaper, Key::kPaper},
    {"separatorPaper", kFeatureSeparatorPaper, Key::kPaper},
    {"frontCoverMode", kFeatureFrontCoverMode, Key::kNumber},
    {"frontCoverPaper", kFeatureFrontCoverPaper, Key::kPaper},
    {"backCoverMode", kFeatureBackCoverMode, Key::kNumber},
    {"backCoverPaper", kFeatureBackCoverPaper, Key::kPaper},
    {"collate", kFeatureCollate, Key::kFlag},
    {"setSeparator", kFeatureSetSeparator, Key::kFlag},
    {"proofSet", kFeatureProofSet, Key::kFlag},
    {"signaturePages", kFeatureSignaturePages, Key::kNumber},
};

constexpr Key kCoverPunchKeys[] = {
    {"punchSeparatorPaper", kFeaturePunchSeparatorPaper, Key::kNumber},
    {"punchFrontCover", kFeaturePunchFrontCover, Key::kNumber},
    {"punchBackCover", kFeaturePunchBackCover, Key::kNumber},
    {"punchStatusPaper", kFeaturePunchStatusPaper, Key::kNumber},
};

constexpr Key kFinisherKeys[] = {
    {"jobExit", kFeatureDocumentExit, Key::kNumber},
    {"staplerPosition", kFeatureStaplerPosition, Key::kNumber},
    {"offsetStack", kFeatureOffsetStacking, Key::kFlag},
    {"trimming", kFeatureTrimming, Key::kFlag},
};

constexpr Key kNotificationKeys[] = {
    {"eMailAddressText", kFeatureEMailAddress, Key::kText},
    {"operatorMessageText", kFeatureOperatorMessage, Key::kText},
    {"deliverToText", kFeatureDeliverTo, Key::kText},
    {"chargeNumberText", kFeatureChargeNumber, Key::kText},
    {"statusMode", kFeatureStatusMode, Key::kNumber},
    {"statusPaper", kFeatureStatusPaper, Key::kPaper},
};

constexpr Key kImageKeys[] = {
    {"halftoneAngle", kFeatureHalftoneAngle, Key::kNumber},
    {"halftoneFrequency", kFeatureHalftoneFrequency, Key::kNumber},
    {"engineGRET", kFeatureGRET, Key::kNumber},
};

}  // namespace

void zqController::listenLoadSettingsNotification(const platform::Notification& notification) {
    if (!started()) return;
    LoadSettings(notification.object.text());
}

std::string zqController::getNSStringWithID(int identifier) const {
    if (!m_pluginBundle) return {};
    return m_pluginBundle.localizedString(platform::FormatInteger(identifier), "Labels");
}

// A file that cannot be read, or is no template, changes nothing and
// reaches no pane.
void zqController::LoadSettings(const std::string& path) {
    if (!m_service) return;
    platform::PropertyListError error = platform::PropertyListError::None;
    const platform::Dictionary file = platform::ReadDictionaryFile(path, &error, kMaxTemplateFileSize);
    if (NotATemplate(error, file)) return showFileAlert(kNotATemplate, path);
    bool complete = false;
    if (error == platform::PropertyListError::None) {
        complete = applyTemplateFile(file);
        // The ticket takes the custom command and the release values only
        // from the store, whatever step of the template set them last; the
        // rules check every later choice against the job as applied.
        m_service->JSE_Preference_Copy_Value_To_JobTicket();
        m_service->JSE_Preference_Copy_Value_To_Validation();
        postApplySettings({"jobSetupController::applySettings", "finishingController::applySettings",
                           "peSubstitutionController::applySettings", "notificationController::applySettings",
                           "imageController::applySettings", "customController::applySettings",
                           "lumaTemplate::applySettings"});
    }
    platform::ShowAlert(getNSStringWithID(complete ? kTemplateApplied : kTemplateIncomplete),
                        getNSStringWithID(kOkButton));
}

void zqController::showFileAlert(int label, const std::string& path) const {
    std::string message = getNSStringWithID(label);
    if (const std::size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
    platform::ShowAlert(message, getNSStringWithID(kOkButton));
}

// Whether the whole file was applied. The file becomes the bridge's
// dictionary, with what the engine holds in place of every value left out;
// a file with a group missing is applied as far as it goes, and the panes
// then receive the dictionary rebuilt from the engine rather than a
// half-applied file.
bool zqController::applyTemplateFile(const platform::Dictionary& file) {
    m_jobFeatureDict = file;
    if (file.contains("Version")) return convertRelease7Template();
    template_values::Outcome outcome;
    const bool whole = applyTemplate(file, outcome);
    if (!whole) {
        m_jobFeatureDict = platform::Dictionary();
        convertFeaturesToDictionary();
        return false;
    }
    answerFromEngine(file, outcome);
    return outcome.complete();
}

// The current layout, group by group from factory settings; false when a
// job group is missing.
bool zqController::applyTemplate(const platform::Dictionary& file, template_values::Outcome& outcome) {
    JSEPreferenceSetFactory();
    std::optional<template_values::Group> groups[std::size(kJobGroups)];
    for (std::size_t i = 0; i < std::size(kJobGroups); ++i)
        if (const auto found = FindGroup(file, kJobGroups[i])) groups[i].emplace(*found, kJobGroups[i], outcome);
    auto& [jobSetup, finisher, custom, image, notification] = groups;
    keepApplicationJobInfo(jobSetup);
    if (jobSetup) applyTemplateKeys(*jobSetup, kJobSetupKeys);
    if (finisher) applyFinisherGroup(*finisher);
    applyCoverPunches(jobSetup, finisher);
    if (custom) applyCustomGroup(*custom);
    if (image) applyImageGroup(*image);
    if (notification) applyTemplateKeys(*notification, kNotificationKeys);
    // Image shifts of pages without an orientation of their own take the
    // edge erase's, as far as the page-exception pane has it: landscape, or
    // else portrait.
    const int orientation = image && image->values()["edgeErasePaperOrientation"].intValue() == 2 ? 2 : 1;
    m_appliedPageFeatures.reset();
    if (const auto substitution = FindGroup(file, "Substitution"))
        applyPageFeatures(*substitution, orientation, outcome);
    return jobSetup && finisher && custom && image && notification;
}

// The panes receive the file, each group with the engine's value for every
// key left out or missing, the page features as applied, and always a
// "Substitution" group for the page panes.
void zqController::answerFromEngine(const platform::Dictionary& file, const template_values::Outcome& outcome) {
    m_jobFeatureDict = platform::Dictionary();
    convertJobFeaturesToDictionary();
    const platform::Dictionary built = m_jobFeatureDict;
    m_jobFeatureDict = file.copy();
    for (const char* name : kJobGroups) {
        platform::Dictionary group = FindGroup(file, name)->copy();
        for (const auto& [where, key] : outcome.fromEngine()) {
            if (where != name) continue;
            if (const platform::Value* value = BuiltValue(built, name, key)) group.set(key, *value);
            else group.remove(key);
        }
        m_jobFeatureDict.set(name, group);
    }
    platform::Dictionary substitution = FindGroup(file, "Substitution").value_or(platform::Dictionary()).copy();
    if (m_appliedPageFeatures) substitution.set("pageFeatures", *m_appliedPageFeatures);
    else substitution.remove("pageFeatures");
    m_jobFeatureDict.set("Substitution", substitution);
}

void zqController::applyTemplateKeys(template_values::Group& in, std::span<const template_values::SettingKey> keys) {
    for (const Key& k : keys) {
        switch (k.kind) {
            case Key::kNumber:
                if (const auto number = in.number(k.key, FeatureRange(k.feature)))
                    applyTemplateSetting(in, k.key, k.feature, *number, {});
                break;
            // The rules judge the flag as it is stored: on or off.
            case Key::kFlag: applyTemplateSetting(in, k.key, k.feature, in.onOff(k.key) ? 1 : 0, {}); break;
            case Key::kText:
                applyTemplateSetting(in, k.key, k.feature, 0, in.text(k.key).value_or(""));
                break;
            case Key::kPaper: applyTemplatePaper(in, k); break;
        }
    }
}

// The job name, copies and orientation are the application's: it hands
// them to the bridge before every print, so the job keeps them, the image
// values are placed for that orientation, and the panes are shown them. A
// template's copy count is still held to its range.
void zqController::keepApplicationJobInfo(std::optional<template_values::Group>& jobSetup) {
    reapplyApplicationJobInfo();
    if (!jobSetup) return;
    jobSetup->number("copyCount", FeatureRange(kFeatureCopies));
    for (const char* key : {"copyCount", "title", "orientation"}) jobSetup->answeredByEngine(key);
}

// A paper by its index in the catalog in use, as the panes send it; an
// empty name is the body paper ("<<Body Paper>>", -1), which the body
// paper itself cannot be.
void zqController::applyTemplatePaper(template_values::Group& in, const Key& k) {
    const std::optional<std::string> name = in.text(k.key);
    if (!name || (name->empty() && k.feature == kFeatureBodyPaper)) return;
    if (!knownPaper(*name)) return in.leaveOut(k.key, "names a paper the catalog in use lacks");
    WString wide;
    NSStringToWString(*name, wide);
    const auto index = name->empty() ? -1 : m_service->JSE_Media_GetIndex(wide);
    applyTemplateSetting(in, k.key, k.feature, index, *name);
}

bool zqController::knownPaper(const std::string& name) {
    if (name.empty()) return true;
    WString wide;
    NSStringToWString(name, wide);
    return m_service && m_service->JSE_Media_GetIndex(wide) >= 0;
}

// Through the checked road, as the pane would send it, as the job-setup
// pane's rules make it: a value they change, and collate they turn on for
// set separators, the panes are shown as the engine holds them. Separators
// are left out with a collate the printer's rules refuse.
void zqController::applyTemplateSetting(template_values::Group& in, const char* key, int feature,
                                        std::int64_t value, std::string_view text) {
    if (separatorsCollate(feature, value)) {
        in.answeredByEngine("collate");
        if (HandleJobFeatures(kFeatureCollate, 1, {}, 0) != 0)
            return in.leaveOut(key, "needs collate, which the printer's rules refuse");
    }
    const std::int64_t ruled = jobSetupPaneValue(feature, value);
    if (ruled != value) in.answeredByEngine(key);
    if (const int refusal = HandleJobFeatures(feature, ruled, text, 0))
        in.leaveOut(key, "is refused by the printer's rules (" + platform::FormatInteger(refusal) + ")");
}

// The job-setup pane's own rules, as the ticket prints the job, on the
// values applied before: an interleaved job is collated and has no covers.
std::int64_t zqController::jobSetupPaneValue(int feature, std::int64_t value) const {
    const bool interleaved = IsInterleaveMode(mJobFeature.printingMode);
    switch (feature) {
        case kFeatureCollate: return interleaved ? 1 : value;
        case kFeatureFrontCoverMode:
        case kFeatureBackCoverMode: return interleaved && value > 1 ? 1 : value;
        default: return value;
    }
}

// Set separators go between collated sets, and the ticket collates a job
// that has them.
bool zqController::separatorsCollate(int feature, std::int64_t value) const {
    return feature == kFeatureSetSeparator && value != 0 && !mJobFeature.collate;
}

// After the job punch, which turns them on for every cover the job has, so
// that a saved "do not punch" stays: the covers' punches through the rules,
// the status page's and the separators', which follow their papers, stored.
// The finishing pane keeps its own copy of the two cover punches in its
// group, newer than the bridge's.
void zqController::applyCoverPunches(std::optional<template_values::Group>& jobSetup,
                                     std::optional<template_values::Group>& finisher) {
    for (const Key& k : kCoverPunchKeys) {
        template_values::Group* in = finisher && finisher->has(k.key) ? &*finisher : nullptr;
        if (!in && jobSetup) in = &*jobSetup;
        if (!in) continue;
        const bool punch = in->onOff(k.key);
        if (k.feature == kFeaturePunchFrontCover || k.feature == kFeaturePunchBackCover)
            applyTemplateSetting(*in, k.key, k.feature, punch, {});
        else
            SetJobFeature(k.feature, punch, {}, 0);
    }
}

// A job punch that is on with a default pattern above 1 punches with that
// pattern: the finishing pane writes its on/off state as "punchJob". A job
// punch that is on with a pattern left out, or 0, is left out with it.
void zqController::applyFinisherGroup(template_values::Group& finisher) {
    applyTemplateKeys(finisher, kFinisherKeys);
    const Range patterns = FeatureRange(kFeaturePunchPattern);
    auto punch = finisher.wholeNumber("punchJob", patterns);
    auto pattern = finisher.wholeNumber("defaultPunchPattern", patterns);
    if (punch && *punch != 0 && finisher.has("defaultPunchPattern") && pattern.value_or(0) == 0) {
        if (pattern) finisher.leaveOut("defaultPunchPattern", "= \"0\" is no pattern to punch with");
        finisher.leaveOut("punchJob", "is on without a pattern to punch with");
        punch.reset();
        pattern.reset();
    }
    if (punch)
        applyTemplateSetting(finisher, "punchJob", kFeaturePunchPattern,
                             *punch != 0 && pattern && *pattern > 1 ? *pattern : *punch, {});
    if (const auto fold = finisher.number("longEdgeFold", FeatureRange(kFeatureLongEdgeFold)))
        applyTemplateSetting(finisher, "longEdgeFold", kFeatureLongEdgeFold, *fold, {});
    if (const auto order = finisher.number("pageOrdering", FeatureRange(kFeaturePageOrder))) {
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
void zqController::applyCustomGroup(template_values::Group& custom) {
    const bool tiff = custom.onOff("createTIFF");
    SetJobFeature(kFeaturePrint, tiff ? 0 : 1, {}, 0);
    for (const auto& [flag, text, feature] : {std::tuple{"saveAs", "saveAsFileNameText", kFeatureSaveAs},
                                              {"specificPrinter", "specificPrinterNameText", kFeatureSpecificPrinter}})
        SetJobFeature(feature, custom.onOff(flag), custom.text(text).value_or(""), 0);
    SetJobFeature(kFeatureCreateTIFF, tiff, custom.text("createTIFFPath").value_or(""), 0);
    const auto kind = custom.number("fieldFlag", {1, 4});
    const auto position = custom.number("insertPosition", {1, 2});
    const auto number = custom.number("modifyPrintFile", template_values::kAnyNumber);
    const std::string command = custom.textCutToField("command", "command").value_or("");
    const std::string file = custom.text(custom.has("fileName") ? "fileName" : "filaName").value_or("");
    const bool enabled = custom.onOff("withJobStream");
    if (!kind || !position || !number) return;
    setCustomCommand({{"fieldFlag", platform::FormatInteger(*kind)},
                      {"insertPosition", platform::FormatInteger(*position)},
                      {"modifyPrintFile", platform::FormatInteger(*number)},
                      {"command", command},
                      {"fileName", file}});
    mCustomCommand.withJobStream = enabled;
    m_service->JSE_JobTicket_Set_CustomRecord(mCustomCommand);
    m_service->JSE_Preference_Set_CustomRecord(mCustomCommand);
}

void zqController::applyImageGroup(template_values::Group& image) {
    applyTemplateKeys(image, kImageKeys);
    applyImageAlign(image, image.onOff("imageAlign"), image.onOff("imageAlignMirrorSide1"));
    applyEdgeErase(image, image.onOff("edgeErase"), image.onOff("edgeEraseMirrorSide1"));
    if (const auto finishing = image.number("FinishOrientation", FeatureRange(kFeatureFinishOrientation)))
        SetFinishOrientation(static_cast<int>(*finishing));
}

// The unit and paper orientation, then the distances within the unit's
// limits, each at two decimals as the panes hold it, placed for that
// orientation as they were when saved. Side 2 mirrored is the engine's
// mirror of side 1 for the job's orientation, which the panes are shown.
void zqController::applyImageAlign(template_values::Group& image, bool on, bool mirror) {
    const int unit = static_cast<int>(image.number("imageAlignUnit", {0, 1}).value_or(0));
    const int orientation = PaperOrientation(image, "imageAlignPaperOrientation");
    if (on && mirror)
        for (const char* key : {"imageAlignBackX", "imageAlignBackY"}) image.answeredByEngine(key);
    std::array<float, 4> d{};
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = static_cast<float>(Distance(image, kImageAlignDistances[i], template_values::AlignmentRange(unit)));
    SetImageAlign(on, mirror, unit, orientation, d[0], d[1], d[2], d[3]);
}

void zqController::applyEdgeErase(template_values::Group& image, bool on, bool mirror) {
    const int unit = static_cast<int>(image.number("edgeEraseUnit", {0, 1}).value_or(0));
    const int orientation = PaperOrientation(image, "edgeErasePaperOrientation");
    if (on && mirror)
        for (const char* key : std::span(kEdgeEraseMargins).subspan(4)) image.answeredByEngine(key);
    std::array<double, 8> m{};
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = Distance(image, kEdgeEraseMargins[i], template_values::EraseRange(unit));
    SetEdgeErase(on, mirror, unit, orientation, {{m[0], m[1], m[2], m[3]}, {m[4], m[5], m[6], m[7]}});
}
