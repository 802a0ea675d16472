// Starting the engine: loading the shipped paper catalog (size definitions,
// attributes and papers) alone, and the whole start-up of the service with
// the rule file, the settings store and the ticket.
#include <benchmark/benchmark.h>

#include "JSE_Service.h"
#include "bench_support.h"

static void LoadShippedCatalog(benchmark::State& state) {
    for (auto _ : state) {
        JSE_Media catalog(L"English", bench::ShippedCatalogPath(), bench::kColors, bench::kTypes, L':', false);
        if (catalog.JSE_Media_GetLastError() != kMediaNoError) state.SkipWithError("catalog not loaded");
        benchmark::DoNotOptimize(catalog.JSE_Media_GetNumberOfEntry());
    }
}
BENCHMARK(LoadShippedCatalog)->Unit(benchmark::kMicrosecond);

static void StartEngine(benchmark::State& state) {
    for (auto _ : state) {
        JSE_Service service(L"English", WString(), bench::ShippedCatalogPath(), WString(), false);
        if (service.JSE_GetLastError() != kServiceNoError || !service.JSE_Validation_RulesLoaded())
            state.SkipWithError("engine not started");
        benchmark::DoNotOptimize(service.JSE_Media_GetNumberOfEntry());
    }
}
BENCHMARK(StartEngine)->Unit(benchmark::kMicrosecond);
