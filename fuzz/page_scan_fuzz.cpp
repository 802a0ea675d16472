// The PostScript filter's copy of a job with the screen line put in front of
// its first "%%Page:" line. The first input byte chooses a filler that puts
// the rest of the input across the end of the filter's first read block
// (bit 0: filler, bit 1: the filler ends its line, bits 2 to 6: its length
// around the block size), so that a page line can straddle two blocks. The
// job must come out byte for byte, with the screen line added exactly once,
// in front of the first "%%Page:" at a line start.
#include <fcntl.h>
#include <unistd.h>

#include <iterator>

#include "PostScriptFilter.h"
#include "filter_support.h"

namespace {

std::string Job(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return std::string();
    const std::uint8_t choice = data[0];
    std::string job;
    if (choice & 1) {
        job.assign(kCopyBlockSize - 16 + ((choice >> 2) & 31), 'x');
        if (choice & 2) job.back() = '\n';
    }
    return job.append(reinterpret_cast<const char*>(data) + 1, size - 1);
}

std::string::size_type FirstPageLine(const std::string& job) {
    for (std::size_t at = job.find("%%Page:"); at != std::string::npos; at = job.find("%%Page:", at + 1))
        if (at == 0 || job[at - 1] == '\n' || job[at - 1] == '\r') return at;
    return std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Folder& folder = fuzz::Folder::Instance();
    const std::string job = Job(data, size);
    folder.Write("job", reinterpret_cast<const std::uint8_t*>(job.data()), job.size());
    const int in = open(folder.Path("job").c_str(), O_RDONLY);
    const int out = open(folder.Path("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    FUZZ_CHECK(in >= 0 && out >= 0, "job and output open");
    bool found = false;
    FUZZ_CHECK(ProcessHalfTone(in, out, 45, 150, &found) == CopyResult::kDone && CopyJobRest(in, out) == CopyResult::kDone,
               "job written");
    close(in);
    close(out);

    const std::size_t page = FirstPageLine(job);
    FUZZ_CHECK(found == (page != std::string::npos), "a page line is found when there is one");
    const std::string expected =
        found ? job.substr(0, page) + ScreenLine(45, 150) + job.substr(page) : job;
    std::ifstream written(folder.Path("out"), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
    FUZZ_CHECK(text == expected, "the job comes out whole, with one screen line before its first page");
    return 0;
}
