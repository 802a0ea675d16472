// The page-exception tab of a shown main pane on the shipped data, worked
// by a user step by step, each step written down as what it left: its new
// alerts, what the test shows of the tab, the pane's "Substitution" group
// of the dictionary and the posts that follow page exceptions. Shared by
// the tests of the tab's groups.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "JSE_Records.h"
#include "controller_support.h"
#include "pde_test_support.h"
#include "peController/PeTableRows.h"

namespace pe_walk {

inline std::string TestData(const std::string& name) {
    return filter_test::readFile(LUMAPREX_TEST_DATA "/pde/" + name);
}

// The group as lines: the sets, then each feature's keys in their order.
inline std::string GroupText(const platform::Dictionary& group) {
    std::string text = "  sets";
    for (const platform::Value& set : group["pageSets"].array())
        text += " " + set["startPage"].text() + ".." + set["endPage"].text();
    for (const platform::Value& feature : group["pageFeatures"].array()) {
        text += "\n  feature";
        for (const auto& [key, value] : feature.dictionary()) text += " " + key + "=" + value.text();
    }
    return text + "\n";
}

// The collection as "pages:code=value,..." per page entry.
inline std::string Collection(const zqController& bridge) {
    std::string text;
    for (const PageEntry& entry : ReadPageEntries(&bridge).pages) {
        text += " " + PagesCell(entry.pages) + ":";
        for (const PageFeature& f : entry.features) text += platform::Format("%d=%d,", f.code, f.value);
    }
    return text;
}

// One step: the user's commands, code run before them, and whether the
// transcript shows the tab as drawn after them.
struct Step {
    std::string commands;
    std::function<void()> code = {};
    bool draw = false;
};

class PageExceptionWalkTest : public pde_test::PageExceptionTabTest {
protected:
    zqController& bridge() { return *pe->bridge(); }
    std::string handOut() {
        std::string ticket;
        int error = 0;
        bridge().GetJobTicket(ticket, bridge().GetJobTicketSize(), error);
        return ticket;
    }
    // What a step shows of the tab, as indented lines.
    virtual std::string shown(const Step& step) = 0;
    std::string walk(const std::vector<Step>& steps) {
        std::string transcript;
        for (const Step& step : steps) {
            SCOPED_TRACE(step.commands);
            pde_test::NotificationSequence posts({kTemplateSettingsNotification, "finishingController::exceptionUpdate",
                                                  "peSubstitutionController::updatePeFeature"});
            const std::size_t alertsBefore = alerts.messages().size();
            if (step.code) step.code();
            EXPECT_TRUE(run(step.commands)) << user->lastError();
            transcript += "== " + step.commands + "\n";
            for (std::size_t i = alertsBefore; i < alerts.messages().size(); ++i)
                transcript += "  alert: " + alerts.messages()[i] + "\n";
            transcript += shown(step);
            transcript += GroupText((*pe->jobFeatureDictionary())["Substitution"].dictionary());
            for (const std::string& name : posts.names()) transcript += "  post " + name + "\n";
        }
        return transcript;
    }
};

}  // namespace pe_walk
