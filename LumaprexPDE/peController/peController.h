// The page-exception pane: tab 2 of the dialog's pane. The user gathers
// pages into page sets with the page field, picks a set in the set table and
// its pages in the page-set selector, and applies page exceptions to the
// target ranges those choices give (TargetRanges.h). The exceptions live in
// the bridge's page collection only; the pane reads them back for its
// tables and for its group of the job-feature dictionary, "Substitution".
//
// The pane is written by concern, one source file each, and this header
// keeps one section per concern:
//   peController.cpp              the pane itself: construction, set-up,
//                                 settings delivery, termination, and the
//                                 one data source, selection handler and
//                                 text-field delegate of its tables and
//                                 fields, which hand each table or field to
//                                 its concern by tag
//   peControllerPageSets.cpp      page sets: the page field, the set table,
//                                 the Delete button, the all-sets box,
//                                 target ranges
//   peControllerShell.cpp         the group buttons and the inner tab view,
//                                 the validation box, the selector's enable
//                                 signal, the "Substitution" group
//   peControllerSummary.cpp       the summary table of every page exception,
//                                 Delete and Delete All
//   peControllerSubstitution.cpp  paper substitution and inserts: the paper
//                                 combo, Update, the exception table, Delete,
//                                 and the check-and-store road of every page
//                                 feature
// A concern declares its outlets and actions in its own declare method,
// which the constructor calls, and sets its controls up in its own setup
// method, which awakeFromNib calls.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "OptionPane.h"
#include "PageEntries.h"
#include "PageRangeEntry.h"
#include "TargetRanges.h"

class pageSetController;

class peController : public OptionPane,
                     public platform::TableDataSource,
                     public platform::TableDelegate,
                     public platform::TextFieldDelegate {
public:
    peController();
    ~peController() override;

    void awakeFromNib() override;

    // The pane's tables, told apart by tag.
    int numberOfRowsInTableView(platform::TableView& table) override;
    std::string objectValueForTableColumn(platform::TableView& table, const platform::TableColumn& column,
                                          int row) override;
    void tableViewSelectionDidChange(platform::TableView& table) override;

    // The pane's text fields, told apart by tag. Ending the editing of any
    // of them holds the next print back.
    void controlTextDidChange(platform::TextField& field) override;
    bool controlTextShouldEndEditing(platform::TextField& field) override;

    // --- Page sets and page-range entry (peControllerPageSets.cpp) ---------

    static constexpr int kPageFieldTag = 6001;
    static constexpr int kPageSetTableTag = 6100;

    // Parses the page field and adds the ranges that pass the checks as page
    // sets; one alert lists every error of the entry.
    void selectEnterPageButton(platform::Control& sender);
    // Deletes the selected sets (the page exceptions of their pages stay).
    void selectDeleteSet(platform::Control& sender);
    // The all-sets box: every set becomes a target range.
    void selectAllSets(platform::Control& sender);
    // 1 while the all-sets box is on.
    int AllSetsSelected() const;
    // Inserts the set by its first page, without checks, and makes it the
    // current set (or, with the all-sets box on, selects every set again).
    void AddPeSetRecord(int start, int end);
    // The page ranges an apply action acts on.
    std::vector<PageRange> collectTargetRanges() const;

    const std::vector<PageRange>& pageSets() const { return _pageSetList; }
    pageSetController* pageSelector() const { return _pageSetController; }

    // --- Pane shell (peControllerShell.cpp) -----------------------------------

    static constexpr int kExceptionTableTag = 6102;
    static constexpr int kSummaryTableTag = 6106;

    // The group buttons: each shows its group in the inner tab view (the
    // substitution and insert groups share the first page).
    void selectPeSubstitute(platform::Control& sender);
    void selectPeInsert(platform::Control& sender);
    void selectPeSubset(platform::Control& sender);
    void selectPeLayout(platform::Control& sender);
    void selectPeImage(platform::Control& sender);
    void selectPeSummary(platform::Control& sender);
    // The validation box: turned off it warns once and stops the pane's
    // engine checks of page exceptions; either way the bridge is told.
    void selectWarningButton(platform::Control& sender);
    // 1 while page exceptions are checked before they are stored.
    int PeValidation() const { return _PeValidation; }
    // Rewrites "pageSets" and "pageFeatures" of the "Substitution" group
    // from the page sets and the bridge's page collection, keeping the
    // group's other keys; posts nothing.
    void updatePEFeatures();

    // --- Summary (peControllerSummary.cpp) -------------------------------------

    // Delete takes the entries of the selected rows out of the page
    // collection, each row exactly its own entry; Delete All empties the
    // collection.
    void selectDeleteSummaryItem(platform::Control& sender);
    void selectDeleteAllSummaryItem(platform::Control& sender);

    // --- Paper substitution and inserts (peControllerSubstitution.cpp) --------

    static constexpr int kPaperComboTag = 1000;

    // Stores the substitution (or, with the insert group showing, the
    // insert) of the paper chosen on every target range, each checked first;
    // stops at the first refusal.
    void selectExceptionUpdate(platform::Control& sender);
    // Takes exactly the feature of each selected row of the exception table
    // out of the page collection.
    void selectExceptionDelete(platform::Control& sender);
    // The paper combo's choice: its description line follows it.
    void comboBoxSelectionDidChange(platform::Control& sender);
    // The tray combo and the before/after choice are read at Update.
    void selectInsFinisher(platform::Control&) {}
    void selectInsMode(platform::Control&) {}
    // The road of every page feature: checked by the engine while the
    // validation box is on, the refusal shown in one alert (label 16218 for
    // an engine error); with add 1 an allowed feature is stored. 0 when
    // allowed, else the refusal.
    int ValidationOnExceptions(int start, int end, int code, const std::string& paper, int value, int add);

protected:
    // Restores the pane from its group of the job-feature dictionary.
    void applySettings() override;
    // Ends the page-set selector, then the pane.
    void termination() override;

private:
    // --- Page sets and page-range entry -------------------------------------

    void declarePageSets();
    void setupPageSets();
    // Rebuilds the sets from the "pageSets" of the "Substitution" group.
    void restorePageSets();
    void pageFieldDidChange(platform::TextField& field);
    // The page field's filter: the text cut before the first character that
    // is no figure, blank, "." or ","; a beep when it cuts.
    std::string numberFormatter(const std::string& text, int tag) const;
    void verifyTextField(int tag);
    std::vector<std::string> pageSetRow(int row) const;
    void pageSetSelectionDidChange(platform::TableView& table);
    // Selects one row, which the selection handler makes current.
    void selectPageSetRow(int row);
    void selectEveryPageSet();
    void enableApplyButtons(bool enabled);

    std::vector<PageRange> _pageSetList;  // sorted by first page
    pageSetController* _pageSetController = nullptr;
    platform::TextField* pageEditorField = nullptr;
    platform::Button* enterPageButton = nullptr;
    platform::TableView* pageSetView = nullptr;
    platform::Button* deletePageRange = nullptr;
    platform::Button* selectAllSetCheck = nullptr;
    platform::TextField* pageRange = nullptr;
    platform::TextField* pageExample = nullptr;
    // The apply buttons of the groups, enabled by the all-sets box and by
    // the selector's signal; each group declares its own outlet, and a group
    // not built leaves nullptr.
    platform::Button* exceptionUpdateButton = nullptr;
    platform::Button* subsetButton = nullptr;
    platform::Button* subsetUpdateButton = nullptr;
    platform::Button* layoutUpdateButton = nullptr;
    platform::Button* imageAlignButton = nullptr;
    platform::Button* imageUpdateButton = nullptr;

    // --- Pane shell ----------------------------------------------------------

    // A group button: its images and its page of the inner tab view.
    struct GroupButton {
        platform::Button* peController::*button;
        const char* selectedImage;
        const char* normalImage;
        int page;
    };

    void declareShell();
    void setupShell();
    void setupToolTips();
    void registerEnableExceptionUpdateButton();
    void listenEnableUpdateButton(const platform::Notification& notification);
    void registerUpdatePeFeature();
    void listenUpdatePeFeatureNotification(const platform::Notification& notification);
    void showGroup(const GroupButton& group);
    // Shows or hides the insert group's controls; the exception table is
    // rebuilt when summary deletes changed the collection meanwhile.
    void showPaperGroup(bool insert);
    void selectThisButton(platform::Button* button, std::string_view name);
    // Posts "finishingController::exceptionUpdate", after which the
    // finishing pane brings the punching of every page entry up to date.
    void postExceptionUpdate();
    // Widens the table's columns to the row's cells; widths only grow.
    void widenColumns(platform::TableView& table, std::vector<int>& widths, const TableRow& row) const;
    // Sets the table's column headers and first widths from the labels.
    void setupColumns(platform::TableView& table, std::vector<int>& widths, std::initializer_list<int> headers) const;
    // Deletes the selected rows from the last to the first, each through
    // remove, then selects the row before the first one deleted and reloads
    // the table; false, and nothing done, when no row is selected.
    bool deleteSelectedRows(platform::TableView& table, std::vector<TableRow>& rows,
                            const std::function<void(const TableRow&)>& remove);
    static std::string cell(const std::vector<TableRow>& rows, int row, int column);

    int _PeValidation = 1;
    bool _summaryListChanged = false;
    platform::Button* lastSelected = nullptr;
    std::string lastSelectedName;
    platform::Button* peSubstitute = nullptr;
    platform::Button* peInsert = nullptr;
    platform::Button* peSubset = nullptr;
    platform::Button* peLayout = nullptr;
    platform::Button* peImage = nullptr;
    platform::Button* peSummary = nullptr;
    platform::TabView* peMainTabView = nullptr;
    platform::Button* validationWarning = nullptr;
    platform::TextField* pageFeatureTitle = nullptr;

    // --- Summary ---------------------------------------------------------------

    void declareSummary();
    void setupSummary();
    void constructPeSummaryList();

    std::vector<TableRow> _summaryList;
    std::vector<int> _summaryColumns;  // widths of columns "0" to "4"
    platform::TableView* summaryListView = nullptr;
    platform::Button* summaryDeleteButton = nullptr;
    platform::Button* summaryDeleteAllButton = nullptr;

    // --- Paper substitution and inserts ------------------------------------------

    void declareSubstitution();
    void setupSubstitution();
    void registerPaperCatalogUpdate();
    void listenPaperCatalogUpdate(const platform::Notification& notification);
    // Chooses paper index of the combo and describes it.
    void selectPaper(int index);
    // The name of the paper chosen in the paper combo; "" when none is.
    std::string chosenPaper() const;
    void updatePaperAttribute(int index);
    // Rebuilds the exception table from the page collection.
    void constructSubstitutionList();
    void storePageFeature(int start, int end, int code, const std::string& paper, int value);
    // Gives every page entry without a punch feature the job's punching.
    void addJobPunchToEntries();
    void removeExceptionRow(const TableRow& row);

    platform::Dictionary _paperCatalogDict;
    std::vector<std::string> _paperCatalogKeys;
    std::vector<std::string> _paperList;
    std::vector<TableRow> _exceptionList;
    std::vector<int> _exceptionColumns;  // widths of columns "0" to "3"
    std::vector<std::string> _insertFinisherList;
    platform::ComboBox* exceptionPaperCombo = nullptr;
    platform::TextField* paperAttribute = nullptr;
    platform::TextField* exceptionPaperCatalogText = nullptr;
    platform::ComboBox* insertFinisherCombo = nullptr;
    platform::Matrix* insertLocationMatrix = nullptr;
    platform::Button* insertBeforeButton = nullptr;
    platform::TextField* insertExitText = nullptr;
    platform::TableView* exceptionListView = nullptr;
    platform::Button* exceptionDeleteButton = nullptr;
};
