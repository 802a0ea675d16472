// Texts inside the ticket's lines: blanked control characters and escaped
// parentheses and backslashes; the user's commands as ticket lines.
#include "JSE_StringTicket.h"

#include <algorithm>
#include <vector>

namespace {

constexpr unsigned char kDelete = 0x7F;

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == kDelete;
}

// Marks every parenthesis that has no partner: a ")" with no "(" open before
// it, and every "(" still open at the end.
std::vector<bool> unpairedParentheses(std::string_view text) {
    std::vector<bool> unpaired(text.size(), false);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            open.push_back(i);
        } else if (text[i] == ')') {
            if (open.empty())
                unpaired[i] = true;
            else
                open.pop_back();
        }
    }
    for (std::size_t i : open) unpaired[i] = true;
    return unpaired;
}

}  // namespace

std::string BlankControlCharacters(std::string_view text) {
    std::string blanked(text);
    for (char& c : blanked)
        if (isControl(c)) c = ' ';
    return blanked;
}

std::string TicketStringText(std::string_view text) {
    const std::vector<bool> unpaired = unpairedParentheses(text);
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' || unpaired[i]) escaped += '\\';
        escaped += isControl(text[i]) ? ' ' : text[i];
    }
    return escaped;
}

std::string TicketString(std::string_view text) { return "(" + TicketStringText(text) + ")"; }

std::string TicketLines(std::string_view text) {
    std::string lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        if (end > start) {
            if (!lines.empty()) lines += "\r\n";
            lines.append(text, start, end - start);
        }
        start = end + 1;
    }
    return lines;
}
