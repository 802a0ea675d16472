// Command-line stand-in for the print dialog: starts the engine service on
// the shipped paper catalog with factory-default settings and writes the job
// ticket to standard output as the dialog hands it to the queue (the ticket,
// then CR LF, "%%EndComments" and CR, then a line feed).
//
//   lumaprex-demo [CATALOG]
//
// CATALOG defaults to the shipped data/PaperCatalog.txt; its size
// definitions, attributes and rules are read from beside it.
#include <cstdio>
#include <string>
#include <vector>

#include "JSE_Service.h"

namespace {

WString Widen(const std::string& text) { return WString(text.begin(), text.end()); }

}  // namespace

int main(int argc, char** argv) {
    const std::string catalogPath = argc > 1 ? argv[1] : LUMAPREX_DATA_DIR "/PaperCatalog.txt";
    JSE_Service engine(L"English", WString(), Widen(catalogPath), WString(), false);
    if (engine.JSE_GetLastError() != kServiceNoError || engine.JSE_Media_GetLastError() != kMediaNoError) {
        std::fprintf(stderr, "%s: cannot start the engine on the paper catalog %s (error %lld, catalog %d)\n", argv[0],
                     catalogPath.c_str(), static_cast<long long>(engine.JSE_GetLastError()),
                     engine.JSE_Media_GetLastError());
        return 1;
    }
    if (!engine.JSE_Validation_RulesLoaded())
        std::fprintf(stderr, "%s: no rules beside %s; settings are not checked\n", argv[0], catalogPath.c_str());
    engine.JSE_Media_SetOSPlatform(2);
    engine.JSE_JobTicket_Set_EmitPDFCommand(false);
    engine.JSE_JobTicket_Set_PeDeviceLookup(true);
    engine.JSE_Preference_Set_Factory_Default();
    // The application's job name, which the print filter later replaces by
    // the title of the print job.
    engine.JSE_JobTicket_Set_DocumentTitle("Untitled");
    engine.JSE_Preference_Copy_Value_To_JobTicket();

    const std::int64_t result = engine.JSE_JobTicket_Create();
    std::vector<char> text(static_cast<std::size_t>(engine.JSE_JobTicket_GetSize()));
    if (result == 0) engine.JSE_JobTicket_Get(text.data(), static_cast<long>(text.size()));
    if (result != 0 || engine.JSE_GetLastError() != kServiceNoError) {
        std::fprintf(stderr, "%s: the ticket was not built (error %lld)\n", argv[0],
                     static_cast<long long>(engine.JSE_GetLastError()));
        return 1;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputs("\r\n%%EndComments\r\n", stdout);
    return 0;
}
