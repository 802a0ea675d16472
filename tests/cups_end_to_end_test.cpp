// The two filters as a real CUPS scheduler runs them: a private cupsd with
// its own configuration, spool and Unix-domain socket, a queue with the
// shipped PPD printing to a file, a command job storing a ticket and a print
// job receiving it.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <thread>

#include "filter_test_support.h"

using namespace filter_test;

namespace {

const std::string kScript = std::string(LUMAPREX_SOURCE_DIR) + "/scripts/private-cups";
const std::string kShippedPpd = std::string(LUMAPREX_SOURCE_DIR) + "/ppd/Lumaprex.ppd";
const std::string kTestData = std::string(LUMAPREX_TEST_DATA) + "/filters/";
constexpr int kJobTimeoutSeconds = 60;

// A cupsd of the test's own, stopped by its process id.
class PrivateScheduler {
public:
    PrivateScheduler() {
        RunResult prepared =
            runProgram(kScript, {kScript, "prepare", dir_.path(), LUMAPREX_BINARY_DIR, kShippedPpd});
        if (prepared.status != 0) {
            ADD_FAILURE() << "prepare: " << prepared.err;
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            execl(kScript.c_str(), kScript.c_str(), "run", dir_.path().c_str(), nullptr);
            _exit(127);
        }
        RunResult queue = runProgram(kScript, {kScript, "add-queue", dir_.path(), "30"});
        EXPECT_EQ(queue.status, 0) << queue.err << log();
        ready_ = queue.status == 0;
    }

    ~PrivateScheduler() {
        if (pid_ <= 0) {
            return;
        }
        kill(pid_, SIGTERM);
        for (int waited = 0; waited < 100; ++waited) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

    PrivateScheduler(const PrivateScheduler&) = delete;
    PrivateScheduler& operator=(const PrivateScheduler&) = delete;

    bool ready() const { return ready_; }

    // Submits a file with lp; the job id, or 0.
    int submit(const std::string& file, std::vector<std::string> lpOptions) {
        std::vector<std::string> args = {"lp", "-d", "Lumaprex"};
        args.insert(args.end(), lpOptions.begin(), lpOptions.end());
        args.push_back(file);
        RunSetup setup;
        setup.environment["CUPS_SERVER"] = dir_.file("cups.sock");
        RunResult result = runProgram("lp", args, setup);
        EXPECT_EQ(result.status, 0) << result.err;
        std::size_t at = result.out.find("Lumaprex-");
        return at == std::string::npos ? 0 : std::atoi(result.out.c_str() + at + 9);
    }

    // Waits until the job completed; false when it ended otherwise or did
    // not end in time.
    bool waitForJob(int job) {
        RunResult result = runProgram(
            kScript, {kScript, "wait-job", dir_.path(), std::to_string(job),
                      std::to_string(kJobTimeoutSeconds)});
        EXPECT_EQ(result.status, 0) << result.err << log();
        return result.status == 0;
    }

    // Waits until the scheduler logs the line for the job; false when it
    // does not within the job time-out.
    bool waitForJobLog(int job, const std::string& line) {
        const std::string text = "[Job " + std::to_string(job) + "] " + line + "\n";
        for (int waited = 0; waited < kJobTimeoutSeconds * 10; ++waited) {
            if (log().find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Sends a command job storing the ticket; the job id, or 0.
    int submitTicket(const std::string& ticket) {
        writeFile(dir_.file("command-job"), "#CUPS-COMMAND\nSaveJobTicket\n" + ticket);
        return submit(dir_.file("command-job"),
                      {"-o", "document-format=application/vnd.cups-command"});
    }

    // Sends a command job storing the ticket and waits for it.
    bool storeTicket(const std::string& ticket) {
        int job = submitTicket(ticket);
        return job > 0 && waitForJob(job);
    }

    // Puts another program in the place of the command filter.
    void replaceCommandFilter(const std::string& program) {
        std::filesystem::copy_file(program, dir_.file("serverbin/filter/Lumaprex-Command"),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::string queuePpd() const { return readFile(dir_.file("conf/ppd/Lumaprex.ppd")); }
    std::string printerOutput() const { return readFile(dir_.file("printer-output")); }
    std::string logPath() const { return dir_.file("log/error_log"); }
    std::string log() const { return "\n--- error_log ---\n" + readFile(logPath()); }

private:
    TempDir dir_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

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
