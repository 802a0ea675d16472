// The lines both filters write for the scheduler on standard error ("DEBUG:",
// "ERROR:", "STATE:", "ATTR:", "PAGE:", "PPD:"). The scheduler reads them in
// pieces of 2,048 bytes and takes what follows a cut as a line of its own,
// with whatever prefix it starts with, so a long line could hand it a "PPD:"
// line of a job's choosing. Every line therefore goes through this one
// writer, which keeps it within kLongestSchedulerLine, and a message quotes
// text that comes from a job (an option, a command line, a printer's reply)
// at most kLongestQuote bytes long. Used by both filters and the data store.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// The longest line a filter writes for the scheduler, its line end included.
inline constexpr std::size_t kLongestSchedulerLine = 1024;
// The most of a job's text that a message quotes.
inline constexpr std::size_t kLongestQuote = 64;
// What marks a line or a quote as cut.
inline constexpr std::string_view kCutMark = "...";

// Writes the line with a line feed, in one write: a line end within it
// becomes a blank, and a line that would run past the bound is cut at a
// whole UTF-8 character and ends with kCutMark. False when the stream does
// not take it whole.
bool WriteSchedulerLine(std::FILE* out, std::string_view line);

// Writes "<prefix>: <message>" as one line, the message made from the
// printf format and its arguments.
bool WriteSchedulerMessage(std::FILE* out, const char* prefix, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool WriteSchedulerMessageV(std::FILE* out, const char* prefix, const char* format, va_list arguments);

// A job's text as a message quotes it: its control characters blanked and,
// beyond kLongestQuote bytes, cut at a whole UTF-8 character and marked with
// kCutMark.
std::string QuotedJobText(std::string_view text);
