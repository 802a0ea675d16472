// The catalog's own load: UTF-16 files by their byte-order mark, the rest
// through the full 8-bit reader.
#include "catalog_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckCatalog(data, size, fuzz::CatalogEntry::Load);
    return 0;
}
