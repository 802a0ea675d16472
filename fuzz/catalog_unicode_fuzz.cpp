// The UTF-16 catalog reader on any bytes, with or without a byte-order mark.
#include "catalog_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckCatalog(data, size, fuzz::CatalogEntry::Unicode);
    return 0;
}
