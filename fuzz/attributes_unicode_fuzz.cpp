// The UTF-16 attribute reader on any bytes.
#include "attributes_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckAttributes(data, size, fuzz::AttributeEntry::Unicode);
    return 0;
}
