// PostScript filter: halftone options, the title line, the scan for the
// first page and the program as the scheduler runs it.
#include <gtest/gtest.h>

#include <algorithm>

#include "NamedTickets.h"
#include "PostScriptFilter.h"
#include "Receipts.h"
#include "SchedulerLines.h"
#include "filter_test_support.h"
#include "ppdx.h"

using namespace filter_test;

namespace {

const std::string kAngle = "com.Varneth.lumaprex.halftonedegree";
const std::string kFrequency = "com.Varneth.lumaprex.halftonelpi";

struct Halftone {
    int angle = 0;
    int frequency = 0;
    std::string messages;
};

Halftone halftoneOf(const std::string& options) {
    Halftone result;
    CapturedStream messages;
    GetHalftoneNumbers(options.c_str(), options.size(), &result.angle, &result.frequency,
                       messages.get());
    result.messages = messages.text();
    return result;
}

TEST(PostScriptHalftone, ReadsBothOptionsAndBuildsTheScreenLine) {
    Halftone read = halftoneOf("number-up=1 " + kAngle + "=45 " + kFrequency + "=150 x=y");
    EXPECT_EQ(read.angle, 45);
    EXPECT_EQ(read.frequency, 150);
    EXPECT_EQ(read.messages, "");
    EXPECT_EQ(ScreenLine(read.angle, read.frequency),
              "\ncurrentscreen 3 1 roll pop pop  150 45  3 -1 roll setscreen\n");
    Halftone none = halftoneOf("job-uuid=urn:uuid:1234 finishings=3");
    EXPECT_EQ(ScreenLine(none.angle, none.frequency),
              "\ncurrentscreen 3 1 roll pop pop  90 60  3 -1 roll setscreen\n");
}

TEST(PostScriptHalftone, NameMatchesOnItsLengthAndLaterWordsWin) {
    Halftone read = halftoneOf(kAngle + "X=30 " + kAngle + "=120  " + kFrequency + "=080");
    EXPECT_EQ(read.angle, 120);
    EXPECT_EQ(read.frequency, 80);
}

TEST(PostScriptHalftone, BadValuesKeepTheDefaults) {
    for (std::string value : {"", "200", "1234", "4x5", "-5", "+45", "99999999999999999999"}) {
        Halftone read = halftoneOf(kAngle + "=" + value);
        EXPECT_EQ(read.angle, 60) << value;
        EXPECT_EQ(read.messages, "DEBUG: Ignoring \"" + kAngle + "=" + value + "\", using 60\n");
    }
    for (std::string value : {"", "0", "601"}) {
        EXPECT_EQ(halftoneOf(kFrequency + "=" + value).frequency, 90) << value;
    }
    EXPECT_EQ(halftoneOf(kFrequency).frequency, 90);
    EXPECT_EQ(halftoneOf(kAngle + "=0 " + kFrequency + "=600").angle, 0);
    EXPECT_EQ(halftoneOf(kAngle + "=180 " + kFrequency + "=600").frequency, 600);
}

// The trace of an ignored word stays one line: a line feed in the options
// must not start a "PPD:" line that would overwrite the stored ticket.
TEST(PostScriptHalftone, IgnoredWordIsTracedOnOneLine) {
    Halftone read = halftoneOf(kFrequency + "=1\nPPD: EXDATA00000=\"\"");
    EXPECT_EQ(read.frequency, 90);
    EXPECT_EQ(read.messages, "DEBUG: Ignoring \"" + kFrequency + "=1 PPD:\", using 90\n");
}

TEST(PostScriptTitle, TitleText) {
    std::string text = "untouched";
    EXPECT_FALSE(appendUTF8(nullptr, &text));
    EXPECT_EQ(text, "untouched");
    ASSERT_TRUE(appendUTF8("Report", &text));
    EXPECT_EQ(text, "%%Title: (Report)\r\n");
    ASSERT_TRUE(appendUTF8("Caf\xc3\xa9", &text));
    EXPECT_EQ(text, "%%Title: (utf8:Caf\xc3\xa9)\r\n");
    ASSERT_TRUE(appendUTF8("A\r\n%VLXStaple None\tB", &text));
    EXPECT_EQ(text, "%%Title: (A  %VLXStaple None B)\r\n");
    ASSERT_TRUE(appendUTF8("Room 5) (x", &text));
    EXPECT_EQ(text, "%%Title: (Room 5\\) \\(x)\r\n");
}

std::string replaced(const std::string& ticket, const char* title) {
    CapturedStream out;
    std::string titleText;
    bool hasTitle = appendUTF8(title, &titleText);
    ReplaceTitle(ticket.data(), ticket.size(), hasTitle ? &titleText : nullptr, out.get());
    return out.text();
}

TEST(PostScriptTitle, OnlyTheFirstTitleLineIsReplaced) {
    const std::string ticket =
        "%!PS-Adobe-3.0\r\n%%Title: (Old)\r\n%VLXCopies 2\r\n%%Title: (Second)\r\n%%EndComments\r\n";
    EXPECT_EQ(replaced(ticket, "New"),
              "%!PS-Adobe-3.0\r\n%%Title: (New)\r\n%VLXCopies 2\r\n%%Title: (Second)\r\n"
              "%%EndComments\r\n");
    EXPECT_EQ(replaced(ticket, nullptr), ticket);
    EXPECT_EQ(replaced("%%Title: (Old)\n\n%VLX 1\n", "New"), "%%Title: (New)\r\n%VLX 1\n");
    EXPECT_EQ(replaced("%VLX 1\r\n%%Title:", "New"), "%VLX 1\r\n%%Title:");
    EXPECT_EQ(replaced("%VLXCopies 2\n", "New"), "%VLXCopies 2\n");
}

std::string halftoned(const std::string& job, bool* pageFound = nullptr) {
    TempDir dir;
    writeFile(dir.file("job"), job);
    int in = open(dir.file("job").c_str(), O_RDONLY);
    int out = open(dir.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    bool found = false;
    EXPECT_EQ(ProcessHalfTone(in, out, 45, 150, &found), CopyResult::kDone);
    EXPECT_EQ(CopyJobRest(in, out), CopyResult::kDone);
    close(in);
    close(out);
    if (pageFound) {
        *pageFound = found;
    }
    return readFile(dir.file("out"));
}

TEST(PostScriptPages, ScreenLineGoesBeforeTheFirstPageLine) {
    const std::string screen = ScreenLine(45, 150);
    const std::string prolog = "%!PS-Adobe-3.0\n%%Pages: 2\n%%PageOrder: Ascend\n"
                               "%%BeginProlog\n(%%Page: in text) show\n%%%Page: 0 0\n%%EndProlog\n";
    const std::string pages = "%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%EOF\n";
    EXPECT_EQ(halftoned(prolog + pages), prolog + screen + pages);
    EXPECT_EQ(halftoned(pages), screen + pages);
    EXPECT_EQ(halftoned("%!PS\r%%Page: 1 1\r"), "%!PS\r" + screen + "%%Page: 1 1\r");
    bool found = true;
    const std::string noPage = "%!PS-Adobe-3.0\n%%Pages: 0\n%%Pag";
    EXPECT_EQ(halftoned(noPage, &found), noPage);
    EXPECT_FALSE(found);
}

TEST(PostScriptPages, PageLineAcrossBlocksAndLongLines) {
    const std::string screen = ScreenLine(45, 150);
    std::string prolog(kCopyBlockSize - 3, 'x');
    prolog[0] = '\n';
    prolog.back() = '\n';
    std::string job = prolog + "%%Page: 1 1\n" + std::string(3 * kCopyBlockSize, 'y');
    EXPECT_TRUE(halftoned(job) == prolog + screen + job.substr(prolog.size()));

    std::string crOnly;
    for (int i = 0; i < 20000; ++i) {
        crOnly += "%%Comment\r";
    }
    EXPECT_TRUE(halftoned(crOnly + "%%Page: 1 1\r") == crOnly + screen + "%%Page: 1 1\r");
}

TEST(PostScriptPages, ScanLeavesUndecidedLineStartsOpen) {
    PageScan scan = ScanForFirstPage("abc\n%%Pa", 8, false, false);
    EXPECT_FALSE(scan.found);
    EXPECT_EQ(scan.position, 4u);
    EXPECT_TRUE(scan.atLineStart);
    scan = ScanForFirstPage("abc\n%%Pa", 8, false, true);
    EXPECT_EQ(scan.position, 8u);
    scan = ScanForFirstPage("%%Page:", 7, false, false);
    EXPECT_EQ(scan.position, 7u);
    EXPECT_FALSE(scan.found);
}

using Items = std::vector<std::pair<std::string, std::string>>;

// The items of the data sets as the queue's PPD keeps them once a job of the
// user stored the ticket (under its name, when named): the ticket's own
// items, then its label's.
Items storedItems(const std::string& ticket, const char* user = "alice", bool named = false) {
    CapturedStream messages;
    const std::string name = TicketName(ticket);
    EXPECT_EQ(StoreTicket(messages.get(), nullptr, named ? name.c_str() : nullptr, user, ticket),
              TicketStoreError::kNone);
    return ppdItems(messages.text());
}

class PostScriptFilterProgram : public ::testing::Test {
protected:
    void storeTicket(const std::string& ticket) { writeQueuePpd(dir_.file("queue.ppd"), storedItems(ticket)); }

    RunResult run(std::vector<std::string> args, RunSetup setup = {}) {
        args.insert(args.begin(), program_);
        setup.environment.emplace("PPD", dir_.file("queue.ppd"));
        return runProgram(program_, args, setup);
    }

    TempDir dir_;
    const std::string program_ = builtProgram("filter", "Lumaprex");
};

// The Ctrl-D bytes that open a job, each the end of a job before it, go
// ahead of the ticket with the blanks between them: nothing comes between the
// ticket and the document.
TEST_F(PostScriptFilterProgram, TicketTitleAndScreenAheadOfTheJob) {
    storeTicket("%!PS-Adobe-3.0\r\n%%Title: (Old)\r\n%VLXCopies 2\r\n%%EndComments\r\n");
    const std::string blanks(kJobStartBlockSize, ' ');
    const struct {
        std::string ahead, after;  // of the ticket: the job opens with both
    } openings[] = {
        {"", ""},
        {"\004", ""},
        {std::string(kJobStartBlockSize + 1, '\004'), ""},
        {"\004  \r\n\t\004", "\n"},
        {"\r\n\004", ""},
        {"", "\r\n"},
        {"\004", blanks + "\004"},
    };
    for (const auto& [ahead, after] : openings) {
        SCOPED_TRACE(testing::PrintToString(ahead.substr(0, 16) + "|" + after.substr(0, 16)));
        writeFile(dir_.file("job.ps"), ahead + after + "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n");
        const std::string expected = ahead +
                                     "%!PS-Adobe-3.0\r\n%%Title: (Budget)\r\n%VLXCopies 2\r\n"
                                     "%%EndComments\r\n" + after + "%!PS-Adobe-3.0\n" +
                                     ScreenLine(45, 150) + "%%Page: 1 1\nshowpage\n";
        const std::string options = kAngle + "=45 " + kFrequency + "=150";
        RunResult named = run({"7", "alice", "Budget", "1", options, dir_.file("job.ps")});
        EXPECT_EQ(named.status, 0);
        EXPECT_EQ(named.out, expected);

        RunSetup fromStdin;
        fromStdin.stdinFile = dir_.file("job.ps");
        RunResult piped = run({"7", "alice", "Budget", "1", options}, fromStdin);
        EXPECT_EQ(piped.status, 0);
        EXPECT_EQ(piped.out, expected);
    }
}

// A job that cannot be read to its end, before or after its first page,
// fails with the reason instead of printing cut short.
TEST_F(PostScriptFilterProgram, JobThatCannotBeReadToItsEndFailsTheJob) {
    writeQueuePpd(dir_.file("queue.ppd"), {});
    for (const char* readBeforeTheFailure : {"%!PS-Adobe-3.0\n%%Pa", "%!PS-Adobe-3.0\n%%Page: 1 1\nshow"}) {
        SCOPED_TRACE(readBeforeTheFailure);
        RunSetup setup;
        setup.stdinDescriptor = inputFailingAfter(readBeforeTheFailure);
        RunResult result = run({"7", "alice", "Budget", "1", ""}, setup);
        close(*setup.stdinDescriptor);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "ERROR: Unable to read the job: Input/output error\n");
    }
}

TEST_F(PostScriptFilterProgram, WithoutTicketOrPageTheJobPassesUnchanged) {
    writeQueuePpd(dir_.file("queue.ppd"), {});
    for (const char* opening : {"", "\004"}) {
        const std::string job = opening + ("%!PS-Adobe-3.0\n(no pages here) show\n" + noiseBytes(100000));
        writeFile(dir_.file("job.ps"), job);
        RunResult result = run({"7", "alice", "Budget", "1", "", dir_.file("job.ps")});
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(result.out == job) << std::strlen(opening);
    }
}

// A stored ticket that does not read back whole is left out: the job prints
// byte for byte without it, and the job's log says why.
TEST_F(PostScriptFilterProgram, DamagedStoredTicketLeavesTheJobAsItIs) {
    const Items whole = storedItems("%!PS-Adobe-3.0\r\n%%Title: (Old)\r\n" + noiseBytes(700));
    ASSERT_GT(whole.size(), 4u);
    const auto damaged = [&](auto damage) {
        Items items = whole;
        damage(items);
        return items;
    };
    const auto label = [](Items& items) {
        return std::ranges::find_if(items, [](const auto& item) { return item.first.starts_with("EXOWNER"); });
    };
    const struct {
        const char* name;
        Items items;
    } cases[] = {
        {"an item emptied", damaged([](Items& items) { items[1].second.clear(); })},
        {"the data cut", damaged([&](Items& items) { items.erase(items.begin() + 2, label(items)); })},
        {"one byte changed", damaged([](Items& items) { items[1].second[40] ^= 1; })},
        {"items out of order", damaged([](Items& items) { std::swap(items[1].second, items[2].second); })},
        {"first item missing", damaged([](Items& items) { items.erase(items.begin()); })},
        {"first item emptied", damaged([](Items& items) { items[0].second = "\"\""; })},
        {"beyond the store", damaged([&](Items& items) {
             Items beyond = itemsOfStream(compressed(std::string(kPpdxMaxDataSize + 1, 'A')), "EXDATA0");
             beyond.insert(beyond.end(), label(items), items.end());
             items = beyond;
         })},
    };
    const std::string job = "%!PS-Adobe-3.0\n(no pages) show\n";
    writeFile(dir_.file("job.ps"), job);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeQueuePpd(dir_.file("queue.ppd"), c.items);
        RunResult result = run({"7", "alice", "Budget", "1", "", dir_.file("job.ps")});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, job);
        EXPECT_EQ(result.err.rfind("ERROR: The stored job ticket is damaged, the job prints without it: ", 0), 0u)
            << result.err;
        EXPECT_EQ(splitLines(result.err).size(), 1u) << result.err;
    }
}

// The receipt is the filter's last word, for a job that went out whole
// behind the ticket it names and carries a token; any other job leaves none,
// and so do a banner page and a job whose receipt the PPD holds already.
TEST_F(PostScriptFilterProgram, ReceiptFollowsOnlyAJobThatWentOutWholeBehindTheTicketItNames) {
    const std::string ticket = "%!PS-Adobe-3.0\r\n%VLXCopies 2\r\n%%EndComments\r\n";
    const std::string name = TicketName(ticket);
    const std::string named = std::string(kTicketNameOption) + "=" + name;
    const std::string token = "0123456789abcdef0123456789abcdef";
    const std::string receipt = named + " " + kReceiptOption + "=" + token + " time-at-processing=1796909558";
    const std::string noReceipt = "DEBUG: No receipt for job \"";
    const Items stored = storedItems(ticket, "alice", true);
    Items storedWithReceipt = stored;
    storedWithReceipt.emplace_back("EXRECEIPT07", "7,1796909558," + token + "," + name);
    writeFile(dir_.file("job.ps"), "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n");
    const struct {
        const char* name;
        std::string job;
        std::string options;
        const char* readBeforeTheFailure;
        int status;
        std::string err;
        const char* output = nullptr;
        const Items* items = nullptr;
        const char* fileType = "document";  // what the scheduler runs the filter on
        bool piped = false;                  // the job comes on standard input, as behind another filter
    } cases[] = {
        {"named ticket and a token", "7", receipt, nullptr, 0,
         "PPD: EXRECEIPT07=7,1796909558," + token + "," + name + "\n"},
        {"job 39 in the place of job 7", "39", receipt, nullptr, 0,
         "PPD: EXRECEIPT07=39,1796909558," + token + "," + name + "\n"},
        {"the same receipt held already", "7", receipt, nullptr, 0, "", nullptr, &storedWithReceipt},
        {"another attempt's receipt held", "7", named + " " + kReceiptOption + "=" + token + " time-at-processing=9",
         nullptr, 0, "PPD: EXRECEIPT07=7,9," + token + "," + name + "\n", nullptr, &storedWithReceipt},
        {"a banner page", "7", receipt, nullptr, 0, "", nullptr, nullptr, "job-sheet"},
        {"no token", "7", named, nullptr, 0, ""},
        {"a token but no ticket named", "7", std::string(kReceiptOption) + "=" + token, nullptr, 0, ""},
        {"a token of another form", "7", named + " " + kReceiptOption + "=0123ABCD time-at-processing=5", nullptr, 0,
         noReceipt + "7\" with the receipt token \"0123ABCD\" started at \"5\"\n"},
        {"no attempt's start", "7", named + " " + kReceiptOption + "=" + token, nullptr, 0,
         noReceipt + "7\" with the receipt token \"" + token + "\" started at \"\"\n"},
        {"a job id of another form", "7x", receipt, nullptr, 0,
         noReceipt + "7x\" with the receipt token \"" + token + "\" started at \"1796909558\"\n"},
        {"a banner page of a ticket not kept", "7",
         std::string(kTicketNameOption) + "=" + TicketName("other") + " " + kReceiptOption + "=" + token, nullptr, 0,
         "DEBUG: The banner page goes without the job ticket made for this job (no ticket of that name is kept for "
         "the job's user)\n",
         nullptr, nullptr, "job-sheet"},
        {"a ticket not kept", "7",
         std::string(kTicketNameOption) + "=" + TicketName("other") + " " + kReceiptOption + "=" + token, nullptr, 1,
         "ERROR: The job ticket made for this job is not in the printer's queue (no ticket of that name is kept for "
         "the job's user); the job was not printed\n"},
        {"a job not read to its end", "7", receipt, "%!PS-Adobe-3.0\n%%Page: 1 1\nshow", 1,
         "ERROR: Unable to read the job: Input/output error\n"},
        {"an output that takes no more", "7", receipt, nullptr, 1,
         "ERROR: Unable to write the job: No space left on device\n", "/dev/full"},
        {"a job read through a pipe", "7", receipt, nullptr, 0,
         noReceipt + "7\": it came through a pipe, not from the file the scheduler spooled\nPPD: EXRECEIPT07=7,none\n",
         nullptr, nullptr,
         "document", true},
        {"a token and an attempt's start of 5 KB", "7",
         named + " " + kReceiptOption + "=" + std::string(5000, 'A') + " time-at-processing=" + std::string(5000, '9'),
         nullptr, 0,
         noReceipt + "7\" with the receipt token \"" + std::string(64, 'A') + "...\" started at \"" +
             std::string(64, '9') + "...\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeQueuePpd(dir_.file("queue.ppd"), c.items ? *c.items : stored);
        RunSetup setup;
        setup.environment["CUPS_FILETYPE"] = c.fileType;
        if (c.output) setup.stdoutFile = c.output;
        std::vector<std::string> args = {c.job, "alice", "Budget", "1", c.options};
        if (c.readBeforeTheFailure) setup.stdinDescriptor = inputFailingAfter(c.readBeforeTheFailure);
        else if (c.piped) setup.stdinFile = dir_.file("job.ps");
        else args.push_back(dir_.file("job.ps"));
        const RunResult result = run(args, setup);
        if (setup.stdinDescriptor) close(*setup.stdinDescriptor);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.err, c.err);
    }
}

TEST(PostScriptPages, UnwritableOutputIsAFailure) {
    TempDir dir;
    writeFile(dir.file("job"), "%!PS\n%%Page: 1 1\n");
    int in = open(dir.file("job").c_str(), O_RDONLY);
    int out = open(dir.file("job").c_str(), O_RDONLY);
    EXPECT_EQ(ProcessHalfTone(in, out, 45, 150), CopyResult::kWriteFailed);
    close(in);
    close(out);
}

TEST_F(PostScriptFilterProgram, FailuresSayWhyInTheJobLog) {
    writeQueuePpd(dir_.file("queue.ppd"), {});
    writeFile(dir_.file("notes.ppd"), "Not a PPD\n");
    const std::vector<std::string> args = {"7", "alice", "Budget", "1", ""};
    const struct {
        const char* name;
        std::string ppd;
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {"argument count", dir_.file("queue.ppd"), {"7", "alice", "Budget", "1"},
         "Wrong number of arguments (4); usage: " + program_ +
             " job user title copies options [filename]"},
        {"PPD missing", dir_.file("missing.ppd"), args,
         "Unable to open PPD file \"" + dir_.file("missing.ppd") + "\": No such file or directory"},
        {"PPD unreadable", dir_.file("notes.ppd"), args,
         "Unable to open PPD file \"" + dir_.file("notes.ppd") +
             "\": Missing asterisk in column 1 on line 1"},
        {"PPD not set", "", args, "Unable to open PPD file: PPD is not set"},
        {"job file missing", dir_.file("queue.ppd"), {"7", "alice", "Budget", "1", "", "none.ps"},
         "Unable to open job file \"none.ps\": No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunSetup setup;
        setup.environment["PPD"] = c.ppd;
        RunResult result = run(c.args, setup);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "ERROR: " + c.error + "\n");
    }
}

// Whatever a job holds, 5 KB in every option either filter reads, in its
// title, its user, a command line and the printer's reply, every line either
// filter writes for the scheduler stays within the bound at which the
// scheduler would read its tail as a line of its own ("PPD:", say).
TEST(FilterMessages, EveryLineOfBothFiltersStaysWithinTheSchedulersBound) {
    const std::string tail = "PPD:EXHALFTONE=intruder";
    const std::string big = std::string(5000 - tail.size(), '9') + tail;
    std::string options;
    for (const std::string& option : {std::string(kTicketNameOption), std::string(kReceiptOption),
                                      std::string("time-at-processing"), kAngle, kFrequency}) {
        options += option + "=" + big + " ";
    }
    TempDir dir;
    writeQueuePpd(dir.file("queue.ppd"), {});
    writeFile(dir.file("job.ps"), "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n");
    writeFile(dir.file("commands"), "#CUPS-COMMAND\n" + big + "\nReportLevels\nSaveJobTicket\n%!PS\r\n");
    RunSetup setup;
    setup.environment = {{"PPD", dir.file("queue.ppd")}, {"LANG", "C"}};
    setup.backChannel = std::string(2000, 'Q') + "\n";
    for (const auto& [area, file] : {std::pair("filter", "job.ps"), std::pair("Lumaprex-Command", "commands")}) {
        const std::string program = builtProgram(area, area == std::string("filter") ? "Lumaprex" : area);
        const RunResult run = runProgram(program, {program, "7", big, big, "1", options, dir.file(file)}, setup);
        SCOPED_TRACE(program + run.err);
        EXPECT_FALSE(run.err.empty());
        for (const std::string& line : splitLines(run.err)) {
            EXPECT_LE(line.size() + 1, kLongestSchedulerLine);
            EXPECT_TRUE(line.starts_with("DEBUG: ") || line.starts_with("ERROR: ")) << line.substr(0, 80);
        }
    }
}

}  // namespace
