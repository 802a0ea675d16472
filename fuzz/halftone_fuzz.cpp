// The PostScript filter's halftone options on any options text: the numbers
// stay within their ranges, messages are scheduler lines, a well-formed
// option at the end of the text decides its number, and the screen line
// carries the numbers.
#include <cstring>

#include "PostScriptFilter.h"
#include "filter_support.h"

namespace {

void Read(const std::string& options, int& angle, int& frequency) {
    fuzz::Captured messages;
    GetHalftoneNumbers(options.data(), options.size(), &angle, &frequency, messages.get());
    fuzz::CheckSchedulerLines(messages.text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string options(reinterpret_cast<const char*>(data), size);
    int angle = -1, frequency = -1;
    Read(options, angle, frequency);
    FUZZ_CHECK(angle >= 0 && angle <= 180, "angle within 0 to 180");
    FUZZ_CHECK(frequency >= 1 && frequency <= 600, "frequency within 1 to 600");

    Read(options + " com.Varneth.lumaprex.halftonedegree=45 com.Varneth.lumaprex.halftonelpi=150", angle, frequency);
    FUZZ_CHECK(angle == 45 && frequency == 150, "the last option decides");

    const std::string line = ScreenLine(angle, frequency);
    FUZZ_CHECK(line == "\ncurrentscreen 3 1 roll pop pop  150 45  3 -1 roll setscreen\n", "screen line");
    return 0;
}
