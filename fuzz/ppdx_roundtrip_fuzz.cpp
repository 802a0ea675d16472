// The data store's write and read: any content, written as "PPD:" lines and
// kept by the scheduler as PPD keywords beside a document's receipt, reads
// back as the same content, and the receipt as the one written.
#include <algorithm>
#include <cstring>

#include "NamedTickets.h"
#include "Receipts.h"
#include "filter_support.h"
#include "ppdx_support.h"

namespace {

// The receipt of a job whose id and ticket the content gives.
bool WriteReceiptLine(const std::uint8_t* data, std::size_t size, Receipt& receipt, std::string& text) {
    std::uint32_t id = 0;
    if (size > 0) std::memcpy(&id, data, std::min(size, sizeof id));
    receipt.job = static_cast<int>(id % 0x7FFFFFFF) + 1;
    receipt.started = static_cast<long long>(size) * 7919;
    receipt.ticket = TicketName(std::string_view(reinterpret_cast<const char*>(data), size));
    receipt.token = receipt.ticket.substr(0, 32);
    fuzz::Captured out;
    const bool written = WriteReceipt(out.get(), receipt);
    text = out.text();
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr const char* kName = "EXDATA0";
    std::string lines;
    Receipt written;
    FUZZ_CHECK(WriteReceiptLine(data, size, written, lines), "receipt written");
    std::string dataSet;
    FUZZ_CHECK(fuzz::WriteStatusLines(kName, data, size, dataSet), "content written");
    ppd_file_t* ppd = fuzz::QueuePpd(fuzz::ItemsOfStatusLines(lines + dataSet));
    FUZZ_CHECK(ppd, "written PPD opens");
    fuzz::DataSet read;
    read.content.reset(static_cast<char*>(ppdxReadDataFrom(ppd, kName, &read.size, fuzz::Discard())));
    const std::optional<Receipt> receipt = ReadReceipt(ppd, written.job);
    ppdClose(ppd);
    FUZZ_CHECK(read.content && read.size == size, "content size survives");
    FUZZ_CHECK(size == 0 || std::memcmp(read.content.get(), data, size) == 0, "content survives");
    FUZZ_CHECK(receipt == written, "receipt survives beside the content");
    return 0;
}
