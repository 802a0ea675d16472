// The template and summary pane (tab 6), which also serves the about tab
// (7) and the licence-agreement tab (8).
//
// Templates: the user keeps a list of template files while the pane exists
// (never stored), saves the dialog's whole job-feature dictionary as a
// template (an XML property list), applies one, removes paths from the list
// (never the files) and sets every option back to the factory defaults. The
// pane never calls the bridge: it follows the dictionary through
// "lumaTemplate::applySettings" and hands its two requests to the bridge by
// notification, "zqController::LoadSettings" (object: the template's path)
// and "zqController::FactoryReset"; the bridge then sends every pane the new
// dictionary, this one included.
//
// Summary: a read-only two-column list that shows every job setting in
// words, grouped by pane, built from the pane's copy of the dictionary alone
// and rebuilt on every broadcast and each time the main pane shows the
// summary tab ("templateController::updateList").
//
// templateController.cpp holds the life cycle, the template list and the
// tables, templateControllerAbout.cpp the about and licence tabs, and
// templateControllerSummary.cpp the summary list.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Controls.h"
#include "FoundationValues.h"
#include "OptionPane.h"

class templateController : public OptionPane, public platform::TableDataSource, public platform::TableDelegate {
public:
    // The tags by which the pane tells its two tables apart.
    static constexpr int kTemplateListTag = 9002;
    static constexpr int kSummaryListTag = 9004;

    // One row of the summary: the title (column "0") and the value ("1").
    using SummaryRow = std::pair<std::string, std::string>;
    // One row of the punch-pattern table: the pattern's name, its id and
    // whether it is the user's own pattern.
    struct PunchPattern {
        std::string name;
        int id = 0;
        bool custom = false;
    };

    templateController();

    void awakeFromNib() override;

    // The controls' actions (the sender is not read).
    void selectOpenTemplate(platform::Control& sender);
    void selectSaveTemplate(platform::Control& sender);
    void selectApplyTemplate(platform::Control& sender);
    void selectDeleteTemplate(platform::Control& sender);
    void selectDeleteAllTemplate(platform::Control& sender);
    void selectResetFactory(platform::Control& sender);
    void selectAboutButton(platform::Control& sender);
    void selectLicense(platform::Control& sender);

    // Both tables, told apart by their tags.
    int numberOfRowsInTableView(platform::TableView& table) override;
    std::string objectValueForTableColumn(platform::TableView& table, const platform::TableColumn& column,
                                          int row) override;
    // The template list's selection enables the buttons that act on it.
    void tableViewSelectionDidChange(platform::TableView& table) override;

    // What tests look at.
    const std::vector<std::string>& templates() const { return templateList; }
    const std::vector<SummaryRow>& summaryList() const { return _summaryList; }

protected:
    // The summary follows every dictionary the pane receives.
    void applySettings() override { updateSummaryList(); }

private:
    // Template list (templateController.cpp).
    void declareOutletsAndActions();
    void registerUpdateSummaryList();
    void listenForUpdateSummaryList(const platform::Notification& notification);
    // Lists the path once; the list's column grows to the longest path and
    // every row is selected.
    void addTemplateItem(const std::string& path);
    // Writes the dictionary to the path; false, with an alert naming the
    // file, when it cannot be written completely.
    bool saveTemplate(const std::string& path);
    void enableDeleteButtons();
    void enableTemplateButtons(bool apply, bool remove, bool removeAll);
    void reloadTemplateList();
    // The selected row of the template list when it lies within the list;
    // -1 otherwise.
    int selectedTemplate() const;

    // About and licence tabs (templateControllerAbout.cpp).
    void showBuildAndProduct();
    void setTitlesAndToolTips();

    // Summary list (templateControllerSummary.cpp).
    void initPunchPatterns();
    // The first row whose pattern id is the id; 0 when none is.
    int getPunchIDIndex(int id) const;
    // The name of a job's punch pattern: the table's name for a pattern it
    // holds, the custom label with the number for the user's own.
    std::string punchPatternName(int id) const;
    void updateSummaryList();
    void addJobSetupRows(const platform::Dictionary& jobSetup);
    void addFinisherRows(const platform::Dictionary& finisher, const platform::Dictionary& jobSetup,
                         const platform::Array& pageFeatures);
    void addPageExceptionRows(const platform::Array& pageFeatures);
    void addNotificationRows(const platform::Dictionary& notification);
    void addCustomRows(const platform::Dictionary& custom);
    void addImageRows(const platform::Dictionary& image);
    // The value of one page feature in words; nothing for a kind the summary
    // does not show.
    std::optional<std::string> pageFeatureText(const platform::Dictionary& feature) const;
    // Adds a row and widens the columns to fit it.
    void addRow(std::string title, std::string value);
    void addSpacer() { addRow("    ", ""); }
    // The label text with the four-blank indent of a setting's title.
    std::string indented(int label) const;
    std::string yesNo(bool yes) const;
    // The label's text and the value, joined by ": " unless the label ends
    // in a colon of its own.
    std::string labelled(int label, const std::string& value) const;
    // The label of the value in the table; otherLabel for any other value
    // (0: no text).
    std::string choice(int value, std::initializer_list<std::pair<int, int>> labels, int otherLabel) const;
    // The paper's name, or the body-paper label when it is empty.
    std::string paperOrBody(const std::string& paper) const;
    void showSummaryColumns();

    platform::Button* applytemplate = nullptr;
    platform::Button* opentemplate = nullptr;
    platform::Button* savetemplate = nullptr;
    platform::Button* deleteTemplate = nullptr;
    platform::Button* deleteAllTemplate = nullptr;
    platform::Button* resetFactory = nullptr;
    platform::TableView* summaryListView = nullptr;
    platform::TableView* templateListView = nullptr;
    platform::TabView* templateTabView = nullptr;
    platform::TextField* versionText = nullptr;
    platform::TextField* copyRightString = nullptr;
    platform::TextView* legalText = nullptr;
    platform::Button* licenseButton = nullptr;
    platform::TextView* licenseView = nullptr;
    platform::TextField* buildText = nullptr;
    platform::TextField* oemString = nullptr;
    platform::Button* aboutButton = nullptr;

    std::vector<SummaryRow> _summaryList;
    std::vector<std::string> templateList;
    std::vector<PunchPattern> _punchTypeList;
    std::string _savefileName;
    int _col2Max = 100;
    int m_titleWidth = 100;  // of the summary's title column, for the rebuild under way
};
