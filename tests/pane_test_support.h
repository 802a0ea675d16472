// Shared set-up of the option-pane tests: the main pane shown with one tab
// chosen, its panes following a bridge whose engine the test can read
// (started on the shipped data, or on rules of the test's own), a user at the
// screen, and the lines of the ticket the bridge hands out.
#pragma once

#include <memory>
#include <string>

#include "OptionPane.h"
#include "UserDriver.h"
#include "controller_support.h"
#include "pde_test_support.h"

namespace pane_test {

inline std::string PaneFixture(const std::string& name) {
    return filter_test::readFile(std::string(LUMAPREX_TEST_DATA) + "/pde/" + name);
}

// A job-feature dictionary of one group, as a template brings it.
inline platform::Dictionary Restored(const char* group, std::initializer_list<platform::Dictionary::Entry> entries) {
    return platform::Dictionary{{group, platform::Dictionary(entries)}};
}

class PaneTest : public pde_test::MainPaneTest {
protected:
    // The main pane on the tab of its tab-bar button, and a bridge of the
    // test's own announced to the panes after the main pane's.
    void showTab(const char* tabButton, const std::string& rules = {}) {
        show();
        user = std::make_unique<platform::UserDriver>(*pane->panelView());
        ASSERT_TRUE(user->click(tabButton)) << user->lastError();
        if (!rules.empty()) data = std::make_unique<controller_test::DataBundle>(rules);
        bridge.start(data ? data->bundle : controller_test::ShippedBundle());
    }
    void TearDown() override {
        pane.reset();  // the panes go before the bridge they follow
        MainPaneTest::TearDown();
    }

    bool perform(const std::string& command) {
        const bool done = user->perform(command);
        EXPECT_TRUE(done) << command << ": " << user->lastError();
        return done;
    }
    template <class View>
    View& view(const char* outlet) {
        return dynamic_cast<View&>(*pane->panelView()->findView(outlet));
    }
    // Text put into a field at once, as a paste does.
    void paste(const char* field, const std::string& text) { view<platform::TextField>(field).userChangedText(text); }
    // The pane's group as the last broadcast gave it; none before any.
    platform::Dictionary broadcastGroup(const char* name) const {
        return broadcasts.objects().empty() ? platform::Dictionary() : broadcasts.objects().back()[name].dictionary();
    }
    // The group of a pane's own dictionary; none before the pane has one.
    platform::Dictionary paneGroup(const char* paneName, const char* group) const {
        const auto* options = dynamic_cast<const OptionPane*>(pane->loadedInterface()->object(paneName));
        if (!options || !options->jobFeatureDictionary()) return {};
        return (*options->jobFeatureDictionary())[group].dictionary();
    }
    // The hand-out's line that starts with the keyword (which may span lines);
    // "" for none.
    std::string ticketLine(const std::string& keyword) {
        const std::string ticket = "\r\n" + controller_test::HandOut(bridge);
        const std::size_t at = ticket.find("\r\n" + keyword);
        if (at == std::string::npos) return {};
        return ticket.substr(at + 2, ticket.find("\r\n", at + 2 + keyword.size()) - at - 2);
    }

    std::unique_ptr<controller_test::DataBundle> data;
    controller_test::Bridge bridge;
    std::unique_ptr<platform::UserDriver> user;
    pde_test::NotificationRecorder broadcasts{"lumaTemplate::applySettings"};
};

}  // namespace pane_test
