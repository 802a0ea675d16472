// A private CUPS scheduler for end-to-end tests: its own configuration,
// spool, logs and Unix-domain socket (scripts/private-cups), the Lumaprex
// queue with the shipped PPD printing to a file or keeping every job,
// stopped by its process id.
#pragma once

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mount.h>

#include <chrono>
#include <thread>

#include "filter_test_support.h"

namespace filter_test {

inline const std::string kScript = std::string(LUMAPREX_SOURCE_DIR) + "/scripts/private-cups";
inline const std::string kShippedPpd = std::string(LUMAPREX_SOURCE_DIR) + "/ppd/Lumaprex.ppd";
inline constexpr int kJobTimeoutSeconds = 60;

// How a scheduler is set up: the queue keeps every job (captureFolder), and
// the scheduler runs as the unprivileged user "nobody" when the test runs as
// root, whom a folder without write permission stops as it stops any user.
struct SchedulerSetup {
    bool capture = false;
    bool unprivileged = false;
    bool postScriptBanner = false;  // the scheduler also knows the banner page "psbanner", in PostScript
};

// A cupsd of the test's own, stopped by its process id.
class PrivateScheduler {
public:
    explicit PrivateScheduler(SchedulerSetup setup = {}) {
        if (setup.unprivileged && geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || chown(dir_.path().c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
                ADD_FAILURE() << "cannot hand the scheduler's folder to nobody";
                return;
            }
            runAs_ = {"setpriv", "--reuid=" + std::to_string(nobody->pw_uid),
                      "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups", "--"};
            if (!reachableAsRunUser()) {
                cannotRun_ = "nobody cannot reach the scheduler's script and programs in " +
                             std::string(LUMAPREX_SOURCE_DIR) + " (a folder closed to other users)";
                return;
            }
        }
        RunResult prepared = script({"prepare", dir_.path(), LUMAPREX_BINARY_DIR, kShippedPpd});
        if (prepared.status != 0) {
            ADD_FAILURE() << "prepare: " << prepared.err;
            return;
        }
        if (setup.postScriptBanner) addPostScriptBanner();
        pid_ = fork();
        if (pid_ == 0) {
            int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            std::vector<std::string> run = command({"run", dir_.path()});
            std::vector<char*> argv;
            for (std::string& arg : run) argv.push_back(arg.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        RunResult queue = script({"add-queue", dir_.path(), "30", setup.capture ? "capture" : "file"});
        EXPECT_EQ(queue.status, 0) << queue.err << log();
        ready_ = queue.status == 0;
    }

    ~PrivateScheduler() {
        if (!mounted_.empty()) {
            umount2(mounted_.c_str(), MNT_DETACH);
        }
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
    // Why the scheduler could not run as the unprivileged user, or empty.
    const std::string& cannotRun() const { return cannotRun_; }

    // Stops the scheduler where it stands (SIGSTOP): it takes connections
    // and answers nothing until it resumes.
    void pause() { kill(pid_, SIGSTOP); }
    void resume() { kill(pid_, SIGCONT); }
    // Kills the scheduler at once (SIGKILL), as a crash would: it saves
    // nothing more.
    void crash() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

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
        const std::string end = jobEnd(job);
        EXPECT_EQ(end, "completed") << log();
        return end == "completed";
    }

    // Waits until the job ended or stopped: "completed", else the state it
    // ended in ("processing-stopped", "aborted", "canceled").
    std::string jobEnd(int job) const {
        RunResult result = script({"wait-job", dir_.path(), std::to_string(job), std::to_string(kJobTimeoutSeconds)});
        const std::size_t at = result.err.find("ended as: ");
        if (result.status == 0) return "completed";
        return at == std::string::npos ? result.err : result.err.substr(at + 10, result.err.find('\n', at) - at - 10);
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

    // Sends a command job storing the ticket, with further lp options; the
    // job id, or 0.
    int submitTicket(const std::string& ticket, std::vector<std::string> lpOptions = {}) {
        writeFile(dir_.file("command-job"), "#CUPS-COMMAND\nSaveJobTicket\n" + ticket);
        lpOptions.insert(lpOptions.end(), {"-o", "document-format=application/vnd.cups-command"});
        return submit(dir_.file("command-job"), lpOptions);
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

    // Puts a file system of that many bytes in the place of the folder of the
    // queue's PPD, which it fills but for the given bytes; "" once done, else
    // why it could not be mounted.
    std::string fillPpdFolder(std::size_t size, std::size_t left) {
        const std::string folder = dir_.file("conf/ppd");
        const std::string ppd = queuePpd();
        const std::string options = "size=" + std::to_string(size) + ",mode=755";
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            return std::string("a file system cannot be mounted here: ") + std::strerror(errno);
        }
        mounted_ = folder;
        writeFile(folder + "/Lumaprex.ppd", ppd);
        writeFile(folder + "/filler", std::string(std::filesystem::space(folder).available - left, ' '));
        return "";
    }

    std::string queuePpd() const { return readFile(dir_.file("conf/ppd/Lumaprex.ppd")); }
    std::string ppdFolder() const { return dir_.file("conf/ppd"); }
    // Where the scheduler finds the filters it runs.
    std::string filterFolder() const { return dir_.file("serverbin/filter"); }
    // Where the queue keeps every job it printed, under the job's id.
    std::string captureFolder() const { return dir_.file("capture"); }
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
    // A data folder of the scheduler's own: the system's, and a banner page
    // in PostScript beside the system's banners.
    void addPostScriptBanner() {
        const std::filesystem::path data = dir_.file("data");
        const std::filesystem::path system = "/usr/share/cups";
        std::filesystem::create_directories(data / "banners");
        for (const auto& entry : std::filesystem::directory_iterator(system)) {
            if (entry.path().filename() != "banners") std::filesystem::create_symlink(entry.path(), data / entry.path().filename());
        }
        std::filesystem::copy(system / "banners", data / "banners");
        writeFile(data / "banners/psbanner", "%!PS-Adobe-3.0\n%%Title: banner\n(BANNER PAGE) print showpage\n");
        const std::string files = dir_.file("conf/cups-files.conf");
        writeFile(files, readFile(files) + "DataDir " + data.string() + "\n");
    }

    // The script's command line, run as the scheduler's user.
    std::vector<std::string> command(std::vector<std::string> arguments) const {
        std::vector<std::string> line = runAs_;
        line.push_back(kScript);
        line.insert(line.end(), arguments.begin(), arguments.end());
        return line;
    }
    bool reachableAsRunUser() const {
        std::vector<std::string> line = runAs_;
        line.insert(line.end(), {"test", "-x", kScript, "-a", "-x", LUMAPREX_BINARY_DIR});
        return runProgram(line.front(), line).status == 0;
    }
    RunResult script(std::vector<std::string> arguments) const {
        const std::vector<std::string> line = command(std::move(arguments));
        return runProgram(line.front(), line);
    }

    TempDir dir_;
    std::vector<std::string> runAs_;
    std::string mounted_;
    std::string cannotRun_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace filter_test
