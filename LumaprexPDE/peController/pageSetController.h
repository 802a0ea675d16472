// The page-set selector of the page-exception tab: for every page set it
// records which of the set's pages the user has selected, and it shows one
// set at a time as a strip of up to five page icons with a stepper and a
// go-to field that move the five-page window, and three boxes that select
// all pages of the set, its odd pages or its even pages.
//
// The page-exception pane (peController) holds it and drives it: it tells
// it of every set added or removed and of the set the user picks in the set
// table, which becomes the current set. The apply actions read the current
// set's selection through the target-range rule (TargetRanges.h). After
// every change of the selection the selector posts
// "peSubstitutionController::enableUpdate" with "1" (something selected) or
// "0"; it observes nothing and never reaches the bridge.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Bundle.h"
#include "Controls.h"
#include "PageRangeEntry.h"

inline constexpr char kEnableUpdateNotification[] = "peSubstitutionController::enableUpdate";

class pageSetController : public platform::InterfaceObject, public platform::TextFieldDelegate {
public:
    static constexpr int kIconCount = 5;
    static constexpr int kGotoFieldTag = 6002;

    pageSetController();
    ~pageSetController() override { termination(); }

    void awakeFromNib() override;

    // Sets, from the pane. Adding a set (or one with the pages of a set
    // already there) shows it in the strip without making it current.
    void AddPeSetRecord(int start, int end);
    // Removes the first set of exactly these pages; nothing when none is.
    void RemovePeSetRecord(int start, int end);
    // Removes every set and hides the strip; no set is current afterwards.
    void removeAllPeSets();
    // Makes the set of the row current and shows it with its selection;
    // nothing for a row outside the list.
    void SetSelectedRow(int row);
    // Disables the whole strip while the pane's all-sets box is on (state
    // non-zero), enables it otherwise.
    void EnablePageGroup(int allSetsState);
    // Frees every set; may run twice.
    void termination();

    // The current set's selection. 1 when its all-pages box is on.
    int AllPagesSelected() const;
    // The current set's pages; none when no set is current.
    std::optional<PageRange> getSelectedAllPages() const;
    // The current set's selected runs, sorted by start: single pages, or
    // the whole set from the all-pages box. 0 and none without a current set.
    int getSelectedPageCount() const;
    std::optional<PageRange> getSelectedPage(int index) const;
    // The two pages the subset title names: with one run, its first and last
    // page; else with the even or odd box on, the first such page and the
    // one two pages on; else the first two runs' first pages; 0 and 0
    // without runs or without a current set.
    void GetSetStartAndEndPage(int& start, int& end) const;

    // The strip's actions.
    void selectAllPages(platform::Control& sender);
    void selectOddPages(platform::Control& sender);
    void selectEvenPages(platform::Control& sender);
    template <int Icon>
    void selectPage(platform::Control&) {
        selectPageIcon(Icon - 1);
    }
    void selectPageStepper(platform::Control& sender);

    // The go-to field: figures only, at most five; it moves the window when
    // the user leaves it.
    void controlTextDidChange(platform::TextField& field) override;
    bool controlTextShouldEndEditing(platform::TextField& field) override;

    // What tests look at: the current set's row (-1 for none), the last
    // enable state posted, the set the strip shows (-1 for none).
    int selectedSetRow() const { return _selectedSetRowNumber; }
    const std::string& enableState() const { return _enableSubUpdateButton; }
    int shownSetRow() const { return m_shownRow; }

private:
    struct PageSetRecord {
        PageRange pages;
        bool selectAll = false;
        bool selectOdd = false;
        bool selectEven = false;
        std::vector<PageRange> selectedList;  // sorted by start
    };
    // The box titles (changeSelectAllText).
    enum class BoxTitle { AllPlain, AllPages, EvenPages, EvenPlain, OddPages, OddPlain };

    std::string getNSStringWithID(int id) const;
    PageSetRecord* record(int row);
    const PageSetRecord* currentRecord() const;
    PageSetRecord* shownRecord() { return record(m_shownRow); }

    void showSet(int row);
    void updatePageIconState(bool refresh);
    void showWindow(int first);
    void resetPageIconState();
    void emptyIconEntries();
    void hideStrip();
    void postEnableSubUpbutton(int flag);
    void changeSelectAllText(BoxTitle kind, int start, int end);
    void setGotoPage(int page);
    void gotoPage();
    void selectPageIcon(int index);
    void selectParity(bool odd);
    void RemoveAllSelected();
    static void addRun(PageSetRecord& set, PageRange run);
    static void removeRunsWithin(PageSetRecord& set, PageRange within);

    platform::Bundle _pluginBundle;
    std::vector<PageSetRecord> mPageSetRecordList;
    // The set the strip shows, and the page of each icon (-1: none).
    int m_shownRow = -1;
    std::array<int, kIconCount> m_iconPages{};
    int _selectedSetRowNumber = -1;
    std::string _enableSubUpdateButton;

    std::array<platform::Button*, kIconCount> pageIcons{};
    std::array<platform::TextField*, kIconCount> pageTexts{};
    platform::Button* selectAllPagesSetCheck = nullptr;
    platform::Button* selectOddPageCheck = nullptr;
    platform::Button* selectEvenPageCheck = nullptr;
    platform::Stepper* pageStepper = nullptr;
    platform::TextField* gotoPageTextField = nullptr;
    platform::TextField* gotoPageEditField = nullptr;
};
