// Every document prints behind the ticket its dialog made for it, or not at
// all and the user is told: print hosts printing at the same moment, faults
// on the road, and users' own command jobs. The queue keeps every job; each
// print types a charge number and marks its document with it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>
#include <set>
#include <thread>

#include "NamedTickets.h"
#include "Receipts.h"
#include "private_scheduler.h"

using namespace filter_test;

namespace {

const std::string kHost = builtProgram("tools", "lumaprex-print");
const std::string kJob = LUMAPREX_TEST_DATA "/filters/job.ps";

// Prints, after the actions, a document (the PostScript job unless given)
// marked after its first line with the charge number typed.
// The file is the document compressed by gzip that many times over; with a
// negative count, once and cut in half.
RunResult PrintMarked(const PrivateScheduler& cups, const TempDir& folder, const std::string& mark,
                      std::vector<std::string> actions = {}, const std::string& printer = "Lumaprex",
                      std::string document = readFile(kJob), int gzipped = 0) {
    document.insert(document.find('\n') + 1, "%Mark: " + mark + "\n");
    for (int layer = 0; layer < std::abs(gzipped); ++layer) document = Gzipped(document);
    writeFile(folder.file(mark), gzipped < 0 ? document.substr(0, document.size() / 2) : document);
    actions.insert(actions.end(), {"click notificationButtom", "type chargeNumberEditField " + mark, "end", "print"});
    std::vector<std::string> arguments = {kHost, "--printer", printer, "--title", mark};
    for (const std::string& action : actions) arguments.insert(arguments.end(), {"--do", action});
    arguments.push_back(folder.file(mark));
    RunSetup setup;
    setup.environment["CUPS_SERVER"] = cups.socket();
    return runProgram(kHost, arguments, setup);
}

// The marks of the documents the printer received, each checked to follow
// the ticket of its own charge number; those that followed no ticket at all
// go to bare when it is given.
std::set<std::string> MarksPrinted(const PrivateScheduler& cups, std::set<std::string>* bare = nullptr) {
    std::set<std::string> marks;
    for (const auto& entry : std::filesystem::directory_iterator(cups.captureFolder())) {
        const std::string output = readFile(entry.path());
        const std::size_t at = output.find("\n%Mark: ");
        if (at == std::string::npos) continue;
        const std::string mark = output.substr(at + 8, output.find('\n', at + 1) - at - 8);
        if (bare && output.substr(0, at).find("%VLX") == std::string::npos) {
            bare->insert(mark);
            continue;
        }
        EXPECT_NE(output.substr(0, at).find("%VLXChargeNumber: (" + mark + ")"), std::string::npos)
            << mark << " printed behind another ticket or none: " << output.substr(0, at);
        EXPECT_EQ(output.find('\004', 1), std::string::npos) << mark << " has a Ctrl-D after its ticket";
        marks.insert(mark);
    }
    return marks;
}

TEST(OwnTicketEndToEnd, HostsPrintingAtTheSameMomentEachPrintBehindTheirOwnTicket) {
    PrivateScheduler cups({.capture = true});
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    std::set<std::string> sent;
    for (int hosts : {2, 4, 8}) {
        for (int round = 1; round <= 3; ++round) {
            std::vector<std::thread> threads;
            for (int host = 0; host < hosts; ++host) {
                const std::string mark = std::to_string(hosts * 100 + round * 10 + host);
                sent.insert(mark);
                threads.emplace_back([&, mark] { EXPECT_EQ(PrintMarked(cups, folder, mark).status, 0) << mark; });
            }
            for (std::thread& thread : threads) thread.join();
        }
    }
    EXPECT_EQ(MarksPrinted(cups), sent) << cups.log();
}

// A command file whose lines do not compress: the ticket takes several
// "PPD:" lines and more than the first 4 KB of the PPD.
std::vector<std::string> LargeTicket(const TempDir& folder) {
    std::string lines;
    for (char c : noiseBytes(6000)) lines += "0123456789ABCDEF"[c & 15] + std::string(c & 64 ? "\r\n" : "");
    writeFile(folder.file("commands.ps"), "%Lines: " + lines + "\r\n");
    return {"click customoptionButton", "click customCommandFileButton", "pick " + folder.file("commands.ps"),
            "click customCommandFileSearchButton"};
}

// What became of the faulted print's document.
enum class Printed { kNot, kBehindItsTicket, kWithoutTicket };

// A fault on the road, made once an earlier print stored its ticket (jobs 1
// and 2).
struct Fault {
    const char* name;
    SchedulerSetup setup;
    bool largeTicket;                        // the print sends a LargeTicket
    std::string (*make)(PrivateScheduler&);  // "" once made, else why it cannot be made here
    int status;                              // the host's
    std::string told;                        // in what the host says
    Printed printed;
    void (*during)(PrivateScheduler&, const std::string& document) = nullptr;  // while the host prints it
    const char* printer = "Lumaprex";              // the queue the faulted print goes to
    std::string document = readFile(kJob);         // what it prints
    bool commandFilePrints = false;                // the queue prints its command file raw
    int gzipped = 0;                               // the document's file as PrintMarked compresses it
    bool nothingSent = false;                      // the dialog sends no command job either
};

const std::string kNotKept = "alert: The printer's queue could not keep the job ticket (";

// Runs a CUPS client program on the scheduler: "" once it did, else why not.
std::string RunClient(PrivateScheduler& cups, std::vector<std::string> arguments) {
    RunSetup setup;
    setup.environment["CUPS_SERVER"] = cups.socket();
    const RunResult run = runProgram(arguments.front(), arguments, setup);
    return run.status == 0 ? "" : arguments.front() + " failed: " + run.err;
}

// A job ahead holds the queue (job 3), so that the dialog's command job has
// not started when the dialog prints the document (jobs 4 and 5).
std::string BusyQueue(PrivateScheduler& cups) {
    cups.submit(kJob, {"-o", "capture-delay=8"});
    return "";
}

// The queue's PPD made the given one (the shipped one unless said) with its
// filter lines replaced.
std::string FilterLinesReplaced(PrivateScheduler& cups, const std::string& lines, const std::string& replacement,
                                const std::string& from = readFile(kShippedPpd)) {
    const TempDir folder;
    const std::string ppd = std::regex_replace(from, std::regex(lines), replacement);
    EXPECT_NE(ppd, from);
    writeFile(folder.file("queue.ppd"), ppd);
    return RunClient(cups, {"lpadmin", "-p", "Lumaprex", "-P", folder.file("queue.ppd")});
}

// Raw lines in place of the driver's filter lines of the given PPD.
std::string RawFilterLines(PrivateScheduler& cups, const std::string& from) {
    return FilterLinesReplaced(cups, R"re(\*cupsFilter2: "(\S+) \S+ \d+ \S+")re",
                               R"re(*cupsFilter2: "$1 application/vnd.cups-raw 0 -")re", from);
}

// The PPD with the driver's filter lines in place of the raw ones.
std::string DriverLinesPutBack(std::string ppd) {
    for (const std::string& line : splitLines(readFile(kShippedPpd))) {
        if (!line.starts_with("*cupsFilter2: \"")) continue;
        const std::string source = line.substr(15, line.find(' ', 15) - 15);
        const std::string raw = "*cupsFilter2: \"" + source + " application/vnd.cups-raw 0 -\"";
        if (const std::size_t at = ppd.find(raw); at != std::string::npos) ppd.replace(at, raw.size(), line);
    }
    return ppd;
}

// A banner page in PostScript ahead of every job of the queue.
std::string BannerPages(PrivateScheduler& cups) {
    return RunClient(cups, {"lpadmin", "-p", "Lumaprex", "-o", "job-sheets-default=psbanner,none"});
}

// The printer holds every job of the queue for 4 s before it takes it.
std::string SlowPrinter(PrivateScheduler& cups) {
    return RunClient(cups, {"lpadmin", "-p", "Lumaprex", "-o", "capture-delay-default=4"});
}

// Waits until the scheduler's log holds the text that many times.
void WaitForLog(const PrivateScheduler& cups, const std::string& text, int times = 1) {
    for (int waited = 0; waited < kJobTimeoutSeconds * 10; ++waited) {
        const std::string log = cups.log();
        int found = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++found;
        if (found >= times) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ADD_FAILURE() << "the scheduler's log does not hold " << times << " times: " << text << cups.log();
}

// One more filter line after the ticket filter's.
std::string LineAfterTheTicketFilter(PrivateScheduler& cups, const std::string& line,
                                     const std::string& from = readFile(kShippedPpd)) {
    return FilterLinesReplaced(cups, R"re((\*cupsFilter2: "application/postscript .*))re", "$1\n" + line, from);
}
const std::string kPdfLine = R"(*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 -")";

// The older filter lines in place of the newer ones.
std::string OlderFilterLines(PrivateScheduler& cups) {
    return FilterLinesReplaced(cups, R"re(\*cupsFilter2: "(\S+) \S+ (\d+ \S+)")re", R"re(*cupsFilter: "$1 $2")re");
}

// The same under the keyword in lower case.
std::string OlderFilterLinesInLowerCase(PrivateScheduler& cups) {
    return FilterLinesReplaced(cups, R"re(\*cupsFilter2: "(\S+) \S+ (\d+ \S+)")re", R"re(*cupsfilter: "$1 $2")re");
}

// A second PostScript line beside the ticket filter's, cheaper, to no filter.
const std::string kCheaperLine = R"(*cupsFilter2: "application/postscript application/vnd.cups-raw -1 -")";
std::string CheaperLineAroundTheTicketFilter(PrivateScheduler& cups) { return LineAfterTheTicketFilter(cups, kCheaperLine); }

// A pre-filter of that name and script, given with lpadmin once the faulted
// print's document waits behind the busy queue, and taken out of the PPD
// file by hand while it runs: the PPD read afterwards has the driver's
// lines alone.
void PreFilterWhileTheDocumentWaits(PrivateScheduler& cups, const std::string& name, const std::string& script) {
    const std::string program = cups.filterFolder() + "/" + name;
    writeFile(program, "#!/bin/sh\nsleep 2\n" + script);
    chmod(program.c_str(), 0755);
    WaitForLog(cups, "[Job 5] Queued on ");
    const TempDir folder;
    writeFile(folder.file("queue.ppd"),
              cups.queuePpd() + "*cupsPreFilter: \"application/postscript 0 " + name + "\"\n");
    EXPECT_EQ(RunClient(cups, {"lpadmin", "-p", "Lumaprex", "-P", folder.file("queue.ppd")}), "");
    WaitForLog(cups, "[Job 5] Started filter " + program);
    // Saved as an editor saves it, so that the ticket filter, starting at
    // the same moment, reads the one PPD or the other.
    writeFile(cups.ppdFolder() + "/Lumaprex.ppd.new",
              std::regex_replace(cups.queuePpd(), std::regex(R"(\*cupsPreFilter: [^\n]*\n)"), ""));
    std::filesystem::rename(cups.ppdFolder() + "/Lumaprex.ppd.new", cups.ppdFolder() + "/Lumaprex.ppd");
}

// One that prints a document of its own, and one that is the ticket filter
// again, which puts the ticket ahead of the document a first time.
void ReplacerWhileTheDocumentWaits(PrivateScheduler& cups, const std::string&) {
    PreFilterWhileTheDocumentWaits(cups, "replacer", "printf '%%!PS-Adobe-3.0\\n(REPLACED) show showpage\\n'\n");
}
void TicketFilterAgainWhileTheDocumentWaits(PrivateScheduler& cups, const std::string&) {
    PreFilterWhileTheDocumentWaits(cups, "again", "exec \"$(dirname \"$0\")/Lumaprex\" \"$@\"\n");
}

const std::string kOtherLine = kNotKept + "the queue's PPD has a filter line that the driver does not own: ";
// What the host says of the faulted print's document (job 5 on a busy
// queue, else 4) when the queue's ticket filter left no receipt for it.
std::string PrintedBare(const std::string& why, int job = 5) {
    return "lumaprex-print: Lumaprex-" + std::to_string(job) + " may have printed without its ticket: " + why + "\n";
}
const std::string kNotPostScript = ": it does not start with %! (or Ctrl-D and %!): the host prints PostScript only";
const std::string kNoReceipt = PrintedBare(
    "the queue's ticket filter left no receipt for it: the scheduler may have sent it around that filter, through "
    "filter lines it read before they changed, run a program ahead of it (a pre-filter) that handed it what it "
    "printed, or failed to write the receipt into the PPD");

const Fault kFaults[] = {
    {"ReadOnlyPpdFolder", {.capture = true, .unprivileged = true}, false,
     [](PrivateScheduler& cups) -> std::string {
         return chmod(cups.ppdFolder().c_str(), 0555) == 0 ? "" : "the folder keeps its permissions";
     },
     3, kNotKept + "the queue's PPD does not hold it: the scheduler may be unable to write the PPD, or another print "
                   "replaced the ticket)",
     Printed::kNot},
    {"FullPpdFolder", {.capture = true}, true,
     [](PrivateScheduler& cups) { return cups.fillPpdFolder(256 * 1024, 4096); }, 3, kNotKept, Printed::kNot},
    {"CommandFilterKilledWhileStoring", {.capture = true}, true,
     [](PrivateScheduler& cups) {
         cups.replaceCommandFilter(builtProgram("tests", "Lumaprex-Command-killed"));
         return std::string();
     },
     3, kNotKept, Printed::kNot},
    // The queue runs the command job after the dialog stopped waiting for it;
    // the scheduler's "Filter failed" sometimes takes the filter's place.
    {"BusyQueueWithAFailingCommandJob", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         cups.replaceCommandFilter(builtProgram("tests", "Lumaprex-Command-deflate-fails"));
         return BusyQueue(cups);
     },
     1, "stopped Lumaprex-5", Printed::kNot},
    {"StoppedQueue", {.capture = true}, false,
     [](PrivateScheduler& cups) { return RunClient(cups, {"cupsdisable", "Lumaprex"}); }, 4,
     "lumaprex-print: stopped waiting for Lumaprex-4, which has not printed: the queue is stopped\n", Printed::kNot},
    {"HeldJobs", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         return RunClient(cups, {"lpadmin", "-p", "Lumaprex", "-o", "job-hold-until-default=indefinite"});
     },
     4, "lumaprex-print: stopped waiting for Lumaprex-4, which has not printed: held\n", Printed::kNot},
    // The scheduler crashes once it has the document, before or after it
    // answered for it.
    {"SchedulerCrashesWhileTheHostWaits", {.capture = true}, false, BusyQueue, 4, "lumaprex-print: the fate of ",
     Printed::kNot,
     [](PrivateScheduler& cups, const std::string&) {
         WaitForLog(cups, "[Job 5] Queued on ");
         cups.crash();
     }},
    {"PpdWithTheOlderFilterLines", {.capture = true}, false, OlderFilterLines, 0, "", Printed::kBehindItsTicket},
    // The scheduler reads no older line under a keyword of another case: it
    // would send the document through its own PostScript filters.
    {"PpdWithTheOlderFilterLinesInLowerCaseOnABusyQueue", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         const std::string made = OlderFilterLinesInLowerCase(cups);
         return made.empty() ? BusyQueue(cups) : made;
     },
     3, kNotKept + kNoTicketFilter + ")", Printed::kNot},
    // Those lines put right in the PPD file behind the scheduler's back: it
    // runs the lines it read, and the command job it is not waited for stops.
    {"PpdPutRightBehindTheSchedulersBackOnABusyQueue", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         const std::string made = OlderFilterLinesInLowerCase(cups);
         if (made.empty()) {
             writeFile(cups.ppdFolder() + "/Lumaprex.ppd",
                       std::regex_replace(cups.queuePpd(), std::regex(R"(\*cupsfilter:)"), "*cupsFilter:"));
         }
         return made.empty() ? BusyQueue(cups) : made;
     },
     4, "lumaprex-print: Lumaprex-5 may have printed without its ticket: its command job Lumaprex-4 was stopped",
     Printed::kWithoutTicket},
    {"PpdWithACheaperLineAroundTheTicketFilter", {.capture = true}, false, CheaperLineAroundTheTicketFilter, 3,
     kOtherLine + kCheaperLine + ")", Printed::kNot},
    // The scheduler chains its own conversion into the line, or matches the
    // wildcard: even the command file could go raw to the printer.
    {"PpdWithALineThatTheSchedulerChainsInto", {.capture = true}, false,
     [](PrivateScheduler& cups) { return LineAfterTheTicketFilter(cups, kPdfLine); }, 3, kOtherLine + kPdfLine + ")",
     Printed::kNot},
    {"PpdWithAWildcardLine", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         return LineAfterTheTicketFilter(cups, R"(*cupsFilter2: "*/* application/vnd.cups-raw 0 -")");
     },
     3, kOtherLine + R"(*cupsFilter2: "*/* application/vnd.cups-raw 0 -"))", Printed::kNot},
    {"PpdWithoutTheCommandLine", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         return FilterLinesReplaced(cups, R"re(\*cupsFilter2: "application/vnd.cups-command .*\n)re", "");
     },
     3, kNotKept + kNoCommandFilter + ")", Printed::kNot},
    // A class hands each job to whichever of its printers is free, and
    // gives the PPD of its first: Lumaprex, ahead of a raw queue.
    {"ClassOfTheQueueAndARawOne", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         std::string failed = RunClient(cups, {"lpadmin", "-p", "Other", "-E", "-v", "capture:" + cups.captureFolder(),
                                               "-m", "raw"});
         for (const char* member : {"Lumaprex", "Other"})
             if (failed.empty()) failed = RunClient(cups, {"lpadmin", "-p", member, "-c", "Pool"});
         return failed.empty() ? RunClient(cups, {"cupsaccept", "Pool"}) + RunClient(cups, {"cupsenable", "Pool"})
                               : failed;
     },
     3, kNotKept + "the queue is a class, which may print the document on another printer than the one that keeps "
                   "its ticket)",
     Printed::kNot, nullptr, "Pool"},
    // A raw queue would send the command file to the printer as it stands.
    {"QueueWithoutAPpd", {.capture = true}, false,
     [](PrivateScheduler& cups) { return RunClient(cups, {"lpadmin", "-p", "Lumaprex", "-m", "raw"}); }, 3,
     kNotKept + "the queue has no PPD)", Printed::kNot},
    // A line added once the document is queued behind its command job.
    {"PpdGainsALineWhileTheDocumentWaits", {.capture = true}, false, BusyQueue, 4,
     "lumaprex-print: Lumaprex-5 may have printed without its ticket: the queue's PPD has a filter line that the "
     "driver does not own: " + kCheaperLine + "\n",
     Printed::kWithoutTicket,
     [](PrivateScheduler& cups, const std::string&) {
         WaitForLog(cups, "[Job 5] Queued on ");
         EXPECT_EQ(LineAfterTheTicketFilter(cups, kCheaperLine, cups.queuePpd()), "");
     }},
    // The same line taken out of the PPD file by hand once the queue started
    // the document, which the printer then holds for 4 s: the PPD read
    // afterwards has the driver's lines alone.
    {"PpdGainsALineWhileTheDocumentWaitsAndLosesItBehindTheSchedulersBack", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         const std::string slow = SlowPrinter(cups);
         return slow.empty() ? BusyQueue(cups) : slow;
     },
     4,
     kNoReceipt, Printed::kWithoutTicket,
     [](PrivateScheduler& cups, const std::string&) {
         WaitForLog(cups, "[Job 5] Queued on ");
         const std::string before = cups.queuePpd();
         EXPECT_EQ(LineAfterTheTicketFilter(cups, kCheaperLine, before), "");
         WaitForLog(cups, "[Job 5] Started ");
         writeFile(cups.ppdFolder() + "/Lumaprex.ppd", before);
     }},
    // The scheduler would print what is not PostScript without the queue's
    // filters (PCL, a file of no known type), even behind a banner page that
    // goes through the ticket filter: the host sends nothing. PostScript
    // after a Ctrl-D goes behind its ticket.
    {"PclDocument", {.capture = true}, false, [](PrivateScheduler&) { return std::string(); }, 1, kNotPostScript,
     Printed::kNot, nullptr, "Lumaprex", "\033%-12345X@PJL ENTER LANGUAGE=PCL\n\033Ehello\n", false, 0, true},
    {"DocumentOfNoKnownType", {.capture = true}, false, [](PrivateScheduler&) { return std::string(); }, 1,
     kNotPostScript, Printed::kNot, nullptr, "Lumaprex", std::string("\0\1 data\n", 8), false, 0, true},
    {"PostScriptAfterACtrlD", {.capture = true}, false, [](PrivateScheduler&) { return std::string(); }, 0, "",
     Printed::kBehindItsTicket, nullptr, "Lumaprex", "\004" + readFile(kJob)},
    {"PostScriptBannerPages", {.capture = true, .postScriptBanner = true}, false, BannerPages, 0, "",
     Printed::kBehindItsTicket},
    {"PclDocumentBehindAPostScriptBanner", {.capture = true, .postScriptBanner = true}, false, BannerPages, 1,
     kNotPostScript, Printed::kNot, nullptr, "Lumaprex", "\033%-12345X@PJL ENTER LANGUAGE=PCL\n\033Ehello\n", false,
     0, true},
    // A document compressed by gzip, which the scheduler types by what it
    // holds but would hand on compressed: the host sends it expanded, or,
    // cut short, not at all, before the dialog sends anything.
    {"DocumentCompressedTwiceByGzip", {.capture = true}, false, [](PrivateScheduler&) { return std::string(); }, 0,
     "", Printed::kBehindItsTicket, nullptr, "Lumaprex", readFile(kJob), false, 2},
    {"DocumentCompressedByGzipAndCutShort", {.capture = true}, false, [](PrivateScheduler&) { return std::string(); },
     1, ": it is compressed and does not expand whole\n", Printed::kNot, nullptr, "Lumaprex", readFile(kJob), false,
     -1, true},
    // Raw lines given with lpadmin once the ticket filter reported the
    // document, which the printer holds for 4 s: the scheduler prints it
    // again through them, and the driver's lines are written back by hand
    // once it has: the PPD holds the receipt of the first attempt alone.
    {"QueueChangedOnceTheDocumentWasReportedAndPutRightByHand", {.capture = true}, false, SlowPrinter, 4,
     PrintedBare("the queue's ticket filter reported an earlier attempt at printing it, not the last: the scheduler "
                 "printed it again (once the queue changed, or once the scheduler restarted)",
                 4),
     Printed::kWithoutTicket,
     [](PrivateScheduler& cups, const std::string&) {
         WaitForLog(cups, "[Job 4] PPD: EXRECEIPT04=");
         EXPECT_EQ(RawFilterLines(cups, cups.queuePpd()), "");
         WaitForLog(cups, "[Job 4] Job restarted because the printer was modified.");
         WaitForLog(cups, "[Job 4] Started backend", 2);
         writeFile(cups.ppdFolder() + "/Lumaprex.ppd", DriverLinesPutBack(cups.queuePpd()));
     }},
    // The scheduler moves the document to a raw queue while the printer
    // holds it, after the ticket filter reported it.
    {"DocumentMovedToARawQueueOnceReported", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         const std::string slow = SlowPrinter(cups);
         return slow.empty() ? RunClient(cups, {"lpadmin", "-p", "Plain", "-E", "-v", "capture:" + cups.captureFolder(),
                                                "-m", "raw"})
                             : slow;
     },
     4, PrintedBare("the scheduler moved it to /printers/Plain", 4), Printed::kWithoutTicket,
     [](PrivateScheduler& cups, const std::string&) {
         WaitForLog(cups, "[Job 4] PPD: EXRECEIPT04=");
         EXPECT_EQ(RunClient(cups, {"lpmove", "Lumaprex-4", "Plain"}), "");
     }},
    // Raw lines given with lpadmin, then the driver's written back into the
    // PPD file by hand: the scheduler runs the lines it loaded, the command
    // file too goes raw, and the PPD shows the driver's lines.
    {"RawLinesLoadedAndTheDriversWrittenBackByHandOnABusyQueue", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         const std::string driver = cups.queuePpd();
         std::string made = RawFilterLines(cups, driver);
         if (made.empty()) writeFile(cups.ppdFolder() + "/Lumaprex.ppd", driver);
         return made.empty() ? BusyQueue(cups) : made;
     },
     4, kNoReceipt, Printed::kWithoutTicket, nullptr, "Lumaprex", readFile(kJob), true},
    {"PreFilterGivenWhileTheDocumentWaitsAndTakenOutOfThePpdFileWhileItRuns", {.capture = true}, false, BusyQueue, 4,
     kNoReceipt, Printed::kNot, ReplacerWhileTheDocumentWaits},
    {"TicketFilterAsAPreFilterGivenWhileTheDocumentWaitsAndTakenOutOfThePpdFileWhileItRuns", {.capture = true}, false,
     BusyQueue, 4, kNoReceipt, Printed::kBehindItsTicket, TicketFilterAgainWhileTheDocumentWaits},
    // The document, which the host checked, is replaced by a PCL file while
    // the host waits for its command job on a busy queue.
    {"DocumentReplacedOnceTheHostCheckedIt", {.capture = true}, false, BusyQueue, 0, "", Printed::kBehindItsTicket,
     [](PrivateScheduler& cups, const std::string& document) {
         WaitForLog(cups, "[Job 4] Queued on ");
         writeFile(document, "\033%-12345X@PJL ENTER LANGUAGE=PCL\n%Mark: 666\n\033Ehello\n");
     }},
    // A document over the size bound of the ticket filter's line, which the
    // scheduler aborts without a message.
    {"DocumentOverTheSizeBoundOfItsFilterLine", {.capture = true}, false,
     [](PrivateScheduler& cups) {
         return FilterLinesReplaced(cups, R"re((\*cupsFilter2: "application/postscript \S+ \d+) Lumaprex")re",
                                    R"re($1 maxsize(10) Lumaprex")re");
     },
     1, "lumaprex-print: the queue aborted Lumaprex-4 (processing-to-stop-point); the scheduler's error log says why\n",
     Printed::kNot},
    // The command job fails to rewrite the PPD after the document was queued;
    // the scheduler then prints it without the ticket filter.
    {"PpdLostWhileTheDocumentWaits", {.capture = true}, true,
     [](PrivateScheduler& cups) {
         const std::string filled = cups.fillPpdFolder(256 * 1024, 4096);
         return filled.empty() ? BusyQueue(cups) : filled;
     },
     4, "lumaprex-print: Lumaprex-5 may have printed without its ticket: ", Printed::kWithoutTicket},
};

void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

class OwnTicketFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(OwnTicketFaults, DocumentPrintsBehindNoOtherTicketAndTheUserIsTold) {
    const Fault& fault = GetParam();
    PrivateScheduler cups(fault.setup);
    if (!cups.cannotRun().empty()) GTEST_SKIP() << cups.cannotRun();
    ASSERT_TRUE(cups.ready());
    TempDir folder;
    ASSERT_EQ(PrintMarked(cups, folder, "100").status, 0) << cups.log();
    if (const std::string cannot = fault.make(cups); !cannot.empty()) GTEST_SKIP() << cannot;
    std::thread during([&] {
        if (fault.during) fault.during(cups, folder.file("200"));
    });
    const RunResult print = PrintMarked(cups, folder, "200",
                                        fault.largeTicket ? LargeTicket(folder) : std::vector<std::string>{},
                                        fault.printer, fault.document, fault.gzipped);
    during.join();
    EXPECT_EQ(print.status, fault.status) << print.err;
    EXPECT_NE(print.err.find(fault.told), std::string::npos) << print.err << cups.log();
    std::set<std::string> bare;
    const std::set<std::string> printed = MarksPrinted(cups, &bare);
    using Marks = std::set<std::string>;
    EXPECT_EQ(printed, (fault.printed == Printed::kBehindItsTicket ? Marks{"100", "200"} : Marks{"100"}));
    EXPECT_EQ(bare, (fault.printed == Printed::kWithoutTicket ? Marks{"200"} : Marks{}));
    bool commandFilePrinted = false;
    for (const auto& entry : std::filesystem::directory_iterator(cups.captureFolder())) {
        commandFilePrinted = commandFilePrinted || readFile(entry.path()).find("#CUPS-COMMAND") != std::string::npos;
    }
    EXPECT_EQ(commandFilePrinted, fault.commandFilePrints);
    if (fault.nothingSent) {
        EXPECT_EQ(cups.log().find("[Job 3] "), std::string::npos) << cups.log();
    }
}

INSTANTIATE_TEST_SUITE_P(Road, OwnTicketFaults, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// Two dialogs of one user print one ticket at the same moment on a busy
// queue, and the later of their command jobs is canceled: the earlier stored
// the ticket, both documents print behind it, and both hosts say so.
TEST(OwnTicketEndToEnd, DialogsPrintingOneTicketPrintBehindItWhenOneOfTheirCommandJobsIsCanceled) {
    PrivateScheduler cups({.capture = true});
    ASSERT_TRUE(cups.ready());
    BusyQueue(cups);
    std::thread cancel([&] {
        // Jobs 2 to 5: the two command jobs and the two documents, in any order.
        int last = 0;
        WaitForLog(cups, "[Job 5] Queued on ");
        for (int job = 2; job <= 5; ++job) {
            if (cups.jobDocument(job).starts_with("#CUPS-COMMAND")) last = job;
        }
        ASSERT_NE(last, 0) << "no command job among jobs 2 to 5" << cups.log();
        EXPECT_EQ(RunClient(cups, {"cancel", "Lumaprex-" + std::to_string(last)}), "");
    });
    const TempDir folders[2];
    RunResult prints[2];
    std::thread second([&] { prints[1] = PrintMarked(cups, folders[1], "300"); });
    prints[0] = PrintMarked(cups, folders[0], "300");
    second.join();
    cancel.join();
    for (const RunResult& print : prints) EXPECT_EQ(print.status, 0) << print.err;
    EXPECT_EQ(MarksPrinted(cups), std::set<std::string>{"300"}) << cups.log();
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(cups.captureFolder())) {
        documents += readFile(entry.path()).find("\n%Mark: 300\n") != std::string::npos;
    }
    EXPECT_EQ(documents, 2);
}

// The PPD's lines that are not the stored tickets' or the receipts' own.
std::vector<std::string> OtherLines(const std::string& ppd) {
    std::vector<std::string> lines = splitLines(ppd);
    std::erase_if(lines, [](const std::string& line) {
        return line.starts_with("*EXDATA0") || line.starts_with("*EXSLOT") || line.starts_with("*EXOWNER") ||
               line.starts_with("*EXRECEIPT");
    });
    return lines;
}

// A job option whose value makes the filter's message about it, which
// starts with the given text, run past the 2,047 bytes the scheduler reads
// of a line at once, so that the option's tail would be a line of its own.
std::string WithTailAsALine(const std::string& option, const std::string& messageStart, const std::string& tail) {
    return option + "=" + std::string(2047 - messageStart.size(), '9') + tail;
}

// The halftone option laid out so that the tail of its message would be a
// PPD line too long for the PPD to load, and a receipt token so that its
// tail would be a keyword of its own, for the job of that id.
std::string HalftoneWithALongPpdLine(int) {
    const std::string option = "com.Varneth.lumaprex.halftonelpi";
    return WithTailAsALine(option, "DEBUG: Ignoring \"" + option + "=", "PPD:EXBIG=" + std::string(400, 'A'));
}
std::string ReceiptTokenWithAKeyword(int job) {
    return WithTailAsALine(kReceiptOption,
                           "DEBUG: No receipt for job \"" + std::to_string(job) + "\" with the receipt token \"",
                           "PPD:EXHALFTONE=intruder");
}

// Users store tickets with command jobs of their own, then print, one row
// after the other on one queue: a user's ticket goes ahead of that user's
// jobs alone, only as whole lines, a named one too large for a slot stays for
// its job when other tickets are stored after it, and no command job changes
// any keyword of the PPD but the stored tickets' own.
TEST(OwnTicketEndToEnd, UsersCommandJobsReachTheirOwnJobsAloneAndOnlyAsWholeLines) {
    PrivateScheduler cups({.capture = true});
    ASSERT_TRUE(cups.ready());
    const std::string ticket = "%!PS-Adobe-3.0\r\n%VLXChargeNumber: (alice)\r\n%%EndComments\r\n";
    const std::string named = std::string(kTicketNameOption) + "=" + TicketName(ticket);
    const std::string injected = "%!PS-Adobe-3.0\r\n/showpage {} def (INJECTED) print";
    const std::string schedulerLines = "%!PS\n\nPPD: *cupsFilter2: \"application/postscript x 0 cat\"\n";
    std::string large = "%!PS-Adobe-3.0\r\n%Lines: ";
    for (char c : noiseBytes(24000)) large += "0123456789ABCDEF"[c & 15];
    large += "\r\n";
    const std::string largeNamed = std::string(kTicketNameOption) + "=" + TicketName(large);
    const std::string intruders = "%!PS-Adobe-3.0\r\n%VLXChargeNumber: (intruder)\r\n%%EndComments\r\n";
    const std::string intruderNamed = std::string(kTicketNameOption) + "=" + TicketName(intruders);
    const std::string before = cups.queuePpd();
    struct Case {
        const char* name;
        std::vector<std::string> store;  // lp options of the command job; none stores nothing
        std::string stored;
        std::string storeEnd;
        std::vector<std::string> print;  // lp options of the document; none prints nothing
        std::string ahead;               // what goes ahead of the document, or "stopped"
        std::string (*overlong)(int job) = nullptr;  // one more option of the document, made for its id
    };
    const Case cases[] = {
        // An ordinary user's overlong option whose tail the scheduler would
        // read as a line of the filter's: the PPD keeps its keywords and
        // loads, and the users' tickets go ahead of their jobs as before.
        {"a halftone option whose tail is a long PPD line", {}, "", "", {"-U", "intruder"}, "",
         HalftoneWithALongPpdLine},
        {"a receipt token whose tail is a keyword", {"-U", "intruder", "-o", intruderNamed}, intruders, "completed",
         {"-U", "intruder", "-o", intruderNamed}, intruders, ReceiptTokenWithAKeyword},
        {"own last ticket", {"-U", "alice"}, ticket, "completed", {"-U", "alice"}, ticket},
        {"another user's last ticket", {}, "", "", {"-U", "bob"}, ""},
        {"own named ticket", {"-U", "alice", "-o", named}, ticket, "completed", {"-U", "alice", "-o", named}, ticket},
        {"another user's named ticket", {}, "", "", {"-U", "bob", "-o", named}, "stopped"},
        {"no final line end", {"-U", "bob"}, injected, "completed", {"-U", "bob"}, injected + "\r\n"},
        {"name of another ticket", {"-U", "bob", "-o", named}, injected, "processing-stopped", {}, ""},
        {"name with a keyword", {"-U", "bob", "-o", std::string(kTicketNameOption) + "=EXOWNER0000=AAAA"}, ticket,
         "processing-stopped", {}, ""},
        {"lines of a scheduler's own", {"-U", "bob"}, schedulerLines, "completed", {"-U", "bob"}, schedulerLines},
        {"named ticket too large for a slot", {"-U", "carol", "-o", largeNamed}, large, "completed", {}, ""},
        {"another's ticket stored after a large one", {"-U", "alice", "-o", named}, ticket, "completed",
         {"-U", "carol", "-o", largeNamed}, large},
    };
    int lastJob = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.store.empty()) {
            lastJob = cups.submitTicket(c.stored, c.store);
            EXPECT_EQ(cups.jobEnd(lastJob), c.storeEnd);
        }
        if (c.print.empty()) continue;
        std::vector<std::string> print = c.print;
        if (c.overlong) print.insert(print.end(), {"-o", c.overlong(lastJob + 1)});
        const int job = lastJob = cups.submit(kJob, print);
        ASSERT_EQ(cups.jobEnd(job), c.ahead == "stopped" ? "processing-stopped" : "completed") << cups.log();
        if (c.ahead == "stopped") continue;
        const std::string output = readFile(cups.captureFolder() + "/" + std::to_string(job));
        EXPECT_TRUE(output.starts_with(c.ahead + "%!PS-Adobe-3.0\n%%Title:")) << output.substr(0, 300);
    }
    EXPECT_EQ(OtherLines(cups.queuePpd()), OtherLines(before));
    ppd_file_t* ppd = ppdOpenFile((cups.ppdFolder() + "/Lumaprex.ppd").c_str());
    EXPECT_NE(ppd, nullptr) << "the queue's PPD loads";
    ppdClose(ppd);
}

}  // namespace
