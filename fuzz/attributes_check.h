// The property the attribute readers are held to: no crash and no sanitizer
// report on any bytes, and the weights, types and colours read, written out
// and read back by the UTF-16 reader, are the same lists.
#pragma once

#include <vector>

#include "JSE_MediaFileText.h"
#include "fuzz_support.h"

namespace fuzz {

enum class AttributeEntry { Load, Unicode };

// The writer leaves line ends out of a value (only 8-bit text holds a lone
// carriage return) and drops what is then empty or would read back as a
// section header: that is the list that must come back.
inline std::vector<WString> AsWritten(const std::vector<WString>& values) {
    std::vector<WString> written;
    for (const WString& value : values) {
        const WString kept = media_file::WithoutLineEnds(value);
        if (!kept.empty() && kept[0] != L'[') written.push_back(kept);
    }
    return written;
}

inline void CheckAttributes(const std::uint8_t* data, std::size_t size, AttributeEntry entry) {
    const Folder& folder = Folder::Instance();
    folder.Write("catalog.txt.atr", data, size);
    const WString catalogPath = folder.WidePath("catalog.txt");
    Catalog first;
    if (entry == AttributeEntry::Load)
        first.JSE_Media_LoadAttributesOnly(catalogPath);
    else
        first.LoadAttributesFromUnicodeFile(catalogPath);

    FUZZ_CHECK(first.JSE_Media_SaveMacPaperAttributes(folder.WidePath("written.txt.atr")), "attributes written");
    Catalog second;
    second.LoadAttributesFromUnicodeFile(folder.WidePath("written.txt"));
    for (int kind : {1, 2, 3})
        FUZZ_CHECK(AsWritten(first.JSE_Media_GetAttributes(kind)) == second.JSE_Media_GetAttributes(kind),
                   "attribute list survives");
}

}  // namespace fuzz
