// The print dialog from end to end: the print host loads the extension
// module, the user works the pane and prints; the private scheduler runs the
// command filter on the command job, which stores the ticket in the queue's
// PPD, and the application's job reaches the printer's file device behind
// that ticket with the halftone screen its job options asked for.
#include <gtest/gtest.h>

#include "UserEnvironment.h"
#include "pde_test_support.h"
#include "private_scheduler.h"

using namespace filter_test;

namespace {

const std::string kHost = builtProgram("tools", "lumaprex-print");
const std::string kJob = LUMAPREX_TEST_DATA "/filters/job.ps";
const std::string kFixtures = LUMAPREX_TEST_DATA "/pde/";

RunResult Print(const PrivateScheduler& cups, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), kHost);
    RunSetup setup;
    setup.environment["CUPS_SERVER"] = cups.socket();
    return runProgram(kHost, arguments, setup);
}

// The fixture's text with the user who runs the test in place of "@USER@".
std::string WithUser(std::string text) {
    const std::size_t at = text.find("@USER@");
    if (at != std::string::npos) text.replace(at, 6, platform::LoginName());
    return text;
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
    EXPECT_NE(cups.queuePpd().find("\n*EXDATA00000: "), std::string::npos);

    const std::string job = readFile(kJob);
    const std::size_t firstPage = job.find("\n%%Page:") + 1;
    // The engine's factory screen, 106 lines at 45 degrees, not the filter's
    // own default: the dialog's print settings reached the filter.
    EXPECT_EQ(cups.printerOutput(), ticket + job.substr(0, firstPage) +
                                        "\ncurrentscreen 3 1 roll pop pop  106 45  3 -1 roll setscreen\n" +
                                        job.substr(firstPage))
        << cups.log();
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
    const std::string job = readFile(kJob);
    const std::size_t firstPage = job.find("\n%%Page:") + 1;
    EXPECT_EQ(cups.printerOutput(), ticket + job.substr(0, firstPage) +
                                        "\ncurrentscreen 3 1 roll pop pop  150 180  3 -1 roll setscreen\n" +
                                        job.substr(firstPage))
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

TEST(PrintDialogEndToEnd, HostSaysWhatItCannotDo) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* error;
    };
    const Case cases[] = {
        {{"--do", "click nothing"}, 1, "lumaprex-print: cannot click nothing: no visible control \"nothing\"\n"},
        {{"--do", "show summaryListView"}, 1,
         "lumaprex-print: cannot show summaryListView: no visible control \"summaryListView\"\n"},
        {{"--module", "/nonexistent.so"}, 1, "lumaprex-print: cannot load the extension: /nonexistent.so"},
        {{"--copies"}, 2, "usage: lumaprex-print"},
        {{"--printer", "Missing", kJob}, 1, "lumaprex-print: cannot print "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const RunResult run = Print(cups, c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.starts_with(c.error)) << run.err;
    }
}

}  // namespace
