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
// The document goes under its title as the scheduler keeps job names, and a
// document the queue does not print (stopped, aborted or canceled) makes the
// host say why and end with status 1, a stopped one canceled.
#include <cups/cups.h>
#include <unistd.h>

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
#include "PrintDialogExtension.h"
#include "SavePanel.h"
#include "SchedulerConnection.h"
#include "UserDriver.h"

namespace {

constexpr char kCopiesSetting[] = "com.apple.print.PrintSettings.PMCopies";
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
    std::string document;
};

int Usage() {
    std::fputs("usage: lumaprex-print [--printer QUEUE] [--title TEXT] [--copies N]\n"
               "         [--orientation portrait|landscape|reverse-portrait|reverse-landscape]\n"
               "         [--ppd FILE] [--bundle DIR] [--module FILE] [--templates DIR]\n"
               "         [--do ACTION]... [--show] [DOCUMENT]\n",
               stderr);
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "lumaprex-print: %s\n", message.c_str());
    return 1;
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
        if (option == "--show") {
            options.show = true;
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

// The queue's PPD as the scheduler keeps it, in a temporary file removed
// when the object goes; none for no queue or when the scheduler cannot give
// it. A scheduler that does not answer in time is noted.
class QueuePpd {
public:
    explicit QueuePpd(const std::string& printer) {
        if (printer.empty()) return;
        const SchedulerConnection scheduler;
        if (!scheduler.http()) return;
        char file[1024] = "";
        time_t modified = 0;
        if (cupsGetPPD3(scheduler.http(), printer.c_str(), &modified, file, sizeof file) == HTTP_STATUS_OK) m_file = file;
        else if (scheduler.timedOut()) m_unanswered = scheduler.failure();
    }
    ~QueuePpd() {
        if (!m_file.empty()) unlink(m_file.c_str());
    }
    QueuePpd(const QueuePpd&) = delete;
    QueuePpd& operator=(const QueuePpd&) = delete;
    const std::string& file() const { return m_file; }
    // Why the scheduler gave no answer; "" when it answered or was not asked.
    const std::string& unanswered() const { return m_unanswered; }

private:
    std::string m_file;
    std::string m_unanswered;
};

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

// Waits for the document's job to end, as an application's print progress
// does: 0 once it printed, and when the queue does not print it now (the
// queue stopped, the job held) or not within the bound. 1, saying why, when
// the queue ended it otherwise; a job the queue stopped is canceled, so that
// it does not print later without its ticket.
int WaitForDocument(const std::string& queue, int job) {
    const SchedulerConnection scheduler;
    const std::string uri = LocalQueueUri(queue);
    const std::string id = queue + "-" + std::to_string(job);
    for (;;) {
        const auto [state, message] = scheduler.jobStatus(uri, job);
        if (state == IPP_JSTATE_COMPLETED) return 0;
        if (state >= IPP_JSTATE_STOPPED) {
            const bool canceled = state == IPP_JSTATE_STOPPED && scheduler.cancelJob(uri, job);
            const std::string ended = state == IPP_JSTATE_STOPPED ? "stopped" : ippEnumString("job-state", state);
            return Fail("the queue " + ended + " " + id + (message.empty() ? "" : ": " + message) +
                        (canceled ? "; the host canceled it" : ""));
        }
        if (state == 0 || state == IPP_JSTATE_HELD || scheduler.pastDeadline() ||
            (state == IPP_JSTATE_PENDING && scheduler.queueState(uri) == IPP_PSTATE_STOPPED)) {
            return 0;
        }
        std::this_thread::sleep_for(kJobPoll);
    }
}

// Sends the document to the queue with the print settings as job options,
// over a connection whose waits end by the bound, under the job name the
// scheduler keeps for its title; prints the job's id as lp does and waits
// for the job. A scheduler that stops answering gets nothing half-sent: the
// connection closes and the scheduler drops the request.
int PrintDocument(const Options& options, const platform::PrintSettings& settings) {
    cups_option_t* jobOptions = nullptr;
    int count = 0;
    for (const auto& [key, value] : settings.values) {
        const std::string text = key == kCopiesSetting ? platform::FormatInteger(value.integerValue()) : value.text();
        if (!text.empty()) count = cupsAddOption(key == kCopiesSetting ? "copies" : key.c_str(), text.c_str(), count, &jobOptions);
    }
    const std::string title = settings.jobName.value_or(std::filesystem::path(options.document).filename().string());
    SchedulerConnection scheduler;
    const int job = scheduler.printFile(options.printer, options.document, SchedulerJobName(title), count, jobOptions);
    cupsFreeOptions(count, jobOptions);
    if (job == 0) return Fail("cannot print " + options.document + ": " + scheduler.failure());
    std::printf("request id is %s-%d\n", options.printer.c_str(), job);
    std::fflush(stdout);
    return WaitForDocument(options.printer, job);
}

// The dialog's Print button: the edit under way ends, then the pane decides.
// True when the dialog printed (or had nothing to print) and closed.
bool ClickPrint(platform::PrintDialog& dialog, platform::UserDriver& user, const Options& options,
                const platform::PrintDialogHost& host, int& status) {
    if (!user.endEditing()) {
        status = Fail("cannot print: " + user.lastError());
        return false;
    }
    if (!dialog.print()) {
        std::fputs("lumaprex-print: the pane did not let the job print; click Print again\n", stderr);
        status = 3;
        return false;
    }
    status = options.document.empty() ? 0 : PrintDocument(options, *host.settings);
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
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    if (!options.copies) return Fail("the copies field takes 1 to " + std::to_string(kMostCopies) + " copies");
    std::string reason;
    const std::unique_ptr<platform::PlugInModule> module = platform::PlugInModule::Load(options.module, &reason);
    if (!module) return Fail("cannot load the extension: " + reason);
    const platform::Bundle bundle = platform::Bundle::Open(options.bundle);
    if (!bundle) return Fail("no extension bundle in " + options.bundle);
    const QueuePpd queuePpd(options.ppd.empty() ? options.printer : std::string());
    if (!queuePpd.unanswered().empty()) return Fail(queuePpd.unanswered() + "; nothing was shown or printed");
    platform::PrintDialogHost host;
    FillHost(options, options.ppd.empty() ? queuePpd.file() : options.ppd, host);
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
