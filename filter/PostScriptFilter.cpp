// Main road of the PostScript filter.
#include <fcntl.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <cups/ppd.h>

#include "PostScriptFilter.h"
#include "ppdx.h"

namespace {

constexpr const char* kTicketDataSet = "EXDATA0";
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

// Writes the stored ticket, with the job's title, ahead of the job.
void writeTicket(ppd_file_t* ppd, const char* title) {
    syslog(LOG_DEBUG, "get exData from ppd");
    std::size_t size = 0;
    auto* ticket = static_cast<char*>(ppdxReadData(ppd, kTicketDataSet, &size));
    if (ticket && size > 0) {
        syslog(LOG_DEBUG, "exData content: %.*s",
               static_cast<int>(size < kTicketLogLimit ? size : kTicketLogLimit), ticket);
        std::string titleText;
        bool hasTitle = appendUTF8(title, &titleText);
        ReplaceTitle(ticket, size, hasTitle ? &titleText : nullptr, stdout);
    }
    std::free(ticket);
}

// Why the last ppdOpenFile failed: the system's error text when the file
// could not be opened, else what is wrong with its contents.
std::string ppdFailure() {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    if (status == PPD_FILE_OPEN_ERROR) {
        return std::strerror(errno);
    }
    return std::string(ppdErrorString(status)) + " on line " + std::to_string(line);
}

// Opens the PPD named by "PPD"; null, with the system-log line and an
// "ERROR:" line for the job's log, when "PPD" is unset or empty or the file
// does not open.
ppd_file_t* openQueuePpd(std::FILE* messages) {
    const char* ppdName = std::getenv("PPD");
    ppdName = ppdName && *ppdName ? ppdName : nullptr;
    ppd_file_t* ppd = ppdName ? ppdOpenFile(ppdName) : nullptr;
    if (ppd) {
        return ppd;
    }
    std::string reason = ppdName ? ppdFailure() : "PPD is not set";  // errno before syslog
    ShowError(kPpdError);
    if (ppdName) {
        std::fprintf(messages, "ERROR: Unable to open PPD file \"%s\": %s\n", ppdName,
                     reason.c_str());
    } else {
        std::fprintf(messages, "ERROR: Unable to open PPD file: %s\n", reason.c_str());
    }
    return nullptr;
}

// Runs the filter on an opened PPD; returns the exit status.
int filterJob(ppd_file_t* ppd, int argc, char* argv[], std::FILE* messages) {
    if (argc < 6 || argc > 7) {
        ShowError(kArgumentCountError);
        std::fprintf(messages,
                     "ERROR: Wrong number of arguments (%d); usage: %s job user title copies "
                     "options [filename]\n",
                     argc > 0 ? argc - 1 : 0, argc > 0 ? argv[0] : "Lumaprex");
        return 1;
    }
    int job = argc == 7 ? open(argv[6], O_RDONLY) : STDIN_FILENO;
    if (job < 0) {
        ShowError(kArgumentCountError);
        std::fprintf(messages, "ERROR: Unable to open job file \"%s\": %s\n", argv[6],
                     std::strerror(errno));
        return 1;
    }
    syslog(LOG_DEBUG, "print");
    int angle = kDefaultScreenAngle;
    int frequency = kDefaultScreenFrequency;
    GetHalftoneNumbers(argv[5], std::strlen(argv[5]), &angle, &frequency, messages);
    writeTicket(ppd, argv[3]);
    bool written = std::fflush(stdout) == 0 &&
                   ProcessHalfTone(job, STDOUT_FILENO, angle, frequency) &&
                   CopyJobRest(job, STDOUT_FILENO);
    if (job != STDIN_FILENO) {
        close(job);
    }
    if (std::fclose(stdout) != 0 || !written) {
        std::fprintf(messages, "ERROR: Unable to write the job: %s\n", std::strerror(errno));
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
