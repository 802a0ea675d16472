// What the page-exception checks compare against: the job context (the
// job's body paper, print mode, document exit, trimming, offset stacking and
// punching), taken from the controls or the settings store, and the
// page-exception controls 45 to 54 with the page-exception paper (control
// 25), whose values the checks try and put back.
#include <iterator>

#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "JSE_Validation.h"

namespace {

enum JobFeature {
    kBodyPaper = 101,
    kPrintMode = 112,
    kDocumentExit = 113,
    kTrimming = 116,
    kOffsetStacking = 118,
    kPunch = 237,
};

constexpr int kFirstPeControl = eJSE_CurrentPePageType;
constexpr int kLastPeControl = 54;
// The controls a page exception's own settings go to.
constexpr int kPeSettingControls[] = {eJSE_PeSideType, eJSE_PePlexType, eJSE_PeOutputType, eJSE_PeStapleType,
                                      eJSE_PeTrimType};

}  // namespace

void JSE_Validation::JSE_Validation_SetJobFeature(int id, const std::wstring& name, int value) {
    switch (id) {
    case kBodyPaper: jobBodyPaper = name; break;
    case kPrintMode: jobPrintMode = value; break;
    case kDocumentExit: jobDocumentExit = value; break;
    case kTrimming: jobTrimming = value; break;
    case kOffsetStacking: jobOffsetStacking = value; break;
    case kPunch: jobPunch = value; break;
    default: break;
    }
}

// From the controls, the body paper's name also becomes the page-exception
// paper, unless the store was asked for and could not answer.
void JSE_Validation::Validation_SetJobFeatureValue(bool fromStore) {
    WString name;
    int printMode = 2, exit = 1, trimming = 0, stacking = 0, punch = 0;
    if (fromStore && preference != nullptr && usePreferenceInPeValidation) {
        preference->JSE_Preference_GetBodyPaperName(name);
        exit = preference->JSE_Preference_GetExitDevice();
        printMode = preference->JSE_Preference_GetPrintingMode();
        trimming = preference->JSE_Preference_GetTrimValue();
        stacking = preference->JSE_Preference_GetOffsetStackValue();
        punch = preference->JSE_Preference_GetUserPunchPattern() != 0;
    } else {
        name = PaperNameOf(Get_Value(eJSE_BodyPaperSelection, true));
        printMode = Get_Value(eJSE_PrintModeSelection, true);
        exit = Get_Value(eJSE_DocumentExitSelection, true);
        trimming = Get_Value(eJSE_TrimmingCheck, true);
        stacking = Get_Value(eJSE_OffsetStackingCheck, true);
        punch = Get_Value(eJSE_PunchJobTypeCheck, true) != 0;
        if (!fromStore) preferenceBodyPaper = name;
    }
    JSE_Validation_SetJobFeature(kBodyPaper, name, 0);
    JSE_Validation_SetJobFeature(kPrintMode, L"", printMode);
    JSE_Validation_SetJobFeature(kDocumentExit, L"", exit);
    JSE_Validation_SetJobFeature(kTrimming, L"", trimming);
    JSE_Validation_SetJobFeature(kOffsetStacking, L"", stacking);
    JSE_Validation_SetJobFeature(kPunch, L"", punch);
}

void JSE_Validation::JSE_Validation_Select_PeCommand(int control, int value) {
    if (control < kFirstPeControl || control > kLastPeControl) return;
    currentPeControl = control;
    Set_Value(control, Get_Value(control, true), false);
    Set_Value(control, value, true);
}

long JSE_Validation::JSE_Validation_PeCommand(int control, int value, int&, bool) {
    JSE_Validation_Select_PeCommand(control, value);
    return 0;
}

void JSE_Validation::JSE_Validation_Set_Default_PeCommand() {
    const JSE_PeRecordType& device = defaultPeRecord.peRecord;
    const int values[] = {defaultPeRecord.peSideValue, defaultPeRecord.pePlexValue, device.peOutputValue,
                          device.peStapleValue, device.peTrimValue};
    for (std::size_t i = 0; i < std::size(kPeSettingControls); ++i) {
        Set_Value(kPeSettingControls[i], values[i], true);
        Set_Value(kPeSettingControls[i], values[i], false);
    }
}

// A control without a saved value goes back to "the job's setting" (255).
void JSE_Validation::JSE_Validation_ResetPeControlValues() {
    for (int control = kFirstPeControl; control <= eJSE_PeTrimType; ++control) {
        const bool saved = static_cast<std::size_t>(control) < savedValues.size();
        Set_Value(control, saved ? Get_Value(control, false) : kPeNotSet, true);
    }
}

// Control 25 or 46 to 50 alone; any other number restores them all.
void JSE_Validation::RestorePECommand(int control) {
    const auto restore = [&](int c) { Set_Value(c, Get_Value(c, false), true); };
    if (control == eJSE_PePaperSelection || (control >= eJSE_PeSideType && control <= eJSE_PeTrimType)) {
        restore(control);
        return;
    }
    for (const int c : kPeSettingControls) restore(c);
    restore(eJSE_PePaperSelection);
}

void JSE_Validation::SetCurrentCommandValue() {
    for (const int control : kPeSettingControls) Set_Value(control, Get_Value(control, true), false);
}

void JSE_Validation::JSE_Validation_Select_PeMedia(int paper) {
    paper = PaperOrBody(paper);
    Set_Value(eJSE_PePaperSelection, Get_Value(eJSE_PePaperSelection, true), false);
    Set_Value(eJSE_PePaperSelection, paper, true);
    preferenceBodyPaper = PaperNameOf(paper);
    if (!preferenceBodyPaper.empty()) return;
    if (preference != nullptr)
        preference->JSE_Preference_GetBodyPaperName(preferenceBodyPaper);
    else
        lastError = kValidationNoPreference;
}
