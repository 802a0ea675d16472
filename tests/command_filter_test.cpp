// Command filter: status replies, the self-test page, the command loop and
// the program's exit statuses, run the way the scheduler runs it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>

#include "CommandFilter.h"
#include "filter_test_support.h"
#include "SchedulerLines.h"
#include "ppdx.h"

using namespace filter_test;

namespace {

const std::string kAttrLine80803 =
    "ATTR: marker-colors=#00ffff,#ff00ff,#ffff00,#000000 marker-levels=80,80,3,80 "
    "marker-names=Cyan,Magenta,Yellow,Black marker-types=ink,ink,ink,ink\n";

std::string statusReport(const char* text, InkLevels& levels, bool* result = nullptr) {
    CapturedStream messages;
    bool ok = ReportStatusText(text, levels, messages.get());
    if (result) {
        *result = ok;
    }
    return messages.text();
}

TEST(CommandFilterStatus, InkLevelsReportChangesOnly) {
    InkLevels levels;
    EXPECT_EQ(statusReport("IL80,80,3,80\n", levels),
              kAttrLine80803 +
                  "STATE: -com.sample-cyan-error\nSTATE: -com.sample-magenta-error\n"
                  "STATE: -com.sample-black-error\n");
    EXPECT_EQ(statusReport("IL80,80,3,80\n", levels), "");
    std::string raised = statusReport("IL2,80,3,80", levels);
    EXPECT_NE(raised.find("marker-levels=2,80,3,80"), std::string::npos);
    EXPECT_NE(raised.find("STATE: +com.sample-cyan-error\n"), std::string::npos);
    EXPECT_EQ(raised.find("yellow"), std::string::npos);
}

TEST(CommandFilterStatus, PaperRepliesAndUnknownLines) {
    InkLevels levels;
    bool ok = true;
    EXPECT_EQ(statusReport("OK\n\nOP\n", levels, &ok),
              "STATE: -media-empty-warning\nSTATE: -media-low-report\n"
              "DEBUG: Unknown status \"\"!\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(statusReport("OP\nLP", levels, &ok),
              "STATE: -media-low-report\nSTATE: +media-empty-warning\n"
              "STATE: -media-empty-warning\nSTATE: +media-low-report\n");
    EXPECT_TRUE(ok);
    EXPECT_EQ(statusReport("IL1,2,3\nOK\n", levels, &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(statusReport("IL99999999999,x", levels, &ok), "");
    EXPECT_FALSE(ok);
}

// The back channel is descriptor 3, as the scheduler sets it up: a reply
// that ends there, a channel the printer keeps open without a word, or none.
enum class Channel { kReply, kSilent, kClosed };
class BackChannel {
public:
    explicit BackChannel(const std::string& reply, Channel kind = Channel::kReply) {
        saved_ = dup(3);
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        if (fds[0] != 3) {
            dup2(fds[0], 3);
            close(fds[0]);
        }
        EXPECT_EQ(write(fds[1], reply.data(), reply.size()), static_cast<ssize_t>(reply.size()));
        writer_ = kind == Channel::kSilent ? fds[1] : -1;
        if (kind != Channel::kSilent) close(fds[1]);
        if (kind == Channel::kClosed) close(3);
    }
    ~BackChannel() {
        if (writer_ >= 0) close(writer_);
        if (saved_ >= 0) {
            dup2(saved_, 3);
            close(saved_);
        } else {
            close(3);
        }
    }

private:
    int saved_;
    int writer_;
};

TEST(CommandFilterStatus, GetStatusAsksAndReadsTheBackChannel) {
    CapturedStream printer;
    CapturedStream messages;
    FilterOutput output{printer.get(), messages.get()};
    InkLevels levels;
    {
        BackChannel channel("IL80,80,3,80\nOK\n");
        EXPECT_TRUE(GetStatus(nullptr, 1.0, levels, output));
    }
    EXPECT_EQ(printer.text(), "LEVELS\n");
    EXPECT_EQ(messages.text().rfind(kAttrLine80803, 0), 0u);
    // Without a reply the status ends within its timeout, whatever the channel.
    for (const Channel kind : {Channel::kReply, Channel::kSilent, Channel::kClosed}) {
        SCOPED_TRACE(static_cast<int>(kind));
        BackChannel silent("", kind);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(GetStatus(nullptr, 0.2, levels, output));
        EXPECT_TRUE(GetStatus(nullptr, 0, levels, output));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
}

TEST(CommandFilterSelfTest, PageBytes) {
    CapturedStream printer;
    CapturedStream messages;
    print_self_test_page("alice", FilterOutput{printer.get(), messages.get()});
    std::string page = printer.text();
    EXPECT_EQ(messages.text(), "PAGE: 1 1\n");
    const std::string header =
        "DOCUMENT\nAUTHOR alice\nTITLE Self-Test Page\nPAGE 0 0 360 72\nRASTER 360 72 3\n";
    const std::string rowHeader = "LINE 1080\n";
    ASSERT_EQ(page.size(), header.size() + 72 * (rowHeader.size() + 1080) +
                               std::string("ENDPAGE\nENDDOCUMENT\n").size());
    EXPECT_EQ(page.rfind(header, 0), 0u);
    EXPECT_EQ(page.substr(page.size() - 20), "ENDPAGE\nENDDOCUMENT\n");
    auto pixel = [&](int row, int x) {
        std::size_t at = header.size() + row * (rowHeader.size() + 1080) + rowHeader.size() + 3 * x;
        return page.substr(at, 3);
    };
    const std::string white("\xff\xff\xff", 3), cyan("\x00\xff\xff", 3);
    EXPECT_EQ(page.substr(header.size(), rowHeader.size()), rowHeader);
    for (int x = 96; x <= 104; ++x) {
        EXPECT_EQ(pixel(0, x), cyan) << x;
    }
    EXPECT_EQ(pixel(0, 105), white);
    EXPECT_EQ(pixel(0, 167), cyan);
    EXPECT_EQ(pixel(0, 170), white);
    EXPECT_EQ(pixel(9, 96), cyan);
    EXPECT_EQ(pixel(9, 104), white);
    EXPECT_EQ(pixel(9, 105), cyan);
    EXPECT_EQ(pixel(9, 113), cyan);
    EXPECT_EQ(pixel(9, 0), std::string(3, '\0'));
    EXPECT_EQ(pixel(9, 288), std::string("\xff\xff\x00", 3));
    EXPECT_EQ(pixel(9, 297), std::string("\xff\xff\x00", 3));
    EXPECT_EQ(pixel(9, 296), white);
}

TEST(CommandFilterMessages, TranslationsKeepTheirFormats) {
    const char* messages[] = {"Unable to open PPD file: %s", "Unable to open command file: %s",
                              "Unknown printer command \"%s\"!",
                              "Job ticket larger than %zu bytes, not stored", "Unable to write the job: %s",
                              "Unable to read the job ticket: %s", "Unable to read the command file: %s"};
    std::regex conversion("%[a-z]+");
    for (const char* language : {"de_DE.UTF-8", "fr-FR", "FR"}) {
        SetMessageLanguage(language);
        for (const char* english : messages) {
            std::string translated = LocalizedString(english);
            EXPECT_NE(translated, english) << language;
            std::string expected = english, found = translated;
            std::smatch a, b;
            ASSERT_TRUE(std::regex_search(expected, a, conversion));
            ASSERT_TRUE(std::regex_search(found, b, conversion));
            EXPECT_EQ(a.str(), b.str()) << language << ": " << translated;
        }
    }
    SetMessageLanguage("xx");
    EXPECT_STREQ(LocalizedString("Unable to open PPD file: %s"), "Unable to open PPD file: %s");
    SetMessageLanguage(nullptr);
}

// Runs the built program on a command file with a queue PPD.
class CommandFilterProgram : public ::testing::Test {
protected:
    void SetUp() override { writeQueuePpd(dir_.file("queue.ppd"), {}); }

    RunResult run(const std::string& commands, RunSetup setup = {}) {
        writeFile(dir_.file("commands"), commands);
        return runOnFile(program_, setup);
    }

    RunResult runOnFile(const std::string& program, RunSetup setup = {}) {
        setup.environment.emplace("PPD", dir_.file("queue.ppd"));
        setup.environment.emplace("LANG", "C");
        return runProgram(program, {program, "12", "alice", "title", "1", "", dir_.file("commands")},
                          setup);
    }

    // The ticket a later filter reads back from the queue once the
    // scheduler has stored the run's "PPD:" lines.
    std::optional<std::string> storedTicket(const RunResult& result) {
        writeQueuePpd(dir_.file("stored.ppd"), ppdItems(result.err));
        ppd_file_t* ppd = ppdOpenFile(dir_.file("stored.ppd").c_str());
        std::size_t size = 0;
        void* data = ppdxReadData(ppd, "EXDATA0", &size);
        ppdClose(ppd);
        if (!data) {
            return std::nullopt;
        }
        std::string ticket(static_cast<char*>(data), size);
        std::free(data);
        return ticket;
    }

    TempDir dir_;
    const std::string program_ = builtProgram("Lumaprex-Command", "Lumaprex-Command");
};

std::string ticketOfSize(std::size_t size) {
    std::string ticket = "%!PS-Adobe-3.0\r\n%%Title: (Old)\r\n";
    for (int line = 0; ticket.size() < size; ++line) {
        ticket += "%VLXPage " + std::to_string(line) + " Paper Letter Colour White\r\n";
    }
    ticket.resize(size - 2);
    return ticket + "\r\n";
}

TEST_F(CommandFilterProgram, SaveJobTicketStoresTheRestOfTheFile) {
    std::string ticket = "%!PS-Adobe-3.0\r\n%%Title: (Old)\r\n%VLXCopies 3\r\n%%EndComments\r\n";
    for (const char* word : {"SaveJobTicket", "savejobticket", "SAVEJOBTICKET value"}) {
        RunResult result = run(std::string("#CUPS-COMMAND\n\n") + word + "\n" + ticket);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(storedTicket(result), ticket) << word;
    }
}

TEST_F(CommandFilterProgram, LongTicketsStayOneDataSet) {
    for (std::size_t size : {std::size_t{64000}, std::size_t{64001}, std::size_t{200000}}) {
        std::string ticket = ticketOfSize(size);
        RunResult result = run("#CUPS-COMMAND\nSaveJobTicket\n" + ticket);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err.find("EXDATA1"), std::string::npos);
        EXPECT_TRUE(storedTicket(result) == ticket) << size;
    }
}

TEST_F(CommandFilterProgram, TicketBeyondTheStoreIsRefused) {
    std::string commands = "#CUPS-COMMAND\nSaveJobTicket\n" + ticketOfSize(kPpdxMaxDataSize + 1);
    RunResult result = run(commands);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "ERROR: Job ticket larger than 16777216 bytes, not stored\n");
}

TEST_F(CommandFilterProgram, TicketThatCannotBeCompressedFailsTheJobAndStoresNothing) {
    writeFile(dir_.file("commands"), "#CUPS-COMMAND\nSaveJobTicket\n" + ticketOfSize(200000));
    RunResult result = runOnFile(builtProgram("tests", "Lumaprex-Command-deflate-fails"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "ERROR: deflate returned -2 (stream error)\n");
}

TEST_F(CommandFilterProgram, CommandFileThatCannotBeReadToItsEndFailsTheJobAndStoresNothing) {
    writeQueuePpd(dir_.file("queue.ppd"), ppdItems(run("SaveJobTicket\n%!PS-Adobe-3.0\r\n").err));
    const std::string queuePpd = readFile(dir_.file("queue.ppd"));
    struct Case {
        const char* readBeforeTheFailure;
        const char* printed;
        const char* error;
    };
    const Case cases[] = {
        {"SaveJobTicket\n%!PS-Adobe-3.0\r\n%%Title: (Half", "", "the job ticket"},
        {"SaveJobTicket\n", "", "the job ticket"},
        {"Clean\nSaveJobTicket", "CLEAN\n", "the command file"},  // error among the command lines
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readBeforeTheFailure);
        RunSetup setup;
        setup.stdinDescriptor = inputFailingAfter(c.readBeforeTheFailure);
        setup.environment = {{"PPD", dir_.file("queue.ppd")}, {"LANG", "C"}};
        RunResult result = runProgram(program_, {program_, "12", "alice", "title", "1", ""}, setup);
        close(*setup.stdinDescriptor);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, c.printed);
        EXPECT_EQ(result.err, std::string("ERROR: Unable to read ") + c.error + ": Input/output error\n");
        EXPECT_EQ(readFile(dir_.file("queue.ppd")), queuePpd);
    }
}

TEST_F(CommandFilterProgram, EmptyTicketStoresNothing) {
    RunResult result = run("#CUPS-COMMAND\nSaveJobTicket\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
}

TEST_F(CommandFilterProgram, PrinterCommands) {
    RunSetup setup;
    setup.backChannel = "IL80,80,3,80\n";
    RunResult result = run("#CUPS-COMMAND\nChangeInk cyan\nClean all\nClean\nReportLevels\n", setup);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "CHANGEINK cyan\nLEVELS\nLEVELS\nCLEAN all\nCLEAN\nLEVELS\nLEVELS\n");
    EXPECT_EQ(result.err.rfind(kAttrLine80803, 0), 0u);

    RunResult selfTest = run("PrintSelfTestPage\n");
    EXPECT_EQ(selfTest.out.rfind("DOCUMENT\nAUTHOR alice\n", 0), 0u);
    EXPECT_EQ(selfTest.err, "PAGE: 1 1\n");
}

// A printer that takes nothing fails the job at its first command.
TEST_F(CommandFilterProgram, PrinterCommandsThatCannotBeWrittenFailTheJob) {
    for (const char* command : {"ChangeInk cyan", "Clean all", "Clean", "ReportLevels", "PrintSelfTestPage"}) {
        SCOPED_TRACE(command);
        RunSetup setup;
        setup.stdoutFile = "/dev/full";
        setup.backChannel = "OK\n";
        RunResult result = run(std::string("#CUPS-COMMAND\n") + command + "\nClean\n", setup);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "ERROR: Unable to write the job: No space left on device\n");
    }
}

TEST_F(CommandFilterProgram, UnknownCommandsAreReportedInTheJobLanguage) {
    RunResult english = run("Staple now\nClean\n");
    EXPECT_EQ(english.status, 0);
    EXPECT_EQ(english.err, "ERROR: Unknown printer command \"Staple\"!\n");
    EXPECT_EQ(english.out, "CLEAN\n");
    const std::string quoted = "ERROR: Unknown printer command \"" + std::string(kLongestQuote, 'X') + "...\"!\n";
    EXPECT_EQ(run(std::string(2000, 'X') + "\n").err, quoted + quoted) << "read as two lines of the buffer's size";

    RunSetup german;
    german.environment["APPLE_LANGUAGE"] = "de";
    RunResult translated = run("Staple\n", german);
    EXPECT_EQ(translated.err, "ERROR: Unbekannter Druckerbefehl \u201eStaple\u201c!\n");
}

TEST_F(CommandFilterProgram, ExitStatuses) {
    RunResult usage = runProgram(program_, {program_, "1", "alice", "title", "1"});
    EXPECT_EQ(usage.status, 1);
    EXPECT_EQ(usage.err, "Usage: " + program_ + " job user title copies options [filename]\n");

    RunSetup noPpd;
    noPpd.environment["PPD"] = dir_.file("missing.ppd");
    RunResult missingPpd =
        runProgram(program_, {program_, "1", "alice", "title", "1", ""}, noPpd);
    EXPECT_EQ(missingPpd.status, 1);
    EXPECT_EQ(missingPpd.err.rfind("ERROR: Unable to open PPD file: ", 0), 0u);

    writeFile(dir_.file("notes.ppd"), "Not a PPD\n");
    RunSetup malformed;
    malformed.environment["PPD"] = dir_.file("notes.ppd");
    RunResult notAPpd = runProgram(program_, {program_, "1", "alice", "title", "1", ""}, malformed);
    EXPECT_EQ(notAPpd.status, 1);
    EXPECT_EQ(notAPpd.err, "ERROR: Unable to open PPD file: Missing asterisk in column 1 on line 1\n");

    RunSetup withPpd;
    withPpd.environment["PPD"] = dir_.file("queue.ppd");
    RunResult missingFile = runProgram(
        program_, {program_, "1", "alice", "title", "1", "", dir_.file("none")}, withPpd);
    EXPECT_EQ(missingFile.status, 1);
    EXPECT_EQ(missingFile.err, "ERROR: Unable to open command file: No such file or directory\n");
    RunResult directory = runProgram(program_, {program_, "1", "alice", "title", "1", "", dir_.path()}, withPpd);
    EXPECT_EQ(directory.status, 1);
    EXPECT_EQ(directory.err, "ERROR: Unable to open command file: Is a directory\n");

    writeFile(dir_.file("stdin"), "Clean\n");
    withPpd.stdinFile = dir_.file("stdin");
    RunResult fromStdin = runProgram(program_, {program_, "1", "alice", "title", "1", ""}, withPpd);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, "CLEAN\n");
}

}  // namespace
