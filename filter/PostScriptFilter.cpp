// Main road of the PostScript filter.
#include <fcntl.h>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

#include <cups/cups.h>
#include <cups/ppd.h>

#include "NamedTickets.h"
#include "PostScriptFilter.h"
#include "PpdOpen.h"
#include "Receipts.h"
#include "SchedulerLines.h"
#include "ppdx.h"

namespace {

constexpr int kArgumentCountError = 1;
constexpr int kPpdError = 7;
constexpr std::size_t kTicketLogLimit = 64000;

void traceArguments(int argc, char* argv[]) {
    syslog(LOG_DEBUG, "test message argc : %d", argc);
    syslog(LOG_DEBUG, "test All parameters: \n");
    for (int i = 0; i < argc; ++i) {
        syslog(LOG_DEBUG, "test argv[%d] : %s", i, argv[i]);
    }
    if (argc > 3) {
        syslog(LOG_DEBUG, "argv 3 : %s", argv[3]);
    }
}

// The job's options; value() is null for an option absent or empty.
class JobOptions {
public:
    explicit JobOptions(const char* options) : count_(cupsParseOptions(options, 0, &options_)) {}
    ~JobOptions() { cupsFreeOptions(count_, options_); }
    JobOptions(const JobOptions&) = delete;
    JobOptions& operator=(const JobOptions&) = delete;
    const char* value(const char* option) const {
        const char* value = cupsGetOption(option, count_, options_);
        return value && *value ? value : nullptr;
    }

private:
    cups_option_t* options_ = nullptr;
    int count_;
};

// Whether the scheduler runs the filter on a banner page of the job rather
// than on its document, which may go another way.
bool IsBannerPage() {
    const char* type = std::getenv("CUPS_FILETYPE");
    return type && std::strcmp(type, "job-sheet") == 0;
}

// Writes the ticket with the job's title, ending with a line end.
void writeTicket(std::string_view ticket, const char* title, std::FILE* out) {
    if (ticket.empty()) {
        return;
    }
    syslog(LOG_DEBUG, "exData content: %.*s",
           static_cast<int>(ticket.size() < kTicketLogLimit ? ticket.size() : kTicketLogLimit), ticket.data());
    std::string titleText;
    bool hasTitle = appendUTF8(title, &titleText);
    if (!ReplaceTitle(ticket.data(), ticket.size(), hasTitle ? &titleText : nullptr, out)) {
        std::fputs("\r\n", out);
    }
}

// Looks up the ticket the job goes behind, telling on the messages stream
// why it goes without one: false when the job must not print, else true
// with the ticket found, if any.
bool findJobTicket(ppd_file_t* ppd, const char* options, const char* user, FoundTicket& found,
                   std::FILE* messages) {
    syslog(LOG_DEBUG, "get exData from ppd");
    const JobOptions job(options);
    const char* name = job.value(kTicketNameOption);
    std::string reason;
    const TicketLookup lookup = FindTicket(ppd, name, user, found, reason);
    // The job's document, which names the same ticket, stops instead.
    if (name && IsBannerPage() && lookup != TicketLookup::kFound) {
        WriteSchedulerMessage(messages, "DEBUG", "The banner page goes without the job ticket made for this job (%s)",
                              reason.c_str());
        return true;
    }
    switch (lookup) {
        case TicketLookup::kFound: return true;
        case TicketLookup::kNoneStored:
            if (!reason.empty()) {
                WriteSchedulerMessage(messages, "DEBUG", "No stored job ticket goes ahead of the job: %s",
                                      reason.c_str());
            }
            return true;
        case TicketLookup::kNotKept:
            WriteSchedulerMessage(messages, "ERROR",
                                  "The job ticket made for this job is not in the printer's queue (%s); the job was "
                                  "not printed",
                                  reason.c_str());
            return false;
        case TicketLookup::kDamaged: break;
    }
    if (name) {
        WriteSchedulerMessage(messages, "ERROR",
                              "The job ticket made for this job is damaged (%s); the job was not printed",
                              reason.c_str());
        return false;
    }
    WriteSchedulerMessage(messages, "ERROR", "The stored job ticket is damaged, the job prints without it: %s",
                          reason.c_str());
    return true;
}

}  // namespace

bool WriteJobTicket(ppd_file_t* ppd, const char* options, const char* user, const char* title, std::FILE* out,
                    std::FILE* messages) {
    FoundTicket found;
    if (!findJobTicket(ppd, options, user, found, messages)) {
        return false;
    }
    writeTicket(found.ticket, title, out);
    return true;
}

namespace {

// Opens the PPD named by "PPD"; null, with the system-log line and an
// "ERROR:" line for the job's log, when it does not open.
ppd_file_t* openQueuePpd(std::FILE* messages) {
    std::string reason;
    ppd_file_t* ppd = OpenQueuePpd(reason);
    if (ppd) {
        return ppd;
    }
    ShowError(kPpdError);
    const char* ppdName = std::getenv("PPD");
    if (ppdName && *ppdName) {
        WriteSchedulerMessage(messages, "ERROR", "Unable to open PPD file \"%s\": %s", ppdName, reason.c_str());
    } else {
        WriteSchedulerMessage(messages, "ERROR", "Unable to open PPD file: %s", reason.c_str());
    }
    return nullptr;
}

// A whole number of the text as it stands; false for anything else.
template <typename Number>
bool ReadNumber(const char* text, Number& number) {
    const char* end = text + std::strlen(text);
    const auto [after, error] = std::from_chars(text, end, number);
    return error == std::errc() && after == end;
}

// Once the job went out whole behind the ticket it names: the receipt of a
// job's document (not of its banner pages) that carries a receipt token, the
// filter's word that this attempt at printing this very document went behind
// its ticket. Only a document read from the file the scheduler spooled is
// the very document its sender handed over: the scheduler names that file to
// the first filter it runs alone, and a filter it runs ahead of this one (a
// pre-filter, this very filter again) hands on what it likes through a pipe.
// Read from a pipe, the filter puts its mark in the place of the job's
// receipt, so that none that a filter ahead of it left stands. A receipt the
// PPD holds already (the scheduler trying the job again within the second)
// is not written again. A job that goes without a receipt, read from a pipe
// or with a token or an attempt's start of another form, is told in a
// "DEBUG:" line.
void leaveReceipt(ppd_file_t* ppd, const char* jobArgument, const char* options, bool fromSpoolFile,
                  std::FILE* messages) {
    const JobOptions job(options);
    const char* name = job.value(kTicketNameOption);
    const char* token = job.value(kReceiptOption);
    const char* started = job.value(kAttemptStartOption);
    if (!name || !token || IsBannerPage()) {
        return;
    }
    Receipt receipt{.token = token, .ticket = name};
    if (!fromSpoolFile) {
        WriteSchedulerMessage(messages, "DEBUG",
                              "No receipt for job \"%s\": it came through a pipe, not from the file the scheduler "
                              "spooled",
                              QuotedJobText(jobArgument).c_str());
        if (ReadNumber(jobArgument, receipt.job)) WriteNoReceipt(messages, receipt.job);
        return;
    }
    const bool readable =
        ReadNumber(jobArgument, receipt.job) && started && ReadNumber(started, receipt.started);
    if (readable && ReadReceipt(ppd, receipt.job) == receipt) {
        return;
    }
    if (!readable || !WriteReceipt(messages, receipt)) {
        WriteSchedulerMessage(messages, "DEBUG", "No receipt for job \"%s\" with the receipt token \"%s\" started at \"%s\"",
                              QuotedJobText(jobArgument).c_str(), QuotedJobText(token).c_str(),
                              QuotedJobText(started ? started : "").c_str());
    }
}

// Whether the job is read from a file that the scheduler named, rather than
// from a pipe.
bool IsSpoolFile(int job, int argc) {
    struct stat about {};
    return argc == 7 && fstat(job, &about) == 0 && S_ISREG(about.st_mode);
}

void closeJob(int job) {
    if (job != STDIN_FILENO) {
        close(job);
    }
}

// Runs the filter on an opened PPD; returns the exit status.
int filterJob(ppd_file_t* ppd, int argc, char* argv[], std::FILE* messages) {
    if (argc < 6 || argc > 7) {
        ShowError(kArgumentCountError);
        WriteSchedulerMessage(messages, "ERROR",
                              "Wrong number of arguments (%d); usage: %s job user title copies options [filename]",
                              argc > 0 ? argc - 1 : 0, argc > 0 ? argv[0] : "Lumaprex");
        return 1;
    }
    int job = argc == 7 ? open(argv[6], O_RDONLY) : STDIN_FILENO;
    if (job < 0) {
        ShowError(kArgumentCountError);
        WriteSchedulerMessage(messages, "ERROR", "Unable to open job file \"%s\": %s", argv[6], std::strerror(errno));
        return 1;
    }
    const bool fromSpoolFile = IsSpoolFile(job, argc);
    syslog(LOG_DEBUG, "print");
    int angle = kDefaultScreenAngle;
    int frequency = kDefaultScreenFrequency;
    GetHalftoneNumbers(argv[5], std::strlen(argv[5]), &angle, &frequency, messages);
    FoundTicket ticket;
    if (!findJobTicket(ppd, argv[5], argv[2], ticket, messages)) {
        closeJob(job);
        return 1;
    }
    std::string document;
    CopyResult copied = CopyJobOpening(job, STDOUT_FILENO, document);
    if (copied == CopyResult::kDone) {
        writeTicket(ticket.ticket, argv[3], stdout);
        copied = std::fflush(stdout) == 0 ? ProcessHalfTone(job, STDOUT_FILENO, angle, frequency, nullptr, document)
                                          : CopyResult::kWriteFailed;
    }
    if (copied == CopyResult::kDone) {
        copied = CopyJobRest(job, STDOUT_FILENO);
    }
    const int error = errno;
    closeJob(job);
    if (copied == CopyResult::kReadFailed) {
        WriteSchedulerMessage(messages, "ERROR", "Unable to read the job: %s", std::strerror(error));
        return 1;
    }
    // Before the output closes: a filter that the scheduler runs behind this
    // one reads the end of the job only then, so what it says of the job
    // comes after the receipt.
    if (copied == CopyResult::kDone) {
        leaveReceipt(ppd, argv[1], argv[5], fromSpoolFile, messages);
    }
    const bool closed = std::fclose(stdout) == 0;
    if (!closed || copied != CopyResult::kDone) {
        WriteSchedulerMessage(messages, "ERROR", "Unable to write the job: %s", std::strerror(closed ? error : errno));
        return 1;
    }
    return 0;
}

}  // namespace

void ShowError(int code) {
    if (code == kArgumentCountError) {
        syslog(LOG_ERR, "%s\n", "argc < 6 ) || argc > 7.");
    } else if (code == kPpdError) {
        syslog(LOG_ERR, "%s\n", "could not get PPD file");
    }
}

int RunPostScriptFilter(int argc, char* argv[]) {
    openlog("Lumaprex", LOG_PID, LOG_LPR);
    traceArguments(argc, argv);
    ppd_file_t* ppd = openQueuePpd(stderr);
    if (!ppd) {
        return 1;
    }
    int status = filterJob(ppd, argc, argv, stderr);
    ppdClose(ppd);
    return status;
}
