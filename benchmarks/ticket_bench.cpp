// Building job tickets: the factory-default ticket of the shipped catalog,
// and tickets with a growing number of page exceptions, to show how the
// cost grows with them.
#include <benchmark/benchmark.h>

#include <string>

#include "JSE_Service.h"
#include "bench_support.h"

namespace {

// The engine as the dialog starts it, with factory defaults.
struct Engine {
    Engine() : service(L"English", WString(), bench::ShippedCatalogPath(), WString(), false) {
        service.JSE_Media_SetOSPlatform(2);
        service.JSE_JobTicket_Set_EmitPDFCommand(false);
        service.JSE_JobTicket_Set_PeDeviceLookup(true);
        service.JSE_Preference_Set_Factory_Default();
        service.JSE_Preference_Copy_Value_To_JobTicket();
    }

    void Build(benchmark::State& state) {
        if (service.JSE_JobTicket_Create() != 0) state.SkipWithError("ticket not built");
        std::string text(static_cast<std::size_t>(service.JSE_JobTicket_GetSize()), '\0');
        service.JSE_JobTicket_Get(text.data(), static_cast<long>(text.size()));
        benchmark::DoNotOptimize(text.data());
    }

    JSE_Service service;
};

void FactoryDefaultTicket(benchmark::State& state) {
    Engine engine;
    for (auto _ : state) engine.Build(state);
}

// Paper substitutions on every other page, two papers taking turns, so that
// no two merge; added in page order or in reverse.
void AddPageExceptions(JSE_Service& service, long count, bool reverse) {
    for (long i = 0; i < count; ++i) {
        const long n = reverse ? count - 1 - i : i;
        JSE_PageExceptionType record;
        record.exceptionMode = kPePaperSubstitution;
        record.startingPage = record.endingPage = 2 * n + 1;
        record.mediaName = n % 2 ? L"Letter_Heavy" : L"Letter_Color";
        service.JSE_JobTicket_SetPageExceptionItem(record);
    }
}

void TicketWithPageExceptions(benchmark::State& state, bool reverse) {
    Engine engine;
    AddPageExceptions(engine.service, state.range(0), reverse);
    for (auto _ : state) engine.Build(state);
    state.SetComplexityN(state.range(0));
}

void PageExceptionsInPageOrder(benchmark::State& state) { TicketWithPageExceptions(state, false); }
void PageExceptionsInReverseOrder(benchmark::State& state) { TicketWithPageExceptions(state, true); }

}  // namespace

BENCHMARK(FactoryDefaultTicket)->Unit(benchmark::kMicrosecond);
BENCHMARK(PageExceptionsInPageOrder)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(PageExceptionsInReverseOrder)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();
