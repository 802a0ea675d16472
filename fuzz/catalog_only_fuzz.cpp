// The catalog-only load: UTF-16 files by their byte-order mark, the rest
// through the 8-bit reader that reads the flags as yes or no.
#include "catalog_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckCatalog(data, size, fuzz::CatalogEntry::LoadCatalogOnly);
    return 0;
}
