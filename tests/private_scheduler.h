// A private CUPS scheduler for end-to-end tests: its own configuration,
// spool, logs and Unix-domain socket (scripts/private-cups), the Lumaprex
// queue with the shipped PPD printing to a file, stopped by its process id.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "filter_test_support.h"

namespace filter_test {

inline const std::string kScript = std::string(LUMAPREX_SOURCE_DIR) + "/scripts/private-cups";
inline const std::string kShippedPpd = std::string(LUMAPREX_SOURCE_DIR) + "/ppd/Lumaprex.ppd";
inline constexpr int kJobTimeoutSeconds = 60;

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
        resume();
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

    // Stops the scheduler where it stands (SIGSTOP): it takes connections
    // and answers nothing until it resumes.
    void pause() { kill(pid_, SIGSTOP); }
    void resume() { kill(pid_, SIGCONT); }

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
    // The document of a job as the scheduler spooled it.
    std::string jobDocument(int job) const {
        char name[32];
        std::snprintf(name, sizeof name, "spool/d%05d-001", job);
        return readFile(dir_.file(name));
    }
    // The socket clients reach the scheduler through (CUPS_SERVER).
    std::string socket() const { return dir_.file("cups.sock"); }
    std::string printerOutput() const { return readFile(dir_.file("printer-output")); }
    std::string logPath() const { return dir_.file("log/error_log"); }
    std::string log() const { return "\n--- error_log ---\n" + readFile(logPath()); }

private:
    TempDir dir_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace filter_test
