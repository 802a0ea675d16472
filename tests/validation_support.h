// Shared set-up of the validator tests: rule files written as big-endian
// bytes from plain records, the shipped paper catalog, and a validator whose
// tables the tests can read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "JSE_Validation.h"
#include "filter_test_support.h"

namespace validation_test {

using Record = JSE_Validation::DependentItem;

inline WString Wide(const std::string& narrow) { return WString(narrow.begin(), narrow.end()); }

inline std::string DataPath(const std::string& name) { return std::string(LUMAPREX_SOURCE_DIR) + "/data/" + name; }

// One rule record, built by its conditions: Rule().If(9, 1, 1).Check(5).Says(900).
// Controls are given by number; the record keeps them plus 1.
struct Rule {
    Record r;
    Rule& Parent(int value) { return r.parentValue = static_cast<std::int16_t>(value), *this; }
    Rule& If(int control, int low = 0, int high = -2) { return Level(r.level1Control, r.level1Min, r.level1Max, control, low, high); }
    Rule& And(int control, int low = 0, int high = -2) { return Level(r.level2Control, r.level2Min, r.level2Max, control, low, high); }
    Rule& Using(int control) { return r.level3Control = static_cast<std::int16_t>(control + 1), *this; }
    Rule& Check(int flag, int condition = 0) {
        r.flag = static_cast<std::int16_t>(flag);
        r.condition = static_cast<std::int16_t>(condition);
        return *this;
    }
    Rule& Says(int message) { return r.messageId = static_cast<std::int16_t>(message), *this; }
    operator Record() const { return r; }

private:
    Rule& Level(std::int16_t& field, std::int16_t& min, std::int16_t& max, int control, int low, int high) {
        field = static_cast<std::int16_t>(control + 1);
        min = static_cast<std::int16_t>(low);
        max = static_cast<std::int16_t>(high);
        return *this;
    }
};

// One control as a rule file holds it; stated is the dependent count written
// into the file when it differs from the records that follow.
struct ControlBytes {
    int kind = 0;
    int value = 0;
    std::vector<Record> records;
    std::optional<std::int64_t> stated;

    ControlBytes() = default;
    ControlBytes(int k, int v, std::vector<Record> r = {}, std::optional<std::int64_t> s = {})
        : kind(k), value(v), records(std::move(r)), stated(s) {}
};

inline void Put16(std::string& out, int value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

inline void Put32(std::string& out, std::int64_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// The bytes of a rule file: the header with the control count (the number of
// controls given unless count is set), then each control with its records.
inline std::string RuleBytes(const std::vector<ControlBytes>& controls, std::optional<std::int64_t> count = {}) {
    std::string bytes;
    Put32(bytes, count.value_or(static_cast<std::int64_t>(controls.size())));
    bytes.append(8, '\x5A');  // not read
    for (const ControlBytes& c : controls) {
        Put16(bytes, c.kind);
        Put16(bytes, c.value);
        Put32(bytes, c.stated.value_or(static_cast<std::int64_t>(c.records.size())));
        for (const Record& r : c.records)
            for (int field : {r.parentValue, r.level1Control, r.level1Min, r.level1Max, r.level2Control, r.level2Min,
                              r.level2Max, r.level3Control, r.level3Min, r.level3Max, r.flag, r.condition, r.messageId})
                Put16(bytes, field);
    }
    return bytes;
}

// The 55 controls of a rule file, all of kind 0 and value 0 and without
// records, for a test to give some of them rules.
inline std::vector<ControlBytes> EmptyTable() { return std::vector<ControlBytes>(JSE_Validation::kControlCount); }

// The shipped paper catalog.
class ShippedCatalog : public JSE_Media {
public:
    ShippedCatalog()
        : JSE_Media(L"English", Wide(DataPath("PaperCatalog.cat")), L"any:white:red:yellow:green:blue:clear",
                    L"plain:cover:color:insert:tab:transparency", L':', false) {}
    int operator[](const wchar_t* name) const { return JSE_Media_GetIndex(name); }

    // A paper of a size definition of its own; its index.
    int AddPaper(const wchar_t* name, float width, float height, int measureType) {
        JSE_Media_AddPaperDefinition(width, height, measureType, name);
        JSE_Media_AddPaper(name, GetNumberOfDefinitions() - 1, L"white", 75, L"plain", 2, 0, 1);
        return JSE_Media_GetIndex(name);
    }
    // A paper whose size definition is missing; its index.
    int AddPaperWithoutSize(const wchar_t* name) {
        PAPERDEF paper = m_papers.front();
        paper.name = name;
        paper.sizeIndex = -1;
        m_papers.push_back(paper);
        return JSE_Media_GetIndex(name);
    }
};

// A control value for a case: a number, or a catalog paper by name.
struct Value {
    int number = 0;
    const wchar_t* paper = nullptr;
    Value(int n) : number(n) {}
    Value(const wchar_t* name) : paper(name) {}
    int Of(const ShippedCatalog& catalog) const { return paper ? catalog[paper] : number; }
};

// A validator with its tables in view.
class Validator : public JSE_Validation {
public:
    using JSE_Validation::JSE_Validation;
    const std::vector<ControlItem>& Controls() const { return controls; }
    std::size_t ConstraintRows() const { return peConstraints.size(); }
    int Saved(int control) const { return Get_Value(control, false); }
    const std::vector<JSE_PageExceptionType>& List() const { return pageExceptions; }
    const std::vector<paperException>& Papers() const { return exceptionPapers; }
    const std::vector<pageSelectionRecord>& Selection() const { return selectedPages; }
    const WString& PePaper() const { return preferenceBodyPaper; }
};

// A page-exception record of a code on pages first..last, on the job's
// paper unless given one: Pe(232, 3, 5).On(L"A4").
struct Pe {
    JSE_PageExceptionType r;
    Pe(int code, std::int64_t first, std::int64_t last) {
        r.exceptionMode = code;
        r.startingPage = first;
        r.endingPage = last;
    }
    Pe& On(const wchar_t* paper) { return r.fromJobPaper = false, r.mediaName = paper, *this; }
    Pe& Plex(int mode) { return r.pePlex = true, r.pePlexValue = mode, *this; }
    Pe& Side(int side) { return r.peSide = true, r.peSideValue = side, *this; }
    Pe& Exit(int device) { return r.paperExit = device, *this; }
    // A finishing subset whose pages go to the device.
    Pe& Subset(int device) {
        return r.peSubset = true, r.peRecord.peOutput = 1, r.peRecord.peOutputValue = device, *this;
    }
    Pe& Trim(int value) { return r.peRecord.peTrim = 1, r.peRecord.peTrimValue = value, *this; }
    Pe& Jog(int value) { return r.peRecord.peJog = 1, r.peRecord.peJogValue = value, *this; }
    Pe& Selection(int index) { return r.reserved = index, *this; }
    operator JSE_PageExceptionType() const { return r; }
};

// The job values the page-exception checks compare against, as the bridge
// gives them; mode also goes to control 1, which decides about interleaving.
struct Job {
    const wchar_t* body = L"Letter";
    int mode = 1, exit = 1, trim = 0, stack = 0, punch = 0;
    int control54 = 0;
};

// The shipped catalog and rules with a settings store of factory values
// attached, and papers the shipped catalog lacks: one that cannot be printed,
// a punchable one too wide for the punch, and Letter kept in millimetres.
struct PeSetUp {
    PeSetUp() : store(L"Qwi_JSE.prf", L"English"), v(&catalog) {
        catalog.JSE_Media_AddPaper(L"Blank_Stock", 0, L"white", 75, L"plain", 0, 0, 1);
        catalog.AddPaper(L"Wide_Punchable", 10.0f, 14.0f, 0);
        catalog.AddPaper(L"Letter_mm", 215.9f, 279.4f, 1);
        store.JSE_Preference_Set_Media_Reference(&catalog);
        store.JSE_Preference_Set_Factory_Default();
        v.JSE_Validation_Set_JSE_PreferenceRef(&store);
    }
    void Give(const Job& job) {
        v.JSE_Validation_SetJobFeature(101, job.body, 0);
        const std::pair<int, int> values[] = {{112, job.mode}, {113, job.exit}, {116, job.trim}, {118, job.stack},
                                              {237, job.punch}};
        for (const auto& [id, value] : values) v.JSE_Validation_SetJobFeature(id, L"", value);
        v.JSE_Validation_SetControlValue(eJSE_PrintModeSelection, job.mode);
        v.JSE_Validation_SetControlValue(54, job.control54);
    }
    void Load(const std::vector<JSE_PageExceptionType>& records) {
        for (const JSE_PageExceptionType& r : records) v.JSE_Validation_Load_ExceptionRecord(r);
    }
    ShippedCatalog catalog;
    JSE_Preference store;
    Validator v;
};

// A folder holding one rule file, and a validator over the catalog that reads it.
class RuleFile {
public:
    RuleFile(JSE_Media* catalog, const std::string& bytes) {
        filter_test::writeFile(path(), bytes);
        validator = std::make_unique<Validator>(catalog, Wide(path()));
    }
    std::string path() const { return m_folder.file("rules.dat"); }
    std::unique_ptr<Validator> validator;

private:
    filter_test::TempDir m_folder;
};

}  // namespace validation_test
