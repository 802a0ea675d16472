// The print dialog's side of the extension interface: the calls on a pane in
// the dialog's order, the printing services the pane reads and writes, and
// loading an extension module.
#include <gtest/gtest.h>

#include "PrintDialogExtension.h"

using namespace platform;

namespace {

std::vector<std::string>& PaneCalls() {
    static std::vector<std::string> calls;
    return calls;
}

// A pane that notes each call and refuses the first print.
class RecordingPane : public PDEPanel {
public:
    ~RecordingPane() override { PaneCalls().push_back("destroyed"); }
    View* panelView() override { return &m_view; }
    std::optional<std::string> panelName() override { return "Recording"; }
    std::string panelKind() override { return "test"; }
    std::vector<std::string> supportedPPDOptionKeys() override { return {}; }
    void willShow() override { PaneCalls().push_back("willShow"); }
    bool shouldHide() override {
        PaneCalls().push_back("shouldHide");
        return true;
    }
    bool saveValuesAndReturnError(std::string*) override { return true; }
    bool restoreValuesAndReturnError(std::string*) override { return true; }
    void PPDOptionKeyValueDidChange(std::string_view, std::string_view) override {}
    Dictionary summaryInfo() override { return {}; }
    bool shouldPrint() override {
        PaneCalls().push_back("shouldPrint");
        return ++m_prints > 1;
    }
    bool shouldShowHelp() override { return true; }

private:
    View m_view;
    int m_prints = 0;
};

class RecordingPlugIn : public PDEPlugIn {
public:
    bool initWithBundle(const Bundle&) override { return true; }
    PDEPanelList PDEPanelsForType(std::string_view type, PDEPluginCallback* host) override {
        PaneCalls().push_back("panes for " + std::string(type == kPrintDialogPaneType ? "the dialog" : "another type"));
        EXPECT_TRUE(host && host->printSettings());
        if (type != kPrintDialogPaneType) return std::nullopt;
        std::vector<std::unique_ptr<PDEPanel>> panes;
        panes.push_back(std::make_unique<RecordingPane>());
        return panes;
    }
};

TEST(PrintDialogHost, DialogCallsThePaneInItsOrderAndPrintsOnlyWhenThePaneAgrees) {
    RecordingPlugIn plugIn;
    PrintDialogHost host;
    PaneCalls().clear();
    {
        PrintDialog other(plugIn, host);
        EXPECT_FALSE(other.show("another"));
        PrintDialog dialog(plugIn, host);
        ASSERT_TRUE(dialog.show(kPrintDialogPaneType));
        EXPECT_FALSE(dialog.print());
        EXPECT_TRUE(dialog.print());
        EXPECT_EQ(dialog.pane(), nullptr);
        EXPECT_EQ(dialog.calls(), (std::vector<std::string>{"PDEPanelsForType", "panelView", "willShow", "shouldPrint",
                                                            "shouldPrint", "shouldHide", "release"}));
    }
    EXPECT_EQ(PaneCalls(), (std::vector<std::string>{"panes for another type", "panes for the dialog", "willShow",
                                                     "shouldPrint", "shouldPrint", "shouldHide", "destroyed"}));
}

TEST(PrintDialogHost, PrintingServicesKeepLockedValuesAndOfferThePPDAsTheHostSays) {
    PrintDialogHost host;
    Value value;
    EXPECT_EQ(PMPrintSettingsGetValue(host.printSettings(), "key", &value), kPrintingNoValue);
    EXPECT_EQ(PMPrintSettingsSetValue(host.printSettings(), "key", "45", true), kPrintingNoError);
    EXPECT_EQ(PMPrintSettingsSetValue(host.printSettings(), "key", "60", false), kPrintingLocked);
    EXPECT_EQ(PMPrintSettingsGetValue(host.printSettings(), "key", &value), kPrintingNoError);
    EXPECT_EQ(value, Value("45"));
    PMOrientation orientation;
    EXPECT_EQ(PMGetOrientation(host.pageFormat(), &orientation), kPrintingNoValue);
    EXPECT_EQ(host.ppdFile(), nullptr);

    host.session->ppd = OpenPPDFile(LUMAPREX_SOURCE_DIR "/ppd/Lumaprex.ppd");
    ASSERT_NE(host.ppdFile(), nullptr);
    EXPECT_STREQ(host.ppdFile()->nickname, "Varneth Lumaprex");
    host.offersPPD = false;
    EXPECT_EQ(host.ppdFile(), nullptr);
    EXPECT_NE(GetPPDRefFromSession(host.printSession()), nullptr) << "the session still has it";
    EXPECT_FALSE(OpenPPDFile(LUMAPREX_SOURCE_DIR "/README.md"));

    host.settings.reset();
    host.format.reset();
    EXPECT_EQ(PMPrintSettingsGetValue(host.printSettings(), "key", &value), kPrintingNoObject);
    EXPECT_EQ(PMGetOrientation(host.pageFormat(), &orientation), kPrintingNoObject);
}

TEST(PrintDialogHost, ModulesThatCannotServeAreRefusedWithTheReason) {
    std::string reason;
    EXPECT_FALSE(PlugInModule::Load("/nonexistent/Module.so", &reason));
    EXPECT_NE(reason.find("/nonexistent/Module.so"), std::string::npos) << reason;
    EXPECT_FALSE(PlugInModule::Load("libm.so.6", &reason));
    EXPECT_EQ(reason, "libm.so.6 has no entry PDEPlugInCreate");
}

}  // namespace
