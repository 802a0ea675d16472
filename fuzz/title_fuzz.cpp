// The PostScript filter's title replacement on any title and ticket: the
// input up to its first 0 byte is the job's title, the rest the stored
// ticket. The title text is one line holding one PostScript string whose
// value is the title whatever the title holds, and the ticket comes out byte
// for byte except its first "%%Title:" line.
#include <algorithm>

#include "JSE_StringTicket.h"
#include "PostScriptFilter.h"
#include "filter_support.h"
#include "ticket_reading.h"

namespace {

constexpr std::string_view kTitleComment = "%%Title:";

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The ticket as it should come out: the first line starting with
// "%%Title:" and more bytes behind it is replaced, with up to two line-end
// characters after it.
std::string Expected(const std::string& ticket, const std::string& titleText) {
    for (std::size_t start = 0; ticket.size() - start > kTitleComment.size();) {
        if (ticket.compare(start, kTitleComment.size(), kTitleComment) == 0) {
            std::size_t end = start;
            while (end < ticket.size() && !IsLineEnd(ticket[end])) ++end;
            for (int i = 0; i < 2 && end < ticket.size() && IsLineEnd(ticket[end]); ++i) ++end;
            return ticket.substr(0, start) + titleText + ticket.substr(end);
        }
        while (start < ticket.size() && !IsLineEnd(ticket[start])) ++start;
        if (start == ticket.size()) break;
        ++start;
    }
    return ticket;
}

void CheckTitleText(const std::string& title, const std::string& text) {
    const bool eightBit =
        std::any_of(title.begin(), title.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
    const std::string prefix = eightBit ? "%%Title: (utf8:" : "%%Title: (";
    FUZZ_CHECK(text.compare(0, prefix.size(), prefix) == 0, "title text starts with its comment");
    FUZZ_CHECK(text.compare(text.size() - 2, 2, "\r\n") == 0, "title text ends its line");
    const auto strings = PostScriptStrings(std::string_view(text).substr(0, text.size() - 2));
    FUZZ_CHECK(strings && strings->size() == 1, "title text holds one PostScript string");
    FUZZ_CHECK(strings->front() == (eightBit ? "utf8:" : "") + BlankControlCharacters(title),
               "the string's value is the whole title, its control characters blanked");
    FUZZ_CHECK(text.find_first_of("\r\n") == text.size() - 2, "title text is one line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string title = input.substr(0, zero);
    const std::string ticket = zero == std::string::npos ? std::string() : input.substr(zero + 1);

    std::string titleText;
    FUZZ_CHECK(appendUTF8(title.c_str(), &titleText), "a title gives a title text");
    CheckTitleText(title, titleText);

    fuzz::Captured out;
    ReplaceTitle(ticket.data(), ticket.size(), &titleText, out.get());
    FUZZ_CHECK(out.text() == Expected(ticket, titleText), "only the first title line is replaced");

    fuzz::Captured unchanged;
    ReplaceTitle(ticket.data(), ticket.size(), nullptr, unchanged.get());
    FUZZ_CHECK(unchanged.text() == ticket, "without a title the ticket is unchanged");
    return 0;
}
