// The rule file's reader. The file is a 12-byte header whose first 4 bytes
// hold the control count, then for each control, in control order, an 8-byte
// record (kind and current value as 16 bits, dependent count as 32 bits)
// directly followed by its 26-byte dependent records (thirteen 16-bit
// fields). Every integer is big-endian and signed; there is no padding, no
// checksum and no trailer, and bytes after the last control read are ignored.
#include <syslog.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>

#include "JSE_Validation.h"

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

// A control's dependent count is capped at the records the rest of the file
// holds, so a wrong count cannot make the reader allocate more than the file;
// a control whose records are cut short keeps the ones read and ends the
// reading, as the file has nothing after them.
void JSE_Validation::Initialize_Controls_Value() {
    const bool swap = std::endian::native == std::endian::little;
    const auto field16 = [&](const unsigned char* bytes) {
        short value = 0;
        std::memcpy(&value, bytes, sizeof value);
        if (swap) shortSwapper(&value, &value);
        return value;
    };
    const auto field32 = [&](const unsigned char* bytes) {
        int value = 0;
        std::memcpy(&value, bytes, sizeof value);
        if (swap) intSwapper(&value, &value);
        return value;
    };

    ruleFileError = kValidationCannotOpen;
    const File file(std::fopen(dataFilePath.c_str(), "rb"));
    if (!file) return;
    const long size = SizeOf(file.get());
    if (size < 0) return;
    unsigned char header[kHeaderSize];
    ruleFileError = kValidationShortFile;
    if (!ReadExactly(file.get(), header, kHeaderSize)) return;

    const int count = std::min(field32(header), kControlCount);
    Allocate_Validation_Map(kControlCount);
    long position = kHeaderSize;
    for (int i = 0; i < count; ++i) {
        unsigned char record[kControlRecordSize];
        if (!ReadExactly(file.get(), record, kControlRecordSize)) return;
        position += kControlRecordSize;
        const int stated = field32(record + 4);
        const long held = (size - position) / kDependentRecordSize;
        const int wanted = static_cast<int>(std::clamp<long>(stated, 0, held));
        Allocate_Dependent_Items(i, wanted);
        ControlItem& item = controls[static_cast<std::size_t>(i)];
        item.controlKind = field16(record);
        item.currentValue = field16(record + 2);
        savedValues[static_cast<std::size_t>(i)] = item.currentValue;
        for (int d = 0; d < wanted; ++d) {
            unsigned char bytes[kDependentRecordSize];
            if (!ReadExactly(file.get(), bytes, kDependentRecordSize)) {
                item.dependents.resize(static_cast<std::size_t>(d));
                item.dependentCount = d;
                return;
            }
            position += kDependentRecordSize;
            DependentItem& dependent = item.dependents[static_cast<std::size_t>(d)];
            std::int16_t* fields[] = {&dependent.parentValue,   &dependent.level1Control, &dependent.level1Min,
                                      &dependent.level1Max,     &dependent.level2Control, &dependent.level2Min,
                                      &dependent.level2Max,     &dependent.level3Control, &dependent.level3Min,
                                      &dependent.level3Max,     &dependent.flag,          &dependent.condition,
                                      &dependent.messageId};
            for (std::size_t f = 0; f < std::size(fields); ++f) *fields[f] = field16(bytes + 2 * f);
        }
        if (stated > wanted) return;
    }
    ruleFileError = kValidationNoError;
}

void JSE_Validation::LoadRules() {
    Initialize_Controls_Value();
    if (ruleFileError == kValidationNoError) return;
    if (controls.empty())
        syslog(LOG_WARNING, "rule file \"%s\" cannot be read: job features are not checked", dataFilePath.c_str());
    else
        syslog(LOG_WARNING, "rule file \"%s\" ends early: only the rules before its end are checked",
               dataFilePath.c_str());
}
