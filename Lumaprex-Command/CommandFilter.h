// Command filter: reads a command file, one printer command per line, sends
// printer commands on standard output, turns the printer's status replies on
// the back channel into "ATTR:" and "STATE:" lines, and stores the job ticket
// of "SaveJobTicket" in the queue's PPD.
#pragma once

#include <cstdio>
#include <string_view>

#include <cups/cups.h>
#include <cups/ppd.h>

// The job as the command line gives it (the copies argument is not kept).
struct job_data_t {
    int job = 0;
    const char* user = nullptr;
    const char* title = nullptr;
    int num_options = 0;
    cups_option_t* options = nullptr;
};

// Where the filter's output goes: printer commands and scheduler messages.
struct FilterOutput {
    std::FILE* printer = stdout;
    std::FILE* messages = stderr;
};

// Ink levels last reported in this run, cyan, magenta, yellow and black;
// -1 before the first report.
struct InkLevels {
    int level[4] = {-1, -1, -1, -1};
};

// Checks the arguments, sets the language, fills the job and opens and marks
// the queue's PPD. Null (with a message on standard error) on failure.
ppd_file_t* Initialize(int argc, char* argv[], job_data_t* job);

// Makes standard error unbuffered and takes the message language from
// "APPLE_LANGUAGE", else "LANG".
void SetLocale();

// The message in the chosen language; the English text is the key and the
// fallback.
const char* LocalizedString(const char* english);
// Chooses the language by its name ("de", "fr_FR.UTF-8", "de-DE"...); null or
// an unknown name keeps English.
void SetMessageLanguage(const char* name);

// Writes "<prefix>: <localized message>" on the stream as one scheduler
// line, cut to its bound.
void LogMessage(std::FILE* messages, const char* prefix, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Asks the printer for its status (when timeout > 0), reads one reply from
// the back channel and reports it.
bool GetStatus(ppd_file_t* ppd, double timeout, InkLevels& last, const FilterOutput& output);

// Reports each line of a status reply; false at the first line it cannot
// read.
bool ReportStatusText(const char* text, InkLevels& last, std::FILE* messages);

// Writes the self-test page in the printer's raster command language, and
// "PAGE: 1 1" once the printer has taken all of it.
void print_self_test_page(const char* author, const FilterOutput& output);

// Flushes the printer's stream: true while it has taken every byte written to
// it, false (errno saying why) once a write failed.
bool PrinterTookEverything(std::FILE* printer);

// Stores every byte left in the command file as the job's ticket: under the
// name the job's options give it, when they do, and as the last ticket stored,
// the job's user its owner. Returns the exit status: 1, with an "ERROR:" line
// and nothing stored, when the ticket cannot be read to its end, is larger
// than the store takes or cannot be compressed, or has a name that is no
// ticket name or not its own.
int SaveJobTicket(cups_file_t* commands, const job_data_t& job, ppd_file_t* ppd, std::FILE* messages);

// Runs every command of the file; returns the exit status: 1, with an
// "ERROR:" line and no further command run, once the file cannot be read or
// the printer does not take what a command writes to it.
int RunCommandFile(cups_file_t* commands, const job_data_t& job, ppd_file_t* ppd,
                   const FilterOutput& output);

// The whole program: arguments, PPD, command file, commands.
int RunCommandFilter(int argc, char* argv[]);
