// The one writer of the filters' lines for the scheduler, and job text quoted
// short.
#include "SchedulerLines.h"

#include <algorithm>

#include "JSE_StringTicket.h"

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first bytes of the text, at most `most`, ending before a UTF-8
// continuation byte so that no character is split.
std::string_view WholeCharacters(std::string_view text, std::size_t most) {
    if (text.size() <= most) return text;
    std::size_t end = most;
    while (end > 0 && IsContinuationByte(text[end])) --end;
    return text.substr(0, end);
}

// The text cut to at most `most` bytes, the cut mark among them.
std::string CutTo(std::string_view text, std::size_t most) {
    if (text.size() <= most) return std::string(text);
    return std::string(WholeCharacters(text, most - kCutMark.size())).append(kCutMark);
}

}  // namespace

bool WriteSchedulerLine(std::FILE* out, std::string_view line) {
    std::string whole = CutTo(line, kLongestSchedulerLine - 1);
    std::replace_if(whole.begin(), whole.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    whole += '\n';
    return std::fwrite(whole.data(), 1, whole.size(), out) == whole.size();
}

bool WriteSchedulerMessageV(std::FILE* out, const char* prefix, const char* format, va_list arguments) {
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string line = std::string(prefix) + ": ";
    if (length > 0) {
        const std::size_t start = line.size();
        line.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(line.data() + start, static_cast<std::size_t>(length) + 1, format, arguments);
        line.pop_back();
    }
    return WriteSchedulerLine(out, line);
}

bool WriteSchedulerMessage(std::FILE* out, const char* prefix, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const bool written = WriteSchedulerMessageV(out, prefix, format, arguments);
    va_end(arguments);
    return written;
}

std::string QuotedJobText(std::string_view text) {
    std::string quoted(WholeCharacters(text, kLongestQuote));
    if (quoted.size() < text.size()) quoted += kCutMark;
    return BlankControlCharacters(quoted);
}
