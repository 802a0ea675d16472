// The main pane: the pane protocol, each showing's bridge, the tab bar, the
// application's job values and the ready-to-print gate.
#include "LumaprexPDE.h"

#include <algorithm>
#include <cstdio>

#include "AlertPanel.h"
#include "AppleHelp.h"
#include "CommandJob.h"
#include "Gestalt.h"
#include "LabelLookup.h"
#include "LumaprexPDEPlugIn.h"
#include "OptionPane.h"
#include "PaneClasses.h"
#include "SchedulerConnection.h"
#include "SystemLog.h"
#include "zqController.h"

const LumaprexPDE::TabButton LumaprexPDE::kTabBar[7] = {
    {0, &LumaprexPDE::jobsetupButton, "jobsetup2.icns", "jobsetup1.icns", 13002},
    {1, &LumaprexPDE::finisherButton, "finishing2.icns", "finishing1.icns", 13112},
    {2, &LumaprexPDE::pagefeatureButton, "pefeature2.icns", "pefeature1.icns", 13061},
    {3, &LumaprexPDE::notificationButtom, "notification2.icns", "notification1.icns", 13003},
    {4, &LumaprexPDE::customoptionButton, "custom2.icns", "custom1.icns", 13004},
    {5, &LumaprexPDE::imageoptionButton, "image2.icns", "image1.icns", 13120},
    {6, &LumaprexPDE::summaryButton, "summary2.icns", "summary1.icns", -2011},
};

const LumaprexPDE::TabButton& LumaprexPDE::TabRow(int tab) { return kTabBar[tab]; }

LumaprexPDE::LumaprexPDE(platform::PDEPluginCallback* callback) : pdePluginCallbackObject(callback) {
    Trace("init with callback");
    setDefaults();
    readToPrint = "1";
    declareOutlet("zqPDEView", zqPDEView);
    declareOutlet("zqTabView", zqTabView);
    declareOutlet("jobsetupButton", jobsetupButton);
    declareOutlet("finisherButton", finisherButton);
    declareOutlet("pagefeatureButton", pagefeatureButton);
    declareOutlet("imageoptionButton", imageoptionButton);
    declareOutlet("notificationButtom", notificationButtom);
    declareOutlet("customoptionButton", customoptionButton);
    declareOutlet("punchButton", punchButton);
    declareOutlet("summaryButton", summaryButton);
    declareOutlet("catalogButton", catalogButton);
    declareAction("selectJobsetup:", &LumaprexPDE::selectJobsetup);
    declareAction("selectFinisher:", &LumaprexPDE::selectFinisher);
    declareAction("selectPageFeature:", &LumaprexPDE::selectPageFeature);
    declareAction("selectNotification:", &LumaprexPDE::selectNotification);
    declareAction("selectCustomOption:", &LumaprexPDE::selectCustomOption);
    declareAction("selectImageOption:", &LumaprexPDE::selectImageOption);
    declareAction("selectSummary:", &LumaprexPDE::selectSummary);
    const std::int32_t help = PluginBundle() ? platform::AHRegisterHelpBook(PluginBundle().path()) : platform::kHelpNoBook;
    if (help != 0) {
        platform::ConsoleLog(platform::Format("Lumaprex PDE got an error %d registering its help book!", help));
    }
}

LumaprexPDE::~LumaprexPDE() { terminate(); }

// Pane protocol -------------------------------------------------------------

platform::View* LumaprexPDE::panelView() {
    if (zqPDEView) return zqPDEView;
    platform::InterfaceLoad load = platform::LoadInterfaceFile(PluginBundle(), kInterfaceFileName, *this, MakePaneController);
    if (!load.interface) {
        platform::ConsoleLog("Lumaprex PDE cannot load its interface: " + load.reason);
        return nullptr;
    }
    m_interface = std::move(load.interface);
    registerReadyToPrint();
    registerAboutSelection();
    registerLicenseSelection();
    return zqPDEView;
}

std::optional<std::string> LumaprexPDE::panelName() {
    if (!thePDEName) {
        const platform::Dictionary info = PluginBundle().localizedInfoDictionary();
        if (const platform::Value* name = info.find("OptionName"); name && name->kind() == platform::Value::Kind::String) {
            thePDEName = name->text();
        }
    }
    return thePDEName;
}

void LumaprexPDE::willShow() {
    if (!PluginBundle()) return;
    releaseBridge();
    zqJSEController = newBridge();
    setJobNameCopyCount();
    zqJSEController->setBundle(PluginBundle());
    tellWhenRulesCannotBeRead();
    setupToolTips();
    showTab(TabRow(0));
}

// Once for the pane, at the first showing whose engine met a damaged rule
// file; the console log names the file and its fault.
void LumaprexPDE::tellWhenRulesCannotBeRead() {
    if (m_toldRulesCannotBeRead || !zqJSEController->RuleFileDamaged()) return;
    m_toldRulesCannotBeRead = true;
    showAlert(getNSStringWithID(kRulesCannotBeReadLabel));
}

std::unique_ptr<zqController> LumaprexPDE::newBridge() { return std::make_unique<zqController>(); }

void LumaprexPDE::releaseBridge() {
    if (!zqJSEController) return;
    zqJSEController->withdrawAnnouncements();
    zqJSEController.reset();
}

bool LumaprexPDE::saveValuesAndReturnError(std::string*) {
    Trace("saveValuesAndReturnError");
    std::int32_t version = 0;
    if (platform::Gestalt(platform::kGestaltSystemVersion, &version) == platform::kGestaltNoError && version >= 0x1050) {
        return true;
    }
    bool print = true;
    if (readToPrint) {
        Trace("ready to print");
        if (platform::ReadInt(*readToPrint) == 1) {
            Trace("got to create print job ticket");
            print = createJobTicket() != kTicketNotKept;
        }
    }
    readToPrint = "1";
    return print;
}

void LumaprexPDE::PPDOptionKeyValueDidChange(std::string_view key, std::string_view choice) {
    if (key == "OutputBin") outputBin = findPPDIndexOfChoice(std::string(choice).c_str());
}

platform::Dictionary LumaprexPDE::summaryInfo() {
    std::fputs("summaryInfo \n", stdout);
    return {};
}

bool LumaprexPDE::shouldPrint() {
    Trace("should print");
    if (!readToPrint) return false;
    Trace("ready to print");
    bool print = false;
    if (platform::ReadInt(*readToPrint) == 1 && PluginBundle()) {
        if (!zqJSEController) {
            zqJSEController = newBridge();
            zqJSEController->setBundle(PluginBundle());
        }
        Trace("got to create print job ticket");
        print = createJobTicket() != kTicketNotKept;
    }
    readToPrint = "1";
    return print;
}

bool LumaprexPDE::shouldShowHelp() {
    const std::string book = PluginBundle().localizedInfoDictionary()["CFBundleHelpBookName"].text();
    if (book.empty()) return true;
    return platform::AHGotoPage(book, {}, {}) != platform::kHelpNoError;
}

// The PPD's output bin ---------------------------------------------------------

ppd_file_t* LumaprexPDE::getPPD() {
    if (!pdePluginCallbackObject) return nullptr;
    if (ppd_file_t* ppd = pdePluginCallbackObject->ppdFile()) return ppd;
    return platform::GetPPDRefFromSession(pdePluginCallbackObject->printSession());
}

int LumaprexPDE::findPPDIndexOfChoice(const char* choice) {
    ppd_file_t* ppd = getPPD();
    ppd_option_t* option = ppd ? ppdFindOption(ppd, "OutputBin") : nullptr;
    if (!option || !choice) return 0;
    for (int index = 0; index < option->num_choices; ++index) {
        if (std::string_view(option->choices[index].choice) == choice) return index;
    }
    return 0;
}

void LumaprexPDE::setDefaults() {
    outputBin = 0;
    ppd_file_t* ppd = getPPD();
    if (ppd_option_t* option = ppd ? ppdFindOption(ppd, "OutputBin") : nullptr) {
        outputBin = findPPDIndexOfChoice(option->defchoice);
    }
}

// The application's job values ---------------------------------------------

void LumaprexPDE::setJobNameCopyCount() {
    int copies = 1;
    int orientation = 2;
    std::string jobName = getNSStringWithID(10106);
    if (platform::PrintSettings* settings = pdePluginCallbackObject ? pdePluginCallbackObject->printSettings() : nullptr) {
        // Copies run from 1 to the ceiling; a count the settings cannot give is 1.
        platform::Value value;
        if (platform::PMPrintSettingsGetValue(settings, kCopiesSetting, &value) == platform::kPrintingNoError) {
            copies = static_cast<int>(std::clamp<std::int64_t>(value.integerValue(), 1, kMaxCopies));
        }
        std::string name;
        // The title the printer receives: the job's name as the scheduler keeps it.
        if (platform::PMPrintSettingsGetJobName(settings, &name) == platform::kPrintingNoError) jobName = SchedulerJobName(name);
        platform::PMOrientation pageOrientation;
        platform::PageFormat* format = pdePluginCallbackObject->pageFormat();
        if (format && platform::PMGetOrientation(format, &pageOrientation) == platform::kPrintingNoError) {
            switch (pageOrientation) {
                case platform::PMOrientation::Landscape: orientation = 2; break;
                case platform::PMOrientation::ReversePortrait: orientation = 4; break;
                case platform::PMOrientation::ReverseLandscape: orientation = 3; break;
                default: orientation = 1; break;
            }
        }
    }
    if (zqJSEController) zqJSEController->SetJobTicketInfoFromApplication(jobName, copies, orientation);
}

// The tab bar ------------------------------------------------------------------

void LumaprexPDE::selectJobsetup(platform::Control&) { showTab(TabRow(0)); }
void LumaprexPDE::selectFinisher(platform::Control&) { showTab(TabRow(1)); }
void LumaprexPDE::selectPageFeature(platform::Control&) { showTab(TabRow(2)); }
void LumaprexPDE::selectNotification(platform::Control&) { showTab(TabRow(3)); }
void LumaprexPDE::selectCustomOption(platform::Control&) { showTab(TabRow(4)); }
void LumaprexPDE::selectImageOption(platform::Control&) { showTab(TabRow(5)); }

void LumaprexPDE::selectSummary(platform::Control&) {
    showTab(TabRow(6));
    platform::NotificationCenter::Default().post("templateController::updateList");
}

void LumaprexPDE::showTab(const TabButton& row) {
    resetButtonButOne();
    selectThisButton(this->*row.button, row.selectedImage);
    lastSelectedName = row.normalImage;
    if (zqTabView) zqTabView->selectTabViewItemAtIndex(row.tab);
}

void LumaprexPDE::resetButtonButOne() {
    if (lastSelected && lastSelectedName) selectThisButton(lastSelected, lastSelectedName);
}

void LumaprexPDE::selectThisButton(platform::Button* button, std::string_view name) {
    if (!PluginBundle()) return;
    lastSelected = button;
    const std::filesystem::path path = PluginBundle().pathForResource(name);
    if (path.empty() || !button) return;
    if (std::optional<platform::Image> image = platform::Image::FromFile(path)) button->setImage(std::move(image));
}

void LumaprexPDE::setupToolTips() {
    for (const TabButton& row : kTabBar) {
        if (platform::Button* button = this->*row.button) button->setToolTip(getNSStringWithID(row.toolTip));
    }
    if (punchButton) punchButton->setToolTip(getNSStringWithID(13147));
    if (catalogButton) catalogButton->setToolTip(getNSStringWithID(10172));
}

// Observers ------------------------------------------------------------------

void LumaprexPDE::registerReadyToPrint() {
    m_observation.observe(kReadyToPrintNotification, [this](const auto& note) { listenReadyToPrint(note); });
}

void LumaprexPDE::listenReadyToPrint(const platform::Notification& notification) { readToPrint = notification.object.text(); }

void LumaprexPDE::registerAboutSelection() {
    m_observation.observe("mainController::selectAbout", [this](const auto& note) { listenAboutSelection(note); });
}

void LumaprexPDE::listenAboutSelection(const platform::Notification&) {
    if (zqTabView) zqTabView->selectTabViewItemAtIndex(7);
}

void LumaprexPDE::registerLicenseSelection() {
    m_observation.observe("mainController::selectLicense", [this](const auto& note) { listenLicenseSelection(note); });
}

void LumaprexPDE::listenLicenseSelection(const platform::Notification&) {
    if (zqTabView) zqTabView->selectTabViewItemAtIndex(8);
}

// Labels, alerts and the end ---------------------------------------------------

std::string LumaprexPDE::getNSStringWithID(int id) const { return ::getNSStringWithID(PluginBundle(), id, kMainPaneLabels); }

void LumaprexPDE::showAlert(const std::string& message) const { platform::ShowAlert(message, getNSStringWithID(10001)); }

void LumaprexPDE::terminate() {
    if (m_terminated) return;
    m_terminated = true;
    for (const char* name : {"peController::termination", "imageController::termination", "finishingController::termination",
                             "notificationController::termination", "jobSetupController::termination"}) {
        platform::NotificationCenter::Default().post(name);
    }
    m_observation.stopObservingAll();
    readToPrint.reset();
    releaseBridge();
    pdePluginCallbackObject = nullptr;
    PluginBundle() = {};
}
