// The size-definition file: one line per definition,
// width:height:widthPts:heightPts:measure:name, the name running to the end
// of the line. A definition's id is its position in the list.
#include <array>
#include <cmath>
#include <cstdint>

#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

constexpr int kDisplayDecimals = 2;
constexpr int kByteFileDecimals = 4;

// The smallest size the file holds: it is written with two decimals.
constexpr float kSmallestSize = 0.01f;

// A size no paper has (0 by 0, smaller than the file holds, or too large to
// hold) is no definition.
bool HasSize(const PAPERCLASS& d) {
    for (float value : {d.width, d.height, d.widthPts, d.heightPts})
        if (!(value >= kSmallestSize) || !std::isfinite(value)) return false;
    return true;
}

}  // namespace

bool JSE_Media::LoadDefinitions(const WString& definitionPath) {
    m_lastError = kMediaNoError;
    if (definitionPath.empty()) return Fail(kMediaDefinitionLoad);
    m_definitions.clear();
    if (!FileIsNotUnicodeBased(definitionPath)) return LoadDefinitionsFromUnicodeFile(definitionPath);
    if (m_lastError == kMediaCannotOpen) return false;
    return ReadByteDefinitions(definitionPath, media_file::kDefinitionLineLimit, kMediaReadError);
}

bool JSE_Media::LoadNonUnicodeDefinitions(const WString& path) {
    m_lastError = kMediaNoError;
    m_definitions.clear();
    return ReadByteDefinitions(path, media_file::kNamedDefinitionLineLimit, kMediaNoEntry);
}

bool JSE_Media::ReadByteDefinitions(const WString& path, std::size_t maxLine, int missingFieldError) {
    std::string bytes;
    if (!media_file::ReadFileBytes(path, bytes)) return Fail(kMediaDefinitionLoad);
    std::vector<WString> lines;
    const bool complete = media_file::SplitByteLines(bytes, maxLine, lines);
    ReadDefinitionLines(lines, missingFieldError);
    return complete || Fail(kMediaReadError);
}

// Reads the file named by the path with its last three characters made
// "def"; the encoding check runs on the path itself.
bool JSE_Media::LoadDefinitionsFromUnicodeFile(const WString& path) {
    m_lastError = kMediaNoError;
    if (path.empty()) return Fail(kMediaDefinitionLoad);
    m_definitions.clear();
    const WString definitionPath = media_file::ReplacePathEnd(path, 3, L"def");
    std::string bytes;
    bool opened = false;
    if (!media_file::ReadFileBytes(definitionPath, bytes, &opened))
        return Fail(opened ? kMediaReadError : kMediaDefinitionLoad);  // a short read is a failure too
    if (FileIsNotUnicodeBased(path)) return LoadNonUnicodeDefinitions(definitionPath);
    if (bytes.empty()) return Fail(kMediaNoEntry);
    ReadDefinitionLines(media_file::SplitUnicodeLines(bytes), kMediaNoEntry);
    return true;
}

void JSE_Media::ReadDefinitionLines(const std::vector<WString>& lines, int missingFieldError) {
    for (const WString& line : lines) {
        media_file::FieldReader fields(line);
        PAPERCLASS definition;
        definition.widthText = fields.Next();
        if (definition.widthText.empty()) continue;  // skipped without error
        definition.heightText = fields.Next();
        const WString widthPts = fields.Next();
        const WString heightPts = fields.Next();
        const WString measure = fields.Next();
        if (definition.heightText.empty() || widthPts.empty() || heightPts.empty() || measure.empty()) {
            m_lastError = missingFieldError;
            continue;
        }
        definition.width = GetFloat(definition.widthText.c_str());
        definition.height = GetFloat(definition.heightText.c_str());
        definition.widthPts = GetFloat(widthPts.c_str());
        definition.heightPts = GetFloat(heightPts.c_str());
        definition.measureType = GetInteger(measure.c_str());
        if (!HasSize(definition)) {
            m_lastError = missingFieldError;
            continue;
        }
        definition.name = fields.Rest();
        definition.id = static_cast<int>(m_definitions.size());
        m_definitions.push_back(definition);
    }
}

void JSE_Media::composeDefinitionEntry(PAPERCLASS definition, WString& line, wchar_t separator) const {
    WString number;
    line.clear();
    for (float value : {definition.width, definition.height, definition.widthPts, definition.heightPts}) {
        FloatToWS(value, number, kDisplayDecimals);
        line += number + separator;
    }
    line += definition.measureType == 1 ? L'1' : L'0';
    // A carriage return in a name read from 8-bit text would end the line
    // and make the rest of the name a definition of its own.
    line += separator + media_file::WithoutLineEnds(definition.name) + L'\n';
}

WString JSE_Media::DefinitionFileText() const {
    WString text;
    for (const PAPERCLASS& definition : m_definitions) {
        WString line;
        composeDefinitionEntry(definition, line, L':');
        text += line;
    }
    return text;
}

bool JSE_Media::JSE_Media_SaveMacPaperDefinition(const WString& path) {
    m_lastError = media_file::WriteError(media_file::WriteUnicodeFile(path, DefinitionFileText()));
    return m_lastError == kMediaNoError;
}

// Sizes in portrait order with four decimals; a name that 8-bit text cannot
// hold fails the write.
bool JSE_Media::SaveNonUnicodeDefinition(const WString& path) {
    m_lastError = kMediaNoError;
    std::string bytes;
    for (const PAPERCLASS& d : m_definitions) {
        const bool portrait = d.height >= d.width;
        const std::array<float, 4> values = portrait ? std::array{d.width, d.height, d.widthPts, d.heightPts}
                                                     : std::array{d.height, d.width, d.heightPts, d.widthPts};
        for (float value : values) {
            std::string number;
            FloatToString(value, number, kByteFileDecimals);
            bytes += number + ':';
        }
        bytes += d.measureType == 1 ? "1:" : "0:";
        for (wchar_t c : d.name) {
            if (static_cast<std::uint32_t>(c) > 0xFF) m_lastError = kMediaWriteError;
            bytes += static_cast<char>(c & 0xFF);
        }
        bytes += "\r\n";
    }
    if (m_lastError != kMediaNoError) return false;
    const engine_file::WriteResult result = engine_file::WriteWholeFile(path, bytes);
    m_lastError = result == engine_file::WriteResult::NotCreated ? kMediaCannotOpen : media_file::WriteError(result);
    return m_lastError == kMediaNoError;
}
