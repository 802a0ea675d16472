// The print dialog from end to end: the print host loads the extension
// module, the user works the pane and prints; the private scheduler runs the
// command filter on the command job, which stores the ticket in the queue's
// PPD, and the application's job reaches the printer's file device behind
// that ticket with the halftone screen its job options asked for. Last, the
// demo's production job, set on every tab, and again from its template.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <filesystem>
#include <sstream>
#include <thread>

#include "PropertyList.h"
#include "UserEnvironment.h"
#include "pde_test_support.h"
#include "print_host_support.h"

using namespace filter_test;
using namespace host_test;

namespace {

const std::string kFixtures = LUMAPREX_TEST_DATA "/pde/";
const std::string kSampleJob = LUMAPREX_SOURCE_DIR "/data/sample-job.ps";
const std::string kSampleActions = LUMAPREX_SOURCE_DIR "/data/sample-job.actions";
const std::string kRefusedOnce = "lumaprex-print: the pane did not let the job print; click Print again\n";

// The fixture's text with the user who runs the test in place of "@USER@".
std::string WithUser(std::string text) {
    const std::size_t at = text.find("@USER@");
    if (at != std::string::npos) text.replace(at, 6, platform::LoginName());
    return text;
}

// What the printer receives: the ticket, then the job with the screen line
// ("frequency angle") before its first page.
std::string PrinterBytes(const std::string& ticket, const std::string& job, const std::string& screen) {
    const std::size_t firstPage = job.find("\n%%Page:") + 1;
    return ticket + job.substr(0, firstPage) + "\ncurrentscreen 3 1 roll pop pop  " + screen +
           "  3 -1 roll setscreen\n" + job.substr(firstPage);
}

TEST(PrintDialogEndToEnd, DefaultTicketGoesToTheQueueAsTheCommandFileByteForByte) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    const RunResult run = Print(cups, {kJob});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "request id is Lumaprex-2\n");
    ASSERT_TRUE(cups.waitForJob(2));
    EXPECT_EQ(cups.jobDocument(1), WithUser(readFile(kFixtures + "command_file_default.txt"))) << cups.log();
}

TEST(PrintDialogEndToEnd, ChoiceMadeInTheDialogReachesThePrinterAheadOfTheApplicationsJob) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    const RunResult run = Print(cups, {"--title", "Quarterly Report", "--copies", "3", "--orientation", "landscape",
                                       "--do", "click finisherButton", "--show", kJob});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readFile(kFixtures + "host_finishing_shown.txt") + "request id is Lumaprex-2\n");
    ASSERT_TRUE(cups.waitForJob(2));

    const std::string command = cups.jobDocument(1);
    const std::string head = "#CUPS-COMMAND\nSaveJobTicket\n";
    ASSERT_TRUE(command.starts_with(head) && command.ends_with("%%EndComments\r\n")) << command;
    const std::string ticket = command.substr(head.size());
    EXPECT_NE(ticket.find("%%Title: (Quarterly Report)\r\n"), std::string::npos);
    EXPECT_NE(ticket.find("numcopies(3)"), std::string::npos);
    EXPECT_NE(cups.queuePpd().find("\n*EXSLOT00000: "), std::string::npos);

    // The engine's factory screen, 106 lines at 45 degrees, not the filter's
    // own default: the dialog's print settings reached the filter.
    EXPECT_EQ(cups.printerOutput(), PrinterBytes(ticket, readFile(kJob), "106 45")) << cups.log();
}

TEST(PrintDialogEndToEnd, ImagePaneShiftAndErasePlacedInTheTicketAndItsScreenAppliedWithinItsLimits) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    std::vector<std::string> arguments = {"--orientation", "landscape"};
    // Both mirrors are on in the factory settings the pane shows.
    for (const char* action : {"click imageoptionButton", "click imageAlignButton", "type iaSide1XEditText 0.25",
                               "type iaSide1YEditText 0.1", "click edgeEraseButton",
                               "type eaSide1TopEditText 0.5", "type halftoneAngleEditText 200",
                               "type halftoneFrequencyEditText 150", "print"}) {
        arguments.insert(arguments.end(), {"--do", action});
    }
    arguments.push_back(kJob);
    const RunResult run = Print(cups, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "lumaprex-print: the pane did not let the job print; click Print again\n")
        << "once, after the edit";
    EXPECT_EQ(run.out, "request id is Lumaprex-2\n");
    ASSERT_TRUE(cups.waitForJob(2));
    // In points; a landscape job mirrors side 1 on Y.
    const std::string ticket = cups.jobDocument(1).substr(std::string("#CUPS-COMMAND\nSaveJobTicket\n").size());
    EXPECT_NE(ticket.find("\r\n%VLXEngineImageAlign: 18.00 7.20 18.00 -7.20\r\n"), std::string::npos) << ticket;
    EXPECT_NE(ticket.find("\r\n%VLXEngineEdgeErase: 0.00 0.00 36.00 0.00 0.00 0.00 36.00 0.00\r\n"), std::string::npos);
    EXPECT_EQ(cups.printerOutput(), PrinterBytes(ticket, readFile(kJob), "150 180"))
        << "the angle typed as 200 kept to 180; " << cups.log();
}

// The catalog picked on the host's command line reaches the extension's
// open panel; the job-setup tab then shows its papers and every choice made.
TEST(PrintDialogEndToEnd, HostShowsTheJobSetupTabWithItsLabelsAndValues) {
    const std::vector<std::string> actions = {
        "pick " + kFixtures + "Covers.cat", "click paperCatalogButton", "click pamphlet", "type signatureSizeText 16",
        "click frontCoverPaperButton",      "click coverPaperFrontButton", "select paperTableView 2"};
    std::vector<std::string> arguments = {kHost, "--ppd", LUMAPREX_SOURCE_DIR "/ppd/Lumaprex.ppd"};
    for (const std::string& action : actions) arguments.insert(arguments.end(), {"--do", action});
    arguments.push_back("--show");
    const RunResult run = runProgram(kHost, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(pde_test::WithoutSourceDir(run.out), readFile(kFixtures + "host_job_setup_shown.txt"));
}

// A title the scheduler would not take as it stands (a control character,
// bytes that are no UTF-8, more than 255 bytes) reaches the printer as the
// ticket holds it, not renamed "Untitled".
TEST(PrintDialogEndToEnd, TitleReachesThePrinterAsTheTicketHoldsIt) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    const auto titleLine = [](const std::string& text) {
        const std::size_t at = text.find("%%Title:");
        return text.substr(at, text.find('\r', at) - at);
    };
    int job = 0;
    for (const std::string& title : {std::string("Tab\tbetween"), std::string("Caf\xE9"), std::string(300, 'x')}) {
        SCOPED_TRACE(title.substr(0, 12));
        const RunResult run = Print(cups, {"--title", title, kJob});
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_TRUE(cups.waitForJob(job += 2));
        EXPECT_EQ(titleLine(cups.printerOutput()), titleLine(cups.jobDocument(job - 1)));
        EXPECT_EQ(titleLine(cups.printerOutput()).find("Untitled"), std::string::npos);
    }
}

// The user opens another catalog, prints on one of its papers, and opens
// the shipped catalog again, which the panel lists: the body paper the
// shipped catalog lacks becomes its first, so the printer receives the
// factory job's ticket byte for byte.
TEST(PrintDialogEndToEnd, ShippedCatalogOpenedAgainAfterAnotherOneGivesTheFactoryTicket) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    const std::vector<std::string> actions = {"pick " + kFixtures + "Covers.cat", "click paperCatalogButton",
                                              "select paperTableView 1",
                                              "pick " LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat",
                                              "click paperCatalogButton"};
    std::vector<std::string> arguments;
    for (const std::string& action : actions) arguments.insert(arguments.end(), {"--do", action});
    arguments.push_back(kJob);
    const RunResult run = Print(cups, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string loaded = "com.varneth.pzf.yfo._jseControlle rerror = 0\n";
    EXPECT_EQ(run.err, loaded + loaded) << "both catalogs loaded";
    ASSERT_TRUE(cups.waitForJob(2));
    EXPECT_EQ(cups.jobDocument(1), WithUser(readFile(kFixtures + "command_file_default.txt"))) << cups.log();
}

// The demo's print: the application's two copies of its report, the
// operator's actions on every tab (data/sample-job.actions), the job saved
// as a template in the folder, the summary shown, and Print clicked twice,
// the first refused after the text edits.
RunResult PrintSampleJob(const PrivateScheduler& cups, const std::string& templates) {
    std::vector<std::string> arguments = {"--title", "Quarterly report", "--copies", "2", "--templates", templates};
    std::istringstream actions(readFile(kSampleActions));
    for (std::string line; std::getline(actions, line);) {
        if (!line.empty() && line[0] != '#') arguments.insert(arguments.end(), {"--do", line});
    }
    for (const char* action : {"click summaryButton", "pick quarterly-report", "click savetemplate",
                               "tab templateTabView 1", "show summaryListView", "print"}) {
        arguments.insert(arguments.end(), {"--do", action});
    }
    arguments.push_back(kSampleJob);
    return Print(cups, arguments);
}

// The ticket fixture is written from the ticket's line rules, not taken
// from a run: duplex on Letter_Heavy, the front cover on Letter_Cover,
// stapled at the top by the stapler, pages 5..8 on Letter_Blue, a Letter_Tab
// insert before page 9 (after page 8), the status page on Letter_Yellow, the
// shift of 0.10 x 0.05 inch in points with side 2 mirrored, the texts.
TEST(PrintDialogEndToEnd, ProductionJobSetOnEveryTabReachesThePrinterAheadOfTheDocument) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir templates;
    const RunResult run = PrintSampleJob(cups, templates.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, kRefusedOnce);
    EXPECT_EQ(run.out, readFile(kFixtures + "production_job_summary.txt") + "request id is Lumaprex-2\n");
    ASSERT_TRUE(cups.waitForJob(2));
    const std::string ticket = WithUser(readFile(kFixtures + "production_job_ticket.txt"));
    EXPECT_EQ(cups.jobDocument(1), "#CUPS-COMMAND\nSaveJobTicket\n" + ticket);
    EXPECT_EQ(cups.printerOutput(), PrinterBytes(ticket, readFile(kSampleJob), "106 45")) << cups.log();
}

TEST(PrintDialogEndToEnd, ProductionJobFromItsTemplateAfterAFactoryResetReachesThePrinterAsBefore) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir templates;
    ASSERT_EQ(PrintSampleJob(cups, templates.path()).status, 0);
    ASSERT_TRUE(cups.waitForJob(2));
    const std::string first = cups.printerOutput();
    std::vector<std::string> arguments = {"--title", "Quarterly report", "--copies", "2"};
    for (const std::string& action : std::vector<std::string>{
             "click finisherButton", "click stackerExit", "click summaryButton", "click resetFactory",
          "pick " + templates.file("quarterly-report"), "click opentemplate", "select templateListView 0",
          "click applytemplate"}) {
        arguments.insert(arguments.end(), {"--do", action});
    }
    arguments.push_back(kSampleJob);
    const RunResult run = Print(cups, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "alert: Set every option back to its factory default? [OK]\n"
                       "alert: The template has been applied. [OK]\n");
    EXPECT_EQ(run.out, "request id is Lumaprex-4\n");
    ASSERT_TRUE(cups.waitForJob(4));
    EXPECT_EQ(cups.printerOutput(), first) << cups.log();
}

TEST(PrintDialogEndToEnd, HostTellsOfASchedulerThatDoesNotAnswerAndStopsWithinTheBound) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    cups.pause();
    const auto start = std::chrono::steady_clock::now();
    const RunResult run = Print(cups, {kJob});
    const auto waited = std::chrono::steady_clock::now() - start;
    cups.resume();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "lumaprex-print: the scheduler at " + cups.socket() +
                           " did not answer within 30 s; nothing was shown or printed\n");
    // The host's own bound is 30 s; a loaded machine takes some seconds more
    // to start it and the scheduler.
    EXPECT_LT(waited, std::chrono::seconds(60));
    EXPECT_EQ(cups.submitTicket("%!PS-Adobe-3.0\r\n%%EndComments\r\n"), 1) << "nothing reached the queue";
}

// A job of the round trip: the actions of its dialog, what the new dialog
// does after the reset before it applies the template, whether the command
// file goes meanwhile, and the host's options.
struct RoundTripCase {
    const char* name;
    std::vector<std::string> actions;
    std::vector<std::string> beforeApply;
    bool deleteFile;
    std::vector<std::string> options = {};
};

const std::string kCommandFileText = "%LumaprexFile: from the operator's file\r\n";

// The job comes back from its template in a new dialog: the printer gets
// the same bytes (a command file deleted meanwhile is left out of the second
// print, which is otherwise the same, and the user is told once) and the
// summary lists the same page exceptions in the same order.
void ExpectTheJobBackFromItsTemplate(PrivateScheduler& cups, const TempDir& folder, const RoundTripCase& c,
                                     const std::string& name) {
    SCOPED_TRACE(c.name);
    const std::string commands = folder.file("commands.ps");
    writeFile(commands, kCommandFileText);
    const RoundTrip trip = TemplateRoundTrip(cups, folder, name, c.actions, c.beforeApply, c.options, [&] {
        if (c.deleteFile) std::filesystem::remove(commands);
    });
    std::string expected = trip.first;
    EXPECT_EQ(expected.substr(0, expected.find("%%EndComments")).find("\r\n\r\n"), std::string::npos)
        << "an empty ticket line";
    if (c.deleteFile) {
        // The file's line went ahead of the ticket's lines.
        const std::size_t at = expected.find(kCommandFileText);
        ASSERT_NE(at, std::string::npos);
        expected.erase(at, kCommandFileText.size());
    }
    EXPECT_EQ(trip.second, expected) << cups.log();
    const std::string gone = "alert: The command file \"" + commands + "\" cannot be read.";
    const std::size_t told = trip.applied.err.find(gone);
    EXPECT_EQ(told != std::string::npos && trip.applied.err.rfind(gone) == told, c.deleteFile) << trip.applied.err;
}

// The odd pages of 1..last substituted: a page feature on every second page.
std::vector<std::string> OddPagesSubstituted(const std::string& last) {
    return {"click pagefeatureButton", "type pageEditorField 1.." + last, "end", "select pageSetView 0",
            "click selectOddPageCheck", "choose exceptionPaperCombo Letter_Blue", "click exceptionUpdateButton"};
}

// Each job of the table comes back from its template: a side or paper
// before its print mode too, inserts on one page in the order they print,
// a large job, page shifts after the bridge rebuilt the dictionary, image
// alignment in every orientation, and templates of the earlier release.
TEST(PrintDialogEndToEnd, JobFromItsTemplateInANewDialogReachesThePrinterAsTheFirstTime) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    const std::string commands = folder.file("commands.ps");
    const std::vector<std::string> image = {"click imageoptionButton", "click imageAlignButton"};
    const std::vector<std::string> mirroredShift = {
        "click pagefeatureButton", "type pageEditorField 2..4", "end",  "select pageSetView 0",
        "click selectAllPagesSetCheck", "click peImage", "click imageAlignButton",
        "type imageSide1XEditText 0.5", "type imageSide1YEditText 0.25", "end", "click imageUpdateButton"};
    const std::vector<std::string> commandFile = {"click customoptionButton", "click customCommandFileButton",
                                                  "pick " + commands, "click customCommandFileSearchButton"};
    std::vector<std::string> everyTab;
    std::istringstream sample(readFile(kSampleActions));
    for (std::string line; std::getline(sample, line);)
        if (!line.empty() && line[0] != '#') everyTab.push_back(line);
    for (const char* action : {"click customoptionButton", "click userDefinedCommandFileButton",
                               "type userDefinedCustomCommandEditText %%Note: every tab", "click insertCustomAppendButton",
                               "click imageoptionButton", "click edgeEraseButton", "click edgeEraseUnitMMCell",
                               "type eaSide1TopEditText 12.7", "end"})
        everyTab.push_back(action);
    const auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    // Inserts of both kinds on page 24, each paper in turn.
    const auto inserts = [](std::initializer_list<const char*> papers) {
        std::vector<std::string> actions = {"click pagefeatureButton", "type pageEditorField 24", "end",
                                            "select pageSetView 0", "click page1", "click peInsert"};
        for (const char* kind : {"0", "1"}) {
            actions.push_back(std::string("choose insertLocationMatrix ") + kind);
            for (const char* paper : papers)
                actions.insert(actions.end(), {std::string("choose exceptionPaperCombo ") + paper,
                                               "click exceptionUpdateButton"});
        }
        return actions;
    };
    // A template the bridge applies without its notification group: its
    // page image shift is applied, and the panes get the rebuilt dictionary.
    const std::string partial = folder.file("partial.plist");
    platform::Dictionary shift{{"startPage", "2"}, {"endPage", "4"}, {"featureType", "302"}, {"x1", "36.00"},
                               {"y1", "18.00"}, {"x2", "-36.00"}, {"y2", "18.00"}};
    platform::Array features;
    features.append(shift);
    platform::Dictionary substitution{{"pageFeatures", features}};
    ASSERT_TRUE(platform::WritePropertyListFile(
        partial, platform::Dictionary{{"jobSetup", platform::Dictionary()}, {"finisher", platform::Dictionary()},
                                      {"custom", platform::Dictionary()}, {"image", platform::Dictionary()},
                                      {"Substitution", substitution}}));
    // A template applied in the first dialog; then of the earlier release,
    // whose arrays place the image values turned a quarter, or give edge
    // erase orientation 0.
    const auto applied = [](const std::string& path) {
        return std::vector<std::string>{"click summaryButton", "pick " + path, "click opentemplate",
                                        "select templateListView 0", "click applytemplate"};
    };
    const auto older = [&](const char* name, const platform::Array& erase) {
        EXPECT_TRUE(platform::WritePropertyListFile(
            folder.file(name), platform::Dictionary{{"Version", "7.0"}, {"Edge Erase", erase},
                                                    {"Image Alignment", platform::Array{"1", "1", "2", "0", "0.3",
                                                                                        "0.1", "0", "0"}}}));
        return applied(folder.file(name));
    };
    const std::vector<std::string> covers = {"click jobsetupButton", "pick " + kFixtures + "Covers.cat",
                                             "click paperCatalogButton"};
    const std::vector<std::string> mirroredAlignment = join(image, {"type iaSide1XEditText 0.25",
                                                                    "type iaSide1YEditText 0.1", "end"});
    const RoundTripCase cases[] = {
        {"millimetre alignment and erase",
         join(image, {"click imageAlignUnitMMCell", "type iaSide1XEditText 5", "end", "click edgeEraseButton",
                      "click edgeEraseUnitMMCell", "type eaSide1TopEditText 12.7", "end"}),
         {}, false},
        {"inches applied while the pane shows millimetres", join(image, {"type iaSide1XEditText 0.5", "end"}),
         join(image, {"click imageAlignUnitMMCell"}), false},
        {"command text before the ticket lines",
         {"click customoptionButton", "click userDefinedCommandFileButton",
          "type userDefinedCustomCommandEditText %%Note: before"}, {}, false},
        {"command text after the ticket lines",
         {"click customoptionButton", "click userDefinedCommandFileButton",
          "type userDefinedCustomCommandEditText %%Note: after", "click insertCustomAppendButton"}, {}, false},
        {"command file", commandFile, {}, false},
        {"command file deleted before the apply", commandFile, {}, true},
        {"mirrored page image shift with a Y value", mirroredShift, {}, false},
        {"every tab changed at once", everyTab, {}, false},
        {"back side kept before the short-edge duplex of its page",
         {"click pagefeatureButton", "type pageEditorField 2..4", "end", "select pageSetView 0",
          "click selectAllPagesSetCheck", "click peLayout", "click duplexLongEdgeButton", "click backSideButton",
          "click layoutUpdateButton", "click selectAllPagesSetCheck", "click page3", "click duplexShortEdgeButton",
          "click layoutUpdateButton"},
         {}, false},
        {"one-sided paper kept before the simplex of its page on a duplex job",
         {"click jobsetupButton", "click duplexLongEdge", "click pagefeatureButton", "type pageEditorField 4", "end",
          "select pageSetView 0", "click page1", "click peLayout", "click simplexButton", "click layoutUpdateButton",
          "click peSubstitute", "choose exceptionPaperCombo Letter_Transparency", "click exceptionUpdateButton"},
         {}, false},
        {"two inserts of each kind on one page", inserts({"Letter_Blue", "Letter_Red"}), {}, false},
        {"three inserts of each kind on one page", inserts({"Letter_Blue", "Letter_Red", "Letter_Green"}), {}, false},
        {"3,000 page features", OddPagesSubstituted("5999"), {}, false},
        {"page image shift across a catalog load that replaces a paper",
         join(mirroredShift, join({"type pageEditorField 10", "end", "select pageSetView 1", "click page1",
                                   "click peSubstitute", "choose exceptionPaperCombo Letter_Red",
                                   "click exceptionUpdateButton"},
                                  covers)),
         covers, false},
        {"page image shift across a template with a group missing", applied(partial), {}, false},
        {"earlier release turned a quarter", older("turned", {"1", "0", "2", "0", "0.5", "0.25"}), {}, false},
        {"earlier release erasing nothing", older("one-element", {"1"}), {}, false},
        {"mirrored alignment in landscape", mirroredAlignment, {}, false, {"--orientation", "landscape"}},
        {"mirrored alignment in reverse landscape", mirroredAlignment, {}, false,
         {"--orientation", "reverse-landscape"}},
        {"mirrored alignment in reverse portrait", mirroredAlignment, {}, false, {"--orientation", "reverse-portrait"}},
    };
    int row = 0;
    for (const RoundTripCase& c : cases)
        ExpectTheJobBackFromItsTemplate(cups, folder, c, "round-trip-" + std::to_string(++row));
}

// The largest job the page-exception tab takes, a page feature on each of
// 50,000 runs, comes back from its template as the table's jobs do.
TEST(PrintDialogEndToEnd, LargestJobFromItsTemplateReachesThePrinterAsTheFirstTime) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    ExpectTheJobBackFromItsTemplate(cups, folder, {"50,000 page features", OddPagesSubstituted("99999"), {}, false},
                                    "largest");
}

// The page-exception lines of a stored ticket: slips, plex, rotation and
// image shift, each with its continuation lines.
std::string PageExceptionLines(const std::string& command) {
    std::string lines;
    bool continued = false;
    std::istringstream in(command);
    for (std::string line; std::getline(in, line);) {
        continued = (continued && line.starts_with("%%+ ")) || line.starts_with("%VLXSlip:") ||
                    line.starts_with("%VLXPePlex:") || line.starts_with("%VLXPeRotate:") ||
                    line.starts_with("%VLXPeShift:");
        if (continued) lines += "  " + line.substr(0, line.find('\r')) + "\n";
    }
    return lines;
}

// A walk on the page-exception tab: for each step the dialog is worked up
// to it afresh, shows its summary and prints; the step's alerts, the summary
// and the page-exception lines of the ticket the queue stored, step by step.
std::string WalkThroughTheHost(PrivateScheduler& cups, const std::vector<std::string>& steps, int& job) {
    std::string transcript, alertsBefore;
    std::vector<std::string> arguments = {"--do", "click pagefeatureButton"};
    for (const std::string& step : steps) {
        std::istringstream actions(step);
        for (std::string action; std::getline(actions, action, ';');)
            arguments.insert(arguments.end(), {"--do", action.substr(action.find_first_not_of(' '))});
        std::vector<std::string> run = arguments;
        // The first print after typing is refused once.
        for (const char* action : {"click peSummary", "show summaryListView", "print", "print"})
            run.insert(run.end(), {"--do", action});
        const RunResult result = Print(cups, run);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(cups.waitForJob(++job)) << cups.log();
        const std::string alerts = result.err.substr(0, result.err.rfind(kRefusedOnce));
        transcript += "== " + step + "\n" + alerts.substr(alerts.starts_with(alertsBefore) ? alertsBefore.size() : 0) +
                      result.out + PageExceptionLines(cups.jobDocument(job));
        alertsBefore = alerts;
    }
    return transcript;
}

// A substitution over the head of a duplex range keeps the duplex on the
// pages the user chose, also once it is taken away and the layout changes
// elsewhere; an image shift is placed on each page by its own paper, and
// a landscape mirror prints as side 2's fields show it.
TEST(PrintDialogEndToEnd, PageExceptionsReachTheTicketOnExactlyThePagesTheUserChose) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    int job = 0;
    const std::string layout = WalkThroughTheHost(
        cups,
        {"type pageEditorField 5..10; end; click selectAllPagesSetCheck; click peLayout; "
         "click duplexLongEdgeButton; click layoutUpdateButton",
         "click deletePageRange; type pageEditorField 3..7; end; click selectAllPagesSetCheck; click peSubstitute; "
         "choose exceptionPaperCombo Letter_Blue; click exceptionUpdateButton",
         "select exceptionListView 0; click exceptionDeleteButton",
         "click deletePageRange; type pageEditorField 20..22; end; click selectAllPagesSetCheck; click peLayout; "
         "click useJobPrintingButton; click use180RotationButton; click layoutUpdateButton"},
        job);
    EXPECT_EQ(layout, readFile(kFixtures + "host_layout_under_substitution.txt"));
    const std::string shift = WalkThroughTheHost(
        cups,
        {"type pageEditorField 1..10; end; click selectAllPagesSetCheck; click peImage; click imageAlignButton; "
         "type imageSide1XEditText 0.5; end; click imageUpdateButton",
         "click deletePageRange; type pageEditorField 10; end; click page1; click peSubstitute; "
         "choose exceptionPaperCombo A3; click exceptionUpdateButton",
         "type pageEditorField 2..4; end; click selectAllPagesSetCheck; click peImage; click imageAlignButton; "
         "click mmButton; type imageSide1XEditText 5.08; type imageSide1YEditText 2.54; end; "
         "click landscapeButton; show imageSide2XEditText; show imageSide2YEditText; click imageUpdateButton"},
        job);
    EXPECT_EQ(shift, readFile(kFixtures + "host_shift_by_paper.txt"));
}

// After the demo's job, a command file that the queue could keep alone but
// not with the ticket is left out with its alert, and the ticket still goes:
// the printer receives what a print with the file emptied receives, never
// the demo job's ticket.
TEST(PrintDialogEndToEnd, CommandFileTooLargeWithTheTicketIsLeftOutAndTheTicketStillGoes) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    ASSERT_EQ(PrintSampleJob(cups, folder.path()).status, 0);
    ASSERT_TRUE(cups.waitForJob(2));
    const std::string file = folder.file("commands.ps");
    const std::vector<std::string> actions = {"click customoptionButton", "click customCommandFileButton",
                                              "pick " + file, "click customCommandFileSearchButton"};
    writeFile(file, "");
    std::filesystem::resize_file(file, 16777000);
    RunResult large;
    const int printed = PrintDialog(cups, folder.path(), actions, large);
    ASSERT_TRUE(printed > 0 && cups.waitForJob(printed)) << large.err << cups.log();
    EXPECT_EQ(large.err, "zqController: the command file \"" + file +
                             "\" is larger than the printer's queue keeps and was left out of the job ticket\n"
                             "alert: The command file \"" + file +
                             "\" is larger than the printer's queue can keep. The job ticket goes to the printer "
                             "without it. [OK]\n");
    const std::string output = cups.printerOutput();
    writeFile(file, "");
    RunResult empty;
    const int emptied = PrintDialog(cups, folder.path(), actions, empty);
    ASSERT_TRUE(emptied > 0 && cups.waitForJob(emptied)) << empty.err << cups.log();
    EXPECT_TRUE(output == cups.printerOutput()) << output.substr(0, 2000);
}

// A queue that runs the command job and does not keep the ticket: the user
// hears why, and the document does not go, so that it cannot print under the
// ticket stored before.
TEST(PrintDialogEndToEnd, TicketTheQueueDidNotKeepStopsThePrintAndSaysWhy) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.storeTicket(readFile(LUMAPREX_TEST_DATA "/filters/ticket.ps")));
    cups.replaceCommandFilter(builtProgram("tests", "Lumaprex-Command-deflate-fails"));
    const RunResult run = Print(cups, {kJob});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "alert: The printer's queue could not keep the job ticket (deflate returned -2 (stream error)). "
                       "The document was not printed, so that it does not go out under the ticket of an earlier "
                       "job. [OK]\n" + kRefusedOnce) << cups.log();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(cups.submitTicket("%!PS-Adobe-3.0\r\n%%EndComments\r\n"), 3) << "nothing but the command job went";
}

// A stopped queue does not hold the print for the bound: the document goes
// at once, the host says it has not printed and, when the queue starts
// again, it prints behind its own ticket.
TEST(PrintDialogEndToEnd, StoppedQueueDoesNotHoldThePrint) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    RunSetup setup;
    setup.environment["CUPS_SERVER"] = cups.socket();
    ASSERT_EQ(runProgram("cupsdisable", {"cupsdisable", "Lumaprex"}, setup).status, 0);
    const auto start = std::chrono::steady_clock::now();
    const RunResult run = Print(cups, {kJob});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, "request id is Lumaprex-2\n");
    EXPECT_EQ(run.err, "lumaprex-print: stopped waiting for Lumaprex-2, which has not printed: the queue is stopped\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "well within the 30 s bound";
    ASSERT_EQ(runProgram("cupsenable", {"cupsenable", "Lumaprex"}, setup).status, 0);
    ASSERT_TRUE(cups.waitForJob(2));
    EXPECT_EQ(cups.jobDocument(1), WithUser(readFile(kFixtures + "command_file_default.txt"))) << cups.log();
}

// The bytes of every file under the folder, which may go meanwhile.
std::uintmax_t FolderBytes(const std::string& folder) {
    std::uintmax_t bytes = 0;
    std::error_code gone;
    for (auto entry = std::filesystem::recursive_directory_iterator(folder, gone);
         !gone && entry != std::filesystem::recursive_directory_iterator(); entry.increment(gone)) {
        const std::uintmax_t size = entry->file_size(gone);
        bytes += gone ? 0 : size;
        gone.clear();
    }
    return bytes;
}

// A socket left behind by a scheduler that has gone: nothing listens.
std::string SocketNobodyListensOn(const TempDir& folder) {
    const std::string path = folder.file("gone.sock");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    return path;
}

TEST(PrintDialogEndToEnd, HostSaysWhatItCannotDo) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    const std::string gone = SocketNobodyListensOn(folder);
    const std::string copies = "lumaprex-print: the copies field takes 1 to 99999 copies\n";
    const auto noQueue = [&](const std::string& queue) {
        return "lumaprex-print: cannot print " + kJob + ": the scheduler at " + cups.socket() + " has no queue \"" +
               queue + "\"\n";
    };
    // Documents the host does not send: what is not PostScript (the queue
    // would print it without the ticket, or convert it around the ticket
    // filter), and what the scheduler would refuse once the ticket is stored.
    const auto refused = [&](const std::string& name, const std::string& bytes, const std::string& why) {
        writeFile(folder.file(name), bytes);
        return "lumaprex-print: cannot print " + folder.file(name) + ": " + why + "\n";
    };
    const std::string notPostScript =
        "it does not start with %! (or Ctrl-D and %!): the host prints PostScript only, the one type the queue puts "
        "the job ticket ahead of";
    // A document that expands to 1 GB of PostScript, which the host is
    // stopped while expanding.
    std::string bomb = Gzipped("%!PS\n");
    const std::string zeros = Gzipped(std::string(16 << 20, '\0'));
    for (int member = 0; member < 64; ++member) bomb += zeros;
    writeFile(folder.file("bomb.ps.gz"), bomb);
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string error;
        const char* server = nullptr;  // in place of the private one
        int signal = 0;                // sent once the temporary folder holds 8 MB
    };
    const Case cases[] = {
        {{"--do", "click nothing"}, 1, "lumaprex-print: cannot click nothing: no visible control \"nothing\"\n"},
        {{kJob}, 1,
         "lumaprex-print: cannot print " + kJob + ": no scheduler at /nonexistent/cups.sock (No such file or directory)\n",
         "/nonexistent/cups.sock"},
        {{"--do", "click pagefeatureButton", "--do", "type pageEditorField 0", "--do", "end"}, 0,
         "alert: Not every page range could be added\n\nPages are numbered from 1 to 99999; a page number cannot be 0 "
         "or begin with 0.\n\n [OK]\n"},
        {{"--do", "show summaryListView"}, 1,
         "lumaprex-print: cannot show summaryListView: no visible control \"summaryListView\"\n"},
        {{"--module", "/nonexistent.so"}, 1, "lumaprex-print: cannot load the extension: /nonexistent.so"},
        {{"--copies"}, 2, "usage: lumaprex-print"},
        {{kJob}, 1, "lumaprex-print: cannot print " + kJob + ": no scheduler at " + gone + " (Connection refused)\n",
         gone.c_str()},
        {{"--printer", "Missing", kJob}, 1, noQueue("Missing")},
        {{"--printer", "Lumaprex?x=1", kJob}, 1, noQueue("Lumaprex?x=1")},
        {{"--printer", "a/b", kJob}, 1, noQueue("a/b")},
        {{"--printer", "", kJob}, 1, noQueue("")},
        {{"--copies", "100000", kJob}, 1, copies},
        {{"--copies", "0", kJob}, 1, copies},
        {{"--copies", "-1", kJob}, 1, copies},
        {{folder.file("pjl.ps")}, 1,
         refused("pjl.ps", "\033%-12345X@PJL ENTER LANGUAGE=POSTSCRIPT\n" + readFile(kJob), notPostScript)},
        {{folder.file("binary.eps")}, 1,
         refused("binary.eps", "\xc5\xd0\xd3\xc6\x1e\0\0\0" + readFile(kJob), notPostScript)},
        {{folder.file("doc.pdf")}, 1, refused("doc.pdf", "%PDF-1.4\n%%EOF\n", notPostScript)},
        {{folder.file("doc.txt")}, 1, refused("doc.txt", "hello\n", notPostScript)},
        {{folder.file("bom.ps")}, 1, refused("bom.ps", "\xef\xbb\xbf" + readFile(kJob), notPostScript)},
        {{folder.file("ctrl-d.txt")}, 1, refused("ctrl-d.txt", "\004hello\n", notPostScript)},
        {{folder.file("empty.ps")}, 1, refused("empty.ps", "", "it is empty")},
        {{folder.file("text.gz")}, 1, refused("text.gz", Gzipped("hello\n"), notPostScript)},
        {{folder.file("empty.gz")}, 1, refused("empty.gz", Gzipped(""), "it is empty")},
        {{folder.path()}, 1, "lumaprex-print: cannot print " + folder.path() + ": Is a directory\n"},
        {{"/dev/zero"}, 1, "lumaprex-print: cannot print /dev/zero: it is no plain file\n"},
        {{folder.file("bomb.ps.gz")}, 128 + SIGTERM, "", nullptr, SIGTERM},
        {{folder.file("bomb.ps.gz")}, 128 + SIGINT, "", nullptr, SIGINT},
        {{folder.file("bomb.ps.gz")}, 128 + SIGHUP, "", nullptr, SIGHUP},
    };
    // The host copies and expands a document into the temporary folder, and
    // leaves nothing there when it refuses it or a signal stops it.
    const TempDir expansions;
    setenv("TMPDIR", expansions.path().c_str(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + std::to_string(c.signal));
        const auto stop = [&](pid_t host) {
            for (int waited = 0; waited < 6000 && FolderBytes(expansions.path()) < (8 << 20); ++waited) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            kill(host, c.signal);
        };
        const RunResult run = Print(cups, c.arguments, c.server, c.signal ? stop : std::function<void(pid_t)>());
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.starts_with(c.error)) << run.err;
    }
    unsetenv("TMPDIR");
    EXPECT_TRUE(std::filesystem::is_empty(expansions.path()));
    EXPECT_EQ(cups.submitTicket("%!PS-Adobe-3.0\r\n%%EndComments\r\n"), 1) << "nothing reached the queue";
}

}  // namespace
