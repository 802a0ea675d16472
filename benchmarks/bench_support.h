// Shared set-up of the benchmarks: the shipped paper catalog.
#pragma once

#include <string>

#include "JSE_Media.h"

namespace bench {

inline const wchar_t* const kColors = L"any:white:red:yellow:green:blue:clear";
inline const wchar_t* const kTypes = L"plain:cover:color:insert:tab:transparency";

inline WString ShippedCatalogPath() {
    const std::string path = LUMAPREX_DATA_DIR "/PaperCatalog.cat";
    return WString(path.begin(), path.end());
}

}  // namespace bench
