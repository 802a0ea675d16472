// The paper table the panes fill their paper lists from: one record of texts
// per catalog paper, keyed so that the keys sort in catalog order, with the
// column widths the panes size their tables by; and the load of a catalog
// the user picks.
#include "Font.h"
#include "SystemLog.h"
#include "zqController.h"

namespace {

// Keys of one table have the same length: 100 + i, 1000 + i or 10000 + i.
int RowKeyBase(int papers) {
    if (papers < 100) return 100;
    if (papers < 1000) return 1000;
    return 10000;
}

void Widen(int& width, std::string_view text) { width = zqController::getMaxStringWidth(text, width); }

}  // namespace

void zqController::updateCatalog() {
    if (!m_service) return;
    m_paperCatalogDict = platform::Dictionary();
    const int papers = m_service->JSE_Media_GetNumberOfEntry();
    const int base = RowKeyBase(papers);
    WString path;
    m_service->JSE_Media_GetFullPath(path);
    m_fullCatalogPath = getName(path.data(), static_cast<int>(path.size())).value_or("");
    post("jobSetupController::FullCatalogPath", m_fullCatalogPath);
    for (int i = 0; i < papers; ++i) m_paperCatalogDict.set(platform::FormatInteger(base + i), paperRecord(i));
    computeColumnSize();
}

platform::Dictionary zqController::paperRecord(int index) {
    const auto text = [](const WString& wide) { return getName(wide.data(), static_cast<int>(wide.size())).value_or(""); };
    WString name, color, type, widthText, heightText;
    int metric = 0, weight = 0;
    float width = 0, height = 0;
    m_service->JSE_Media_GetName(index, name);
    m_service->JSE_Media_GetColor(index, color);
    m_service->JSE_Media_GetType(index, type);
    m_service->JSE_Media_GetDisplaySize(index, widthText, heightText, metric);
    m_service->JSE_Media_GetPhysicalSize(index, width, height);
    m_service->JSE_Media_GetWeight(index, weight);
    platform::Dictionary record;
    record.set("Name", text(name));
    record.set("Color", text(color));
    record.set("Type", text(type));
    record.set("Unit", platform::FormatInteger(metric));
    record.set("Size", platform::Format("%.2fx%.2f", width, height) + (metric == 1 ? "mm" : "\""));
    record.set("Mode", platform::FormatInteger(m_service->JSE_Media_GetMode(index)));
    record.set("Precollated", platform::FormatInteger(m_service->JSE_Media_GetPrecollated(index)));
    record.set("Punchable", platform::FormatInteger(m_service->JSE_Media_GetPunchable(index)));
    record.set("Weight", platform::FormatInteger(weight));
    record.set("VirtualPaper", "0");
    return record;
}

// Widths only grow, so a later catalog with shorter texts keeps them; the
// precollated and punchable columns hold flags and are not measured.
void zqController::computeColumnSize() {
    for (const auto& [key, row] : m_paperCatalogDict) {
        const platform::Dictionary record = row.dictionary();
        Widen(m_widths.name, record["Name"].text());
        Widen(m_widths.size, record["Size"].text());
        Widen(m_widths.color, record["Color"].text());
        Widen(m_widths.type, record["Type"].text());
        Widen(m_widths.weight, record["Weight"].text());
        Widen(m_widths.mode, record["Mode"].text());
    }
    m_maxColumnDict = platform::Dictionary{
        {"maxName", platform::FormatInteger(m_widths.name)},
        {"maxSize", platform::FormatInteger(m_widths.size)},
        {"maxColor", platform::FormatInteger(m_widths.color)},
        {"maxType", platform::FormatInteger(m_widths.type)},
        {"maxWeight", platform::FormatInteger(m_widths.weight)},
        {"maxMode", platform::FormatInteger(m_widths.mode)},
        {"maxPunch", platform::FormatInteger(m_widths.punchable)},
        {"maxPreCollated", platform::FormatInteger(m_widths.preCollated)},
    };
    post("jobSetupController::columnSizeUpdate", m_maxColumnDict);
    post("notificationController::columnSizeUpdate", m_maxColumnDict);
}

int zqController::getMaxStringWidth(std::string_view text, int reference) {
    const double width = platform::LabelFontSize() * static_cast<double>(platform::Utf16Length(text));
    return width > reference ? 18 + static_cast<int>(width) : reference;
}

// The catalog keeps what it held when the file fails to load (the engine
// restores it), so the panes keep their table; the log names the catalog's
// own reason. A catalog the job's papers cannot follow is taken back. Every
// pane that shows papers gets the new table, and, when papers were
// replaced, the dictionary that names them.
void zqController::listenLoadPaperCatalogNotification(const platform::Notification& notification) {
    if (!started()) return;
    WString path;
    NSStringToWString(notification.object.text(), path);
    JSE_Media::Contents previous = m_service->JSE_Media_KeepContents();
    const JSE_JobFeatureType job = mJobFeature;
    const bool loaded = m_service->JSE_Media_LoadCatalog(path, true);
    const int error = static_cast<int>(m_service->JSE_Media_GetLastError());
    const std::string logLine = platform::Format("com.varneth.pzf.yfo._jseControlle rerror = %d", error);
    platform::ConsoleLog(logLine);
    if (loaded && error != 0)
        platform::ConsoleLog(platform::Format("zqController: papers the catalog could not read were left out (error %d)", error));
    CatalogFollow follow;
    if (!loaded || !followLoadedCatalog(std::move(previous), job, follow)) {
        post("jobSetupController::loadCatalogFailed");
        platform::ConsoleLog(logLine);
        return;
    }
    updateCatalog();
    post("jobSetupController::loadCatalogComplete");
    post("jobSetupController::catalogUpdate", m_paperCatalogDict);
    post("peController::catalogUpdate", m_paperCatalogDict);
    post("notificationController::catalogUpdate", m_paperCatalogDict);
    if (!follow.replaced) return;
    // Page sets live in the dialog only: the rebuilt dictionary keeps those
    // the page pane wrote into it.
    const platform::Value pageSets = m_jobFeatureDict["Substitution"]["pageSets"];
    convertFeaturesToDictionary();
    if (!pageSets.isNone()) m_peFeatureDict.set("pageSets", pageSets);
    postApplySettings({"jobSetupController::applySettings", "notificationController::applySettings",
                       "peSubstitutionController::applySettings", "lumaTemplate::applySettings"});
}
