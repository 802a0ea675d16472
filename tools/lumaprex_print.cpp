// lumaprex-print: an application's print dialog, for the command line. It
// loads the dialog extension module, shows its pane for a queue, works the
// pane as the user would (--do), shows it as text (--show) and prints a
// document the way the dialog does: the pane may refuse, sends its job
// ticket as a command job when it agrees, and the document then goes to the
// same queue with the print settings (copies, halftone) as job options.
//
//   lumaprex-print [--printer QUEUE] [--title TEXT] [--copies N]
//                  [--orientation portrait|landscape|reverse-portrait|reverse-landscape]
//                  [--ppd FILE] [--bundle DIR] [--module FILE] [--templates DIR]
//                  [--do ACTION]... [--show] [DOCUMENT]
//
// ACTION is a user's action on the pane (click NAME, type NAME TEXT, end,
// step NAME up|down [N], choose NAME ITEM, select TABLE ROWS, tab NAME ITEM,
// pick PATH: the file to pick or name in the next open or save panel), or
// one of the dialog's: "show" (the pane as text), "show NAME" (the visible
// view of that name as text, such as the summary list), "help", "print".
// --templates names the folder in which the save panel starts, where a
// template saved under a bare name goes (by default the user's own folder).
// Without a "print" action, a DOCUMENT is printed after the actions.
// The copies field takes 1 to 99999 copies; the host refuses any other count.
// The scheduler is the one CUPS_SERVER names, as for every CUPS client. The
// host waits on it for at most 30 s for the queue's PPD, 30 s for the
// document's print and 30 s for the queue to print it; when it does not
// answer for the PPD, the host says so and stops before the dialog shows.
// The document goes under its title as the scheduler keeps job names. The
// host says, in one line, what became of every document that it does not
// see printed behind its ticket, and ends with the status of kStatusText.
// It sees a document printed behind its ticket only on the receipt that the
// queue's ticket filter leaves for that very document in the queue's PPD.
#include <cups/cups.h>
#include <cups/ppd.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Bundle.h"
#include "Controls.h"
#include "FoundationValues.h"
#include "NamedTickets.h"
#include "PrintDialogExtension.h"
#include "Receipts.h"
#include "CommandJob.h"
#include "SavePanel.h"
#include "SchedulerConnection.h"
#include "UserDriver.h"
#include "host_temporary_folder.h"

namespace {

constexpr char kCopiesSetting[] = "com.apple.print.PrintSettings.PMCopies";
// The type the host names for the documents it sends, so that the scheduler
// takes them as they are and does not type them itself.
constexpr char kPostScriptFormat[] = "application/postscript";
// The copies field's range.
constexpr int kMostCopies = 99999;

struct Options {
    std::string printer = "Lumaprex";
    std::optional<std::string> title;
    std::optional<int> copies = 1;  // none for a count the copies field does not take
    std::optional<platform::PMOrientation> orientation;
    std::string ppd;
    std::string bundle = LUMAPREX_PDE_BUNDLE;
    std::string module = LUMAPREX_PDE_MODULE;
    std::vector<std::string> actions;
    bool show = false;
    bool help = false;
    std::string document;
};

// How the host ends.
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kPaneRefused = 3;
// The document was sent, but the host did not see it print behind its
// ticket: it stopped waiting first, the scheduler did not answer for it, or
// it printed and the queue's ticket filter left no receipt for it.
constexpr int kNotSeenPrinted = 4;

constexpr char kUsageText[] =
    "usage: lumaprex-print [--printer QUEUE] [--title TEXT] [--copies N]\n"
    "         [--orientation portrait|landscape|reverse-portrait|reverse-landscape]\n"
    "         [--ppd FILE] [--bundle DIR] [--module FILE] [--templates DIR]\n"
    "         [--do ACTION]... [--show] [DOCUMENT]\n"
    "       lumaprex-print --help\n";
constexpr char kActionText[] =
    "ACTION: what the user does on the pane, one --do each, in order:\n"
    "  click NAME               click the button, check box or icon of that name\n"
    "  type NAME TEXT           select the whole text of the field and type TEXT\n"
    "  end                      end editing of the field being typed in\n"
    "  step NAME up|down [N]    click the stepper's arrow, N times (1 unless given)\n"
    "  choose NAME ITEM         choose an item of a pop-up or combo box, or a cell of\n"
    "                           a matrix of radio buttons, by its index or its text\n"
    "  select NAME ROW[,ROW...] select rows of the table, counted from 0\n"
    "  tab NAME ITEM            show a tab of the tab view, by its index or its label\n"
    "  pick PATH                the file to pick or name in the next open or save\n"
    "                           panel\n"
    "  show                     write the pane as text\n"
    "  show NAME                write the visible view of that name as text, such as\n"
    "                           summaryListView\n"
    "  help                     ask the pane for its help\n"
    "  print                    click Print: the pane decides, and the document\n"
    "                           prints; without a print action, a DOCUMENT is\n"
    "                           printed after the actions\n"
    "  a NAME is the control's outlet name, or PANE/NAME for the one inside a view\n";
constexpr char kDocumentText[] =
    "DOCUMENT: PostScript (a file that starts with %! or with Ctrl-D and %!),\n"
    "  compressed by gzip or not; the queue puts the job ticket ahead of\n"
    "  PostScript only, so the host refuses any other document before it sends\n"
    "  anything\n";
constexpr char kStatusText[] =
    "exit status:\n"
    "  0  the document printed, and the queue's ticket filter reported that it went\n"
    "     behind its ticket; or there was none to print\n"
    "  1  the host or the queue failed, and said why; the document did not print,\n"
    "     or not whole, or it is not PostScript\n"
    "  2  the command line is not understood\n"
    "  3  the pane did not let the job print\n"
    "  4  the document was sent, but the host did not see it print behind its ticket:\n"
    "     it was held, pending or still printing, or its queue stopped, when the host\n"
    "     stopped waiting, the scheduler did not answer for it, or it printed but\n"
    "     the queue's ticket filter did not report its last attempt at printing it;\n"
    "     the host then names what it can see: the job moved to another queue, a\n"
    "     command job of its ticket that did not complete, filter lines of the\n"
    "     queue's PPD that are not the driver's, a receipt of an earlier attempt\n"
    "     or of a later document in the PPD, or none of these\n";

int Usage() {
    std::fputs(kUsageText, stderr);
    return kUsage;
}

int Help() {
    std::fputs(kUsageText, stdout);
    std::fputs(kActionText, stdout);
    std::fputs(kDocumentText, stdout);
    std::fputs(kStatusText, stdout);
    return 0;
}

int Fail(const std::string& message, int status = kFailed) {
    std::fprintf(stderr, "lumaprex-print: %s\n", message.c_str());
    return status;
}

std::optional<platform::PMOrientation> ParseOrientation(std::string_view text) {
    if (text == "portrait") return platform::PMOrientation::Portrait;
    if (text == "landscape") return platform::PMOrientation::Landscape;
    if (text == "reverse-portrait") return platform::PMOrientation::ReversePortrait;
    if (text == "reverse-landscape") return platform::PMOrientation::ReverseLandscape;
    return std::nullopt;
}

std::optional<int> ParseCopies(std::string_view text) {
    int copies = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), copies);
    if (error != std::errc() || end != text.data() + text.size() || copies < 1 || copies > kMostCopies) return std::nullopt;
    return copies;
}

// False for an unknown option or one without its value.
bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--show" || option == "--help") {
            (option == "--show" ? options.show : options.help) = true;
            continue;
        }
        if (option.substr(0, 2) != "--") {
            if (!options.document.empty()) return false;
            options.document = argv[i];
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (option == "--printer") options.printer = value;
        else if (option == "--title") options.title = value;
        else if (option == "--copies") options.copies = ParseCopies(value);
        else if (option == "--ppd") options.ppd = value;
        else if (option == "--bundle") options.bundle = value;
        else if (option == "--module") options.module = value;
        else if (option == "--templates") platform::SetSaveFolder(value);
        else if (option == "--do") options.actions.push_back(value);
        else if (option == "--orientation" && (options.orientation = ParseOrientation(value))) continue;
        else return false;
    }
    return true;
}

// The queue's PPD for the dialog, as the scheduler keeps it; none when the
// host was given a PPD, or the scheduler cannot give it. Why a scheduler
// did not answer in time goes to unanswered.
std::unique_ptr<QueuePpd> DialogPpd(const Options& options, std::string& unanswered) {
    if (!options.ppd.empty()) return nullptr;
    const SchedulerConnection scheduler;
    auto ppd = std::make_unique<QueuePpd>(scheduler, options.printer);
    if (ppd->file().empty() && scheduler.timedOut()) unanswered = scheduler.failure();
    return ppd;
}

// What the application knows of the job, as the dialog's host callback.
void FillHost(const Options& options, const std::string& ppd, platform::PrintDialogHost& host) {
    host.printer = platform::Printer{options.printer};
    host.settings->values.set(kCopiesSetting, options.copies.value_or(1));
    if (options.title) host.settings->jobName = *options.title;
    else if (!options.document.empty()) host.settings->jobName = std::filesystem::path(options.document).filename().string();
    host.format->orientation = options.orientation.value_or(platform::PMOrientation::Portrait);
    if (!ppd.empty()) host.session->ppd = platform::OpenPPDFile(ppd);
}

// How often the host asks after the document's job.
constexpr std::chrono::milliseconds kJobPoll{100};

// Why the host stops waiting for a job in that state that has not ended:
// it is held, the queue is stopped, or the bound ran out; "" while it is
// worth waiting for.
std::string NotPrintedYet(const SchedulerConnection& scheduler, const std::string& uri, int state) {
    if (state == IPP_JSTATE_HELD) return "held";
    if (state == IPP_JSTATE_PENDING && scheduler.queueState(uri) == IPP_PSTATE_STOPPED) return "the queue is stopped";
    if (!scheduler.pastDeadline()) return "";
    if (state == IPP_JSTATE_PENDING) return "pending";
    return "still printing after " + std::to_string(kSchedulerWait.count()) + " s";
}

// What the host says of a job the queue ended otherwise than completed:
// what the scheduler says of it, the reasons for its state and its message.
// The scheduler puts "Filter failed" over the filter's own reason at times,
// and aborts a job it cannot convert (a banner page, a document over a size
// bound of a filter line) without a message; the reason is then in its
// error log alone.
std::string EndedAccount(const std::string& id, const JobStatus& status) {
    const int state = status.state;
    if (state == IPP_JSTATE_STOPPED && status.message == "Filter failed") {
        return "the queue's ticket filter stopped " + id + "; the scheduler's error log says why";
    }
    const std::string ended = state == IPP_JSTATE_STOPPED ? "stopped" : ippEnumString("job-state", state);
    const std::string said = status.reasons.empty() ? "" : " (" + status.reasons + ")";
    return "the queue " + ended + " " + id + said + (status.message.empty() ? "" : ": " + status.message) +
           (state == IPP_JSTATE_ABORTED && status.message.empty() ? "; the scheduler's error log says why" : "");
}

// Why a command job of the document's ticket, which the queue runs ahead of
// it, did not store that ticket: the last such job of this user before the
// document was stopped or ended, or has not completed. "" when it completed,
// or the queue no longer lists one, or the scheduler did not answer. The
// host does not learn the id of the job the pane sent: this may be another
// dialog's job of the same ticket.
std::string CommandJobAccount(const SchedulerConnection& scheduler, const std::string& uri, const std::string& queue,
                              int job, const std::string& ticketName) {
    const auto [command, status] = scheduler.lastJobBefore(uri, job, kCommandJobName, kTicketNameOption, ticketName);
    if (command == 0 || status.state == IPP_JSTATE_COMPLETED) return "";
    const std::string ended = status.state >= IPP_JSTATE_STOPPED
                                  ? std::string("was ") + (status.state == IPP_JSTATE_STOPPED
                                                               ? "stopped"
                                                               : ippEnumString("job-state", status.state))
                                  : "has not completed";
    return "its command job " + queue + "-" + std::to_string(command) + " " + ended +
           (status.message.empty() ? "" : ": " + status.message);
}

// Why the queue's PPD, read once the document printed, may have carried it
// around the ticket filter: it has no PPD, or other filter lines than the
// driver's own; "" when it has those alone. The PPD may have changed only
// after the document printed, or behind the scheduler's back, which the host
// cannot tell apart.
std::string FilterLinesAccount(const QueuePpd& queuePpd, ppd_file_t* ppd) {
    std::string reason = "the queue has no PPD";
    return !queuePpd.file().empty() && FiltersAreTheDriversOwn(ppd, reason) ? "" : reason;
}

// The queue the job printed on, as its status names it: the resource of its
// printer URI, such as "/printers/Lumaprex"; "" when there is none.
std::string QueueOfJob(const JobStatus& status) {
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, status.printerUri.c_str(), scheme, sizeof scheme, user, sizeof user,
                        host, sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK) {
        return "";
    }
    return resource;
}

// Whether the job printed on the queue, which the scheduler names whatever
// the case of its name; one moved to another printed there.
bool PrintedOnTheQueue(const JobStatus& status, const std::string& queue) {
    return strcasecmp(QueueOfJob(status).c_str(), ("/printers/" + queue).c_str()) == 0;
}

// What the host can see of why it cannot take the queue's PPD for the word
// that the last attempt at printing the document went behind its ticket, the
// first of: the job moved to another queue, a command job of its ticket that
// did not store it (which may be another dialog's), filter lines of the PPD
// that are not the driver's (a receipt may be from an attempt through them
// before they changed), the receipt of an earlier attempt, a later
// document's receipt in the place of its own; "" when none of these holds
// and the PPD holds the expected receipt, that of its last attempt.
std::string NoReceiptAccount(const SchedulerConnection& scheduler, const std::string& queue, const JobStatus& status,
                             const QueuePpd& queuePpd, ppd_file_t* ppd, const Receipt& expected) {
    const int job = expected.job;
    const std::optional<Receipt> receipt = ReadReceipt(ppd, job);
    const bool onTheQueue = PrintedOnTheQueue(status, queue);
    const std::string filterLines = FilterLinesAccount(queuePpd, ppd);
    if (onTheQueue && filterLines.empty() && receipt == expected) return "";
    if (!onTheQueue) return "the scheduler moved it to " + QueueOfJob(status);
    if (std::string account = CommandJobAccount(scheduler, LocalQueueUri(queue), queue, job, expected.ticket);
        !account.empty()) {
        return account;
    }
    if (!filterLines.empty()) return filterLines;
    if (receipt && receipt->job == job && receipt->token == expected.token && receipt->ticket == expected.ticket) {
        return "the queue's ticket filter reported an earlier attempt at printing it, not the last: the scheduler "
               "printed it again (once the queue changed, or once the scheduler restarted)";
    }
    if (receipt && receipt->job > job) {
        return "the place of its receipt holds that of a later document, " + queue + "-" +
               std::to_string(receipt->job);
    }
    return "the queue's ticket filter left no receipt for it: the scheduler may have sent it around that filter, "
           "through filter lines it read before they changed, run a program ahead of it (a pre-filter) that handed "
           "it what it printed, or failed to write the receipt into the PPD";
}

// Once the document printed: 0 when the queue's ticket filter left the
// receipt of the last attempt at printing this very document, naming its
// token and its ticket, on this queue, whose PPD still has the driver's
// filter lines alone; that is the one word that it printed behind its
// ticket. Otherwise kNotSeenPrinted with what the host can see of why.
int CheckReceipt(const SchedulerConnection& scheduler, const std::string& queue, int job,
                 const std::string& ticketName, const std::string& token, const JobStatus& status) {
    const std::string id = queue + "-" + std::to_string(job);
    const QueuePpd queuePpd(scheduler, queue);
    if (!queuePpd.answered()) {
        return Fail(id + " printed, but whether behind its ticket is unknown: " + scheduler.failure(), kNotSeenPrinted);
    }
    ppd_file_t* ppd = queuePpd.file().empty() ? nullptr : ppdOpenFile(queuePpd.file().c_str());
    const Receipt expected{.job = job, .started = status.started, .token = token, .ticket = ticketName};
    const std::string account = NoReceiptAccount(scheduler, queue, status, queuePpd, ppd, expected);
    ppdClose(ppd);
    return account.empty() ? 0 : Fail(id + " may have printed without its ticket: " + account, kNotSeenPrinted);
}

// Waits for the document's job to end, as an application's print progress
// does: 0 once it printed and the ticket filter left its receipt. 1, saying
// why, when the queue ended it otherwise; a job the queue stopped is canceled,
// so that it does not print later without its ticket. kNotSeenPrinted, saying
// why, when the host stops waiting first (the job held, the queue stopped, the
// bound run out), the scheduler does not answer for the job within the bound
// (a scheduler that restarts is asked again) or no longer knows it, or the
// queue's ticket filter left no receipt for it.
int WaitForDocument(const std::string& queue, int job, const std::string& ticketName, const std::string& token) {
    const SchedulerConnection scheduler;
    const std::string uri = LocalQueueUri(queue);
    const std::string id = queue + "-" + std::to_string(job);
    for (;;) {
        const JobStatus status = scheduler.jobStatus(uri, job);
        const int state = status.state;
        if (state == 0 && scheduler.unanswered() && !scheduler.pastDeadline()) {
            std::this_thread::sleep_for(kJobPoll);
            continue;
        }
        if (state == 0) return Fail("the fate of " + id + " is unknown: " + scheduler.failure(), kNotSeenPrinted);
        if (state == IPP_JSTATE_COMPLETED) return CheckReceipt(scheduler, queue, job, ticketName, token, status);
        if (state >= IPP_JSTATE_STOPPED) {
            const bool canceled = state == IPP_JSTATE_STOPPED && scheduler.cancelJob(uri, job);
            return Fail(EndedAccount(id, status) + (canceled ? "; the host canceled it" : ""));
        }
        if (const std::string why = NotPrintedYet(scheduler, uri, state); !why.empty()) {
            return Fail("stopped waiting for " + id + ", which has not printed: " + why, kNotSeenPrinted);
        }
        std::this_thread::sleep_for(kJobPoll);
    }
}

// The file the host sends for a document, as PostScript: a copy of the
// document made into a temporary file that goes with the object, the copy
// the host checks, so that what it sends is what it checked whatever
// becomes of the document meanwhile; or, for one compressed by gzip (once or
// more), that copy expanded. The scheduler types such a document by what it
// holds once expanded, but would hand the compressed bytes to the queue's
// filters and the printer. The queue puts the ticket ahead of PostScript
// alone, and other documents it prints without the ticket filter (PCL, a
// file of no known type) or converts around it, so the host sends
// PostScript only.
class DocumentToSend {
public:
    explicit DocumentToSend(const std::string& document) {
        m_failure = Copied(document, m_send);
        for (int layers = 0; m_failure.empty() && Compressed(m_send); ++layers) {
            std::string expanded;
            m_failure = layers < kMostLayers
                            ? Expanded(m_send, expanded)
                            : "it is compressed more than " + std::to_string(kMostLayers) + " times over";
            unlink(m_send.c_str());
            m_send = expanded;
            std::error_code unread;
            if (m_failure.empty() && std::filesystem::file_size(m_send, unread) == 0) m_failure = "it is empty";
        }
        if (m_failure.empty() && !PostScript(m_send)) {
            m_failure = "it does not start with %! (or Ctrl-D and %!): the host prints PostScript only, the one "
                        "type the queue puts the job ticket ahead of";
        }
    }
    ~DocumentToSend() {
        if (!m_send.empty()) unlink(m_send.c_str());
    }
    DocumentToSend(const DocumentToSend&) = delete;
    DocumentToSend& operator=(const DocumentToSend&) = delete;
    // "" for a document the scheduler would not take (one that cannot be
    // read, no plain file, an empty one), one that changed while the host
    // read it, one compressed that does not expand whole, or one that is
    // not PostScript; failure() says why.
    const std::string& file() const { return m_failure.empty() ? m_send : kNoFile; }
    const std::string& failure() const { return m_failure; }

private:
    // Layers of compression the host takes off a document, at most.
    static constexpr int kMostLayers = 8;
    static inline const std::string kNoFile;

    // The file's first bytes, as many as it has up to the count.
    static std::string Start(const std::string& file, std::size_t count) {
        std::string start(count, '\0');
        std::FILE* in = std::fopen(file.c_str(), "rb");
        start.resize(in ? std::fread(start.data(), 1, count, in) : 0);
        if (in) std::fclose(in);
        return start;
    }
    static bool Compressed(const std::string& file) { return Start(file, 2) == "\x1f\x8b"; }
    // PostScript starts with %!, or with the Ctrl-D that ends a job before it.
    static bool PostScript(const std::string& file) {
        const std::string start = Start(file, 3);
        return start.starts_with("%!") || start == "\x04%!";
    }
    static std::string CannotWrite(const char* what, int error) {
        return std::string("its ") + what + " cannot be written: " + std::strerror(error);
    }
    // Why the scheduler would not take the file, opened once: it is no plain
    // file (a folder, a pipe, a device) or is empty; "" when it would.
    static std::string Unprintable(const struct stat& about) {
        if (S_ISDIR(about.st_mode)) return std::strerror(EISDIR);
        if (!S_ISREG(about.st_mode)) return "it is no plain file";
        return about.st_size == 0 ? "it is empty" : "";
    }
    // Whether the document changed while the host read it: it grew, shrank
    // or was written to (its change time, which no user can set back, moved).
    static bool Changed(const struct stat& before, int document, off_t read) {
        struct stat after {};
        return fstat(document, &after) != 0 || read != before.st_size || after.st_size != before.st_size ||
               after.st_ctim.tv_sec != before.st_ctim.tv_sec || after.st_ctim.tv_nsec != before.st_ctim.tv_nsec;
    }
    // Copies what is left to read of in into out: "" once every byte went,
    // else why not; copied counts the bytes.
    static std::string CopyAll(int in, cups_file_t* out, off_t& copied) {
        char block[65536];
        for (;;) {
            const ssize_t read = ::read(in, block, sizeof block);
            if (read < 0 && errno == EINTR) continue;
            if (read <= 0) return read < 0 ? std::strerror(errno) : "";
            if (cupsFileWrite(out, block, static_cast<std::size_t>(read)) != read) return CannotWrite("copy", errno);
            copied += read;
        }
    }
    // Copies the document, opened once, into a new temporary file, named in
    // copy; why not, for a document the scheduler would not take, one that
    // cannot be read or changed while it was read, or a copy that cannot be
    // written, else "".
    static std::string Copied(const std::string& document, std::string& copy) {
        const int in = open(document.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (in < 0) return std::strerror(errno);
        struct stat about {};
        std::string why = fstat(in, &about) == 0 ? Unprintable(about) : std::strerror(errno);
        char name[1024] = "";
        cups_file_t* out = why.empty() ? cupsTempFile2(name, sizeof name) : nullptr;
        if (why.empty() && !out) why = CannotWrite("copy", errno);
        off_t copied = 0;
        if (why.empty()) why = CopyAll(in, out, copied);
        if (why.empty() && Changed(about, in, copied)) why = "it changed while the host read it to send it";
        close(in);
        if (out && cupsFileClose(out) != 0 && why.empty()) why = CannotWrite("copy", errno);
        if (out && !why.empty()) unlink(name);
        if (why.empty()) copy = name;
        return why;
    }
    // Expands the whole stream into a new temporary file, named in
    // expanded; why not, for a stream cut short or damaged or a temporary
    // file that cannot be written, else "".
    static std::string Expanded(const std::string& document, std::string& expanded) {
        char name[1024] = "";
        cups_file_t* out = cupsTempFile2(name, sizeof name);
        if (!out) return CannotWrite("expansion", errno);
        gzFile in = gzopen(document.c_str(), "rb");
        char block[65536];
        int read = 0;
        bool written = true;
        while (in && written && (read = gzread(in, block, sizeof block)) > 0) {
            written = cupsFileWrite(out, block, static_cast<std::size_t>(read)) == read;
        }
        int error = errno;
        const bool whole = in && gzclose_r(in) == Z_OK && read == 0;
        if (cupsFileClose(out) != 0 && written) {
            error = errno;
            written = false;
        }
        if (!written || !whole) {
            unlink(name);
            return written ? "it is compressed and does not expand whole" : CannotWrite("expansion", error);
        }
        expanded = name;
        return "";
    }

    std::string m_send;
    std::string m_failure;
};

// Sends the document's file to the queue with the print settings as job
// options and a receipt token of its own, over a connection whose waits end
// by the bound, under the job name the scheduler keeps for its title; prints
// the job's id as lp does and waits for the job. A scheduler that stops
// answering gets nothing half-sent: the connection closes and the scheduler
// drops the request.
int PrintDocument(const Options& options, const DocumentToSend& document, const platform::PrintSettings& settings) {
    cups_option_t* jobOptions = nullptr;
    int count = 0;
    for (const auto& [key, value] : settings.values) {
        const std::string text = key == kCopiesSetting ? platform::FormatInteger(value.integerValue()) : value.text();
        if (!text.empty()) count = cupsAddOption(key == kCopiesSetting ? "copies" : key.c_str(), text.c_str(), count, &jobOptions);
    }
    const std::string token = NewReceiptToken();
    count = cupsAddOption(kReceiptOption, token.c_str(), count, &jobOptions);
    const std::string title = settings.jobName.value_or(std::filesystem::path(options.document).filename().string());
    SchedulerConnection scheduler;
    const int job = scheduler.printFile(options.printer, document.file(), kPostScriptFormat, SchedulerJobName(title),
                                        count, jobOptions);
    cupsFreeOptions(count, jobOptions);
    // A document sent without an answer may have reached the queue.
    if (job == 0 && scheduler.documentSent() && scheduler.unanswered()) {
        return Fail("the fate of " + options.document + " is unknown: " + scheduler.failure(), kNotSeenPrinted);
    }
    if (job == 0) return Fail("cannot print " + options.document + ": " + scheduler.failure());
    std::printf("request id is %s-%d\n", options.printer.c_str(), job);
    std::fflush(stdout);
    const platform::Value* ticketName = settings.values.find(kTicketNameOption);
    return WaitForDocument(options.printer, job, ticketName ? ticketName->text() : "", token);
}

// The dialog's Print button: the edit under way ends, then the pane decides.
// True when the print went its way: the dialog printed (or had nothing to
// print) and closed, or the document cannot be read, which is told before
// the dialog sends anything.
bool ClickPrint(platform::PrintDialog& dialog, platform::UserDriver& user, const Options& options,
                const platform::PrintDialogHost& host, int& status) {
    if (!user.endEditing()) {
        status = Fail("cannot print: " + user.lastError());
        return false;
    }
    const DocumentToSend document(options.document);
    if (!options.document.empty() && document.file().empty()) {
        status = Fail("cannot print " + options.document + ": " + document.failure());
        return true;
    }
    if (!dialog.print()) {
        std::fputs("lumaprex-print: the pane did not let the job print; click Print again\n", stderr);
        status = kPaneRefused;
        return false;
    }
    status = options.document.empty() ? 0 : PrintDocument(options, document, *host.settings);
    return true;
}

// What the user of the stand-in looks at, written out before any message
// that follows it on standard error.
void Show(const platform::View& view) {
    std::fputs(platform::DrawAsText(view).c_str(), stdout);
    std::fflush(stdout);
}

// Runs the actions on the shown pane, then the final show and print.
int RunDialog(platform::PrintDialog& dialog, const Options& options, const platform::PrintDialogHost& host) {
    platform::UserDriver user(*dialog.view());
    int status = 0;
    for (const std::string& action : options.actions) {
        if (!dialog.pane()) return Fail("the dialog is closed: cannot " + action);
        if (action == "show") {
            Show(*dialog.view());
        } else if (action.starts_with("show ")) {
            const platform::View* view = user.find(std::string_view(action).substr(5));
            if (!view) return Fail("cannot " + action + ": " + user.lastError());
            Show(*view);
        } else if (action == "help") {
            if (dialog.pane()->shouldShowHelp()) std::fputs("lumaprex-print: the pane has no help\n", stderr);
        } else if (action == "print") {
            if (ClickPrint(dialog, user, options, host, status) && status != 0) return status;
        } else if (!user.perform(action)) {
            return Fail("cannot " + action + ": " + user.lastError());
        }
    }
    if (options.show && dialog.pane()) Show(*dialog.view());
    if (!options.document.empty() && dialog.pane()) ClickPrint(dialog, user, options, host, status);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const HostTemporaryFolder temporaryFolder;
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    if (options.help) return Help();
    if (!options.copies) return Fail("the copies field takes 1 to " + std::to_string(kMostCopies) + " copies");
    std::string reason;
    const std::unique_ptr<platform::PlugInModule> module = platform::PlugInModule::Load(options.module, &reason);
    if (!module) return Fail("cannot load the extension: " + reason);
    const platform::Bundle bundle = platform::Bundle::Open(options.bundle);
    if (!bundle) return Fail("no extension bundle in " + options.bundle);
    std::string unanswered;
    const std::unique_ptr<QueuePpd> queuePpd = DialogPpd(options, unanswered);
    if (!unanswered.empty()) return Fail(unanswered + "; nothing was shown or printed");
    platform::PrintDialogHost host;
    FillHost(options, queuePpd ? queuePpd->file() : options.ppd, host);
    int status = 0;
    {
        const std::unique_ptr<platform::PDEPlugIn> plugIn = module->createPlugIn();
        plugIn->initWithBundle(bundle);
        platform::PrintDialog dialog(*plugIn, host);
        if (!dialog.show(platform::kPrintDialogPaneType)) return Fail("the extension shows no pane");
        status = RunDialog(dialog, options, host);
    }
    return status;
}
