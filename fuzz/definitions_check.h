// The property the size-definition readers are held to: no crash and no
// sanitizer report on any bytes, every definition read has a size, and the
// definitions read, written by either
// writer (UTF-16 with two decimals, 8-bit with four) and read back, keep
// their names, units and sizes to the decimals written.
#pragma once

#include <cmath>

#include "fuzz_support.h"
#include "JSE_MediaFileText.h"

namespace fuzz {

enum class DefinitionEntry { Named, Unicode };

// Sizes beyond any paper are not held to the decimals written: a float that
// large has no figures after the point to keep.
constexpr float kLargestCheckedSize = 1e6f;

inline void CheckSize(float before, float after, int decimals, const char* what) {
    if (!std::isfinite(before) || std::fabs(before) > kLargestCheckedSize) return;
    const float tolerance = 0.51f * std::pow(10.0f, static_cast<float>(-decimals)) + std::fabs(before) * 1e-6f;
    FUZZ_CHECK(std::fabs(after - before) <= tolerance, what);
}

inline std::vector<PAPERCLASS> DefinitionsOf(const Catalog& catalog) {
    std::vector<PAPERCLASS> list(static_cast<std::size_t>(catalog.GetNumberOfDefinitions()));
    for (std::size_t d = 0; d < list.size(); ++d) catalog.GetPaperDefinition(static_cast<int>(d), list[d]);
    return list;
}

inline int MeasureAsWritten(int measureType) { return measureType == 1 ? 1 : 0; }

// The UTF-16 writer and reader: sizes in the order read, two decimals; a
// carriage return in a name (only 8-bit text holds one) is not written.
inline void CheckUnicodeRoundTrip(Catalog& first, const std::vector<PAPERCLASS>& before) {
    const WString written = Folder::Instance().WidePath("written.def");
    FUZZ_CHECK(first.JSE_Media_SaveMacPaperDefinition(written), "definitions written");
    Catalog second;
    second.LoadDefinitionsFromUnicodeFile(written);
    const std::vector<PAPERCLASS> after = DefinitionsOf(second);
    FUZZ_CHECK(before.size() == after.size(), "definition count survives UTF-16");
    for (std::size_t d = 0; d < before.size(); ++d) {
        WString line;
        first.composeDefinitionEntry(before[d], line, L':');
        if (line.size() - 1 <= media_file::kUnicodeLineUnits)
            FUZZ_CHECK(media_file::WithoutLineEnds(before[d].name) == after[d].name, "definition name survives UTF-16");
        FUZZ_CHECK(MeasureAsWritten(before[d].measureType) == after[d].measureType, "unit survives UTF-16");
        CheckSize(before[d].width, after[d].width, 2, "width survives UTF-16");
        CheckSize(before[d].height, after[d].height, 2, "height survives UTF-16");
        CheckSize(before[d].widthPts, after[d].widthPts, 2, "width in points survives UTF-16");
        CheckSize(before[d].heightPts, after[d].heightPts, 2, "height in points survives UTF-16");
    }
}

// Length of a definition's 8-bit line without its line end.
inline std::size_t ByteLineLength(const Catalog& catalog, const PAPERCLASS& d) {
    std::size_t length = 2 + d.name.size();
    for (float value : {d.width, d.height, d.widthPts, d.heightPts}) {
        std::string number;
        catalog.FloatToString(value, number, 4);
        length += number.size() + 1;
    }
    return length;
}

// The 8-bit writer turns every definition upright (height not below width).
inline void CheckByteRoundTrip(Catalog& first, const std::vector<PAPERCLASS>& before) {
    const WString written = Folder::Instance().WidePath("written-bytes.def");
    if (!first.SaveNonUnicodeDefinition(written)) return;  // a name 8-bit text cannot hold
    Catalog second;
    second.LoadNonUnicodeDefinitions(written);
    const std::vector<PAPERCLASS> after = DefinitionsOf(second);
    FUZZ_CHECK(before.size() == after.size(), "definition count survives 8-bit");
    for (std::size_t d = 0; d < before.size(); ++d) {
        const PAPERCLASS& b = before[d];
        const bool upright = b.height >= b.width;
        if (ByteLineLength(first, b) <= media_file::kNamedDefinitionLineLimit)
            FUZZ_CHECK(b.name == after[d].name, "definition name survives 8-bit");
        FUZZ_CHECK(MeasureAsWritten(b.measureType) == after[d].measureType, "unit survives 8-bit");
        CheckSize(upright ? b.width : b.height, after[d].width, 4, "width survives 8-bit");
        CheckSize(upright ? b.height : b.width, after[d].height, 4, "height survives 8-bit");
        CheckSize(upright ? b.widthPts : b.heightPts, after[d].widthPts, 4, "width in points survives 8-bit");
        CheckSize(upright ? b.heightPts : b.widthPts, after[d].heightPts, 4, "height in points survives 8-bit");
    }
}

inline void CheckDefinitions(const std::uint8_t* data, std::size_t size, DefinitionEntry entry) {
    const WString path = Folder::Instance().Write("catalog.def", data, size);
    Catalog first;
    if (entry == DefinitionEntry::Named)
        first.JSE_Media_LoadNamedDefinition(path);
    else
        first.LoadDefinitionsFromUnicodeFile(path);
    const std::vector<PAPERCLASS> before = DefinitionsOf(first);
    for (std::size_t d = 0; d < before.size(); ++d) {
        FUZZ_CHECK(before[d].id == static_cast<int>(d), "a definition's id is its position");
        FUZZ_CHECK(before[d].width >= 0.01f && before[d].height >= 0.01f && before[d].widthPts >= 0.01f &&
                       before[d].heightPts >= 0.01f,
                   "a definition has a size its file holds");
    }
    CheckUnicodeRoundTrip(first, before);
    CheckByteRoundTrip(first, before);
}

}  // namespace fuzz
