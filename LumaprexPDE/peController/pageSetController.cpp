// The page-set selector's sets: adding and removing them, showing one in the
// strip with its saved selection, and reading the current set's selection.
// The strip's own actions are in pageSetControllerStrip.cpp.
#include "pageSetController.h"

#include <algorithm>

#include "LabelLookup.h"
#include "OptionPane.h"

pageSetController::pageSetController()
    : _pluginBundle(platform::Bundle::WithIdentifier(kPluginBundleIdentifier)) {
    m_iconPages.fill(-1);
    const char* icons[] = {"page1", "page2", "page3", "page4", "page5"};
    const char* texts[] = {"page1Text", "page2Text", "page3Text", "page4Text", "page5Text"};
    for (int i = 0; i < kIconCount; ++i) {
        declareOutlet(icons[i], pageIcons[static_cast<std::size_t>(i)]);
        declareOutlet(texts[i], pageTexts[static_cast<std::size_t>(i)]);
    }
    declareOutlet("selectAllPagesSetCheck", selectAllPagesSetCheck);
    declareOutlet("selectOddPageCheck", selectOddPageCheck);
    declareOutlet("selectEvenPageCheck", selectEvenPageCheck);
    declareOutlet("pageStepper", pageStepper);
    declareOutlet("gotoPageTextField", gotoPageTextField);
    declareOutlet("gotoPageEditField", gotoPageEditField);
    declareAction("selectAllPages:", &pageSetController::selectAllPages);
    declareAction("selectOddPages:", &pageSetController::selectOddPages);
    declareAction("selectEvenPages:", &pageSetController::selectEvenPages);
    declareAction("selectPage1:", &pageSetController::selectPage<1>);
    declareAction("selectPage2:", &pageSetController::selectPage<2>);
    declareAction("selectPage3:", &pageSetController::selectPage<3>);
    declareAction("selectPage4:", &pageSetController::selectPage<4>);
    declareAction("selectPage5:", &pageSetController::selectPage<5>);
    declareAction("selectPageStepper:", &pageSetController::selectPageStepper);
}

void pageSetController::awakeFromNib() {
    gotoPageTextField->setStringValue(getNSStringWithID(13062));
    changeSelectAllText(BoxTitle::AllPlain, 0, 0);
    changeSelectAllText(BoxTitle::OddPlain, 0, 0);
    changeSelectAllText(BoxTitle::EvenPlain, 0, 0);
    hideStrip();
    emptyIconEntries();
    _enableSubUpdateButton = "0";
}

std::string pageSetController::getNSStringWithID(int id) const {
    return ::getNSStringWithID(_pluginBundle, id, kPageSetLabels);
}

pageSetController::PageSetRecord* pageSetController::record(int row) {
    if (row < 0 || row >= static_cast<int>(mPageSetRecordList.size())) return nullptr;
    return &mPageSetRecordList[static_cast<std::size_t>(row)];
}

const pageSetController::PageSetRecord* pageSetController::currentRecord() const {
    return const_cast<pageSetController*>(this)->record(_selectedSetRowNumber);
}

// Sets ------------------------------------------------------------------------

void pageSetController::AddPeSetRecord(int start, int end) {
    emptyIconEntries();
    resetPageIconState();
    const auto later = std::find_if(mPageSetRecordList.begin(), mPageSetRecordList.end(), [&](const PageSetRecord& set) {
        return set.pages.start > start || set.pages == PageRange{start, end};
    });
    const int row = static_cast<int>(later - mPageSetRecordList.begin());
    if (later == mPageSetRecordList.end() || later->pages != PageRange{start, end}) {
        PageSetRecord added;
        added.pages = {start, end};
        mPageSetRecordList.insert(later, std::move(added));
        // The current set stays the same set.
        if (_selectedSetRowNumber >= row) ++_selectedSetRowNumber;
    }
    showSet(row);
}

void pageSetController::RemovePeSetRecord(int start, int end) {
    const auto found = std::find_if(mPageSetRecordList.begin(), mPageSetRecordList.end(),
                                    [&](const PageSetRecord& set) { return set.pages == PageRange{start, end}; });
    if (found == mPageSetRecordList.end()) return;
    const int row = static_cast<int>(found - mPageSetRecordList.begin());
    mPageSetRecordList.erase(found);
    // No set is current, or shown, in place of the one removed.
    if (_selectedSetRowNumber == row) _selectedSetRowNumber = -1;
    else if (_selectedSetRowNumber > row) --_selectedSetRowNumber;
    if (m_shownRow == row) {
        hideStrip();
        emptyIconEntries();
    } else if (m_shownRow > row) {
        --m_shownRow;
    }
}

void pageSetController::removeAllPeSets() {
    mPageSetRecordList.clear();
    hideStrip();
    emptyIconEntries();
    _selectedSetRowNumber = -1;
}

void pageSetController::termination() {
    mPageSetRecordList.clear();
    mPageSetRecordList.shrink_to_fit();
    m_iconPages.fill(-1);
    m_shownRow = -1;
    _selectedSetRowNumber = -1;
}

void pageSetController::SetSelectedRow(int row) {
    if (!record(row)) return;
    _selectedSetRowNumber = row;
    changeSelectAllText(BoxTitle::AllPlain, 0, 0);
    changeSelectAllText(BoxTitle::EvenPlain, 0, 0);
    changeSelectAllText(BoxTitle::OddPlain, 0, 0);
    showSet(row);
}

// Showing a set ----------------------------------------------------------------

void pageSetController::showSet(int row) {
    const PageRange pages = record(row)->pages;
    const int span = pages.end - pages.start;
    m_shownRow = row;
    for (int i = 0; i < kIconCount; ++i) {
        const bool shown = i <= span;
        const auto at = static_cast<std::size_t>(i);
        m_iconPages[at] = shown ? pages.start + i : -1;
        pageIcons[at]->setHidden(!shown);
        pageTexts[at]->setHidden(!shown);
        if (shown) pageTexts[at]->setIntValue(pages.start + i);
    }
    for (platform::Button* box : {selectAllPagesSetCheck, selectOddPageCheck, selectEvenPageCheck}) {
        box->setEnabled(span >= 2);
    }
    updatePageIconState(false);
    pageStepper->setMinValue(pages.start);
    pageStepper->setMaxValue(pages.end);
    pageStepper->setIntValue(pages.start);
    // Five pages fit in the strip; a larger set gets the window's controls.
    const bool windowed = span >= kIconCount;
    for (platform::View* control : {static_cast<platform::View*>(gotoPageTextField),
                                    static_cast<platform::View*>(gotoPageEditField),
                                    static_cast<platform::View*>(pageStepper)}) {
        control->setHidden(!windowed);
    }
    if (windowed) setGotoPage(pages.start + kIconCount - 1);
}

// Restores the shown set's boxes and icons from its record, or, with
// refresh, turns on the icons of its selected pages and tells the pane
// whether any is on.
void pageSetController::updatePageIconState(bool refresh) {
    PageSetRecord* set = shownRecord();
    if (!set) return;
    if (!refresh) {
        selectAllPagesSetCheck->setState(set->selectAll);
        selectOddPageCheck->setState(!set->selectAll && set->selectOdd);
        selectEvenPageCheck->setState(!set->selectAll && !set->selectOdd && set->selectEven);
        if (set->selectAll) return selectAllPages(*selectAllPagesSetCheck);
        if (set->selectOdd) return selectOddPages(*selectOddPageCheck);
        if (set->selectEven) return selectEvenPages(*selectEvenPageCheck);
    }
    resetPageIconState();
    for (int i = 0; i < kIconCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        pageIcons[at]->setEnabled(true);
        pageTexts[at]->setEnabled(true);
        const bool selected = std::any_of(set->selectedList.begin(), set->selectedList.end(),
                                          [&](const PageRange& run) { return run.start == m_iconPages[at]; });
        if (selected) pageIcons[at]->setState(1);
    }
    // The icons turned on again are a selection the pane can apply to.
    postEnableSubUpbutton(1);
}

void pageSetController::emptyIconEntries() {
    m_iconPages.fill(-1);
    m_shownRow = -1;
}

void pageSetController::hideStrip() {
    for (int i = 0; i < kIconCount; ++i) {
        pageIcons[static_cast<std::size_t>(i)]->setHidden(true);
        pageTexts[static_cast<std::size_t>(i)]->setHidden(true);
    }
    gotoPageTextField->setHidden(true);
    gotoPageEditField->setHidden(true);
    pageStepper->setHidden(true);
    for (platform::Button* box : {selectAllPagesSetCheck, selectOddPageCheck, selectEvenPageCheck}) {
        box->setEnabled(false);
    }
}

void pageSetController::EnablePageGroup(int allSetsState) {
    const bool enabled = allSetsState == 0;
    for (int i = 0; i < kIconCount; ++i) {
        pageIcons[static_cast<std::size_t>(i)]->setEnabled(enabled);
        pageTexts[static_cast<std::size_t>(i)]->setEnabled(enabled);
    }
    for (platform::Control* control : {static_cast<platform::Control*>(selectAllPagesSetCheck),
                                       static_cast<platform::Control*>(selectOddPageCheck),
                                       static_cast<platform::Control*>(selectEvenPageCheck),
                                       static_cast<platform::Control*>(pageStepper),
                                       static_cast<platform::Control*>(gotoPageTextField),
                                       static_cast<platform::Control*>(gotoPageEditField)}) {
        control->setEnabled(enabled);
    }
}

// Reading the selection ----------------------------------------------------------

int pageSetController::AllPagesSelected() const { return selectAllPagesSetCheck->state(); }

std::optional<PageRange> pageSetController::getSelectedAllPages() const {
    const PageSetRecord* set = currentRecord();
    if (!set) return std::nullopt;
    return set->pages;
}

int pageSetController::getSelectedPageCount() const {
    const PageSetRecord* set = currentRecord();
    return set ? static_cast<int>(set->selectedList.size()) : 0;
}

std::optional<PageRange> pageSetController::getSelectedPage(int index) const {
    if (index < 0 || index >= getSelectedPageCount()) return std::nullopt;
    return currentRecord()->selectedList[static_cast<std::size_t>(index)];
}

void pageSetController::GetSetStartAndEndPage(int& start, int& end) const {
    start = end = 0;
    const PageSetRecord* set = currentRecord();
    if (!set) return;
    const std::vector<PageRange>& runs = set->selectedList;
    if (runs.size() == 1) {
        start = runs[0].start;
        end = runs[0].end;
    } else if (set->selectEven || set->selectOdd) {
        // The first page of the box's kind, and the next one.
        const bool startFits = (set->pages.start % 2 == 0) == set->selectEven;
        start = startFits ? set->pages.start : set->pages.start + 1;
        end = start + 2;
    } else if (runs.size() >= 2) {
        start = runs[0].start;
        end = runs[1].start;
    }
}
