// The command filter's reading of the printer's status replies from the back
// channel: any reply gives only scheduler lines, and reading the same reply
// again gives the same result and leaves the same ink levels.
#include "CommandFilter.h"
#include "filter_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);  // read up to its first 0
    InkLevels last;
    fuzz::Captured first;
    const bool read = ReportStatusText(reply.c_str(), last, first.get());
    fuzz::CheckSchedulerLines(first.text());

    const InkLevels reported = last;
    fuzz::Captured again;
    FUZZ_CHECK(ReportStatusText(reply.c_str(), last, again.get()) == read, "same reply, same result");
    fuzz::CheckSchedulerLines(again.text());
    for (int i = 0; i < 4; ++i) FUZZ_CHECK(last.level[i] == reported.level[i], "ink levels settle");
    return 0;
}
