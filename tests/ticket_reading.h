// Reading a ticket back as the printer does: the keyword of each line and
// the values of a line's PostScript strings. Shared by the tests and the fuzz
// targets of the writer, the filter and the bridge.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The values of the PostScript strings on a line, read the way the printer's
// interpreter reads them: parentheses inside a string pair up, a backslash
// takes the character after it as it is. Nothing when a string is left open
// or a ")" stands outside every string.
inline std::optional<std::vector<std::string>> PostScriptStrings(std::string_view line) {
    std::vector<std::string> strings;
    int depth = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (depth == 0) {
            if (c == ')') return std::nullopt;
            if (c == '(') {
                strings.emplace_back();
                depth = 1;
            }
            continue;
        }
        if (c == '\\' && ++i < line.size()) {
            strings.back() += line[i];
            continue;
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth > 0) strings.back() += c;
    }
    if (depth != 0) return std::nullopt;
    return strings;
}

// The keyword of every line of a ticket (lines joined by CR LF): what comes
// before the line's first colon or blank.
inline std::vector<std::string> TicketKeywords(const std::string& ticket) {
    std::vector<std::string> keywords;
    for (std::size_t start = 0; start < ticket.size();) {
        const std::size_t end = std::min(ticket.find("\r\n", start), ticket.size());
        keywords.push_back(ticket.substr(start, std::min(ticket.find_first_of(": ", start), end) - start));
        start = end + 2;
    }
    return keywords;
}
