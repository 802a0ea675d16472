// The main pane: what the print dialog shows of the extension. It owns the
// controller bridge of each showing (a new one, with a fresh engine, every
// time the pane shows), carries the application's job name, copies and
// orientation into it, switches the nine tabs of the option panes with its
// bar of icon buttons, keeps the ready-to-print gate, and, when the dialog
// prints, sends the job ticket to the printer's queue as a command job
// (createJobTicket, in PrintRoad.cpp).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Controls.h"
#include "InterfaceFile.h"
#include "NotificationCenter.h"
#include "PrintDialogExtension.h"

class zqController;

inline constexpr char kPaneKind[] = "com.varneth.pzf.lumaprexKind";
inline constexpr char kInterfaceFileName[] = "PDE";
inline constexpr char kCopiesSetting[] = "com.apple.print.PrintSettings.PMCopies";
inline constexpr int kMaxCopies = 99999;
// The alert that the job's rules could not be read.
inline constexpr int kRulesCannotBeReadLabel = 17284;

class LumaprexPDE : public platform::PDEPanel, public platform::InterfaceObject {
public:
    // initWithCallback: the pane of the dialog's host callback object.
    explicit LumaprexPDE(platform::PDEPluginCallback* callback);
    // dealloc: terminate.
    ~LumaprexPDE() override;

    // The pane protocol.
    platform::View* panelView() override;
    std::optional<std::string> panelName() override;
    std::string panelKind() override { return kPaneKind; }
    std::vector<std::string> supportedPPDOptionKeys() override { return {"OutputBin"}; }
    void willShow() override;
    bool shouldHide() override { return true; }
    // On systems before 10.5, where saving starts the print road: false when
    // this print's ticket did not reach the queue, as shouldPrint answers.
    bool saveValuesAndReturnError(std::string* error) override;
    bool restoreValuesAndReturnError(std::string*) override { return true; }
    void PPDOptionKeyValueDidChange(std::string_view key, std::string_view choice) override;
    platform::Dictionary summaryInfo() override;
    bool shouldPrint() override;
    bool shouldShowHelp() override;

    // The tab bar's actions.
    void selectJobsetup(platform::Control& sender);
    void selectFinisher(platform::Control& sender);
    void selectPageFeature(platform::Control& sender);
    void selectNotification(platform::Control& sender);
    void selectCustomOption(platform::Control& sender);
    void selectImageOption(platform::Control& sender);
    void selectSummary(platform::Control& sender);

    // The print road: sends the job ticket to the queue as a command job.
    // A failure ends in an alert or a log line. 0, or kTicketNotKept when
    // this print's ticket did not reach the queue (none was made, or the
    // queue did not get or keep it): the application's job is then not to
    // print.
    static constexpr int kTicketNotKept = 1;
    int createJobTicket();

    // What tests look at.
    zqController* bridge() const { return zqJSEController.get(); }
    const std::optional<std::string>& readyToPrintGate() const { return readToPrint; }
    int outputBinIndex() const { return outputBin; }
    platform::TabView* tabView() const { return zqTabView; }
    const platform::LoadedInterface* loadedInterface() const { return m_interface.get(); }

protected:
    // A new bridge for a showing or a print (tests give one they can look
    // into or one whose engine fails).
    virtual std::unique_ptr<zqController> newBridge();

private:
    // One row of the tab bar: the tab, its button, its two images and its
    // tool tip.
    struct TabButton {
        int tab;
        platform::Button* LumaprexPDE::*button;
        const char* selectedImage;
        const char* normalImage;
        int toolTip;
    };
    static const TabButton kTabBar[7];
    static const TabButton& TabRow(int tab);

    // Lets the bridge go, the panes told first that they have none.
    void releaseBridge();
    void setDefaults();
    int findPPDIndexOfChoice(const char* choice);
    ppd_file_t* getPPD();
    void showTab(const TabButton& row);
    void resetButtonButOne();
    void selectThisButton(platform::Button* button, std::string_view name);
    void setupToolTips();
    void setJobNameCopyCount();
    void tellWhenRulesCannotBeRead();
    void terminate();
    std::string getNSStringWithID(int id) const;
    void showAlert(const std::string& message) const;

    void registerReadyToPrint();
    void listenReadyToPrint(const platform::Notification& notification);
    void registerAboutSelection();
    void listenAboutSelection(const platform::Notification& notification);
    void registerLicenseSelection();
    void listenLicenseSelection(const platform::Notification& notification);

    platform::PDEPluginCallback* pdePluginCallbackObject;
    std::optional<std::string> thePDEName;
    platform::View* zqPDEView = nullptr;
    platform::TabView* zqTabView = nullptr;
    platform::Button* jobsetupButton = nullptr;
    platform::Button* finisherButton = nullptr;
    platform::Button* pagefeatureButton = nullptr;
    platform::Button* imageoptionButton = nullptr;
    platform::Button* notificationButtom = nullptr;
    platform::Button* customoptionButton = nullptr;
    platform::Button* punchButton = nullptr;
    platform::Button* summaryButton = nullptr;
    platform::Button* catalogButton = nullptr;
    int outputBin = 0;
    platform::Button* lastSelected = nullptr;
    const char* lastSelectedName = nullptr;
    std::optional<std::string> readToPrint;
    std::unique_ptr<zqController> zqJSEController;
    std::unique_ptr<platform::LoadedInterface> m_interface;
    bool m_terminated = false;
    bool m_toldRulesCannotBeRead = false;
    platform::Observation m_observation{this};
};
