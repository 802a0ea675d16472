// The rule file's reader. The file is a 12-byte header whose first 4 bytes
// hold the control count, then for each control, in control order, an 8-byte
// record (kind and current value as 16 bits, dependent count as 32 bits)
// directly followed by its 26-byte dependent records (thirteen 16-bit
// fields). Every integer is big-endian and signed; there is no padding, no
// checksum and no trailer: bytes after the last control read are not read.
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "JSE_Validation.h"
#include "SystemLog.h"

namespace {

constexpr long kHeaderSize = 12;
constexpr long kControlRecordSize = 8;
constexpr long kDependentRecordSize = 26;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadExactly(std::FILE* file, unsigned char* buffer, long size) {
    return std::fread(buffer, 1, static_cast<std::size_t>(size), file) == static_cast<std::size_t>(size);
}

// The file's size, with the file positioned at its start again; -1 when the
// file cannot be positioned (a pipe, a folder).
long SizeOf(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) return -1;
    return size;
}

// Whether a record's level fields name controls of the table (number + 1,
// 0 for none).
bool NamesControls(const JSE_Validation::DependentItem& record) {
    for (const int field : {record.level1Control, record.level2Control, record.level3Control})
        if (field < 0 || field > JSE_Validation::kControlCount) return false;
    return true;
}

// The check codes of the table; a rule naming another refuses whenever its
// conditions hold.
bool IsCheckCode(int flag) { return flag >= 1 && flag <= 51; }

constexpr int kMostRules = 32767;

bool IsRegularFile(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

void JSE_Validation::intSwapper(int* from, int* to) {
    *to = static_cast<int>(__builtin_bswap32(static_cast<std::uint32_t>(*from)));
}

void JSE_Validation::shortSwapper(short* from, short* to) {
    *to = static_cast<short>(__builtin_bswap16(static_cast<std::uint16_t>(*from)));
}

void JSE_Validation::Allocate_Validation_Map(int count) {
    controls.assign(static_cast<std::size_t>(std::max(count, 0)), ControlItem());
    savedValues.assign(controls.size(), 0);
}

void JSE_Validation::Allocate_Dependent_Items(int control, int count) {
    ControlItem& item = controls[static_cast<std::size_t>(control)];
    item = ControlItem();
    item.dependentCount = std::max(count, 0);
    item.dependents.assign(static_cast<std::size_t>(item.dependentCount), DependentItem());
}

// The first fault met keeps its code and its words; later ones are not
// looked for, though the reading goes on as the format has it.
void JSE_Validation::NoteRuleFileFault(int code, const std::string& fault) {
    if (ruleFileError != kValidationNoError) return;
    ruleFileError = code;
    ruleFileFault = fault;
}

void JSE_Validation::NoteRuleFileOddity(const std::string& oddity) {
    if (ruleFileNote.empty()) ruleFileNote = oddity;
}

// Padding, or controls past the table's last, is no fault; controls that a
// header stating too few leaves unread are, as their rules would be dropped
// without a word.
void JSE_Validation::NoteUnreadBytes(std::FILE* file, int stated, int count, long size, long position) {
    const std::string unread = count == 0 ? "states " + std::to_string(stated) + " controls"
                                          : "holds " + std::to_string(size - position) + " bytes after control " +
                                                std::to_string(count - 1) + ", the last it reads";
    if (count < kControlCount && HoldsFurtherControls(file, size, position, count))
        NoteRuleFileFault(kValidationNotARuleFile, unread);
    else
        NoteRuleFileOddity(unread);
}

// Padding after them does not hide the controls themselves.
bool JSE_Validation::HoldsFurtherControls(std::FILE* file, long size, long position, int next) {
    bool holdsSomething = false;
    for (; position < size && next < kControlCount; ++next) {
        unsigned char record[kControlRecordSize];
        if (size - position < kControlRecordSize || !ReadExactly(file, record, kControlRecordSize)) break;
        const int rules = BigEndian32(record + 4);
        if (rules < 0 || rules > kMostRules) break;
        const long rulesSize = static_cast<long>(rules) * kDependentRecordSize;
        position += kControlRecordSize;
        if (size - position < rulesSize || std::fseek(file, rulesSize, SEEK_CUR) != 0) break;
        position += rulesSize;
        holdsSomething = holdsSomething || BigEndian16(record) != 0 || BigEndian16(record + 2) != 0 || rules > 0;
    }
    return holdsSomething;
}

short JSE_Validation::BigEndian16(const unsigned char* bytes) {
    short value = 0;
    std::memcpy(&value, bytes, sizeof value);
    if (std::endian::native == std::endian::little) shortSwapper(&value, &value);
    return value;
}

int JSE_Validation::BigEndian32(const unsigned char* bytes) {
    int value = 0;
    std::memcpy(&value, bytes, sizeof value);
    if (std::endian::native == std::endian::little) intSwapper(&value, &value);
    return value;
}

// Contents the format does not foresee (no controls, a negative kind or
// count, a rule naming a control outside the table or a check code outside
// the table, bytes after the controls) are read as they stand and noted.
void JSE_Validation::Initialize_Controls_Value() {
    ruleFileError = kValidationNoError;
    ruleFileFault.clear();
    ruleFileNote.clear();
    ruleFileMissing = false;
    errno = 0;
    const File file(std::fopen(dataFilePath.c_str(), "rb"));
    if (!file) {
        ruleFileMissing = errno == ENOENT || errno == ENOTDIR;
        return NoteRuleFileFault(kValidationCannotOpen, std::string("cannot be opened (") + std::strerror(errno) + ")");
    }
    if (!IsRegularFile(file.get())) return NoteRuleFileFault(kValidationCannotOpen, "is not a file");
    const long size = SizeOf(file.get());
    if (size < 0) return NoteRuleFileFault(kValidationCannotOpen, "cannot be read from its start");
    if (size == 0) return NoteRuleFileFault(kValidationShortFile, "is empty");
    unsigned char header[kHeaderSize];
    if (!ReadExactly(file.get(), header, kHeaderSize))
        return NoteRuleFileFault(kValidationShortFile, "ends inside its header");

    const int stated = BigEndian32(header);
    Allocate_Validation_Map(kControlCount);
    long position = kHeaderSize;
    const int count = std::clamp(stated, 0, kControlCount);
    for (int i = 0; i < count; ++i)
        if (!ReadControl(file.get(), i, size, position)) return;
    if (count == 0 || position < size) NoteUnreadBytes(file.get(), stated, count, size, position);
}

// A control's dependent count is capped at the records the rest of the file
// holds, so a wrong count cannot make the reader allocate more than the file;
// a control whose records are cut short keeps the ones read and ends the
// reading, as the file has nothing after them.
bool JSE_Validation::ReadControl(std::FILE* file, int i, long size, long& position) {
    const std::string control = "control " + std::to_string(i);
    unsigned char record[kControlRecordSize];
    if (!ReadExactly(file, record, kControlRecordSize)) {
        NoteRuleFileFault(kValidationShortFile, "ends inside " + control);
        return false;
    }
    position += kControlRecordSize;
    const int rules = BigEndian32(record + 4);
    const long held = (size - position) / kDependentRecordSize;
    const int wanted = static_cast<int>(std::clamp<long>(rules, 0, held));
    Allocate_Dependent_Items(i, wanted);
    ControlItem& item = controls[static_cast<std::size_t>(i)];
    item.controlKind = BigEndian16(record);
    item.currentValue = BigEndian16(record + 2);
    savedValues[static_cast<std::size_t>(i)] = item.currentValue;
    if (item.controlKind < 0) NoteRuleFileOddity("gives " + control + " the kind " + std::to_string(item.controlKind));
    if (rules < 0) NoteRuleFileOddity("gives " + control + " " + std::to_string(rules) + " rules");
    for (int d = 0; d < wanted; ++d) {
        unsigned char bytes[kDependentRecordSize];
        if (!ReadExactly(file, bytes, kDependentRecordSize)) {
            item.dependents.resize(static_cast<std::size_t>(d));
            item.dependentCount = d;
            break;
        }
        position += kDependentRecordSize;
        DependentItem& dependent = item.dependents[static_cast<std::size_t>(d)];
        std::int16_t* fields[] = {&dependent.parentValue,   &dependent.level1Control, &dependent.level1Min,
                                  &dependent.level1Max,     &dependent.level2Control, &dependent.level2Min,
                                  &dependent.level2Max,     &dependent.level3Control, &dependent.level3Min,
                                  &dependent.level3Max,     &dependent.flag,          &dependent.condition,
                                  &dependent.messageId};
        for (std::size_t f = 0; f < std::size(fields); ++f) *fields[f] = BigEndian16(bytes + 2 * f);
        if (!NamesControls(dependent))
            NoteRuleFileOddity("gives rule " + std::to_string(d + 1) + " of " + control +
                               " a control outside the table");
        if (!IsCheckCode(dependent.flag))
            NoteRuleFileOddity("gives rule " + std::to_string(d + 1) + " of " + control + " the unknown check code " +
                               std::to_string(dependent.flag) + ", which refuses whenever its conditions hold");
    }
    if (rules <= item.dependentCount) return true;
    NoteRuleFileFault(kValidationShortFile, "ends inside the rules of " + control);
    return false;
}

// A missing rule file goes to the system log, as the engine may well run
// without one; a damaged one goes to the console, naming the file and the
// fault, with what is checked from it. A whole one is only noted, where it
// holds what the format does not foresee.
void JSE_Validation::LoadRules() {
    Initialize_Controls_Value();
    if (ruleFileError == kValidationNoError) {
        if (!ruleFileNote.empty())
            platform::Log(platform::LogPriority::Info,
                          "rule file \"" + dataFilePath + "\" " + ruleFileNote + ": every rule it holds is read");
        return;
    }
    std::size_t rules = 0;
    for (const ControlItem& control : controls) rules += control.dependents.size();
    const std::string checked = rules == 0 ? std::string("job features are not checked")
                                           : "job features are checked only by the " + std::to_string(rules) +
                                                 (rules == 1 ? " rule read" : " rules read");
    const std::string line = "rule file \"" + dataFilePath + "\" " + ruleFileFault + ": " + checked;
    if (ruleFileMissing)
        platform::Log(platform::LogPriority::Warning, line);
    else
        platform::ConsoleLog(line);
}

bool JSE_Validation::JSE_Validation_RuleFileDamaged() const {
    return ruleFileError != kValidationNoError && !ruleFileMissing;
}
