// Objects for the interface-file and user-driver tests: an owner and a pane
// whose outlets, actions, delegates and data source are bound by the sample
// interface file, each noting what reaches it in one shared list of events.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "AlertPanel.h"
#include "Bundle.h"
#include "Controls.h"
#include "InterfaceFile.h"

namespace interface_test {

inline const std::string kBundleDir = LUMAPREX_TEST_DATA "/interface/Sample.bundle";

inline std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

class TestHelper : public platform::InterfaceObject {
public:
    void awakeFromNib() override { Events().push_back("awake helper"); }
};

class TestPane : public platform::InterfaceObject,
                 public platform::TextFieldDelegate,
                 public platform::TableDataSource,
                 public platform::TableDelegate {
public:
    platform::Button* check = nullptr;
    platform::TextField* field = nullptr;
    platform::Stepper* stepper = nullptr;
    platform::Matrix* matrix = nullptr;
    platform::TextField* caption = nullptr;
    platform::TableView* table = nullptr;
    platform::ComboBox* combo = nullptr;
    platform::TextView* text = nullptr;
    platform::View* spare = nullptr;
    TestHelper* helper = nullptr;
    std::vector<std::vector<std::string>> rows = {{"Letter", "8.5x11"}, {"A4", "210x297"}, {"Locked", "-"}};

    TestPane() {
        declareOutlet("check", check);
        declareOutlet("field", field);
        declareOutlet("stepper", stepper);
        declareOutlet("matrix", matrix);
        declareOutlet("caption", caption);
        declareOutlet("table", table);
        declareOutlet("combo", combo);
        declareOutlet("text", text);
        declareOutlet("spare", spare);
        declareOutlet("helper", helper);
        declareAction("selectCheck:", &TestPane::selectCheck);
        declareAction("selectStep:", &TestPane::selectStep);
        declareAction("selectMatrix:", &TestPane::selectMatrix);
        declareAction("selectCombo:", &TestPane::selectCombo);
    }

    void awakeFromNib() override {
        Events().push_back("awake pane");
        table->reloadData();
    }
    void selectCheck(platform::Control& sender) { Events().push_back("check " + sender.stringValue()); }
    void selectStep(platform::Control& sender) { Events().push_back("step " + sender.stringValue()); }
    void selectMatrix(platform::Control& sender) { Events().push_back("matrix " + sender.stringValue()); }
    void selectCombo(platform::Control& sender) { Events().push_back("combo " + sender.stringValue()); }

    // Digits only: a refused character is cut off with a beep.
    void controlTextDidChange(platform::TextField& sender) override {
        std::string digits;
        for (char c : sender.stringValue()) {
            if (c >= '0' && c <= '9') digits += c;
            else platform::Beep();
        }
        sender.setStringValue(digits);
        Events().push_back("changed " + digits);
    }
    // An empty field keeps the user in it.
    bool controlTextShouldEndEditing(platform::TextField& sender) override {
        return !sender.stringValue().empty();
    }
    void controlTextDidEndEditing(platform::TextField& sender) override {
        Events().push_back("ended " + sender.stringValue());
    }

    int numberOfRowsInTableView(platform::TableView&) override { return static_cast<int>(rows.size()); }
    std::string objectValueForTableColumn(platform::TableView&, const platform::TableColumn& column, int row) override {
        return rows.at(static_cast<std::size_t>(row)).at(column.identifier == "0" ? 0 : 1);
    }
    // The row named "Locked" cannot be clicked.
    bool tableViewShouldSelectRow(platform::TableView&, int row) override {
        Events().push_back("should select " + std::to_string(row));
        return rows.at(static_cast<std::size_t>(row))[0] != "Locked";
    }
    void tableViewSelectionDidChange(platform::TableView& sender) override {
        Events().push_back("selected " + std::to_string(sender.selectedRow()));
    }
};

class TestOwner : public platform::InterfaceObject {
public:
    platform::View* root = nullptr;
    platform::TabView* tabs = nullptr;
    platform::Button* tabButton = nullptr;
    TestPane* pane = nullptr;

    TestOwner() {
        declareOutlet("root", root);
        declareOutlet("tabs", tabs);
        declareOutlet("tabButton", tabButton);
        declareOutlet("pane", pane);
        declareAction("selectSecond:", &TestOwner::selectSecond);
    }
    void awakeFromNib() override { Events().push_back("awake owner"); }
    void selectSecond(platform::Control&) { tabs->selectTabViewItemAtIndex(1); }
};

inline std::unique_ptr<platform::InterfaceObject> MakeTestObject(std::string_view className) {
    if (className == "TestPane") return std::make_unique<TestPane>();
    if (className == "TestHelper") return std::make_unique<TestHelper>();
    return nullptr;
}

// The sample file loaded with a fresh owner.
struct LoadedSample {
    TestOwner owner;
    platform::InterfaceLoad load;

    LoadedSample() {
        Events().clear();
        load = platform::LoadInterfaceFile(platform::Bundle::Open(kBundleDir), "Sample", owner, MakeTestObject);
    }
};

}  // namespace interface_test
