// The UTF-16 size-definition reader, which hands 8-bit files to the named
// 8-bit reader.
#include "definitions_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckDefinitions(data, size, fuzz::DefinitionEntry::Unicode);
    return 0;
}
