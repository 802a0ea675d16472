// Shared pieces of the filter targets: captured streams and the rule that
// every line a filter writes for the scheduler starts with a known prefix
// and stays within the scheduler's bound, so no input can slip a line of its
// own (a "PPD:" line, say) into them.
#pragma once

#include <syslog.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SchedulerLines.h"
#include "fuzz_support.h"

namespace fuzz {

// A stream whose bytes are read back as a string.
class Captured {
public:
    Captured() : m_stream(open_memstream(&m_buffer, &m_size)) {}
    ~Captured() {
        std::fclose(m_stream);
        std::free(m_buffer);
    }
    Captured(const Captured&) = delete;
    Captured& operator=(const Captured&) = delete;

    std::FILE* get() const { return m_stream; }
    std::string text() {
        std::fflush(m_stream);
        return std::string(m_buffer, m_size);
    }

private:
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_stream;
};

inline bool IsSchedulerLine(std::string_view line) {
    for (std::string_view prefix : {"DEBUG:", "ERROR:", "STATE:", "ATTR:", "PPD:", "PAGE:", "INFO:", "WARNING:"})
        if (line.substr(0, prefix.size()) == prefix) return true;
    return false;
}

// Every line is a scheduler line within the scheduler's bound, and the last
// one is ended.
inline void CheckSchedulerLines(const std::string& messages) {
    std::size_t start = 0;
    while (start < messages.size()) {
        const std::size_t end = messages.find('\n', start);
        FUZZ_CHECK(end != std::string::npos, "scheduler line ended by a line feed");
        FUZZ_CHECK(end + 1 - start <= kLongestSchedulerLine, "scheduler line within its bound");
        FUZZ_CHECK(IsSchedulerLine(std::string_view(messages).substr(start, end - start)),
                   "scheduler line starts with a known prefix");
        start = end + 1;
    }
}

// The filters trace at debug priority; a fuzz run keeps that out of the log.
inline void QuietSystemLog() { setlogmask(LOG_UPTO(LOG_INFO)); }

}  // namespace fuzz
