// Text of the catalog files: byte reading, line cutting, escapes and writing.
#include "JSE_MediaFileText.h"

#include <bit>
#include <climits>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "JSE_Media.h"

namespace media_file {

namespace {

constexpr unsigned char kMarkLow = 0xFF;
constexpr unsigned char kMarkHigh = 0xFE;
constexpr char16_t kByteOrderMark = 0xFEFF;

bool IsLineEnd(wchar_t c) { return c == L'\n' || c == L'\r'; }

std::string NarrowPath(const WString& path) {
    std::string narrow;
    GetSingleByteFileName(path, narrow);
    return narrow;
}

// The units of the text in the byte order its mark gives, the mark removed.
std::u16string UnicodeUnits(const std::string& bytes) {
    bool littleEndian = std::endian::native == std::endian::little;
    std::size_t start = 0;
    if (StartsWithByteOrderMark(bytes)) {
        littleEndian = static_cast<unsigned char>(bytes[0]) == kMarkLow;
        start = 2;
    }
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second);
    }
    return units;
}

// Appends the line to lines, cut at its first 0 and to at most limit characters.
void AddLine(std::vector<WString>& lines, WString line, std::size_t limit) {
    const std::size_t zero = line.find(L'\0');
    if (zero != WString::npos) line.resize(zero);
    if (line.size() > limit) line.resize(limit);
    lines.push_back(std::move(line));
}

// The unit of a character as the files store it.
void AppendUnit(std::string& out, char16_t unit) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    if (std::endian::native == std::endian::little) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

}  // namespace

bool ReadFileBytes(const WString& path, std::string& bytes, bool* opened) {
    bytes.clear();
    if (opened) *opened = false;
    if (path.empty()) return false;
    std::ifstream file(NarrowPath(path), std::ios::binary);
    if (!file) return false;
    if (opened) *opened = true;
    // The stream's own reads: a read that fails (a folder's) sets bad
    // rather than throwing.
    char block[65536];
    while (file.read(block, sizeof block) || file.gcount() > 0) bytes.append(block, static_cast<std::size_t>(file.gcount()));
    return !file.bad();
}

bool StartsWithByteOrderMark(const std::string& bytes) {
    if (bytes.size() < 2) return false;
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto second = static_cast<unsigned char>(bytes[1]);
    return (first == kMarkLow && second == kMarkHigh) || (first == kMarkHigh && second == kMarkLow);
}

std::vector<WString> SplitUnicodeLines(const std::string& bytes, bool* unendedLast) {
    const std::u16string units = UnicodeUnits(bytes);
    std::vector<WString> lines;
    WString line;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const wchar_t c = units[i];
        if (!IsLineEnd(c)) {
            line += c;
            continue;
        }
        if (i + 1 < units.size() && IsLineEnd(units[i + 1])) ++i;
        AddLine(lines, std::move(line), kUnicodeLineUnits);
        line.clear();
    }
    if (unendedLast) *unendedLast = !line.empty();
    if (!line.empty()) AddLine(lines, std::move(line), kUnicodeLineUnits);
    return lines;
}

bool SplitByteLines(const std::string& bytes, std::size_t maxLine, std::vector<WString>& lines, bool* unendedLast) {
    if (unendedLast) *unendedLast = !bytes.empty() && bytes.back() != '\n';
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        if (end > start && bytes[end - 1] == '\r') --end;
        if (end - start > maxLine) return false;
        WString line;
        line.reserve(end - start);
        for (std::size_t i = start; i < end; ++i) line += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
        AddLine(lines, std::move(line), maxLine);
        start = next;
    }
    return true;
}

std::string UnicodeFileBytes(const WString& text) {
    std::string bytes;
    bytes.reserve(2 * (text.size() + 1));
    AppendUnit(bytes, kByteOrderMark);
    for (wchar_t c : text) AppendUnit(bytes, static_cast<char16_t>(static_cast<std::uint32_t>(c) & 0xFFFF));
    return bytes;
}

engine_file::WriteResult WriteUnicodeFile(const WString& path, const WString& text) {
    return engine_file::WriteWholeFile(path, UnicodeFileBytes(text));
}

int WriteError(engine_file::WriteResult result) {
    switch (result) {
        case engine_file::WriteResult::Written: return kMediaNoError;
        case engine_file::WriteResult::NotCreated: return kMediaCannotCreate;
        case engine_file::WriteResult::NotWritten: return kMediaWriteError;
        case engine_file::WriteResult::LeftIncomplete: return kMediaLeftIncomplete;
    }
    return kMediaWriteError;
}

WString ParseField(const wchar_t* text, wchar_t separator) {
    WString field;
    if (!text) return field;
    for (const wchar_t* c = text; *c != 0 && *c != separator; ++c) field += *c;
    return field;
}

WString FieldReader::Next(wchar_t separator) {
    if (m_position >= m_line.size()) return WString();
    WString field = ParseField(m_line.c_str() + m_position, separator);
    m_position += field.size();
    if (m_position < m_line.size()) ++m_position;
    return field;
}

WString FieldReader::Rest() const { return m_position < m_line.size() ? m_line.substr(m_position) : WString(); }

WString EscapeField(const WString& text) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    WString escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L':' || c == L'\\' || c == L'\r' || c == L'\n' || c == L'\0') {
            escaped += L"\\x";
            escaped += kHex[(c >> 4) & 0xF];
            escaped += kHex[c & 0xF];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

WString WithoutLineEnds(const WString& text) {
    WString kept;
    kept.reserve(text.size());
    for (wchar_t c : text)
        if (!IsLineEnd(c) && c != L'\0') kept += c;
    return kept;
}

int ParseSignedInt(const WString& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

WString ReplacePathEnd(const WString& path, std::size_t count, const WString& suffix) {
    if (path.size() < count) return WString();
    return path.substr(0, path.size() - count) + suffix;
}

}  // namespace media_file
