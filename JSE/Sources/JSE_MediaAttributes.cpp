// The attribute file (catalog path + ".atr"): three sections, each a header
// line and one value per line: "[PaperWeights]", "[PaperTypes]",
// "[PaperColors]".
#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

const wchar_t* const kWeightsHeader = L"[PaperWeights]";
const wchar_t* const kTypesHeader = L"[PaperTypes]";
const wchar_t* const kColorsHeader = L"[PaperColors]";
const wchar_t* const kAttributeSuffix = L".atr";

}  // namespace

bool JSE_Media::LoadAttributes(const WString& catalogPath) {
    m_lastError = kMediaNoError;
    if (catalogPath.empty()) return Fail(kMediaAttributeLoad);
    const WString attributePath = catalogPath + kAttributeSuffix;
    if (!FileIsNotUnicodeBased(attributePath)) return LoadAttributesFromUnicodeFile(catalogPath);
    m_lastError = kMediaNoError;
    std::string bytes;
    if (!media_file::ReadFileBytes(attributePath, bytes)) return Fail(kMediaAttributeLoad);
    std::vector<WString> lines;
    const bool complete = media_file::SplitByteLines(bytes, media_file::kAttributeLineLimit, lines);
    ReadAttributeLines(lines);
    return complete || Fail(kMediaReadError);
}

bool JSE_Media::LoadAttributesFromUnicodeFile(const WString& catalogPath) {
    m_lastError = kMediaNoError;
    std::string bytes;
    if (catalogPath.empty() || !media_file::ReadFileBytes(catalogPath + kAttributeSuffix, bytes) || bytes.empty())
        return Fail(kMediaAttributeLoad);
    ReadAttributeLines(media_file::SplitUnicodeLines(bytes));
    return true;
}

// Values before the first known header, and under an unknown one, are ignored.
void JSE_Media::ReadAttributeLines(const std::vector<WString>& lines) {
    std::vector<WString>* current = nullptr;
    for (const WString& line : lines) {
        WString value;
        ParseLine(line.c_str(), value, L':');
        if (!line.empty() && line[0] == L'[') {
            if (value == kWeightsHeader)
                current = &m_weightAttributes;
            else if (value == kTypesHeader)
                current = &m_typeAttributes;
            else if (value == kColorsHeader)
                current = &m_colorAttributes;
            else
                current = nullptr;
        } else if (current && !value.empty()) {
            current->push_back(value);
        }
    }
}

// A line end inside a value (an 8-bit file may hold a lone carriage return)
// would split it into two values when read back: it is left out. What is
// left is not written when it is empty or would read back as a section
// header.
void JSE_Media::composeAttributesEntry(std::vector<WString> list, WString& text) const {
    for (const WString& value : list) {
        const WString kept = media_file::WithoutLineEnds(value);
        if (!kept.empty() && kept[0] != L'[') text += kept + L'\n';
    }
}

WString JSE_Media::AttributeFileText() const {
    WString text;
    text += WString(kWeightsHeader) + L'\n';
    composeAttributesEntry(m_weightAttributes, text);
    text += WString(kTypesHeader) + L'\n';
    composeAttributesEntry(m_typeAttributes, text);
    text += WString(kColorsHeader) + L'\n';
    composeAttributesEntry(m_colorAttributes, text);
    return text;
}

bool JSE_Media::JSE_Media_SaveMacPaperAttributes(const WString& path) {
    m_lastError = media_file::WriteError(media_file::WriteUnicodeFile(path, AttributeFileText()));
    return m_lastError == kMediaNoError;
}
