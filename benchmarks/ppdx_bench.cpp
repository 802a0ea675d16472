// The PPD data store: writing a data set as "PPD:" lines and reading it back
// from a queue PPD, for 1 KiB, 64 KiB and 16 MiB of ticket text.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <benchmark/benchmark.h>
#include <cups/cups.h>
#include <cups/ppd.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ppdx.h"

namespace {

// Ticket-like text of the given size.
std::string TicketText(std::size_t size) {
    std::string text = "%!PS-Adobe-3.0\r\n%%Title: (Report)\r\n";
    for (int line = 0; text.size() < size; ++line)
        text += "%VLXPageException: " + std::to_string(line) + " (Letter_Heavy) plex staple\r\n";
    text.resize(size);
    return text;
}

std::string StatusLines(const std::string& content) {
    char* buffer = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&buffer, &length);
    ppdxWriteDataTo(out, "EXDATA0", content.data(), content.size());
    std::fclose(out);
    std::string text(buffer, length);
    std::free(buffer);
    return text;
}

// A queue PPD holding the data set, as the scheduler keeps the "PPD:" items.
std::string WriteQueuePpd(const std::string& statusLines) {
    std::string ppd = "*PPD-Adobe: \"4.3\"\n";
    std::size_t start = 0;
    while (start < statusLines.size()) {
        std::size_t end = statusLines.find('\n', start);
        const std::string line = statusLines.substr(start, end - start);
        start = end + 1;
        if (line.rfind("PPD:", 0) != 0) continue;
        cups_option_t* options = nullptr;
        const int count = cupsParseOptions(line.c_str() + 4, 0, &options);
        for (int i = 0; i < count; ++i) ppd += std::string("*") + options[i].name + ": " + options[i].value + "\n";
        cupsFreeOptions(count, options);
    }
    ppd += "*FormatVersion: \"4.3\"\n*LanguageVersion: English\n";
    char path[] = "/tmp/lumaprex-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0 || write(fd, ppd.data(), ppd.size()) != static_cast<ssize_t>(ppd.size())) std::abort();
    close(fd);
    return path;
}

void PpdxWrite(benchmark::State& state) {
    const std::string content = TicketText(static_cast<std::size_t>(state.range(0)));
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        if (!ppdxWriteDataTo(sink, "EXDATA0", content.data(), content.size())) state.SkipWithError("not written");
    }
    std::fclose(sink);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// The read of the data set from an opened queue PPD (the PPD's own parse is
// the printing system's).
void PpdxRead(benchmark::State& state) {
    const std::string content = TicketText(static_cast<std::size_t>(state.range(0)));
    const std::string path = WriteQueuePpd(StatusLines(content));
    ppd_file_t* ppd = ppdOpenFile(path.c_str());
    std::FILE* messages = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        std::size_t size = 0;
        void* data = ppdxReadDataFrom(ppd, "EXDATA0", &size, messages);
        if (!data || size != content.size()) state.SkipWithError("not read back");
        std::free(data);
    }
    std::fclose(messages);
    ppdClose(ppd);
    unlink(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

}  // namespace

BENCHMARK(PpdxWrite)->Arg(1 << 10)->Arg(64 << 10)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(PpdxRead)->Arg(1 << 10)->Arg(64 << 10)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
