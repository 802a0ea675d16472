// Command-line stand-in for the print dialog: starts the engine on the
// shipped paper catalog with factory-default settings and writes the job
// ticket to standard output as the dialog hands it to the queue (the ticket,
// then CR LF, "%%EndComments" and CR, then a line feed).
//
//   lumaprex-demo [CATALOG]
//
// CATALOG defaults to the shipped data/PaperCatalog.txt; its size
// definitions and attributes are read from beside it.
#include <cstdio>
#include <string>
#include <vector>

#include "JSE_JobTicket.h"
#include "JSE_Media.h"
#include "JSE_Preference.h"

namespace {

WString Widen(const std::string& text) { return WString(text.begin(), text.end()); }

// The settings the engine service copies from the settings store into the
// ticket before each ticket is built.
void CopySettingsToTicket(const JSE_Preference& store, JSE_JobTicket& ticket) {
    JSE_JobFeatureType job;
    store.JSE_Preference_GetJobFeature(job);
    ticket.JSE_JobTicket_SetJobFeature(job);
    JSE_CustomCommandType command;
    store.JSE_Preference_Get_CustomRecord(command);
    ticket.JSE_JobTicket_Set_CustomRecord(command);
    JSE_Release1_4Type release6;
    store.JSE_Preference_GetRelease6Features(release6);
    ticket.JSE_JobTicket_SetRelease6Features(release6);
    ticket.JSE_JobTicket_SetNarrowBookletValue(store.JSE_Preference_GetNarrowBookletValue());
    ticket.JSE_JobTicket_SetPageOrderValue(store.JSE_Preference_GetPageOrderValue());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string catalogPath = argc > 1 ? argv[1] : LUMAPREX_DATA_DIR "/PaperCatalog.txt";
    JSE_Media catalog(L"English", Widen(catalogPath), L"any:white:red:yellow:green:blue:clear",
                      L"plain:cover:color:insert:tab:transparency", L':', false);
    if (catalog.JSE_Media_GetLastError() != kMediaNoError) {
        std::fprintf(stderr, "%s: cannot read the paper catalog %s (error %d)\n", argv[0], catalogPath.c_str(),
                     catalog.JSE_Media_GetLastError());
        return 1;
    }
    catalog.JSE_Media_SetOSPlatform(2);
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_Set_Media_Reference(&catalog);
    store.JSE_Preference_Set_Factory_Default();
    JSE_JobTicket ticket(L"English", L"Letter", 1);
    ticket.JSE_JobTicket_Set_JSE_PreferenceRef(&store);
    ticket.JSE_JobTicket_Set_JSE_MediaRef(&catalog);
    ticket.JSE_JobTicket_Set_EmitPDFCommand(false);
    ticket.JSE_JobTicket_Set_PeDeviceLookup(true);
    // The application's job name, which the print filter later replaces by
    // the title of the print job.
    ticket.JSE_JobTicket_Set_DocumentTitle("Untitled");
    CopySettingsToTicket(store, ticket);

    const std::int64_t result = ticket.JSE_JobTicket_Create();
    std::vector<char> text(static_cast<std::size_t>(ticket.JSE_JobTicket_GetSize()));
    if (result == 0) ticket.JSE_JobTicket_Get(text.data(), static_cast<long>(text.size()));
    if (result != 0 || ticket.JSE_JobTicket_GetLastError() != 0) {
        std::fprintf(stderr, "%s: the ticket was not built (error %lld)\n", argv[0],
                     static_cast<long long>(ticket.JSE_JobTicket_GetLastError()));
        return 1;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputs("\r\n%%EndComments\r\n", stdout);
    return 0;
}
