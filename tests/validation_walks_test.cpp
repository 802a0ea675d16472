// An operator's walks through the print host to a private queue, each with a
// page exception and a job feature or a finishing subset that cannot go
// together, in both orders:
// whichever comes second is refused with an alert, and the printer receives
// the ticket of the first alone.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "private_scheduler.h"

namespace {

using namespace filter_test;

const std::string kHost = builtProgram("tools", "lumaprex-print");
const std::string kJob = LUMAPREX_TEST_DATA "/filters/job.ps";

// The clicks that give a page set its paper on the page-exception tab; the
// set is the next row of the set table, and its pages are ticked one by one
// or, for three pages and more, all at once.
std::vector<std::string> PaperOnPages(int row, const std::string& pages, int count, const std::string& paper) {
    std::vector<std::string> clicks = {"click pagefeatureButton", "type pageEditorField " + pages, "end",
                                       "select pageSetView " + std::to_string(row)};
    if (count >= 3)
        clicks.push_back("click selectAllPagesSetCheck");
    else
        for (int page = 1; page <= count; ++page) clicks.push_back("click page" + std::to_string(page));
    clicks.insert(clicks.end(), {"choose exceptionPaperCombo " + paper, "click exceptionUpdateButton"});
    return clicks;
}

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// What one print of the walk left: the texts of its one-line alerts (a
// group's confirmation runs over several), each once and one a line, and
// the ticket the command job carried to the queue.
struct Printed {
    std::string alerts;
    std::string ticket;
};

// The clicks, then Print: once more when the pane refuses the first after
// an edit.
Printed Print(PrivateScheduler& cups, const std::vector<std::string>& clicks) {
    std::vector<std::string> arguments = {kHost};
    for (const std::string& click : clicks) arguments.insert(arguments.end(), {"--do", click});
    arguments.insert(arguments.end(), {"--do", "print", kJob});
    RunSetup setup;
    setup.environment["CUPS_SERVER"] = cups.socket();
    const RunResult run = runProgram(kHost, arguments, setup);
    EXPECT_EQ(run.status, 0) << run.err;
    Printed printed;
    std::istringstream err(run.err);
    std::set<std::string> alerts;
    for (std::string line; std::getline(err, line);)
        if (line.starts_with("alert: ") && line.ends_with("]")) alerts.insert(line.substr(7));
    for (const std::string& alert : alerts) printed.alerts += alert + "\n";
    // "request id is Lumaprex-N": the document; the command job came just before.
    const std::size_t dash = run.out.rfind('-');
    if (dash == std::string::npos) return ADD_FAILURE() << run.out << run.err, printed;
    const int job = std::stoi(run.out.substr(dash + 1));
    EXPECT_TRUE(cups.waitForJob(job)) << cups.log();
    printed.ticket = cups.jobDocument(job - 1);
    return printed;
}

TEST(ValidationWalks, SecondOfAPageExceptionAndASettingThatClashIsRefusedInBothOrders) {
    // A set deleted after its Update keeps its page features, and sets may
    // then share pages; the stapled subset is on pages 10 and 11.
    const std::vector<std::string> deleted = {"select pageSetView 0", "click deletePageRange"};
    const std::vector<std::string> stapled = Joined(
        {"click pagefeatureButton", "type pageEditorField 10..11", "end", "select pageSetView 0", "click page1",
         "click page2", "click peSubset", "click subsetButton", "click StaplerButton", "click subsetUpdateButton",
         "click peSubstitute"}, deleted);
    const char* feeds = "The stapler needs all papers of the pages to have the same feed length. [OK]\n";
    const struct {
        const char* name;
        std::vector<std::string> pageExceptions;
        std::vector<std::string> setting;  // a job feature or a finishing subset
        // The clicks of the setting that the pane still offers once the
        // page exceptions are held.
        std::vector<std::string> settingAfter;
        const char* refusedSetting;         // the alerts when the setting comes second
        const char* refusedPageExceptions;  // and when the page exceptions do
    } walks[] = {
        {"transparencies on 3..5, then duplex", PaperOnPages(0, "3..5", 3, "Letter_Transparency"),
         {"click jobsetupButton", "click duplexLongEdge"}, {"click jobsetupButton", "click duplexLongEdge"},
         "These pages cannot print on two sides or on the back side alone; choose two-sided printing and a paper "
         "that can be printed on both sides. [OK]\n",
         "These pages cannot print on two sides or on the back side alone; choose two-sided printing and a paper "
         "that can be printed on both sides. [OK]\n"},
        {"cover stock on 3..5, then punching", PaperOnPages(0, "3..5", 3, "Letter_Cover"),
         {"click finisherButton", "click punchCheck"}, {"click finisherButton", "click punchCheck"},
         "This paper cannot be punched. [OK]\n", "This paper cannot be punched. [OK]\n"},
        {"A4 on 3..5, then interleaving", PaperOnPages(0, "3..5", 3, "A4"),
         {"click jobsetupButton", "click interleaveBlank"}, {"click jobsetupButton", "click interleaveBlank"},
         "This paper or print side does not suit how the job prints these pages; pamphlets and interleaves need "
         "papers of the body paper's size, and a back side needs a paper printable on both sides. [OK]\n",
         "Page exceptions cannot be changed while the job is interleaved. [OK]\n"},
        {"Tabloid on 3..4 and A4 on 6, then the stapler at the top",
         Joined(PaperOnPages(0, "3..4", 2, "Tabloid"), PaperOnPages(1, "6", 1, "A4")),
         {"click finisherButton", "click staplerExit", "click stapleTop"},
         {"click finisherButton", "click staplerExit"},
         "The stapler needs all papers of the pages to have the same feed length. [OK]\n",
         "The stapler needs all papers of the pages to have the same feed length. [OK]\n"},
        {"A4 on page 11, then a stapled subset on 10..11", Joined(PaperOnPages(0, "11", 1, "A4"), deleted), stapled,
         stapled, feeds, feeds},
        {"Legal on 11..12, then a stapled subset on 10..11", Joined(PaperOnPages(0, "11..12", 2, "Legal"), deleted),
         stapled, stapled, feeds, feeds},
    };
    PrivateScheduler cups;
    ASSERT_TRUE(cups.ready());
    for (const auto& walk : walks) {
        SCOPED_TRACE(walk.name);
        const Printed pageExceptions = Print(cups, walk.pageExceptions);
        const Printed setting = Print(cups, walk.setting);
        ASSERT_EQ(pageExceptions.alerts + setting.alerts, "") << "each alone is accepted";
        ASSERT_NE(pageExceptions.ticket, setting.ticket);

        const Printed settingSecond = Print(cups, Joined(walk.pageExceptions, walk.settingAfter));
        EXPECT_EQ(settingSecond.alerts, walk.refusedSetting);
        EXPECT_EQ(settingSecond.ticket, pageExceptions.ticket) << "the refused setting reached the printer";
        const Printed pageExceptionsSecond = Print(cups, Joined(walk.setting, walk.pageExceptions));
        EXPECT_EQ(pageExceptionsSecond.alerts, walk.refusedPageExceptions);
        EXPECT_EQ(pageExceptionsSecond.ticket, setting.ticket) << "a refused page exception reached the printer";
    }
}

}  // namespace
