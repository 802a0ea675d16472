// The data store's write and read: any content, written as "PPD:" lines,
// kept by the scheduler as PPD keywords and read back, is the same content.
#include <cstring>

#include "ppdx_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr const char* kName = "EXDATA0";
    std::string lines;
    FUZZ_CHECK(fuzz::WriteStatusLines(kName, data, size, lines), "content written");
    fuzz::DataSet read;
    FUZZ_CHECK(fuzz::ReadFromQueuePpd(fuzz::ItemsOfStatusLines(lines), kName, read), "written PPD opens");
    FUZZ_CHECK(read.content && read.size == size, "content size survives");
    FUZZ_CHECK(size == 0 || std::memcmp(read.content.get(), data, size) == 0, "content survives");
    return 0;
}
