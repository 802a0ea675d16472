// Checking every page exception of a job against the rest of the list, with
// a growing number of page exceptions, to show how the cost grows with them:
// paper substitutions on every other page, and the same inside one finishing
// subset that spans the whole document.
#include <benchmark/benchmark.h>

#include "JSE_Preference.h"
#include "JSE_Validation.h"
#include "bench_support.h"

namespace {

// The engine's catalog, rules and settings store with factory defaults.
struct Engine {
    Engine()
        : catalog(L"English", bench::ShippedCatalogPath(), bench::kColors, bench::kTypes, L':', false),
          store(L"Qwi_JSE.prf", L"English"),
          validator(&catalog) {
        store.JSE_Preference_Set_Media_Reference(&catalog);
        store.JSE_Preference_Set_Factory_Default();
        validator.JSE_Validation_Set_JSE_PreferenceRef(&store);
        validator.JSE_Validation_SetControlValue(eJSE_PrintModeSelection, 2);
    }

    // Two papers of the body paper's size taking turns, on every other page.
    void AddSubstitutions(long count) {
        for (long n = 0; n < count; ++n) {
            JSE_PageExceptionType record;
            record.exceptionMode = kPePaperSubstitution;
            record.startingPage = record.endingPage = 2 * n + 1;
            record.fromJobPaper = false;
            record.mediaName = n % 2 ? L"Letter_Heavy" : L"Letter_Color";
            record.reserved = 1;
            validator.JSE_Validation_Load_ExceptionRecord(record);
        }
    }

    void AddWholeDocumentSubset() {
        JSE_PageExceptionType subset;
        subset.exceptionMode = kPeFinishingSubset;
        subset.startingPage = 1;
        subset.endingPage = kLastPage;
        subset.peSubset = true;
        subset.peRecord.peOutputValue = 4;  // the booklet maker
        validator.JSE_Validation_Load_ExceptionRecord(subset);
    }

    JSE_Media catalog;
    JSE_Preference store;
    JSE_Validation validator;
};

void Run(benchmark::State& state, Engine& engine) {
    for (auto _ : state) {
        const long result = engine.validator.Validation_On_PeList();
        if (result != 0) state.SkipWithError("the page exceptions were refused");
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
}

void CheckSubstitutions(benchmark::State& state) {
    Engine engine;
    engine.AddSubstitutions(state.range(0));
    Run(state, engine);
}

void CheckSubstitutionsInOneSubset(benchmark::State& state) {
    Engine engine;
    engine.AddWholeDocumentSubset();
    engine.AddSubstitutions(state.range(0));
    Run(state, engine);
}

}  // namespace

BENCHMARK(CheckSubstitutions)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(CheckSubstitutionsInOneSubset)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
