// Building page exceptions at scale, to show how the cost grows with them:
// single-page layout features, paper substitutions and a mix of both set
// through the controller bridge one by one, as the panes send them; and the
// page-exception tab's substitution Update over the odd pages of one long
// set, worked by the user on the controls stand-in; and such a job saved as
// a template and applied in a new dialog.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "AlertPanel.h"
#include "Bundle.h"
#include "JSE_Records.h"
#include "LumaprexPDE.h"
#include "LumaprexPDEPlugIn.h"
#include "PrintDialogExtension.h"
#include "PrintingServices.h"
#include "UserDriver.h"
#include "zqController.h"

namespace {

const std::string kBundleDir = LUMAPREX_SOURCE_DIR "/LumaprexPDE/Bundle";

// A bridge started on the shipped data, as the main pane starts it.
std::unique_ptr<zqController> StartedBridge() {
    auto bridge = std::make_unique<zqController>();
    bridge->SetJobTicketInfoFromApplication("Untitled", 1, 1);
    bridge->setBundle(platform::Bundle::Open(kBundleDir));
    return bridge;
}

// The substitution road of the page-exception tab for one range: checked,
// the range's substitution replaced, the paper and then the feature set.
void Substitute(zqController& bridge, int page, const char* paper) {
    if (bridge.JSE_ValidationOnExceptions(page, page, kPePaperSubstitution, paper, 0) != 0) return;
    bridge.JSE_RemovePageFeature(page, page, kPePaperSubstitution, 0);
    bridge.JSE_SetPageProperty(page, page, 1, paper, kPePaperSubstitution, 0);
    bridge.JSE_SetPageFeature(page, page, kPePaperSubstitution, 0);
}

// The n-th feature on page 2n + 1, of the kind the road gives it.
template <class Road>
void ThroughTheBridge(benchmark::State& state, Road road) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<zqController> bridge = StartedBridge();
        state.ResumeTiming();
        for (int n = 0; n < count; ++n) road(*bridge, n, 2 * n + 1);
        benchmark::DoNotOptimize(bridge->JSE_PageCollection_GetSize());
        state.PauseTiming();
        bridge.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void LayoutFeatures(benchmark::State& state) {
    ThroughTheBridge(state, [](zqController& bridge, int, int page) {
        bridge.JSE_SetPageFeature(page, page, kPeRotation, 3);
    });
}

void PaperSubstitutions(benchmark::State& state) {
    ThroughTheBridge(state, [](zqController& bridge, int n, int page) {
        Substitute(bridge, page, n % 2 ? "Letter_Blue" : "Letter_Red");
    });
}

// Rotation, substitution, duplex and an insert before the page in turn.
void MixedFeatures(benchmark::State& state) {
    ThroughTheBridge(state, [](zqController& bridge, int n, int page) {
        switch (n % 4) {
        case 0: bridge.JSE_SetPageFeature(page, page, kPeRotation, 3); break;
        case 1: Substitute(bridge, page, "Letter_Blue"); break;
        case 2: bridge.JSE_SetPageFeature(page, page, kPePrintMode, 2); break;
        default:
            bridge.JSE_SetPageProperty(page, page, kPeInsertBefore, "Letter_Tab", kPeInsertBefore, 1);
            bridge.JSE_SetPageFeature(page, page, kPeInsertBefore, 1);
            break;
        }
    });
}

// The main pane of a print to the Lumaprex queue, showing the
// page-exception tab, with its alerts recorded.
struct Dialog {
    Dialog() {
        bundle = platform::Bundle::Open(kBundleDir);
        host.printer = platform::Printer{"Lumaprex"};
        host.settings->jobName = "Manual";
        host.session->ppd = platform::OpenPPDFile(LUMAPREX_SOURCE_DIR "/ppd/Lumaprex.ppd");
        LumaprexPDEPlugIn plugIn;
        plugIn.initWithBundle(bundle);
        pane = std::make_unique<LumaprexPDE>(&host);
        pane->panelView();
        pane->willShow();
        user = std::make_unique<platform::UserDriver>(*pane->panelView());
    }
    ~Dialog() {
        user.reset();
        pane.reset();
        PluginBundle() = {};
        platform::Bundle::ForgetAll();
    }
    bool run(const std::string& command) { return user->perform(command); }

    platform::AlertRecorder alerts;
    platform::Bundle bundle;
    platform::PrintDialogHost host;
    std::unique_ptr<LumaprexPDE> pane;
    std::unique_ptr<platform::UserDriver> user;
};

// The set 1..2n with its odd pages chosen, ready to substitute: n runs.
bool ChooseOddPages(Dialog& dialog, long runs) {
    return dialog.run("click pagefeatureButton") &&
           dialog.run("type pageEditorField 1.." + std::to_string(2 * runs - 1)) && dialog.run("end") &&
           dialog.run("click selectOddPageCheck") && dialog.run("choose exceptionPaperCombo Letter_Blue");
}

// The set 1..2n with its odd pages chosen: n runs, each substituted.
void OddPagesSubstitutionUpdate(benchmark::State& state) {
    const long runs = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<Dialog>();
        if (!ChooseOddPages(*dialog, runs)) state.SkipWithError(dialog->user->lastError().c_str());
        state.ResumeTiming();
        if (!dialog->run("click exceptionUpdateButton")) state.SkipWithError(dialog->user->lastError().c_str());
        state.PauseTiming();
        if (!dialog->alerts.alerts().empty()) state.SkipWithError(dialog->alerts.alerts().front().message.c_str());
        dialog.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(runs);
}

// A folder of this process for the templates, gone with it.
struct TemplateFolder {
    TemplateFolder()
        : path(std::filesystem::temp_directory_path() / ("lumaprex-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~TemplateFolder() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

// A job of n substituted odd pages, n page features, in its own dialog.
std::unique_ptr<Dialog> SubstitutedJob(benchmark::State& state, long runs) {
    auto dialog = std::make_unique<Dialog>();
    if (!ChooseOddPages(*dialog, runs) || !dialog->run("click exceptionUpdateButton"))
        state.SkipWithError(dialog->user->lastError().c_str());
    return dialog;
}

// The first alert the dialog showed, for a run that should show none.
const char* FirstAlert(const Dialog& dialog) {
    return dialog.alerts.alerts().empty() ? nullptr : dialog.alerts.alerts().front().message.c_str();
}

// The template pane's Save of a job of n page features.
void TemplateSave(benchmark::State& state) {
    const long runs = state.range(0);
    const TemplateFolder folder;
    std::unique_ptr<Dialog> dialog = SubstitutedJob(state, runs);
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = dialog->run("click summaryButton") && dialog->run("pick " + folder.file("job.plist"));
        state.ResumeTiming();
        if (!ready || !dialog->run("click savetemplate") || FirstAlert(*dialog)) {
            state.SkipWithError(FirstAlert(*dialog) ? FirstAlert(*dialog) : dialog->user->lastError().c_str());
            break;
        }
    }
    state.SetComplexityN(runs);
}

// That template applied in a new dialog, every pane following it.
void TemplateApply(benchmark::State& state) {
    const long runs = state.range(0);
    const TemplateFolder folder;
    const std::string path = folder.file("job.plist");
    std::unique_ptr<Dialog> saved = SubstitutedJob(state, runs);
    if (!saved->run("click summaryButton") || !saved->run("pick " + path) || !saved->run("click savetemplate"))
        state.SkipWithError(saved->user->lastError().c_str());
    saved.reset();
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<Dialog>();
        const bool ready = dialog->run("click summaryButton") && dialog->run("pick " + path) &&
                           dialog->run("click opentemplate") && dialog->run("select templateListView 0");
        state.ResumeTiming();
        if (!ready || !dialog->run("click applytemplate")) {
            state.SkipWithError(dialog->user->lastError().c_str());
            break;
        }
        const std::vector<platform::Alert>& alerts = dialog->alerts.alerts();
        if (alerts.size() != 1 || alerts.front().message != "The template has been applied.") {
            state.SkipWithError(alerts.empty() ? "no alert" : alerts.front().message.c_str());
            break;
        }
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(runs);
}

}  // namespace

BENCHMARK(LayoutFeatures)->RangeMultiplier(2)->Range(625, 10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(PaperSubstitutions)->RangeMultiplier(2)->Range(625, 10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(MixedFeatures)->RangeMultiplier(2)->Range(625, 10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(OddPagesSubstitutionUpdate)
    ->Arg(1600)
    ->Arg(3200)
    ->Arg(6400)
    ->Arg(12800)
    ->Arg(25000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(TemplateSave)->Arg(3000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(TemplateApply)->Arg(3000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);
