// Receipts of the ticket filter: their keywords, their one "PPD:" line and
// reading them back.
#include "Receipts.h"

#include <charconv>
#include <random>

#include "NamedTickets.h"
#include "SchedulerLines.h"

namespace {

constexpr char kReceiptPrefix[] = "EXRECEIPT";
constexpr std::size_t kTokenLength = 32;

bool IsLowerHex(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

bool IsWritable(const Receipt& receipt) {
    return receipt.job > 0 && receipt.started >= 0 && IsReceiptToken(receipt.token) && IsTicketName(receipt.ticket);
}

// A receipt's value: the job's id, the attempt's start, the token and the
// ticket's name, joined by commas, which none of the four holds.
std::string ReceiptValue(const Receipt& receipt) {
    return std::to_string(receipt.job)
        .append(",")
        .append(std::to_string(receipt.started))
        .append(",")
        .append(receipt.token)
        .append(",")
        .append(receipt.ticket);
}

// Reads a whole number and the comma after it from the front of the text.
template <typename Number>
bool TakeNumber(std::string_view& text, Number& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data() + text.size() || *end != ',') return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
    return true;
}

// Writes the value into the keyword of the job's receipt, as one "PPD:"
// line handed on at once.
bool WriteInPlaceOfReceipt(std::FILE* out, int job, const std::string& value) {
    return WriteSchedulerLine(out, "PPD: " + ReceiptKeyword(job) + "=" + value) && std::fflush(out) == 0;
}

}  // namespace

bool IsReceiptToken(std::string_view text) {
    return text.size() == kTokenLength && IsLowerHex(text);
}

std::string NewReceiptToken() {
    std::random_device random;
    std::string token;
    while (token.size() < kTokenLength) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(random()));
        token += digits;
    }
    return token;
}

std::string ReceiptKeyword(int job) {
    char keyword[16];
    std::snprintf(keyword, sizeof keyword, "%s%02d", kReceiptPrefix, job % kReceiptSlots);
    return keyword;
}

bool WriteReceipt(std::FILE* out, const Receipt& receipt) {
    return IsWritable(receipt) && WriteInPlaceOfReceipt(out, receipt.job, ReceiptValue(receipt));
}

bool WriteNoReceipt(std::FILE* out, int job) {
    return job > 0 && WriteInPlaceOfReceipt(out, job, std::to_string(job) + ",none");
}

std::optional<Receipt> ReadReceipt(ppd_file_t* ppd, int job) {
    const ppd_attr_t* attr = ppd && job > 0 ? ppdFindAttr(ppd, ReceiptKeyword(job).c_str(), nullptr) : nullptr;
    if (!attr || !attr->value) return std::nullopt;
    const std::string_view value = attr->value;
    std::string_view rest = value;
    Receipt receipt;
    if (!TakeNumber(rest, receipt.job) || !TakeNumber(rest, receipt.started)) return std::nullopt;
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    receipt.token = rest.substr(0, comma);
    receipt.ticket = rest.substr(comma + 1);
    // Only the value the filter writes: no sign or leading zero in a number.
    if (!IsWritable(receipt) || ReceiptValue(receipt) != value) return std::nullopt;
    return receipt;
}
