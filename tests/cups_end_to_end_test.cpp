// The two filters as a real CUPS scheduler runs them: a private cupsd with
// its own configuration, spool and Unix-domain socket, a queue with the
// shipped PPD printing to a file, a command job storing a ticket and a print
// job receiving it.
#include <gtest/gtest.h>

#include <sstream>

#include "private_scheduler.h"

using namespace filter_test;

namespace {

const std::string kTestData = std::string(LUMAPREX_TEST_DATA) + "/filters/";

std::string ticketWithTitle(const std::string& ticket, const std::string& title) {
    std::size_t at = ticket.find("%%Title:");
    std::size_t end = ticket.find("\r\n", at) + 2;
    return ticket.substr(0, at) + "%%Title: (" + title + ")\r\n" + ticket.substr(end);
}

TEST(CupsEndToEnd, TicketReachesTheNextPrintJob) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    const std::string ticket = readFile(kTestData + "ticket.ps");
    ASSERT_TRUE(cups.storeTicket(ticket));
    EXPECT_NE(cups.queuePpd().find("\n*EXDATA00000: "), std::string::npos);
    EXPECT_NE(cups.queuePpd().find("\n*EXDATA00001: "), std::string::npos);

    int job = cups.submit(kTestData + "job.ps",
                          {"-t", "Quarterly Report", "-o", "com.Varneth.lumaprex.halftonedegree=45",
                           "-o", "com.Varneth.lumaprex.halftonelpi=150"});
    ASSERT_TRUE(job > 0 && cups.waitForJob(job));

    const std::string psJob = readFile(kTestData + "job.ps");
    std::size_t firstPage = psJob.find("\n%%Page:") + 1;
    EXPECT_EQ(cups.printerOutput(),
              ticketWithTitle(ticket, "Quarterly Report") + psJob.substr(0, firstPage) +
                  "\ncurrentscreen 3 1 roll pop pop  150 45  3 -1 roll setscreen\n" +
                  psJob.substr(firstPage))
        << cups.log();
}

TEST(CupsEndToEnd, TicketLongerThanOneBlockArrivesWhole) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    std::string ticket = "%!PS-Adobe-3.0\r\n%%Title: (Untitled)\r\n";
    for (int page = 1; ticket.size() < 150000; ++page) {
        ticket += "%VLXPeSubset: " + std::to_string(page) + " " + std::to_string(page) +
                  " (Letter) (White) Staple " + std::to_string(page * 7919 % 1000) + "\r\n";
    }
    ticket += "%%EndComments\r\n";
    ASSERT_TRUE(cups.storeTicket(ticket));

    int job = cups.submit(kTestData + "job.ps", {"-t", "Long"});
    ASSERT_TRUE(job > 0 && cups.waitForJob(job));
    std::string output = cups.printerOutput();
    const std::string expected = ticketWithTitle(ticket, "Long");
    EXPECT_TRUE(output.compare(0, expected.size(), expected) == 0) << cups.log();
    EXPECT_NE(output.find("  90 60  3 -1 roll setscreen\n%%Page: 1 1"), std::string::npos);
}

TEST(CupsEndToEnd, TicketThatCannotBeCompressedFailsTheJobAndTheStoredOneStays) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.storeTicket(readFile(kTestData + "ticket.ps")));
    const std::string stored = cups.queuePpd();
    cups.replaceCommandFilter(builtProgram("tests", "Lumaprex-Command-deflate-fails"));
    int job = cups.submitTicket("%!PS-Adobe-3.0\r\n%%Title: (Other)\r\n%%EndComments\r\n");
    ASSERT_GT(job, 0);
    EXPECT_TRUE(cups.waitForJobLog(job, "deflate returned -2 (stream error)")) << cups.log();
    EXPECT_TRUE(cups.waitForJobLog(job, "Job stopped due to filter errors; please consult the " +
                                            cups.logPath() + " file for details."));
    EXPECT_TRUE(cups.queuePpd() == stored);
}

// A ticket stored after a longer one replaces it item for item: the queue's
// PPD keeps a value only under the new ticket's items.
TEST(CupsEndToEnd, ShorterTicketLeavesNoItemOfTheLongerOneBefore) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    std::string longer = "%!PS-Adobe-3.0\r\n%%Title: (Long)\r\n";
    for (unsigned value = 1; longer.size() < 100000; value = value * 1103515245u + 12345u) {
        longer += "%VLXNote: " + std::to_string(value) + "\r\n";
    }
    ASSERT_TRUE(cups.storeTicket(longer));
    const std::string ticket = readFile(kTestData + "ticket.ps");
    ASSERT_TRUE(cups.storeTicket(ticket));
    std::istringstream ppd(cups.queuePpd());
    int items = 0, valued = 0;
    for (std::string line; std::getline(ppd, line);) {
        if (!line.starts_with("*EXDATA") || line.starts_with("*EXDATA0OWNER")) continue;
        ++items;
        if (line.find(": ") + 2 < line.size() && !line.ends_with("\"\"")) {
            EXPECT_EQ(line.substr(0, 12), "*EXDATA0000" + std::string(1, "0123456789"[valued])) << line;
            ++valued;
        }
    }
    EXPECT_GT(items, 100) << "the longer ticket's items are still there, empty";
    EXPECT_EQ(valued, 2);
}

// The dialog's highest copy count: the queue takes the job, and the printer
// receives the ticket that asks for every copy.
TEST(CupsEndToEnd, HighestCopyCountOfTheDialogReachesThePrinter) {
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    const std::string host = builtProgram("tools", "lumaprex-print");
    RunSetup setup;
    setup.environment["CUPS_SERVER"] = cups.socket();
    const RunResult run = runProgram(host, {host, "--copies", "99999", kTestData + "job.ps"}, setup);
    ASSERT_EQ(run.status, 0) << run.err << cups.log();
    EXPECT_EQ(run.out, "request id is Lumaprex-2\n");
    ASSERT_TRUE(cups.waitForJob(2));
    const std::string output = cups.printerOutput();
    EXPECT_NE(output.find("\r\n%VLXRequirements: numcopies(99999) "), std::string::npos) << output.substr(0, 2000);
}

TEST(CupsEndToEnd, ShippedPpdPassesCupstestppd) {
    TempDir root;
    std::filesystem::create_directories(root.file("usr/lib/cups/filter"));
    for (const char* filter : {"Lumaprex-Command/Lumaprex-Command", "filter/Lumaprex"}) {
        std::filesystem::path built = std::string(LUMAPREX_BINARY_DIR) + "/" + filter;
        std::filesystem::copy_file(built, root.file("usr/lib/cups/filter/") + built.filename().string());
    }
    RunResult result = runProgram("cupstestppd", {"cupstestppd", "-W", "all", "-R", root.path(), kShippedPpd});
    EXPECT_EQ(result.status, 0) << result.out << result.err;
}

}  // namespace
