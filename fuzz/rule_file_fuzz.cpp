// The validator's rule-file reader: any bytes read as a rule file give no
// control table (a file shorter than its header) or exactly 55 controls, and
// every control and record held is the one the bytes carry at its place in
// the format: none is read past the end of the file, no count makes the
// reader hold more records than the file has, and the reader's outcome says
// whether it reached the end of what the header announced, and whether
// whole controls, padded or not, follow a count below 55. A damaged file is never
// silent: it is reported once on the console, naming the file and its first
// fault; a whole one holding what the format does not foresee is noted once
// in the system log, and another not at all. Checking any control against
// records of any content afterwards keeps the table as it is.
#include <algorithm>
#include <string>
#include <vector>

#include "JSE_Validation.h"
#include "SystemLog.h"
#include "fuzz_support.h"

namespace {

class Validator : public JSE_Validation {
public:
    using JSE_Validation::JSE_Validation;
    const std::vector<ControlItem>& Controls() const { return controls; }
};

int Field16(const std::uint8_t* at) { return static_cast<std::int16_t>((at[0] << 8) | at[1]); }

std::int64_t Field32(const std::uint8_t* at) {
    return static_cast<std::int32_t>((std::uint32_t{at[0]} << 24) | (at[1] << 16) | (at[2] << 8) | at[3]);
}

// What the format says the bytes hold, and the first fault met in them.
struct Expected {
    std::vector<JSE_Validation::ControlItem> controls;
    int error = kValidationNoError;
    std::string fault;
    std::string oddity;  // the first content the format does not foresee

    void Note(int code, const std::string& words) {
        if (error != kValidationNoError) return;
        error = code;
        fault = words;
    }
    void Odd(const std::string& words) {
        if (oddity.empty()) oddity = words;
    }
};

bool NamesControls(const std::int16_t* f) {
    for (const int field : {f[1], f[4], f[7]})
        if (field < 0 || field > JSE_Validation::kControlCount) return false;
    return true;
}

// Whether the bytes at begin with whole control blocks, up to the table's
// last control, one of them not empty; the first bytes that cannot be a
// control block end them.
bool FurtherControls(const std::uint8_t* data, std::size_t size, std::size_t at, std::int64_t next) {
    bool something = false;
    for (; at < size && next < JSE_Validation::kControlCount; ++next) {
        if (size - at < 8) break;
        const std::int64_t rules = Field32(data + at + 4);
        if (rules < 0 || rules > 32767 || (size - at - 8) / 26 < static_cast<std::size_t>(rules)) break;
        something = something || Field16(data + at) != 0 || Field16(data + at + 2) != 0 || rules > 0;
        at += 8 + static_cast<std::size_t>(rules) * 26;
    }
    return something;
}

Expected Model(const std::uint8_t* data, std::size_t size) {
    Expected expected;
    if (size == 0) return expected.Note(kValidationShortFile, "is empty"), expected;
    if (size < 12) return expected.Note(kValidationShortFile, "ends inside its header"), expected;
    expected.controls.resize(JSE_Validation::kControlCount);
    const std::int64_t stated = Field32(data);
    const std::int64_t count = std::clamp<std::int64_t>(stated, 0, JSE_Validation::kControlCount);
    std::size_t at = 12;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::string name = "control " + std::to_string(i);
        if (size - at < 8) return expected.Note(kValidationShortFile, "ends inside " + name), expected;
        JSE_Validation::ControlItem& control = expected.controls[static_cast<std::size_t>(i)];
        control.controlKind = static_cast<std::int16_t>(Field16(data + at));
        control.currentValue = static_cast<std::int16_t>(Field16(data + at + 2));
        const std::int64_t rules = Field32(data + at + 4);
        at += 8;
        if (control.controlKind < 0) expected.Odd("gives " + name + " the kind " + std::to_string(control.controlKind));
        if (rules < 0) expected.Odd("gives " + name + " " + std::to_string(rules) + " rules");
        const std::int64_t held = static_cast<std::int64_t>((size - at) / 26);
        const std::int64_t kept = std::clamp<std::int64_t>(rules, 0, held);
        for (std::int64_t r = 0; r < kept; ++r, at += 26) {
            std::int16_t f[13];
            for (int k = 0; k < 13; ++k) f[k] = static_cast<std::int16_t>(Field16(data + at + 2 * k));
            control.dependents.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11], f[12]});
            if (!NamesControls(f))
                expected.Odd("gives rule " + std::to_string(r + 1) + " of " + name + " a control outside the table");
            if (f[10] < 1 || f[10] > 51)
                expected.Odd("gives rule " + std::to_string(r + 1) + " of " + name + " the unknown check code " +
                             std::to_string(f[10]) + ", which refuses whenever its conditions hold");
        }
        control.dependentCount = static_cast<std::int32_t>(kept);
        if (rules > kept) return expected.Note(kValidationShortFile, "ends inside the rules of " + name), expected;
    }
    if (count > 0 && at == size) return expected;
    const std::string unread = count == 0 ? "states " + std::to_string(stated) + " controls"
                                          : "holds " + std::to_string(size - at) + " bytes after control " +
                                                std::to_string(count - 1) + ", the last it reads";
    if (FurtherControls(data, size, at, count))
        expected.Note(kValidationNotARuleFile, unread);
    else
        expected.Odd(unread);
    return expected;
}

bool SameRecord(const JSE_Validation::DependentItem& a, const JSE_Validation::DependentItem& b) {
    return a.parentValue == b.parentValue && a.level1Control == b.level1Control && a.level1Min == b.level1Min &&
           a.level1Max == b.level1Max && a.level2Control == b.level2Control && a.level2Min == b.level2Min &&
           a.level2Max == b.level2Max && a.level3Control == b.level3Control && a.level3Min == b.level3Min &&
           a.level3Max == b.level3Max && a.flag == b.flag && a.condition == b.condition && a.messageId == b.messageId;
}

bool SameControl(const JSE_Validation::ControlItem& a, const JSE_Validation::ControlItem& b) {
    return a.controlKind == b.controlKind && a.currentValue == b.currentValue &&
           a.dependentCount == b.dependentCount && a.dependents.size() == b.dependents.size() &&
           std::equal(a.dependents.begin(), a.dependents.end(), b.dependents.begin(), SameRecord);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::Catalog catalog;
    const WString path = fuzz::Folder::Instance().Write("rules.dat", data, size);
    platform::LogRecorder log;
    Validator v(&catalog, path);
    const Expected expected = Model(data, size);
    const std::vector<JSE_Validation::ControlItem>& read = v.Controls();
    FUZZ_CHECK(read.size() == expected.controls.size(), "the table holds 55 controls or none");
    FUZZ_CHECK(v.JSE_Validation_GetRuleFileError() == expected.error, "the reader's outcome");
    FUZZ_CHECK(v.JSE_Validation_GetError() == kValidationNoError, "a rule file never stops the engine");
    for (std::size_t i = 0; i < read.size(); ++i)
        FUZZ_CHECK(SameControl(read[i], expected.controls[i]), "every control holds what the bytes carry");

    const bool damaged = expected.error != kValidationNoError;
    const bool noted = damaged || !expected.oddity.empty();
    FUZZ_CHECK(v.JSE_Validation_RuleFileDamaged() == damaged, "a damaged file is known as damaged");
    FUZZ_CHECK(log.lines().size() == (noted ? 1u : 0u), "a damaged or odd file is reported once, another not");
    if (noted) {
        const std::string head = "rule file \"" + fuzz::Folder::Instance().Path("rules.dat") + "\" ";
        const std::string& line = log.lines().front().text;
        FUZZ_CHECK(log.lines().front().console == damaged, "only damage goes to the console");
        FUZZ_CHECK(line.starts_with(head + (damaged ? expected.fault : expected.oddity) + ": "),
                   "the report names the file and its first fault or oddity");
    }

    for (int control = 0; control < JSE_Validation::kControlCount && !read.empty(); ++control) {
        const auto& records = read[static_cast<std::size_t>(control)].dependents;
        const int parent = records.empty() ? 2 : records.front().parentValue;
        for (const int value : {-1, 0, 1, parent}) {
            int conflict = 0;
            v.JSE_Validation_Check(control, value, conflict, value == parent);
        }
    }
    FUZZ_CHECK(read.size() == expected.controls.size(), "checks keep the table");
    return 0;
}
