// Stand-in for the system log and the console log: lines go to syslog, and
// console lines also to standard error. A LogRecorder takes every line
// instead while it exists, so that tests can read what was logged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The syslog priorities the extension uses.
enum class LogPriority { Error = 3, Warning = 4, Notice = 5, Info = 6, Debug = 7 };

// One line to the system log.
void Log(LogPriority priority, std::string_view message);
// One line to the console: standard error and the system log (notice).
void ConsoleLog(std::string_view message);

// Records every line logged while it exists, in place of the real logs.
// Recorders nest: the newest one records.
class LogRecorder {
public:
    struct Line {
        LogPriority priority;
        std::string text;
        bool console;  // logged with ConsoleLog
    };

    LogRecorder();
    ~LogRecorder();
    LogRecorder(const LogRecorder&) = delete;
    LogRecorder& operator=(const LogRecorder&) = delete;

    const std::vector<Line>& lines() const { return m_lines; }
    // The texts alone, in order.
    std::vector<std::string> texts() const;
    void record(LogPriority priority, std::string_view text, bool console);

private:
    std::vector<Line> m_lines;
    LogRecorder* m_previous;
};

}  // namespace platform
