// The attribute load: UTF-16 files by their byte-order mark, the rest as
// 8-bit text.
#include "attributes_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckAttributes(data, size, fuzz::AttributeEntry::Load);
    return 0;
}
