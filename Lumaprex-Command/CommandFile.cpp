// The command loop of the command filter and the storing of the job ticket.
#include <strings.h>
#include <syslog.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "CommandFilter.h"
#include "NamedTickets.h"
#include "SchedulerLines.h"
#include "ppdx.h"

namespace {

constexpr std::size_t kCommandLineSize = 1024;
constexpr std::size_t kTicketBlockSize = 64000;
constexpr double kStatusTimeout = 5.0;

const char* orEmpty(const char* value) {
    return value ? value : "";
}

// Writes "<command>" or "<command> <value>" to the printer.
void sendCommand(const char* command, const char* value, const FilterOutput& output) {
    if (value && *value) {
        std::fprintf(output.printer, "%s %s\n", command, value);
    } else {
        std::fprintf(output.printer, "%s\n", command);
    }
}

void askForLevels(const FilterOutput& output) {
    std::fputs("LEVELS\n", output.printer);
    std::fflush(output.printer);
}

// Asks for the levels and reads the reply, unless the printer no longer
// takes what is written to it.
void reportLevels(ppd_file_t* ppd, InkLevels& levels, const FilterOutput& output) {
    askForLevels(output);
    if (PrinterTookEverything(output.printer)) {
        GetStatus(ppd, kStatusTimeout, levels, output);
    }
}

// The command file (standard input without a seventh argument), open and
// readable; null, with errno saying why, when it does not open or cannot be
// read at all, as a directory cannot.
cups_file_t* openCommandFile(int argc, char* argv[]) {
    cups_file_t* commands = argc == 7 ? cupsFileOpen(argv[6], "r") : cupsFileStdin();
    if (!commands) {
        return nullptr;
    }
    errno = 0;
    if (cupsFilePeekChar(commands) < 0 && errno != 0) {
        const int error = errno;
        cupsFileClose(commands);
        errno = error;
        return nullptr;
    }
    return commands;
}

// Whether the read just made, with errno cleared before it, failed. The
// reader answers a failed read as it answers the end of the file, handing
// back what it had before, and tells of the failure only through errno; a
// read that was interrupted or had to wait and then went on is no failure.
bool lastReadFailed() {
    return errno != 0 && errno != EINTR && errno != EAGAIN;
}

// Reads the next block of the ticket: its length, 0 at the end of the file,
// or -1 with errno saying why the file could not be read.
ssize_t readTicketBlock(cups_file_t* commands, char* block, std::size_t size) {
    errno = 0;
    ssize_t length = cupsFileRead(commands, block, size);
    if (lastReadFailed()) {
        return -1;
    }
    return length < 0 ? 0 : length;
}

// Reads the next command line: true with the line, false at the end of the
// file or, with errno saying why, when the file could not be read. A line cut
// short by a failed read is no command.
bool readCommandLine(cups_file_t* commands, char* line, std::size_t size, char** value,
                     int* lineNumber) {
    errno = 0;
    const bool read = cupsFileGetConf(commands, line, size, value, lineNumber) != nullptr;
    return read && !lastReadFailed();
}

}  // namespace

bool PrinterTookEverything(std::FILE* printer) {
    return std::fflush(printer) == 0 && !std::ferror(printer);
}

int SaveJobTicket(cups_file_t* commands, const job_data_t& job, ppd_file_t* ppd, std::FILE* messages) {
    syslog(LOG_DEBUG, "job ticket command");
    std::string ticket;
    char block[kTicketBlockSize];
    for (;;) {
        ssize_t length = readTicketBlock(commands, block, sizeof block);
        if (length < 0) {
            LogMessage(messages, "ERROR", "Unable to read the job ticket: %s", std::strerror(errno));
            return 1;
        }
        if (length == 0) {
            break;
        }
        syslog(LOG_DEBUG, "job ticket contents: %.*s", static_cast<int>(length), block);
        if (ticket.size() + static_cast<std::size_t>(length) > kPpdxMaxDataSize) {
            LogMessage(messages, "ERROR", "Job ticket larger than %zu bytes, not stored",
                       kPpdxMaxDataSize);
            return 1;
        }
        ticket.append(block, static_cast<std::size_t>(length));
    }
    if (ticket.empty()) {
        return 0;
    }
    const char* name = cupsGetOption(kTicketNameOption, job.num_options, job.options);
    switch (StoreTicket(messages, ppd, name, job.user, ticket)) {
        case TicketStoreError::kNone: return 0;
        case TicketStoreError::kBadName:
            LogMessage(messages, "ERROR", "The job ticket's name is not one the print dialog gives");
            return 1;
        case TicketStoreError::kNotItsName:
            LogMessage(messages, "ERROR", "The job ticket is not the one its name stands for");
            return 1;
        default: return 1;
    }
}

int RunCommandFile(cups_file_t* commands, const job_data_t& job, ppd_file_t* ppd,
                   const FilterOutput& output) {
    InkLevels levels;
    char line[kCommandLineSize];
    char* value = nullptr;
    int lineNumber = 0;
    while (readCommandLine(commands, line, sizeof line, &value, &lineNumber)) {
        if (!strcasecmp(line, "ChangeInk")) {
            sendCommand("CHANGEINK", value, output);
            reportLevels(ppd, levels, output);
        } else if (!strcasecmp(line, "Clean")) {
            sendCommand("CLEAN", value, output);
        } else if (!strcasecmp(line, "PrintSelfTestPage")) {
            print_self_test_page(orEmpty(job.user), output);
        } else if (!strcasecmp(line, "ReportLevels")) {
            reportLevels(ppd, levels, output);
        } else if (!strcasecmp(line, "SaveJobTicket")) {
            if (int status = SaveJobTicket(commands, job, ppd, output.messages)) {
                return status;
            }
        } else {
            LogMessage(output.messages, "ERROR", "Unknown printer command \"%s\"!", QuotedJobText(line).c_str());
        }
        if (!PrinterTookEverything(output.printer)) {
            LogMessage(output.messages, "ERROR", "Unable to write the job: %s", std::strerror(errno));
            return 1;
        }
    }
    if (lastReadFailed()) {
        LogMessage(output.messages, "ERROR", "Unable to read the command file: %s", std::strerror(errno));
        return 1;
    }
    return 0;
}

int RunCommandFilter(int argc, char* argv[]) {
    openlog("Lumaprex-Command", LOG_PID, LOG_LPR);
    job_data_t job;
    ppd_file_t* ppd = Initialize(argc, argv, &job);
    if (!ppd) {
        cupsFreeOptions(job.num_options, job.options);
        return 1;
    }
    cups_file_t* commands = openCommandFile(argc, argv);
    int status = 1;
    if (!commands) {
        LogMessage(stderr, "ERROR", "Unable to open command file: %s", std::strerror(errno));
    } else {
        status = RunCommandFile(commands, job, ppd, FilterOutput{});
        cupsFileClose(commands);
    }
    std::fflush(stdout);
    ppdClose(ppd);
    cupsFreeOptions(job.num_options, job.options);
    return status;
}
