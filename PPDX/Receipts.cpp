// Receipts of the ticket filter: their keywords, their one "PPD:" line and
// reading them back.
#include "Receipts.h"

#include <charconv>
#include <random>

#include "NamedTickets.h"

namespace {

constexpr char kReceiptPrefix[] = "EXRECEIPT";
constexpr std::size_t kTokenLength = 32;

bool IsLowerHex(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A receipt's value: the job's id, the token and the ticket's name, joined
// by commas, none of which the three hold.
std::string ReceiptValue(int job, std::string_view token, std::string_view ticket) {
    return std::to_string(job).append(",").append(token).append(",").append(ticket);
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

bool WriteReceipt(std::FILE* out, int job, std::string_view token, std::string_view ticket) {
    if (job < 1 || !IsReceiptToken(token) || !IsTicketName(ticket)) return false;
    const std::string line = "PPD: " + ReceiptKeyword(job) + "=" + ReceiptValue(job, token, ticket) + "\n";
    return std::fwrite(line.data(), 1, line.size(), out) == line.size() && std::fflush(out) == 0;
}

std::optional<Receipt> ReadReceipt(ppd_file_t* ppd, int job) {
    const ppd_attr_t* attr = ppd && job > 0 ? ppdFindAttr(ppd, ReceiptKeyword(job).c_str(), nullptr) : nullptr;
    if (!attr || !attr->value) return std::nullopt;
    const std::string_view value = attr->value;
    Receipt receipt;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), receipt.job);
    const std::size_t first = static_cast<std::size_t>(end - value.data());
    const std::size_t second = value.find(',', first + 1);
    if (error != std::errc() || receipt.job < 1 || first >= value.size() || value[first] != ',' ||
        second == std::string_view::npos) {
        return std::nullopt;
    }
    receipt.token = value.substr(first + 1, second - first - 1);
    receipt.ticket = value.substr(second + 1);
    // Only the value the filter writes: no sign or leading zero in the id.
    if (ReceiptValue(receipt.job, receipt.token, receipt.ticket) != value || !IsReceiptToken(receipt.token) ||
        !IsTicketName(receipt.ticket)) {
        return std::nullopt;
    }
    return receipt;
}
