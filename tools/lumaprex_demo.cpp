// Command-line stand-in for the print dialog: hands the extension's bundle to
// the controller bridge, which starts the engine on the paper catalog, size
// definitions and rules the bundle names, with factory-default settings; then
// takes the main pane's print road (job name, copies and orientation, the
// user name) and writes the ticket the bridge hands out to standard output,
// followed by the line feed the main pane puts after it in the command job.
//
//   lumaprex-demo [BUNDLE]
//
// BUNDLE defaults to the extension's bundle folder in the source tree, whose
// information dictionary names the shipped data.
#include <cstdio>
#include <string>

#include "Bundle.h"
#include "zqController.h"

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : LUMAPREX_BUNDLE_DIR;
    const platform::Bundle bundle = platform::Bundle::Open(folder);
    if (!bundle) {
        std::fprintf(stderr, "%s: no extension bundle in %s\n", argv[0], folder.c_str());
        return 1;
    }
    zqController bridge;
    bridge.SetJobTicketInfoFromApplication("Untitled", 1, 1);
    bridge.setBundle(bundle);

    bridge.ClearError();
    bridge.SetJobTicketInfoFromApplication("Untitled", 1, 1);
    bridge.setUserName();
    const std::int64_t size = bridge.GetJobTicketSize();
    std::string ticket;
    int error = 0;
    if (size > 0) bridge.GetJobTicket(ticket, size, error);
    if (size < 1 || error != 0) {
        std::fprintf(stderr, "%s: the ticket was not built (error %d)\n", argv[0], size < 1 ? bridge.GetLastError() : error);
        return 1;
    }
    std::fwrite(ticket.data(), 1, ticket.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
