// The command job: the command file, written to a temporary file and sent
// over IPP to the printer's queue.
#include "CommandJob.h"

#include <cups/ppd.h>
#include <unistd.h>

#include <thread>

#include "FoundationValues.h"
#include "NamedTickets.h"
#include "SchedulerConnection.h"
#include "SystemLog.h"
#include "zqController.h"

namespace {

// How often the road asks after the command job while the queue runs it.
constexpr std::chrono::milliseconds kJobStatePoll{50};
// How long a command job the queue has not started is waited for.
constexpr std::chrono::seconds kStartWait{2};

// Writes the command file into a new temporary file; its name, or "" (the
// reason traced, nothing left behind) when that fails.
std::string WriteCommandFile(std::string_view content, TempFileMaker makeTempFile) {
    char name[1024] = "";
    cups_file_t* file = makeTempFile(name, sizeof name);
    if (!file) {
        Trace("cannot create the command file");
        return {};
    }
    const bool written = cupsFileWrite(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    if (cupsFileClose(file) != 0 || !written) {
        Trace(platform::Format("cannot write the command file %s", name));
        unlink(name);
        return {};
    }
    return name;
}

// One Print-Job request carrying the file, the ticket's name as a job option,
// without banner pages; ends with the outcome's trace. The job's id, or 0 when
// it was not taken.
int PrintCommandFile(const SchedulerConnection& scheduler, const std::string& uri, const std::string& resource,
                     const std::string& file, const std::string& ticketName) {
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, kCommandDocumentFormat);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, kCommandJobName);
    // No banner page: the queue would print one through the ticket filter,
    // which finds no ticket of this name before the job has stored it.
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_NAME, "job-sheets", nullptr, "none");
    if (!ticketName.empty()) {
        ippAddString(request, IPP_TAG_JOB, IPP_TAG_NAME, kTicketNameOption, nullptr, ticketName.c_str());
    }
    ipp_t* response = scheduler.exchange(request, resource.c_str(), file.c_str());
    const int job = ippGetInteger(ippFindAttribute(response, "job-id", IPP_TAG_INTEGER), 0);
    ippDelete(response);
    if (cupsLastError() != IPP_STATUS_OK) {
        Trace("Unable to send printer command! , " + scheduler.failure());
        return 0;
    }
    Trace("IPP send comand OK");
    return job;
}

// Why the queue's PPD, read once the command job completed, does not hold
// this user's ticket of that name whole, or no longer has the driver's own
// filter lines alone: the scheduler completes the job also when it could
// not write the PPD. None when it does.
std::optional<std::string> PpdFailure(const SchedulerConnection& scheduler, std::string_view printerId,
                                      const std::string& ticketName) {
    const QueuePpd queuePpd(scheduler, printerId);
    std::string reason = queuePpd.answered() ? "the queue's PPD cannot be read" : scheduler.failure();
    if (!queuePpd.file().empty()) {
        ppd_file_t* ppd = ppdOpenFile(queuePpd.file().c_str());
        const bool kept = ppd && QueueKeepsTicket(ppd, ticketName.c_str(), cupsUser(), reason);
        ppdClose(ppd);
        if (kept) {
            Trace("the queue kept the job ticket");
            return std::nullopt;
        }
    }
    Trace("the queue did not keep the job ticket: " + reason);
    return reason;
}

// Why the queue, as its PPD stands before anything is sent, would print the
// command file or the document around the driver's filters: a filter line
// the driver does not own (through it the scheduler may send even the
// command file raw to the printer), one of the driver's lines missing, or no
// PPD at all; a class, whose PPD is its first printer's while the jobs go to
// any of them; or the scheduler's failure when it did not answer. None when
// the lines are the driver's own, and when there is no such queue, which the
// application's print then meets.
std::optional<std::string> FilterLinesRefused(const SchedulerConnection& scheduler, const std::string& uri,
                                              std::string_view printerId) {
    const QueuePpd queuePpd(scheduler, printerId);
    std::string reason = "the queue has no PPD";
    if (!queuePpd.answered()) {
        Trace("cannot read the queue's PPD: " + scheduler.failure());
        return scheduler.failure();
    }
    if (scheduler.isClass(uri)) {
        reason = "the queue is a class, which may print the document on another printer than the one that keeps its "
                 "ticket";
    } else if (queuePpd.file().empty()) {
        if (scheduler.queueState(uri) == 0) return std::nullopt;
    } else {
        ppd_file_t* ppd = ppdOpenFile(queuePpd.file().c_str());
        const bool own = FiltersAreTheDriversOwn(ppd, reason);
        ppdClose(ppd);
        if (own) return std::nullopt;
    }
    Trace("the queue would print around the job ticket: " + reason);
    return reason;
}

// Asks after the command job until it ends or the bound runs out; the
// scheduler's account when it ended otherwise than completed, and when it
// completed, what the queue's PPD lacks. A job the queue holds or has not
// started soon (a stopped queue, jobs ahead) is not waited for: the
// application's job follows it in the queue, and names the ticket it must
// find there.
std::optional<std::string> QueueFailure(const SchedulerConnection& scheduler, const std::string& uri, int job,
                                        std::string_view printerId, const std::string& ticketName) {
    const auto sent = std::chrono::steady_clock::now();
    for (;;) {
        const JobStatus status = scheduler.jobStatus(uri, job);
        const int state = status.state;
        if (state == IPP_JSTATE_COMPLETED) {
            return ticketName.empty() ? std::nullopt : PpdFailure(scheduler, printerId, ticketName);
        }
        if (state >= IPP_JSTATE_STOPPED) {
            const std::string account =
                status.message.empty() ? std::string("the job was ") + ippEnumString("job-state", state) : status.message;
            Trace("the queue did not keep the job ticket: " + account);
            return account;
        }
        if (state == IPP_JSTATE_HELD ||
            (state == IPP_JSTATE_PENDING && std::chrono::steady_clock::now() - sent >= kStartWait)) {
            Trace("the end of the command job is not known: the queue has not started it");
            return std::nullopt;
        }
        if (state == 0 || scheduler.pastDeadline()) {
            Trace("the end of the command job is not known: " +
                  (state == 0 ? scheduler.failure() : "it had not ended within the bound"));
            return std::nullopt;
        }
        std::this_thread::sleep_for(kJobStatePoll);
    }
}

}  // namespace

void Trace(std::string_view line) { platform::Log(platform::LogPriority::Debug, line); }

std::string StoredTicket(std::string_view ticket) {
    std::string stored(zqController::kTicketHeaderLine);
    stored.append(ticket).append(zqController::kTicketLastLine);
    return stored;
}

std::string CommandFileContent(std::string_view ticket) {
    return "#CUPS-COMMAND\nSaveJobTicket\n" + StoredTicket(ticket);
}

std::optional<std::string> SendCommandJob(std::string_view printerId, std::string_view commandFile,
                                          const std::string& ticketName, TempFileMaker makeTempFile) {
    Trace("current printer ID: " + std::string(printerId));
    const std::string uri = LocalQueueUri(printerId);
    if (uri.empty()) {
        Trace("the printer ID does not fit a printer URI");
        return std::nullopt;
    }
    const std::string resource = "/printers/" + std::string(printerId);
    const SchedulerConnection scheduler;
    if (!scheduler.http()) {
        Trace("create http service failed: " + scheduler.failure());
        return std::nullopt;
    }
    const std::string file = WriteCommandFile(commandFile, makeTempFile);
    if (file.empty()) return "the command file could not be written";
    if (auto refused = FilterLinesRefused(scheduler, uri, printerId)) {
        unlink(file.c_str());
        return refused;
    }
    Trace("comand contents: " + std::string(commandFile.substr(commandFile.find('\n') + 1)));
    Trace("comandfile: " + file);
    const int job = PrintCommandFile(scheduler, uri, resource, file, ticketName);
    const bool noSuchQueue = cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND;
    unlink(file.c_str());
    if (job > 0) return QueueFailure(scheduler, uri, job, printerId, ticketName);
    // A queue that is not there keeps no earlier ticket either; the
    // application's print is told of it.
    if (noSuchQueue) return std::nullopt;
    return scheduler.failure();
}
