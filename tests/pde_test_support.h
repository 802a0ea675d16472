// Shared set-up of the dialog extension's tests: the extension's bundle from
// the source tree, a clean process-wide state after each test, notifications
// recorded by name, and a main pane made by the plug-in for a host that
// holds what an application's print dialog would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <cups/cups.h>

#include "AlertPanel.h"
#include "Bundle.h"
#include "LumaprexPDE.h"
#include "LumaprexPDEPlugIn.h"
#include "NotificationCenter.h"
#include "PrintDialogExtension.h"
#include "SystemLog.h"
#include "UserDriver.h"
#include "peController/peController.h"

namespace pde_test {

inline const std::string kBundleDir = LUMAPREX_SOURCE_DIR "/LumaprexPDE/Bundle";
inline const std::string kShippedPpd = LUMAPREX_SOURCE_DIR "/ppd/Lumaprex.ppd";

// The text with the source tree's folder written as "@SOURCE@", so that a
// fixture holds no checkout's own path.
inline std::string WithoutSourceDir(std::string text) {
    const std::string folder = LUMAPREX_SOURCE_DIR;
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
        text.replace(at, folder.size(), "@SOURCE@");
    return text;
}

// The extension's bundle, opened as the print dialog opens it; every bundle
// and the plug-in's bundle forgotten after the test.
class ExtensionTest : public ::testing::Test {
protected:
    void SetUp() override { bundle = platform::Bundle::Open(kBundleDir); }
    void TearDown() override {
        PluginBundle() = {};
        platform::Bundle::ForgetAll();
    }

    platform::Bundle bundle;
};

// The objects of every notification of one name posted while it exists.
class NotificationRecorder {
public:
    explicit NotificationRecorder(std::string name) {
        m_observation.observe(name, [this](const platform::Notification& note) { m_objects.push_back(note.object); });
    }
    const std::vector<platform::Value>& objects() const { return m_objects; }

private:
    std::vector<platform::Value> m_objects;
    platform::Observation m_observation{this};
};

// The names of the notifications posted while it exists, in order, of those
// it is told to follow.
class NotificationSequence {
public:
    explicit NotificationSequence(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            m_observation.observe(name, [this](const platform::Notification& note) { m_names.push_back(note.name); });
        }
    }
    const std::vector<std::string>& names() const { return m_names; }

private:
    std::vector<std::string> m_names;
    platform::Observation m_observation{this};
};

// What an application's dialog holds for a print to the Lumaprex queue.
inline void FillHost(platform::PrintDialogHost& host) {
    host.printer = platform::Printer{"Lumaprex"};
    host.settings->jobName = "Quarterly Report";
    host.settings->values.set("com.apple.print.PrintSettings.PMCopies", 3);
    host.format->orientation = platform::PMOrientation::Landscape;
    host.session->ppd = platform::OpenPPDFile(kShippedPpd);
}

// The main pane as the plug-in makes it for the host.
inline std::unique_ptr<LumaprexPDE> MakeMainPane(const platform::Bundle& bundle, platform::PrintDialogHost& host) {
    LumaprexPDEPlugIn plugIn;
    plugIn.initWithBundle(bundle);
    platform::PDEPanelList panes = plugIn.PDEPanelsForType(platform::kPrintDialogPaneType, &host);
    if (!panes || panes->size() != 1) return nullptr;
    return std::unique_ptr<LumaprexPDE>(static_cast<LumaprexPDE*>(panes->front().release()));
}

// A main pane for a host that holds a print to the Lumaprex queue, with its
// alerts and log lines recorded. There is no scheduler: a print road that
// runs ends at the connection.
class MainPaneTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        FillHost(host);
        cupsSetServer("/nonexistent/cups.sock");
    }
    void TearDown() override {
        pane.reset();
        cupsSetServer(nullptr);
        ExtensionTest::TearDown();
    }
    // A new pane; the one before it goes first, taking the plug-in's
    // bundle with it, which the plug-in is given again.
    template <class Pane = LumaprexPDE>
    Pane& make() {
        pane.reset();
        LumaprexPDEPlugIn().initWithBundle(bundle);
        pane = std::make_unique<Pane>(&host);
        return static_cast<Pane&>(*pane);
    }
    // A new pane as the dialog shows it.
    template <class Pane = LumaprexPDE>
    Pane& show() {
        Pane& shown = make<Pane>();
        EXPECT_NE(shown.panelView(), nullptr);
        shown.willShow();
        return shown;
    }

    platform::PrintDialogHost host;
    std::unique_ptr<LumaprexPDE> pane;
    platform::AlertRecorder alerts;
    platform::LogRecorder log;
};

// The page-exception tab of a shown main pane, worked by a user.
class PageExceptionTabTest : public MainPaneTest {
protected:
    void SetUp() override {
        MainPaneTest::SetUp();
        open();
    }
    // A fresh dialog, showing the tab.
    void open() {
        LumaprexPDE& main = show();
        pe = static_cast<peController*>(main.loadedInterface()->object("peController"));
        user = std::make_unique<platform::UserDriver>(*main.panelView());
        ASSERT_TRUE(user->click("pagefeatureButton"));
    }
    template <class T>
    T& control(const char* outlet) {
        return dynamic_cast<T&>(*pane->panelView()->findView(outlet));
    }
    // Runs the commands, separated by "; ", up to the first that fails.
    bool run(std::string_view commands) {
        for (std::size_t end = 0; !commands.empty(); commands = end == commands.npos ? "" : commands.substr(end + 2)) {
            end = commands.find("; ");
            if (!user->perform(commands.substr(0, end))) return false;
        }
        return true;
    }

    peController* pe = nullptr;
    std::unique_ptr<platform::UserDriver> user;
};

}  // namespace pde_test
