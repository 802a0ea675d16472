// The print road: when the dialog prints, the main pane brings the bridge up
// to date, writes the halftone print settings, takes the finished ticket,
// names it in the print settings and sends it to the queue as a command job.
// Whenever this print's ticket does not reach the queue (no bridge, no
// ticket, an engine error, a command job the queue did not get or keep) the
// user is told and the application's job does not go, since it would print
// without its ticket; a document that goes names its ticket, and the queue
// prints it behind that ticket or not at all.
#include "CommandJob.h"
#include "FoundationValues.h"
#include "LumaprexPDE.h"
#include "NamedTickets.h"
#include "SystemLog.h"
#include "zqController.h"

namespace {

constexpr int kTicketNotKeptLabel = 17292;
constexpr int kNotPrintedLabel = 17296;

}  // namespace

int LumaprexPDE::createJobTicket() {
    platform::Printer* printer = pdePluginCallbackObject ? pdePluginCallbackObject->PMPrinter() : nullptr;
    if (!printer) {
        showAlert(platform::Format("No Printer Found error code: %d", 90001));
        return 0;
    }
    platform::PrintSettings* settings = pdePluginCallbackObject->printSettings();
    // This print names its own ticket, or none until it has one.
    platform::PMPrintSettingsSetValue(settings, kTicketNameOption, std::string(), false);
    const std::string notPrinted = " " + getNSStringWithID(kNotPrintedLabel);
    if (!zqJSEController) {
        showAlert("Job controller is missing." + notPrinted);
        return kTicketNotKept;
    }
    zqController& bridge = *zqJSEController;
    bridge.ClearError();
    setJobNameCopyCount();
    bridge.setUserName();
    Trace("no Error");
    if (settings) {
        platform::PMPrintSettingsSetValue(settings, kHalftoneDegreeSetting, platform::FormatInteger(bridge.GetHalftoneAngle()), false);
        platform::PMPrintSettingsSetValue(settings, kHalftoneLpiSetting, platform::FormatInteger(bridge.GetLinePerInch()), false);
    }
    const auto size = bridge.GetJobTicketSize();
    Trace(platform::Format("ticket size: %lld", static_cast<long long>(size)));
    if (size <= 0) {
        showAlert(getNSStringWithID(17280) + "Job ticket size = 0. " + platform::FormatInteger(bridge.GetLastError()) +
                  notPrinted);
        return kTicketNotKept;
    }
    if (const int error = bridge.GetLastError()) {
        showAlert(platform::FormatInteger(error) + notPrinted);
        return kTicketNotKept;
    }
    std::string ticket(static_cast<std::size_t>(size), '\0');
    int error = 0;
    bridge.GetJobTicket(ticket, size, error);
    if (error != 0) {
        showAlert(getNSStringWithID(17280) + "Get Job Ticket: " + platform::FormatInteger(error) + notPrinted);
        return kTicketNotKept;
    }
    const std::string name = TicketName(StoredTicket(ticket));
    platform::PMPrintSettingsSetValue(settings, kTicketNameOption, name, false);
    if (const auto failure = SendCommandJob(platform::PMPrinterGetID(printer), CommandFileContent(ticket), name)) {
        std::string message = getNSStringWithID(kTicketNotKeptLabel);
        if (const std::size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, *failure);
        showAlert(message);
        return kTicketNotKept;
    }
    return 0;
}
