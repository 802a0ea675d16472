// The size-definition load by path: UTF-16 files by their byte-order mark,
// the rest as 8-bit text.
#include "definitions_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::CheckDefinitions(data, size, fuzz::DefinitionEntry::Named);
    return 0;
}
