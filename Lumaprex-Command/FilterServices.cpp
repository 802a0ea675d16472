// Shared services of the command filter: start-up, messages and the
// printer's status replies.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CommandFilter.h"
#include "PpdOpen.h"
#include "SchedulerLines.h"

namespace {

constexpr std::size_t kBackChannelSize = 1024;
constexpr int kBackChannel = 3;  // the descriptor the scheduler gives it
constexpr int kLowInk = 5;
constexpr const char* kColourNames[4] = {"cyan", "magenta", "yellow", "black"};

// Reads "IL" followed by four comma-separated integers.
bool parseInkLevels(const std::string& line, int (&levels)[4]) {
    const char* at = line.c_str() + 2;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *at++ != ',') {
            return false;
        }
        char* end = nullptr;
        long value = std::strtol(at, &end, 10);
        if (end == at) {
            return false;
        }
        levels[i] = static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
        at = end;
    }
    return true;
}

void reportInkLevels(const int (&levels)[4], InkLevels& last, std::FILE* messages) {
    if (std::equal(levels, levels + 4, last.level)) {
        return;
    }
    WriteSchedulerMessage(messages, "ATTR",
                          "marker-colors=#00ffff,#ff00ff,#ffff00,#000000 "
                          "marker-levels=%d,%d,%d,%d marker-names=Cyan,Magenta,Yellow,Black "
                          "marker-types=ink,ink,ink,ink",
                          levels[0], levels[1], levels[2], levels[3]);
    for (int i = 0; i < 4; ++i) {
        if (levels[i] < kLowInk && last.level[i] >= kLowInk) {
            WriteSchedulerMessage(messages, "STATE", "+com.sample-%s-error", kColourNames[i]);
        } else if (levels[i] >= kLowInk && last.level[i] < kLowInk) {
            WriteSchedulerMessage(messages, "STATE", "-com.sample-%s-error", kColourNames[i]);
        }
        last.level[i] = levels[i];
    }
}

void reportMediaStates(std::FILE* messages, const char* first, const char* second) {
    WriteSchedulerMessage(messages, "STATE", "%s", first);
    WriteSchedulerMessage(messages, "STATE", "%s", second);
}

bool reportStatusLine(const std::string& line, InkLevels& last, std::FILE* messages) {
    if (line.rfind("IL", 0) == 0) {
        int levels[4];
        if (!parseInkLevels(line, levels)) {
            return false;
        }
        reportInkLevels(levels, last, messages);
    } else if (line == "OP") {
        reportMediaStates(messages, "-media-low-report", "+media-empty-warning");
    } else if (line == "LP") {
        reportMediaStates(messages, "-media-empty-warning", "+media-low-report");
    } else if (line == "OK") {
        reportMediaStates(messages, "-media-empty-warning", "-media-low-report");
    } else {
        WriteSchedulerMessage(messages, "DEBUG", "Unknown status \"%s\"!", QuotedJobText(line).c_str());
        return false;
    }
    return true;
}

}  // namespace

void SetLocale() {
    std::setbuf(stderr, nullptr);
    const char* language = std::getenv("APPLE_LANGUAGE");
    if (!language) {
        language = std::getenv("LANG");
    }
    if (!language) {
        return;
    }
    SetMessageLanguage(language);
    std::setlocale(LC_ALL, "");
}

void LogMessage(std::FILE* messages, const char* prefix, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    WriteSchedulerMessageV(messages, prefix, LocalizedString(format), arguments);
    va_end(arguments);
}

ppd_file_t* Initialize(int argc, char* argv[], job_data_t* job) {
    if (argc < 6 || argc > 7) {
        WriteSchedulerMessage(stderr, "Usage", "%s job user title copies options [filename]",
                              argc > 0 ? argv[0] : "Lumaprex-Command");
        return nullptr;
    }
    SetLocale();
    job->job = std::atoi(argv[1]);
    job->user = argv[2];
    job->title = argv[3];
    job->num_options = cupsParseOptions(argv[5], 0, &job->options);
    std::string reason;
    ppd_file_t* ppd = OpenQueuePpd(reason);
    if (!ppd) {
        LogMessage(stderr, "ERROR", "Unable to open PPD file: %s", reason.c_str());
        return nullptr;
    }
    ppdMarkDefaults(ppd);
    cupsMarkOptions(ppd, job->num_options, job->options);
    return ppd;
}

bool ReportStatusText(const char* text, InkLevels& last, std::FILE* messages) {
    while (*text) {
        std::size_t length = std::strcspn(text, "\n");
        if (!reportStatusLine(std::string(text, length), last, messages)) {
            return false;
        }
        text += length + (text[length] == '\n');
    }
    return true;
}

namespace {

// Reads what the printer sent back within the timeout in seconds: the bytes
// read, 0 when nothing came in time or the channel ended, -1 when there is
// no back channel. It reads only once something is there and gives up on a
// channel that is closed, where cupsBackChannelRead would wait on a silent
// one past its timeout and retry a closed one for ever.
ssize_t ReadBackChannel(char* buffer, std::size_t size, double timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeout));
    pollfd channel{.fd = kBackChannel, .events = POLLIN, .revents = 0};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int ready = poll(&channel, 1, static_cast<int>(std::clamp<long long>(left, 0, INT_MAX)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return ready;
        if (channel.revents & POLLNVAL) return -1;
        const ssize_t length = read(kBackChannel, buffer, size);
        if (length >= 0 || errno != EINTR) return length;
    }
}

}  // namespace

bool GetStatus(ppd_file_t*, double timeout, InkLevels& last, const FilterOutput& output) {
    if (timeout > 0) {
        std::fputs("LEVELS\n", output.printer);
        std::fflush(output.printer);
    }
    char reply[kBackChannelSize + 1];
    const ssize_t length = ReadBackChannel(reply, kBackChannelSize, timeout);
    if (length <= 0) {
        return timeout == 0;
    }
    reply[length] = '\0';
    return ReportStatusText(reply, last, output.messages);
}
