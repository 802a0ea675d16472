// The job's title in the ticket's "%%Title:" line.
#include <algorithm>
#include <cstring>

#include "JSE_StringTicket.h"
#include "PostScriptFilter.h"

namespace {

constexpr char kTitleComment[] = "%%Title:";
constexpr std::size_t kTitleCommentLength = sizeof kTitleComment - 1;
constexpr int kLineEndsDropped = 2;

// Index of the first line end at or after `from`, or count.
std::size_t findLineEnd(const char* text, std::size_t from, std::size_t count) {
    while (from < count && !IsLineEnd(text[from])) {
        ++from;
    }
    return from;
}

}  // namespace

bool appendUTF8(const char* title, std::string* titleText) {
    if (!title) {
        return false;
    }
    std::string_view text(title);
    bool eightBit = std::any_of(text.begin(), text.end(),
                                [](char c) { return static_cast<unsigned char>(c) > 127; });
    *titleText = std::string(eightBit ? "%%Title: (utf8:" : "%%Title: (") +
                 TicketStringText(text) + ")\r\n";
    return true;
}

bool ReplaceTitle(const char* ticket, std::size_t count, const std::string* titleText, std::FILE* out) {
    std::size_t position = 0;
    bool replaced = false;
    while (titleText && count - position > kTitleCommentLength) {
        if (std::memcmp(ticket + position, kTitleComment, kTitleCommentLength) == 0) {
            std::fwrite(titleText->data(), 1, titleText->size(), out);
            replaced = true;
            position = findLineEnd(ticket, position, count);
            for (int i = 0; i < kLineEndsDropped && position < count && IsLineEnd(ticket[position]);
                 ++i) {
                ++position;
            }
            break;
        }
        std::size_t next = findLineEnd(ticket, position, count);
        next += next < count;
        std::fwrite(ticket + position, 1, next - position, out);
        position = next;
    }
    std::fwrite(ticket + position, 1, count - position, out);
    const bool titleLast = replaced && position == count;
    return titleLast || (count > 0 && IsLineEnd(ticket[count - 1]));
}
