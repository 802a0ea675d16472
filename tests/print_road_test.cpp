// The print road: the command file's bytes, the halftone print settings,
// every alert the road can show, and the ways sending can fail (no
// scheduler, no temporary file, a scheduler that hangs up), each of which
// sends nothing or leaves nothing behind and lets the application print only
// when its ticket reached the queue.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <atomic>
#include <thread>

#include "AlertPanel.h"
#include "CommandJob.h"
#include "NamedTickets.h"
#include "SchedulerConnection.h"
#include "SystemLog.h"
#include "filter_test_support.h"
#include "pde_test_support.h"
#include "private_scheduler.h"
#include "zqController.h"

using namespace platform;
using namespace pde_test;

namespace {

bool Logged(const LogRecorder& log, std::string_view start) {
    for (const std::string& line : log.texts()) {
        if (line.starts_with(start)) return true;
    }
    return false;
}

// A service that hands out its ticket but then reports an error of its own
// (a settings file that cannot be read), one that makes no ticket, and a
// pane whose bridge starts with such a service.
class ServiceWithAnError : public JSE_Service {
public:
    using JSE_Service::JSE_Service;
    std::int64_t JSE_JobTicket_Get(char* buffer, long length) override {
        const std::int64_t result = JSE_Service::JSE_JobTicket_Get(buffer, length);
        JSE_Preference_SetFullPath(L"/nonexistent/Qwi_JSE.prf");
        JSE_Preference_Load_Setting();
        return result;
    }
};

class ServiceWithoutATicket : public JSE_Service {
public:
    using JSE_Service::JSE_Service;
    std::int64_t JSE_JobTicket_Create() override { return -999; }
};

template <class Service>
class BridgeWith : public zqController {
protected:
    std::unique_ptr<JSE_Service> NewService(const WString& language, const WString& definitionPath,
                                            const WString& catalogPath, const WString& validationPath,
                                            bool safe) override {
        return std::make_unique<Service>(language, definitionPath, catalogPath, validationPath, safe);
    }
};

template <class Service>
class PaneWith : public LumaprexPDE {
public:
    using LumaprexPDE::LumaprexPDE;

protected:
    std::unique_ptr<zqController> newBridge() override { return std::make_unique<BridgeWith<Service>>(); }
};

using PrintRoad = MainPaneTest;

TEST(CommandFile, CarriesTheTicketBytesUnchangedBetweenTheCommandAndAFinalLineFeed) {
    struct Case {
        const char* name;
        std::string ticket;
    };
    const Case cases[] = {
        {"empty", ""},
        {"one byte", "A"},
        {"zero byte, 8-bit byte and line ends", std::string("%%Title: (a\0b\xE9)\r\n%%EndComments\r", 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CommandFileContent(c.ticket), "#CUPS-COMMAND\nSaveJobTicket\n%!PS-Adobe-3.0\r\n" + c.ticket + "\n");
    }
}

// Each road on which the print's ticket is not made stops the print with its
// alert, and the document names no ticket; without a printer the dialog still
// goes on, as there is no queue to stop. A command file that is gone is no
// second alert: no ticket goes without it.
TEST_F(PrintRoad, EachFailureBeforeSendingShowsItsAlertAndStopsThePrint) {
    const std::string notPrinted = " The document was not printed, so that it does not go out without its job ticket.";
    struct Case {
        const char* name;
        std::function<LumaprexPDE&()> setUp;
        std::string alert;
        bool prints;
    };
    const Case cases[] = {
        {"no printer",
         [&]() -> LumaprexPDE& {
             host.printer.reset();
             return show();
         },
         "No Printer Found error code: 90001", true},
        {"engine error: a bare number", [&]() -> LumaprexPDE& { return show<PaneWith<ServiceWithAnError>>(); },
         FormatInteger(JSE_Preference::kFileNotOpened) + notPrinted, false},
        {"no ticket made", [&]() -> LumaprexPDE& { return show<PaneWith<ServiceWithoutATicket>>(); },
         "The job ticket could not be made. Job ticket size = 0. 0" + notPrinted, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.printer = Printer{"Lumaprex"};
        LumaprexPDE& main = c.setUp();
        if (main.bridge()) main.bridge()->setCustomCommand({{"fieldFlag", "3"}, {"fileName", "/nonexistent/commands"}});
        host.settings->values.set(kTicketNameOption, "a name of an earlier print");
        const std::size_t before = alerts.alerts().size();
        EXPECT_EQ(main.shouldPrint(), c.prints);
        ASSERT_EQ(alerts.alerts().size(), before + 1);
        EXPECT_EQ(alerts.alerts().back().message, c.alert);
        EXPECT_EQ(alerts.alerts().back().defaultButton, "OK");
        EXPECT_FALSE(Logged(log, "current printer ID")) << "nothing sent";
        if (!c.prints) {
            EXPECT_EQ(host.settings->values[kTicketNameOption], Value(""));
        }
    }

    LumaprexPDEPlugIn().initWithBundle(bundle);
    LumaprexPDE unshown(&host);
    EXPECT_EQ(unshown.createJobTicket(), LumaprexPDE::kTicketNotKept);
    EXPECT_EQ(alerts.alerts().back().message, "Job controller is missing." + notPrinted);
}

TEST_F(PrintRoad, WithoutASchedulerTheRoadLogsWhyAndShowsNothing) {
    LumaprexPDE& main = show();
    EXPECT_TRUE(main.shouldPrint());
    EXPECT_TRUE(alerts.alerts().empty());
    std::vector<std::string> road;
    for (const std::string& line : log.texts()) {
        if (!line.starts_with("init") && !line.starts_with("comand")) road.push_back(line);
    }
    const std::string size = FormatInteger(main.bridge()->GetJobTicketSize());
    EXPECT_EQ(road, (std::vector<std::string>{"should print", "ready to print", "got to create print job ticket",
                                              "no Error", "ticket size: " + size, "current printer ID: Lumaprex",
                                              "create http service failed: no scheduler at /nonexistent/cups.sock "
                                              "(No such file or directory)"}));
    EXPECT_EQ(host.settings->values[kHalftoneDegreeSetting], Value(FormatInteger(main.bridge()->GetHalftoneAngle())));
    EXPECT_EQ(host.settings->values[kHalftoneLpiSetting], Value(FormatInteger(main.bridge()->GetLinePerInch())));

    host.settings.reset();
    EXPECT_TRUE(show().shouldPrint());
    EXPECT_TRUE(Logged(log, "create http service failed")) << "without print settings the road goes on";
}

// The road gives up after the bound and the document does not go, since it
// would print under the ticket stored before; the request the scheduler
// never answered is dropped when it runs again, so that the next job it
// takes is its first.
TEST_F(PrintRoad, SchedulerThatDoesNotAnswerHoldsThePrintForTheBoundAndReceivesNothing) {
    filter_test::PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    cupsSetServer(cups.socket().c_str());
    LumaprexPDE& main = show();
    cups.pause();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(main.shouldPrint());
    const auto waited = std::chrono::steady_clock::now() - start;
    cups.resume();
    EXPECT_GE(waited, kSchedulerWait);
    EXPECT_LT(waited, kSchedulerWait + std::chrono::seconds(3));
    const std::string reason = "the scheduler at " + cups.socket() + " did not answer within 30 s";
    EXPECT_TRUE(Logged(log, "cannot read the queue's PPD: " + reason)) << "asked before anything is sent";
    ASSERT_EQ(alerts.alerts().size(), 1u);
    EXPECT_EQ(alerts.alerts().back().message, "The printer's queue could not keep the job ticket (" + reason +
                                                  "). The document was not printed, so that it does not go out "
                                                  "under the ticket of an earlier job.");
    EXPECT_EQ(cups.submitTicket("%!PS-Adobe-3.0\r\n%%EndComments\r\n"), 1) << cups.log();
}

// The application's document goes over a connection of the same bound: a
// scheduler that stops answering gets nothing half-sent.
TEST(SchedulerConnection, DocumentPrintEndsByTheBoundAndTheSchedulerDropsIt) {
    filter_test::PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    cupsSetServer(cups.socket().c_str());
    cups.pause();
    const auto start = std::chrono::steady_clock::now();
    SchedulerConnection scheduler(std::chrono::seconds(2));
    EXPECT_EQ(scheduler.printFile("Lumaprex", LUMAPREX_TEST_DATA "/filters/job.ps", "application/postscript", "job",
                                  0, nullptr),
              0);
    const auto waited = std::chrono::steady_clock::now() - start;
    cups.resume();
    EXPECT_LT(waited, std::chrono::seconds(4));
    EXPECT_EQ(scheduler.failure(), "the scheduler at " + cups.socket() + " did not answer within 2 s");
    EXPECT_EQ(cups.submitTicket("%!PS-Adobe-3.0\r\n%%EndComments\r\n"), 1) << cups.log();
    cupsSetServer(nullptr);
}

// A scheduler stand-in on a Unix-domain socket that reads what each client
// sends and hangs up: enough for a connection, never an answer.
class HangingUpScheduler {
public:
    explicit HangingUpScheduler(const std::string& path) : m_fd(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_fd, 4);
        m_thread = std::thread([this] { serve(); });
    }
    ~HangingUpScheduler() {
        m_stop = true;
        shutdown(m_fd, SHUT_RDWR);
        m_thread.join();
        close(m_fd);
    }
    std::size_t bytesReceived() const { return m_received; }

private:
    void serve() {
        while (!m_stop) {
            const int client = accept(m_fd, nullptr, nullptr);
            if (client < 0) return;
            char buffer[4096];
            timeval wait{0, 200000};
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
            const ssize_t got = recv(client, buffer, sizeof buffer, 0);
            if (got > 0) m_received += static_cast<std::size_t>(got);
            close(client);
        }
    }

    int m_fd;
    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_received{0};
    std::thread m_thread;
};

TEST_F(PrintRoad, CommandJobThatCannotBeWrittenOrSentLeavesNothingBehind) {
    signal(SIGPIPE, SIG_IGN);
    filter_test::TempDir dir;
    setenv("TMPDIR", dir.path().c_str(), 1);
    cupsSetServer(dir.file("cups.sock").c_str());
    {
        HangingUpScheduler scheduler(dir.file("cups.sock"));
        EXPECT_EQ(SendCommandJob("Lumaprex", CommandFileContent("%%EndComments\r"), "",
                                 [](char*, int) -> cups_file_t* { return nullptr; }),
                  "the command file could not be written");
        EXPECT_TRUE(Logged(log, "cannot create the command file"));
        EXPECT_FALSE(Logged(log, "comandfile"));
        EXPECT_EQ(scheduler.bytesReceived(), 0u) << "nothing sent";

        EXPECT_TRUE(SendCommandJob("Lumaprex", CommandFileContent("%%EndComments\r"), "")) << "not taken";
        EXPECT_TRUE(Logged(log, "Unable to send printer command! , the scheduler at " + dir.file("cups.sock") +
                                    " closed the connection before it answered"));
        EXPECT_GT(scheduler.bytesReceived(), 0u);
    }
    std::filesystem::remove(dir.file("cups.sock"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "the command file is removed";
    unsetenv("TMPDIR");

    SendCommandJob(std::string(2000, 'x'), "", "");
    EXPECT_TRUE(Logged(log, "the printer ID does not fit a printer URI"));
    EXPECT_TRUE(alerts.alerts().empty());
}

}  // namespace
