// The page-exception pane: tab 2 of the dialog's pane. The user gathers
// pages into page sets with the page field, picks a set in the set table and
// its pages in the page-set selector, and applies page exceptions to the
// target ranges those choices give (TargetRanges.h).
//
// The pane is written by concern, one source file each, and this header
// keeps one section per concern:
//   peController.cpp          the pane itself: construction, set-up, settings
//                             delivery, termination, and the one data source,
//                             selection handler and text-field delegate of
//                             its tables and fields, which hand each table or
//                             field to its concern by tag
//   peControllerPageSets.cpp  page sets: the page field, the set table, the
//                             Delete button, the all-sets box, target ranges
// A concern declares its outlets and actions in its own declare method,
// which the constructor calls, and sets its controls up in its own setup
// method, which awakeFromNib calls.
#pragma once

#include <string>
#include <vector>

#include "OptionPane.h"
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
    // The apply buttons of the groups, enabled by the all-sets box; each
    // group declares its own outlet, and a group not built leaves nullptr.
    platform::Button* exceptionUpdateButton = nullptr;
    platform::Button* subsetButton = nullptr;
    platform::Button* layoutUpdateButton = nullptr;
    platform::Button* imageAlignButton = nullptr;
};
