// The property every catalog reader is held to: whatever the bytes, the
// reader neither crashes nor trips a sanitizer, every paper it leaves in the
// catalog has a size definition with a width and a height, or none and the
// size of 8.5 by 11 inches, and its flags read as yes or no, and the papers
// it read, written out by the catalog's writer and read back by the
// catalog's load, come back with every field the writer stores; what a load
// accepted, the load of what was saved accepts whole.
#pragma once

#include "fuzz_support.h"
#include "JSE_MediaFileText.h"

namespace fuzz {

enum class CatalogEntry { Load, LoadCatalogOnly, Unicode };

inline bool ReadCatalog(Catalog& catalog, CatalogEntry entry, const WString& path) {
    switch (entry) {
    case CatalogEntry::Load: return catalog.JSE_Media_LoadCatalog(path, false);
    case CatalogEntry::LoadCatalogOnly: return catalog.JSE_Media_LoadCatalogOnly(path);
    case CatalogEntry::Unicode: return catalog.LoadCatalogFromUnicodeFile(path);
    }
    return false;
}

// Every reader reads the flags as yes or no, so they come back as they are.
inline void CheckPaperRoundTrip(const Catalog& first, const Catalog& second, int i) {
    PAPERDEF before, after;
    FUZZ_CHECK(first.GetPaperInfo(i, before) && second.GetPaperInfo(i, after), "paper readable");
    FUZZ_CHECK(before.name == after.name, "paper name survives");
    FUZZ_CHECK(before.sizeIndex == after.sizeIndex, "size definition survives");
    FUZZ_CHECK(before.weight == after.weight, "weight survives");
    FUZZ_CHECK(before.color == after.color, "colour survives");
    FUZZ_CHECK(before.type == after.type, "type survives");
    FUZZ_CHECK(before.mode == after.mode, "mode survives");
    FUZZ_CHECK((before.precollated == 0 || before.precollated == 1) && (before.punchable == 0 || before.punchable == 1),
               "flags are yes or no");
    FUZZ_CHECK(before.precollated == after.precollated, "precollated survives");
    FUZZ_CHECK(before.punchable == after.punchable, "punchable survives");
}

// No paper is shown or printed on another paper's size.
inline void CheckPaperSizes(const Catalog& catalog) {
    for (int i = 0; i < catalog.JSE_Media_GetNumberOfEntry(); ++i) {
        PAPERDEF paper;
        PAPERCLASS definition;
        catalog.GetPaperInfo(i, paper);
        if (paper.sizeIndex == -1) {
            FUZZ_CHECK(paper.width == 8.5f && paper.height == 11.0f, "a paper without a size definition is 8.5 x 11");
            continue;
        }
        FUZZ_CHECK(catalog.GetPaperDefinition(paper.sizeIndex, definition), "every other paper has its size definition");
        FUZZ_CHECK(definition.width > 0 && definition.height > 0, "every paper's size has a width and a height");
    }
}

inline void CheckCatalog(const std::uint8_t* data, std::size_t size, CatalogEntry entry) {
    const Folder& folder = Folder::Instance();
    Catalog first;
    first.LoadShippedDefinitions();
    const bool accepted = ReadCatalog(first, entry, folder.Write("catalog.txt", data, size));
    CheckPaperSizes(first);

    const WString written = folder.WidePath("written.txt");
    FUZZ_CHECK(first.JSE_Media_SaveMacCatalog(written), "catalog written");
    Catalog second;
    second.LoadShippedDefinitions();
    const bool reloaded = second.JSE_Media_LoadCatalog(written, false);
    FUZZ_CHECK(!accepted || reloaded, "what a save writes, a load reads back whole");
    if (!reloaded) second.LoadCatalogFromUnicodeFile(written);  // what the reader keeps of a file it refuses

    const int count = first.JSE_Media_GetNumberOfEntry();
    FUZZ_CHECK(count == second.JSE_Media_GetNumberOfEntry(), "paper count survives");
    for (int i = 0; i < count; ++i) CheckPaperRoundTrip(first, second, i);

    WString language, defaultName, languageAfter, defaultNameAfter;
    first.JSE_Media_GetLanguage(language);
    first.JSE_Media_GetDefault(defaultName);
    second.JSE_Media_GetLanguage(languageAfter);
    second.JSE_Media_GetDefault(defaultNameAfter);
    // A header line longer than a line may be is cut on the way back. Line
    // ends are left out of the header (8-bit text may hold a carriage return
    // before a 0 byte).
    if (language.size() + 1 + defaultName.size() < media_file::kUnicodeLineUnits) {
        FUZZ_CHECK(media_file::WithoutLineEnds(language) == languageAfter, "language survives");
        // A default paper whose name holds a line end or a 0 (an escape the
        // UTF-16 reader lets through with -2009) is written without them and
        // so names no paper when read back.
        if (defaultName.find_first_of(WString(L"\r\n\0", 3)) == WString::npos)
            FUZZ_CHECK(defaultName == defaultNameAfter, "default paper survives");
    }
}

}  // namespace fuzz
