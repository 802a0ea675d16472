// System and console log lines, or a recorder in their place.
#include "SystemLog.h"

#include <syslog.h>

#include <cstdio>

namespace platform {

namespace {

LogRecorder*& CurrentRecorder() {
    static LogRecorder* recorder = nullptr;
    return recorder;
}

void WriteSyslog(LogPriority priority, std::string_view message) {
    syslog(LOG_USER | static_cast<int>(priority), "%.*s", static_cast<int>(message.size()), message.data());
}

}  // namespace

void Log(LogPriority priority, std::string_view message) {
    if (LogRecorder* recorder = CurrentRecorder()) return recorder->record(priority, message, false);
    WriteSyslog(priority, message);
}

void ConsoleLog(std::string_view message) {
    if (LogRecorder* recorder = CurrentRecorder()) return recorder->record(LogPriority::Notice, message, true);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
    WriteSyslog(LogPriority::Notice, message);
}

LogRecorder::LogRecorder() : m_previous(CurrentRecorder()) { CurrentRecorder() = this; }

LogRecorder::~LogRecorder() { CurrentRecorder() = m_previous; }

std::vector<std::string> LogRecorder::texts() const {
    std::vector<std::string> texts;
    for (const Line& line : m_lines) texts.push_back(line.text);
    return texts;
}

void LogRecorder::record(LogPriority priority, std::string_view text, bool console) {
    m_lines.push_back({priority, std::string(text), console});
}

}  // namespace platform
