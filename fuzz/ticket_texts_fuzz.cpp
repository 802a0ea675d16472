// Texts from outside the dialog's checks into the ticket: the input's first
// byte picks the road (the bridge's setting road with the application's job
// name, or a template), the rest is cut at every 0xFF byte into the texts of
// the ticket's text fields. Whatever the texts hold, the ticket keeps the
// lines and keywords it has with plain texts: a text line may only go (a text
// that is empty in the ticket, or refused), and the ticket ends once, with
// its end of comments.
#include <algorithm>
#include <memory>
#include <vector>

#include "AlertPanel.h"
#include "PropertyList.h"
#include "SystemLog.h"
#include "fuzz_support.h"
#include "ticket_reading.h"
#include "zqController.h"

namespace {

// The text fields: their feature on the setting road, their template group
// and key, and the key of the switch that goes with them.
struct TextField {
    int feature;
    std::int64_t value;
    const char* group;
    const char* key;
    const char* flag;
};

constexpr TextField kFields[] = {
    {kFeatureChargeNumber, 0, "notification", "chargeNumberText", nullptr},
    {kFeatureEMailAddress, 0, "notification", "eMailAddressText", nullptr},
    {kFeatureOperatorMessage, 0, "notification", "operatorMessageText", nullptr},
    {kFeatureDeliverTo, 0, "notification", "deliverToText", nullptr},
    {kFeatureSaveAs, 1, "custom", "saveAsFileNameText", "saveAs"},
    {kFeatureSpecificPrinter, 1, "custom", "specificPrinterNameText", "specificPrinter"},
    {kFeatureCreateTIFF, 1, "custom", "createTIFFPath", "createTIFF"},
    {kFeatureUserName, 0, nullptr, nullptr, nullptr},
};

// The lines that hold a text, and so may go when the text is empty.
constexpr const char* kTextKeywords[] = {"%VLXChargeNumber", "%VLXEmail",        "%VLXPrintMethod",
                                         "%%OperatorMessage", "%%Title",          "%%For",
                                         "%VLXDestination"};

bool IsTextKeyword(const std::string& keyword) {
    return std::find(std::begin(kTextKeywords), std::end(kTextKeywords), keyword) != std::end(kTextKeywords);
}

zqController* StartedBridge() {
    auto* started = new zqController();
    started->SetJobTicketInfoFromApplication("Fuzz", 1, 1);
    started->setBundle(platform::Bundle::Open(LUMAPREX_BUNDLE_DIR));
    return started;
}

zqController& RunningBridge() {
    static zqController* bridge = StartedBridge();
    return *bridge;
}

void GiveOnTheSettingRoad(zqController& bridge, const std::vector<std::string>& texts) {
    bridge.SetJobTicketInfoFromApplication(texts.back(), 1, 1);
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        bridge.HandleJobFeatures(kFields[i].feature, kFields[i].value, texts[i], 0);
}

void GiveInATemplate(zqController& bridge, const std::vector<std::string>& texts) {
    static const platform::Dictionary factory = [] {
        const std::unique_ptr<zqController> fresh(StartedBridge());
        return fresh->jobFeatureDictionary().copy();
    }();
    platform::Dictionary file = factory.copy();
    for (const char* group : {"notification", "custom"}) file.set(group, factory[group].dictionary().copy());
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        if (!kFields[i].group) continue;
        platform::Dictionary group = file[kFields[i].group].dictionary();
        group.set(kFields[i].key, texts[i]);
        if (kFields[i].flag) group.set(kFields[i].flag, "1");
    }
    const fuzz::Folder& folder = fuzz::Folder::Instance();
    if (!platform::WritePropertyListFile(folder.Path("template.plist"), file)) return;
    bridge.LoadSettings(folder.Path("template.plist"));
}

std::string HandOut(zqController& bridge) {
    std::string ticket;
    int error = 0;
    bridge.GetJobTicket(ticket, bridge.GetJobTicketSize(), error);
    return ticket;
}

// True when the lines keep the reference's keywords in its order, save text
// lines that went.
bool KeepsTheLines(const std::vector<std::string>& lines, const std::vector<std::string>& reference) {
    std::size_t at = 0;
    for (const std::string& keyword : lines) {
        while (at < reference.size() && reference[at] != keyword && IsTextKeyword(reference[at])) ++at;
        if (at == reference.size() || reference[at] != keyword) return false;
        ++at;
    }
    return std::all_of(reference.begin() + static_cast<long>(at), reference.end(), IsTextKeyword);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    platform::LogRecorder quiet;
    platform::AlertRecorder alerts;
    const bool templated = data[0] & 1;
    std::vector<std::string> texts(std::size(kFields) + 1, "x");
    std::size_t field = 0;
    for (std::size_t at = 1, start = 1; at <= size && field < texts.size(); ++at) {
        if (at < size && data[at] != 0xFF) continue;
        texts[field++].assign(reinterpret_cast<const char*>(data + start), at - start);
        start = at + 1;
    }
    zqController& bridge = RunningBridge();
    const auto give = templated ? GiveInATemplate : GiveOnTheSettingRoad;
    give(bridge, std::vector<std::string>(texts.size(), "x"));
    const std::vector<std::string> reference = TicketKeywords(HandOut(bridge));
    give(bridge, texts);
    const std::string ticket = HandOut(bridge);
    FUZZ_CHECK(KeepsTheLines(TicketKeywords(ticket), reference), "the texts add no line and change no keyword");
    const std::string end = "\r\n%%EndComments\r";
    FUZZ_CHECK(ticket.size() > end.size() && ticket.compare(ticket.size() - end.size(), end.size(), end) == 0,
               "the ticket ends with its end of comments");
    return 0;
}
