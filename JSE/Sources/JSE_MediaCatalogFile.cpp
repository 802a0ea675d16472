// The catalog file: a header line "language:default paper", then one line per
// paper of eight ":"-separated fields: name, size-definition number (0 for
// none), weight ("*" any), colour, type, mode, precollated, punchable.
#include <algorithm>

#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

constexpr std::size_t kNameLength = 32;
constexpr std::size_t kColorTypeLength = 20;
// The fields of a paper line as the writer writes it.
constexpr std::ptrdiff_t kPaperFields = 8;

bool IsHexFigure(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

int HexValue(wchar_t c) {
    if (c <= L'9') return c - L'0';
    if (c >= L'a') return c - L'a' + 10;
    return c - L'A' + 10;
}

bool IsOctalFigure(wchar_t c) { return c >= L'0' && c <= L'7'; }

}  // namespace

bool JSE_Media::FileIsNotUnicodeBased(const WString& path) {
    std::string bytes;
    if (!media_file::ReadFileBytes(path, bytes)) {
        m_lastError = kMediaCannotOpen;
        return true;
    }
    return !media_file::StartsWithByteOrderMark(bytes);
}

void JSE_Media::ConvertEscapeChars(WString& text) const {
    WString decoded;
    decoded.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != L'\\') {
            decoded += text[i++];
            continue;
        }
        ++i;
        if (i == text.size()) {
            decoded += L'\0';  // a trailing backslash
        } else if (text[i] == L'x' && i + 1 < text.size() && IsHexFigure(text[i + 1])) {
            int value = 0;
            for (int taken = 0; ++i < text.size() && taken < 2 && IsHexFigure(text[i]); ++taken)
                value = value * 16 + HexValue(text[i]);
            decoded += static_cast<wchar_t>(value);
        } else if (IsOctalFigure(text[i])) {
            int value = 0;
            for (int taken = 0; i < text.size() && taken < 3 && IsOctalFigure(text[i]); ++taken, ++i)
                value = value * 8 + (text[i] - L'0');
            decoded += static_cast<wchar_t>(value);
        } else {
            decoded += text[i++];
        }
    }
    text = decoded;
}

// ---- Reading ----

bool JSE_Media::LoadCatalogFileOnly(const WString& path) {
    m_papers.clear();
    m_lastError = kMediaNoError;
    if (path.empty()) return Fail(kMediaNoPath);
    if (!FileIsNotUnicodeBased(path)) return m_lastError == kMediaNoError && LoadCatalogFromUnicodeFile(path);
    if (m_lastError != kMediaNoError) return false;
    return ReadByteCatalog(path, CatalogReader::CatalogOnly);
}

bool JSE_Media::ReadByteCatalog(const WString& path, CatalogReader reader) {
    m_papers.clear();
    m_lastError = kMediaNoError;
    std::string bytes;
    if (!media_file::ReadFileBytes(path, bytes)) return Fail(kMediaCannotOpen);
    std::vector<WString> lines;
    bool unendedLast = false;
    const bool complete = media_file::SplitByteLines(bytes, media_file::kCatalogLineLimit, lines, &unendedLast);
    if (lines.empty()) {
        m_lastError = kMediaReadError;  // not even a header
        return false;
    }
    ReadCatalogHeader(lines[0], reader);
    const bool whole = ReadPaperLines(lines, complete && unendedLast, reader);
    return complete ? whole : Fail(kMediaReadError);
}

bool JSE_Media::LoadCatalogFromUnicodeFile(const WString& path) {
    m_papers.clear();
    m_lastError = kMediaNoError;
    if (path.empty()) return Fail(kMediaNoPath);
    std::string bytes;
    if (!media_file::ReadFileBytes(path, bytes)) return Fail(kMediaCannotOpen);
    bool unendedLast = false;
    const std::vector<WString> lines = media_file::SplitUnicodeLines(bytes, &unendedLast);
    if (!lines.empty()) ReadCatalogHeader(lines[0], CatalogReader::Unicode);
    ReadPaperLines(lines, unendedLast, CatalogReader::Unicode);
    if (m_papers.empty()) m_lastError = kMediaNoEntry;
    return m_lastError == kMediaNoError;
}

// The papers of the lines after the header. A last line without its line
// end that holds fewer than the eight fields the writer writes, or ends in an
// empty one, which the writer never writes, was cut short: it is dropped and
// the file refused, whatever the reader. Blanks or padding after the last
// line end are not taken for a cut paper line.
bool JSE_Media::ReadPaperLines(const std::vector<WString>& lines, bool unendedLast, CatalogReader reader) {
    const auto cutShort = [](const WString& line) {
        const bool blank = line.find_first_not_of(L" \t") == WString::npos;
        return !blank && (std::count(line.begin(), line.end(), L':') + 1 < kPaperFields || line.ends_with(L':'));
    };
    const bool cut = unendedLast && lines.size() > 1 && cutShort(lines.back());
    for (std::size_t i = 1; i + (cut ? 1 : 0) < lines.size(); ++i) {
        PAPERDEF paper;
        if (ReadPaperLine(lines[i], reader, paper)) AppendPaper(paper);
    }
    return !cut || Fail(kMediaMissingField);
}

// Without ":" the 8-bit readers take the whole line as the language; the
// UTF-16 reader leaves language and default paper as they were.
void JSE_Media::ReadCatalogHeader(const WString& line, CatalogReader reader) {
    const std::size_t colon = line.find(L':');
    if (colon == WString::npos) {
        if (reader != CatalogReader::Unicode) m_language = line;
        return;
    }
    m_language = line.substr(0, colon);
    m_catalogDefaultPaper = line.substr(colon + 1);
    QwiDrv_StringCategoryVerifier verifier;
    if (!verifier.IsCategory3(m_catalogDefaultPaper.c_str(), static_cast<int>(m_catalogDefaultPaper.size())))
        m_lastError = kMediaBadCharacter;
}

void JSE_Media::AppendPaper(const PAPERDEF& paper) {
    m_papers.push_back(paper);
    if (paper.name == m_catalogDefaultPaper) m_defaultPaper = static_cast<int>(m_papers.size()) - 1;
}

// Decodes, checks and cuts a name, colour or type. A failed check is
// recorded; the 8-bit readers then drop the line, the UTF-16 reader keeps it.
bool JSE_Media::ReadPaperName(WString text, CatalogReader reader, WString& out, std::size_t maxLength) {
    ConvertEscapeChars(text);
    QwiDrv_StringCategoryVerifier verifier;
    const bool valid = verifier.IsCategory3(text.c_str(), static_cast<int>(text.size()));
    if (text.size() > maxLength) text.resize(maxLength);
    out = text;
    if (valid) return true;
    m_lastError = kMediaBadCharacter;
    return reader == CatalogReader::Unicode;
}

bool JSE_Media::ReadPaperLine(const WString& line, CatalogReader reader, PAPERDEF& paper) {
    media_file::FieldReader fields(line);
    paper = DefaultPaper();
    paper.absoluteIndex = reader == CatalogReader::Unicode ? static_cast<int>(m_papers.size()) : 0;
    const WString name = fields.Next();
    if (name.empty() && reader != CatalogReader::Unicode) return false;  // skipped without error
    if (!ReadPaperName(name, reader, paper.name, kNameLength)) return false;

    const WString size = fields.Next();
    const WString weight = fields.Next();
    const WString color = fields.Next();
    const WString type = fields.Next();
    if (size.empty() || weight.empty() || color.empty() || type.empty()) return Fail(kMediaMissingField);
    // A size number that names no definition (0, as the writer gives a
    // paper whose definition was deleted) leaves the paper without one, on
    // the starting size of 8.5 by 11 inches.
    const int sizeNumber = GetInteger(size.c_str());
    PAPERCLASS definition;
    if (sizeNumber >= 1 && GetPaperDefinition(sizeNumber - 1, definition)) {
        paper.sizeIndex = sizeNumber - 1;
        paper.width = definition.width;
        paper.height = definition.height;
    } else {
        paper.sizeIndex = -1;
    }
    paper.weight = weight[0] == L'*' ? 0 : GetInteger(weight.c_str());
    if (!ReadPaperName(color, reader, paper.color, kColorTypeLength)) return false;
    paper.colorIndex = paper.color[0] == L'*' ? 0 : ClassifyColor(paper.color);
    if (!ReadPaperName(type, reader, paper.type, kColorTypeLength)) return false;
    if (paper.type[0] == L'*')
        paper.typeIndex = reader == CatalogReader::Full ? 1 : 0;
    else
        paper.typeIndex = ClassifyType(paper.type);

    const WString mode = fields.Next();
    if (!mode.empty()) {
        const int value = GetInteger(mode.c_str());
        paper.mode = value == 0 || value == 1 ? value : 2;
    }
    const WString precollated = fields.Next();
    const WString punchable = fields.Next();
    // The flags are yes or no, whatever number the file holds, so that the
    // tables, the rules and the ticket read them alike.
    const auto number = [this, reader](const WString& field) {
        return reader == CatalogReader::Full ? media_file::ParseSignedInt(field) : GetInteger(field.c_str());
    };
    if (!precollated.empty()) paper.precollated = number(precollated) != 0 ? 1 : 0;
    if (!punchable.empty()) paper.punchable = number(punchable) == 1 ? 1 : 0;
    return true;
}

// ---- Writing ----

void JSE_Media::composePaperEntry(PAPERDEF paper, WString& line) const {
    line = media_file::EscapeField(paper.name);
    line += L':' + JSE_itoa(paper.sizeIndex + 1);
    line += L':' + JSE_itoa(paper.weight);
    line += L':' + media_file::EscapeField(paper.color);
    line += L':' + media_file::EscapeField(paper.type);
    line += L':' + JSE_itoa(paper.mode);
    line += L':' + JSE_itoa(paper.precollated);
    line += L':' + JSE_itoa(paper.punchable);
    line += L'\n';
}

// The header line holds the language and the default paper's name as they
// are; a line end in either would start a paper line of its own, so it is
// left out.
WString JSE_Media::CatalogFileText() const {
    WString text = media_file::WithoutLineEnds(m_language) + L":";
    if (m_defaultPaper != -1) {
        WString defaultName;
        JSE_Media_GetDefault(defaultName);
        text += media_file::WithoutLineEnds(defaultName);
    }
    text += L'\n';
    for (const PAPERDEF& paper : m_papers) {
        WString line;
        composePaperEntry(paper, line);
        text += line;
    }
    return text;
}

bool JSE_Media::JSE_Media_SaveMacCatalog(const WString& path) {
    m_lastError = media_file::WriteError(media_file::WriteUnicodeFile(path, CatalogFileText()));
    return m_lastError == kMediaNoError;
}
