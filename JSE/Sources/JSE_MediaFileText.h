// Reading and writing the text of the catalog's three files: UTF-16 with a
// byte-order mark, or 8-bit Latin-1 text. Used by the catalog only.
#pragma once

#include <string>
#include <vector>

#include "JSE_FileWrite.h"
#include "JSE_String.h"

namespace media_file {

// The longest line the 8-bit readers take, by file.
constexpr std::size_t kCatalogLineLimit = 2047;
constexpr std::size_t kAttributeLineLimit = 2047;
constexpr std::size_t kDefinitionLineLimit = 1023;
constexpr std::size_t kNamedDefinitionLineLimit = 2047;
// The units of a UTF-16 line that are kept; the rest of the line is dropped.
constexpr std::size_t kUnicodeLineUnits = 2048;

// The whole file as bytes; false when it cannot be opened or read (opened,
// when given, tells which).
bool ReadFileBytes(const WString& path, std::string& bytes, bool* opened = nullptr);

// True when the bytes start with a UTF-16 byte-order mark (either order).
bool StartsWithByteOrderMark(const std::string& bytes);

// Cuts UTF-16 text into lines. The byte-order mark, when present, gives the
// byte order (none means the host's); a line ends at LF or CR, and one LF or
// CR directly after that belongs to the same line end. A line ends at its
// first 0 unit as well and keeps at most kUnicodeLineUnits units. A last line
// without a line end is a line too; unendedLast, when given, tells whether
// there is one.
std::vector<WString> SplitUnicodeLines(const std::string& bytes, bool* unendedLast = nullptr);

// Cuts 8-bit text into lines at LF; each byte becomes the character of the
// same value (Latin-1), one CR before the LF is dropped, and a line ends at
// its first 0. A last line without LF is a line too; unendedLast, when
// given, tells whether there is one. False when a line is longer than
// maxLine characters; the lines before it are in lines.
bool SplitByteLines(const std::string& bytes, std::size_t maxLine, std::vector<WString>& lines,
                    bool* unendedLast = nullptr);

// The text as UTF-16 in host byte order behind a byte-order mark, each
// character as its low 16 bits.
std::string UnicodeFileBytes(const WString& text);
// Writes UnicodeFileBytes of the text as the whole file (engine_file::WriteWholeFile).
engine_file::WriteResult WriteUnicodeFile(const WString& path, const WString& text);

// The catalog's last error for a write's result: 0, -43 (not created), -2005
// (not written, the file as it was) or -2013 (left damaged).
int WriteError(engine_file::WriteResult result);

// The text from text up to the first separator or the end (a 0).
WString ParseField(const wchar_t* text, wchar_t separator);

// Takes fields one after another from a line: each runs to the next
// separator or the end of the line.
class FieldReader {
public:
    explicit FieldReader(const WString& line) : m_line(line) {}
    // The next field (empty at the end of the line).
    WString Next(wchar_t separator = L':');
    // Everything after the fields taken so far.
    WString Rest() const;

private:
    const WString& m_line;
    std::size_t m_position = 0;
};

// A name, colour or type written so that ":", "\", CR, LF and 0 survive the
// next read; ordinary text is unchanged.
WString EscapeField(const WString& text);

// The text as one line of a UTF-16 file can hold it: carriage returns, line
// feeds and 0s, which would end the line, dropped.
WString WithoutLineEnds(const WString& text);

// The signed decimal number at the start of text: blanks and one sign
// accepted, saturating at the int range; no figures give 0.
int ParseSignedInt(const WString& text);

// The path with its last count characters replaced by suffix; the empty path
// when the path is shorter than count, so the readers report it as missing.
WString ReplacePathEnd(const WString& path, std::size_t count, const WString& suffix);

}  // namespace media_file
