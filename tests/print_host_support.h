// The print host of the build worked as an operator works it, printing to a
// private scheduler's queue: one run is one showing of the dialog on the
// test's job; and the template round trip, the job of one dialog saved as a
// template and applied in a new one. Shared by the tests that end at the
// printer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "private_scheduler.h"

namespace host_test {

inline const std::string kHost = filter_test::builtProgram("tools", "lumaprex-print");
inline const std::string kJob = LUMAPREX_TEST_DATA "/filters/job.ps";

inline filter_test::RunResult Print(const filter_test::PrivateScheduler& cups, std::vector<std::string> arguments,
                                    const char* server = nullptr, std::function<void(pid_t)> whileRunning = {}) {
    arguments.insert(arguments.begin(), kHost);
    filter_test::RunSetup setup;
    setup.environment["CUPS_SERVER"] = server ? server : cups.socket();
    setup.whileRunning = std::move(whileRunning);
    return filter_test::runProgram(kHost, arguments, setup);
}

// One dialog on the job of the test, titled "Round trip", with the host's
// options: the actions, then Print (which a text edit may refuse once; the
// document then goes with the second click). The id of the application's
// job, or 0.
inline int PrintDialog(const filter_test::PrivateScheduler& cups, const std::string& templates,
                       const std::vector<std::string>& actions, filter_test::RunResult& run,
                       const std::vector<std::string>& options = {}) {
    std::vector<std::string> arguments = {"--title", "Round trip", "--templates", templates};
    arguments.insert(arguments.end(), options.begin(), options.end());
    for (const std::string& action : actions) arguments.insert(arguments.end(), {"--do", action});
    arguments.insert(arguments.end(), {"--do", "print", kJob});
    run = Print(cups, arguments);
    const std::size_t at = run.out.rfind("request id is Lumaprex-");
    return at == std::string::npos ? 0 : std::atoi(run.out.c_str() + at + 23);
}

// What the template tab shows of the job's page exceptions in the summary.
inline const std::vector<std::string> kShowSummary = {"tab templateTabView 1", "show summaryListView"};

// The page-exception rows of the summary table the host showed.
inline std::string SummaryPageExceptions(const std::string& out) {
    const std::size_t start = out.find("  | Page Exceptions |");
    return start == std::string::npos ? std::string() : out.substr(start, out.find("  |      |", start) - start);
}

// The job's actions, then the job saved as the template of that name in
// the folder.
inline std::vector<std::string> SavedAs(std::vector<std::string> actions, const std::string& name) {
    actions.insert(actions.end(), {"click summaryButton", "pick " + name, "click savetemplate"});
    actions.insert(actions.end(), kShowSummary.begin(), kShowSummary.end());
    return actions;
}

// In a new dialog: the factory reset, the actions before the apply, then
// the template at the path applied.
inline std::vector<std::string> AppliedFrom(const std::string& path, std::vector<std::string> beforeApply = {}) {
    beforeApply.insert(beforeApply.begin(), {"click summaryButton", "click resetFactory"});
    beforeApply.insert(beforeApply.end(), {"click summaryButton", "pick " + path, "click opentemplate",
                                           "select templateListView 0", "click applytemplate"});
    beforeApply.insert(beforeApply.end(), kShowSummary.begin(), kShowSummary.end());
    return beforeApply;
}

// What the printer received from the job's dialog, which saved it as the
// template, and from the new dialog, which applied it.
struct RoundTrip {
    filter_test::RunResult saved, applied;
    std::string first, second;
};

// The job of the actions printed and saved as the template of that name in
// the folder; then, once between has run, a new dialog: the factory reset,
// the actions before the apply, the template applied and printed. The apply
// must say it applied the template whole, and the summary must show the
// same page exceptions.
inline RoundTrip TemplateRoundTrip(filter_test::PrivateScheduler& cups, const filter_test::TempDir& folder,
                                   const std::string& name, const std::vector<std::string>& actions,
                                   const std::vector<std::string>& beforeApply = {},
                                   const std::vector<std::string>& options = {},
                                   const std::function<void()>& between = {}) {
    RoundTrip trip;
    const int saved = PrintDialog(cups, folder.path(), SavedAs(actions, name), trip.saved, options);
    EXPECT_TRUE(saved > 0 && cups.waitForJob(saved)) << trip.saved.err << cups.log();
    trip.first = cups.printerOutput();
    if (between) between();
    const int applied = PrintDialog(cups, folder.path(), AppliedFrom(folder.file(name), beforeApply), trip.applied, options);
    EXPECT_TRUE(applied > 0 && cups.waitForJob(applied)) << trip.applied.err << cups.log();
    trip.second = cups.printerOutput();
    EXPECT_NE(trip.applied.err.find("alert: The template has been applied. [OK]\n"), std::string::npos)
        << trip.applied.err;
    EXPECT_EQ(SummaryPageExceptions(trip.applied.out), SummaryPageExceptions(trip.saved.out));
    return trip;
}

}  // namespace host_test
