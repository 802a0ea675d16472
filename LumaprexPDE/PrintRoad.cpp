// The print road: when the dialog prints, the main pane brings the bridge up
// to date, writes the halftone print settings, takes the finished ticket
// and sends it to the queue as a command job. Failures before sending are
// alerts and the application's job still goes; a command job that did not
// reach the queue or that the queue did not keep is shown too, and then the
// job does not go, since it would print under the ticket of an earlier job.
#include "CommandJob.h"
#include "FoundationValues.h"
#include "LumaprexPDE.h"
#include "SystemLog.h"
#include "zqController.h"

namespace {

constexpr int kTicketNotKeptLabel = 17292;

}  // namespace

int LumaprexPDE::createJobTicket() {
    platform::Printer* printer = pdePluginCallbackObject ? pdePluginCallbackObject->PMPrinter() : nullptr;
    if (!printer) {
        showAlert(platform::Format("No Printer Found error code: %d", 90001));
        return 0;
    }
    if (!zqJSEController) {
        showAlert("Job controller is missing.");
        return 0;
    }
    zqController& bridge = *zqJSEController;
    bridge.ClearError();
    setJobNameCopyCount();
    bridge.setUserName();
    Trace("no Error");
    if (platform::PrintSettings* settings = pdePluginCallbackObject->printSettings()) {
        platform::PMPrintSettingsSetValue(settings, kHalftoneDegreeSetting, platform::FormatInteger(bridge.GetHalftoneAngle()), false);
        platform::PMPrintSettingsSetValue(settings, kHalftoneLpiSetting, platform::FormatInteger(bridge.GetLinePerInch()), false);
    }
    const auto size = bridge.GetJobTicketSize();
    Trace(platform::Format("ticket size: %lld", static_cast<long long>(size)));
    if (size <= 0) {
        showAlert(getNSStringWithID(17280) + "Job ticket size = 0. " + platform::FormatInteger(bridge.GetLastError()));
        return 0;
    }
    if (const int error = bridge.GetLastError()) {
        showAlert(platform::FormatInteger(error));
        return 0;
    }
    std::string ticket(static_cast<std::size_t>(size), '\0');
    int error = 0;
    bridge.GetJobTicket(ticket, size, error);
    if (error != 0) {
        showAlert(getNSStringWithID(17280) + "Get Job Ticket: " + platform::FormatInteger(error));
        return 0;
    }
    if (const auto failure = SendCommandJob(platform::PMPrinterGetID(printer), CommandFileContent(ticket))) {
        std::string message = getNSStringWithID(kTicketNotKeptLabel);
        if (const std::size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, *failure);
        showAlert(message);
        return kTicketNotKept;
    }
    return 0;
}
