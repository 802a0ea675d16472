// Loading the shipped paper catalog: size definitions, attributes and papers.
#include <benchmark/benchmark.h>

#include "bench_support.h"

static void LoadShippedCatalog(benchmark::State& state) {
    for (auto _ : state) {
        JSE_Media catalog(L"English", bench::ShippedCatalogPath(), bench::kColors, bench::kTypes, L':', false);
        if (catalog.JSE_Media_GetLastError() != kMediaNoError) state.SkipWithError("catalog not loaded");
        benchmark::DoNotOptimize(catalog.JSE_Media_GetNumberOfEntry());
    }
}
BENCHMARK(LoadShippedCatalog)->Unit(benchmark::kMicrosecond);
