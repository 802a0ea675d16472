// Templates into a running bridge: whatever bytes a template file holds, the
// load ends, the dictionary the panes hold keeps its six groups and can be
// saved as a template again, and the bridge still hands out a ticket unless
// the custom command file the template names is refused.
#include "AlertPanel.h"
#include "PropertyList.h"
#include "SystemLog.h"
#include "fuzz_support.h"
#include "zqController.h"

namespace {

zqController& RunningBridge() {
    static zqController* bridge = [] {
        auto* started = new zqController();
        started->SetJobTicketInfoFromApplication("Fuzz", 1, 1);
        started->setBundle(platform::Bundle::Open(LUMAPREX_BUNDLE_DIR));
        return started;
    }();
    return *bridge;
}

bool CommandFileRefused(int error) { return error >= kCustomFileUnreadable && error <= kCustomFileCannotOpen; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::LogRecorder quiet;
    platform::AlertRecorder alerts;
    zqController& bridge = RunningBridge();
    fuzz::Folder::Instance().Write("template.plist", data, size);
    bridge.LoadSettings(fuzz::Folder::Instance().Path("template.plist"));
    FUZZ_CHECK(alerts.alerts().size() == 1, "every load ends with one alert");
    const platform::Dictionary& dictionary = bridge.jobFeatureDictionary();
    for (const char* group : {"jobSetup", "finisher", "custom", "image", "notification", "Substitution"})
        FUZZ_CHECK(dictionary[group].isDictionary(), "the dictionary keeps its six groups");
    FUZZ_CHECK(platform::PropertyListText(dictionary).has_value(), "the dictionary can be saved as a template");
    FUZZ_CHECK(bridge.GetJobTicketSize() > 0 || CommandFileRefused(bridge.GetLastError()),
               "a ticket is handed out unless the command file is refused");
    return 0;
}
