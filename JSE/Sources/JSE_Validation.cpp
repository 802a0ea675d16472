// The validator's life cycle, its settings and the values of its controls.
#include "JSE_Validation.h"

#include "JSE_Media.h"
#include "JSE_Preference.h"

JSE_Validation::JSE_Validation(JSE_Media* catalog, std::wstring path) : media(catalog) { InitMembers(path, false); }

JSE_Validation::JSE_Validation(JSE_Media* catalog) : media(catalog) { InitMembers(std::wstring(), false); }

JSE_Validation::JSE_Validation(JSE_Media* catalog, bool deferLoad) : media(catalog) {
    InitMembers(std::wstring(), deferLoad);
}

JSE_Validation::~JSE_Validation() {
    for (ControlItem& control : controls) control.dependents.clear();
    ClearTables();
}

// A validator without a catalog keeps -6: it could not judge a paper. A rule
// file that cannot be read is not an error of construction, so the engine
// still starts; it is logged and JSE_Validation_RulesLoaded tells it.
void JSE_Validation::InitMembers(const std::wstring& path, bool deferLoad) {
    if (!deferLoad) dataFilePath.clear();
    lastError = kValidationNoError;
    version = kVersion;
    currentPeControl = 0;
    replacementMode = false;
    ticketValidation = false;
    preference = nullptr;
    usePreferenceInPeValidation = true;
    preferenceBodyPaper.clear();
    ClearTables();
    if (media == nullptr) {
        lastError = kValidationNoCatalog;
        return;
    }
    if (!deferLoad) {
        if (!path.empty()) {
            GetSingleByteFileName(path, dataFilePath);
        } else {
            WString catalogPath;
            media->GetCatalogPathName(catalogPath);
            GetSingleByteFileName(catalogPath, dataFilePath);
            dataFilePath += ".dat";
        }
        LoadRules();
    }
    FinishSetUp();
}

void JSE_Validation::ClearTables() {
    pageExceptions.clear();
    pendingPeRecords = nullptr;
    controls.clear();
    savedValues.clear();
    savedPageExceptions.clear();
    exceptionPapers.clear();
    selectedPages.clear();
    peConstraints.clear();
}

void JSE_Validation::FinishSetUp() {
    LoadPeConstrintTable();
    GetDefaultPERecord(defaultPeRecord);
    jobBodyPaper.clear();
    jobPrintMode = jobDocumentExit = jobTrimming = jobOffsetStacking = jobPunch = jobSpare = 0;
}

bool JSE_Validation::JSE_Validation_ReStart() {
    if (media == nullptr) {
        lastError = kValidationNoCatalog;
        return false;
    }
    if (dataFilePath.empty()) {
        lastError = kValidationCannotOpen;
        return false;
    }
    lastError = kValidationNoError;
    version = kVersion;
    currentPeControl = 0;
    replacementMode = false;
    preference = nullptr;
    preferenceBodyPaper.clear();
    ClearTables();
    LoadRules();
    FinishSetUp();
    lastError = ruleFileError;
    return ruleFileError == kValidationNoError;
}

bool JSE_Validation::JSE_Validation_RulesLoaded() const { return !controls.empty(); }

int JSE_Validation::JSE_Validation_GetRuleFileError() const { return ruleFileError; }

long JSE_Validation::JSE_Validation_GetVersion() const { return version; }

int JSE_Validation::JSE_Validation_GetError() { return lastError; }

void JSE_Validation::JSE_Validation_Set_DataFilePath(const std::string& path) { dataFilePath = path; }

void JSE_Validation::JSE_Validation_Get_DataFilePath(std::string& path) const { path = dataFilePath; }

void JSE_Validation::JSE_Validation_Set_JSE_PreferenceRef(JSE_Preference* store) {
    preference = store;
    if (store == nullptr) {
        lastError = kValidationNoPreference;
        return;
    }
    store->JSE_Preference_GetBodyPaperName(preferenceBodyPaper);
}

void JSE_Validation::JSE_Validation_SetOption_UsePreferenceInPeValidation(bool on) {
    usePreferenceInPeValidation = on;
}

bool JSE_Validation::JSE_Validation_GetOption_UsePreferenceInPeValidation() const {
    return usePreferenceInPeValidation;
}

void JSE_Validation::JSE_Validation_SetReplacementMode(bool on) { replacementMode = on; }

bool JSE_Validation::JSE_Validation_SetTicketValidation(bool on) {
    ticketValidation = on;
    return ticketValidation;
}

bool JSE_Validation::IsControl(int control) const {
    return control >= 0 && static_cast<std::size_t>(control) < controls.size();
}

int JSE_Validation::Get_Value(int control, bool current) const {
    if (!IsControl(control)) return 0;
    if (current) return controls[static_cast<std::size_t>(control)].currentValue;
    const std::size_t i = static_cast<std::size_t>(control);
    return i < savedValues.size() ? savedValues[i] : 0;
}

void JSE_Validation::Set_Value(int control, int value, bool current) {
    if (!IsControl(control)) return;
    const std::size_t i = static_cast<std::size_t>(control);
    if (current)
        controls[i].currentValue = static_cast<std::int16_t>(value);
    else if (i < savedValues.size())
        savedValues[i] = value;
}

int JSE_Validation::LevelValue(int levelField) const { return Get_Value(levelField - 1, true); }

int JSE_Validation::JSE_Validation_GetControlValue(int control) {
    if (!IsControl(control)) {
        lastError = kValidationBadControl;
        return kValidationBadControl;
    }
    lastError = kValidationNoError;
    return Get_Value(control, true);
}

void JSE_Validation::JSE_Validation_SetControlValue(int control, int value) {
    if (!IsControl(control)) {
        lastError = kValidationBadControl;
        return;
    }
    lastError = kValidationNoError;
    Set_Value(control, value, true);
}

void JSE_Validation::JSE_Validation_SetValue_NoCheck(int control, int value) {
    if (control == eJSE_PunchJobTypeCheck && preference != nullptr)
        preference->JSE_Preference_SetUserPunchPattern(value);
    Set_Value(control, value, true);
}

void JSE_Validation::JSE_Validation_GetPeControlRange(int& first, int& last) {
    first = eJSE_CurrentPePageType;
    last = eJSE_PeTrimType;
}

bool JSE_Validation::Find_Value(int paper, int* index) {
    for (std::size_t i = 0; i < exceptionPapers.size(); ++i) {
        if (exceptionPapers[i].paper != paper) continue;
        if (index != nullptr) *index = static_cast<int>(i);
        return true;
    }
    return false;
}

void JSE_Validation::JSE_Validation_Clear_Selected_Page() { selectedPages.clear(); }
