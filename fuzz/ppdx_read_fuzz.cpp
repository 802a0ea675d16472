// The data-store reader on a queue PPD whose data-set keywords hold any
// values: one keyword per input line, counted from 0. Whatever it reads must
// be a well-formed data set that the writer stores and the reader gives back
// unchanged. The receipt reader on the first line's value: whatever receipt
// it reads is one the ticket filter writes, the same line again.
#include <cstring>

#include "Receipts.h"
#include "filter_support.h"
#include "ppdx_support.h"

namespace {

constexpr const char* kName = "EXDATA0";

fuzz::PpdItems ItemsOfLines(const std::uint8_t* data, std::size_t size) {
    fuzz::PpdItems items;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (unsigned counter = 0; start <= text.size(); ++counter) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        char keyword[64];
        std::snprintf(keyword, sizeof keyword, "%s%04x", kName, counter);
        items.emplace_back(keyword, text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

// Reads the receipt of job 1 from a PPD whose keyword for it holds the
// value; a receipt read must be one the filter writes as the value the PPD
// holds (which ends at a zero byte).
void CheckReceiptReader(const std::string& value) {
    ppd_file_t* ppd = fuzz::QueuePpd({{ReceiptKeyword(1), value}});
    const std::optional<Receipt> receipt = ReadReceipt(ppd, 1);
    const ppd_attr_t* attr = ppd ? ppdFindAttr(ppd, ReceiptKeyword(1).c_str(), nullptr) : nullptr;
    const std::string held = attr && attr->value ? attr->value : "";
    ppdClose(ppd);
    if (!receipt) return;
    fuzz::Captured line;
    FUZZ_CHECK(WriteReceipt(line.get(), *receipt), "receipt read is one written");
    FUZZ_CHECK(line.text() == "PPD: " + ReceiptKeyword(receipt->job) + "=" + held + "\n",
               "receipt read is the value held");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::PpdItems items = ItemsOfLines(data, size);
    CheckReceiptReader(items.front().second);
    fuzz::DataSet read;
    if (!fuzz::ReadFromQueuePpd(items, kName, read)) return 0;
    if (!read.content) {
        FUZZ_CHECK(read.size == 0, "no data set means size 0");
        return 0;
    }
    FUZZ_CHECK(read.size <= kPpdxMaxDataSize, "data set within the largest size");
    FUZZ_CHECK(read.content.get()[read.size] == '\0', "data set ends in a NUL byte");

    std::string lines;
    FUZZ_CHECK(fuzz::WriteStatusLines(kName, read.content.get(), read.size, lines), "data set written again");
    fuzz::DataSet again;
    FUZZ_CHECK(fuzz::ReadFromQueuePpd(fuzz::ItemsOfStatusLines(lines), kName, again), "written PPD opens");
    FUZZ_CHECK(again.content && again.size == read.size, "data set size survives");
    FUZZ_CHECK(std::memcmp(again.content.get(), read.content.get(), read.size) == 0, "data set survives");
    return 0;
}
