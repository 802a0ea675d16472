// The page-set selector's strip: the all-pages, odd and even boxes, the five
// page icons, the stepper and the go-to field that move the five-page window
// over a larger set, the selected runs they edit, and the enable state that
// tells the pane whether anything is selected.
#include <algorithm>

#include "FoundationValues.h"
#include "NotificationCenter.h"
#include "OptionPane.h"
#include "pageSetController.h"

namespace {

// At most the first five characters of the text, figures only.
std::string GotoPageText(std::string_view text) {
    std::string figures;
    int characters = 0;
    for (char c : text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && ++characters > 5) break;
        if (c >= '0' && c <= '9') figures += c;
    }
    return figures;
}

}  // namespace

// Boxes ------------------------------------------------------------------------

void pageSetController::selectAllPages(platform::Control&) {
    const bool on = selectAllPagesSetCheck->state() != 0;
    resetPageIconState();
    for (platform::Button* icon : pageIcons) icon->setEnabled(!on);
    if (PageSetRecord* set = shownRecord()) {
        if (on) {
            RemoveAllSelected();
            selectOddPageCheck->setState(0);
            selectEvenPageCheck->setState(0);
            changeSelectAllText(BoxTitle::EvenPlain, 0, 0);
            changeSelectAllText(BoxTitle::OddPlain, 0, 0);
            changeSelectAllText(BoxTitle::AllPages, set->pages.start, set->pages.end);
            set->selectAll = true;
            addRun(*set, set->pages);
        } else {
            removeRunsWithin(*set, set->pages);
            set->selectAll = false;
            changeSelectAllText(BoxTitle::AllPlain, 0, 0);
        }
        set->selectOdd = set->selectEven = false;
    }
    postEnableSubUpbutton(1);
}

void pageSetController::selectOddPages(platform::Control&) { selectParity(true); }

void pageSetController::selectEvenPages(platform::Control&) { selectParity(false); }

// The odd box, or the even box: one run for each page of its kind.
void pageSetController::selectParity(bool odd) {
    platform::Button* box = odd ? selectOddPageCheck : selectEvenPageCheck;
    platform::Button* other = odd ? selectEvenPageCheck : selectOddPageCheck;
    const bool on = box->state() != 0;
    if (on) {
        selectAllPagesSetCheck->setState(0);
        other->setState(0);
    }
    resetPageIconState();
    for (platform::Button* icon : pageIcons) icon->setEnabled(true);
    if (PageSetRecord* set = shownRecord()) {
        RemoveAllSelected();
        if (on) {
            changeSelectAllText(BoxTitle::AllPlain, 0, 0);
            changeSelectAllText(odd ? BoxTitle::EvenPlain : BoxTitle::OddPlain, 0, 0);
            const int first = (set->pages.start % 2 != 0) == odd ? set->pages.start : set->pages.start + 1;
            // Made in order, so each run goes at the end.
            for (int page = first; page <= set->pages.end; page += 2) set->selectedList.push_back({page, page});
            changeSelectAllText(odd ? BoxTitle::OddPages : BoxTitle::EvenPages, first, 0);
        } else {
            changeSelectAllText(odd ? BoxTitle::OddPlain : BoxTitle::EvenPlain, 0, 0);
        }
        (odd ? set->selectOdd : set->selectEven) = on;
        (odd ? set->selectEven : set->selectOdd) = false;
        set->selectAll = false;
    }
    updatePageIconState(true);
}

void pageSetController::changeSelectAllText(BoxTitle kind, int start, int end) {
    switch (kind) {
        case BoxTitle::AllPlain:
            return selectAllPagesSetCheck->setTitle(getNSStringWithID(13038));
        case BoxTitle::AllPages:
            return selectAllPagesSetCheck->setTitle(getNSStringWithID(13038) + platform::Format(": %d..%d", start, end));
        case BoxTitle::EvenPages:
            return selectEvenPageCheck->setTitle(getNSStringWithID(14043) + platform::Format(": %d, %d...", start, start + 2));
        case BoxTitle::EvenPlain:
            return selectEvenPageCheck->setTitle(getNSStringWithID(14043));
        case BoxTitle::OddPages:
            return selectOddPageCheck->setTitle(getNSStringWithID(14042) + platform::Format(": %d, %d...", start, start + 2));
        case BoxTitle::OddPlain:
            return selectOddPageCheck->setTitle(getNSStringWithID(14042));
    }
}

// Icons ------------------------------------------------------------------------

void pageSetController::selectPageIcon(int index) {
    const auto at = static_cast<std::size_t>(index);
    const int page = m_iconPages[at];
    PageSetRecord* set = shownRecord();
    if (set && page > 0) {
        if (pageIcons[at]->state()) addRun(*set, {page, page});
        else removeRunsWithin(*set, {page, page});
    }
    postEnableSubUpbutton(1);
}

void pageSetController::resetPageIconState() {
    for (platform::Button* icon : pageIcons) icon->setState(0);
    postEnableSubUpbutton(0);
}

void pageSetController::postEnableSubUpbutton(int flag) {
    const bool anyIcon = std::any_of(pageIcons.begin(), pageIcons.end(), [](const platform::Button* icon) { return icon->state(); });
    const bool selected = flag != 0 && (selectAllPagesSetCheck->state() || anyIcon);
    _enableSubUpdateButton = selected ? "1" : "0";
    platform::NotificationCenter::Default().post(kEnableUpdateNotification, _enableSubUpdateButton);
}

// Runs -------------------------------------------------------------------------

// Keeps the runs sorted by start; a run already covered is not added again.
void pageSetController::addRun(PageSetRecord& set, PageRange run) {
    std::vector<PageRange>& runs = set.selectedList;
    const auto after = std::upper_bound(runs.begin(), runs.end(), run.start,
                                        [](int start, const PageRange& other) { return start < other.start; });
    if (after != runs.begin()) {
        const PageRange& before = *(after - 1);
        if (before.start <= run.start && run.end <= before.end) return;
    }
    runs.insert(after, run);
}

void pageSetController::removeRunsWithin(PageSetRecord& set, PageRange within) {
    std::erase_if(set.selectedList,
                  [&](const PageRange& run) { return run.start >= within.start && run.end <= within.end; });
}

void pageSetController::RemoveAllSelected() {
    resetPageIconState();
    if (PageSetRecord* set = shownRecord()) set->selectedList.clear();
}

// The five-page window ----------------------------------------------------------

void pageSetController::selectPageStepper(platform::Control&) {
    const PageSetRecord* set = shownRecord();
    if (!set) return;
    int value = pageStepper->intValue();
    const int gotoValue = gotoPageEditField->intValue();
    const int last = kIconCount - 1;
    if (value <= gotoValue) {
        if (set->pages.start <= value - last) showWindow(value - last);
        else value = set->pages.start + last;
    } else {
        if (value <= set->pages.end) showWindow(value - last);
        else value = set->pages.end;
    }
    setGotoPage(value);
}

void pageSetController::gotoPage() {
    const PageSetRecord* set = shownRecord();
    if (!set) return;
    const int last = kIconCount - 1;
    const int wanted = std::clamp(gotoPageEditField->intValue(), set->pages.start, set->pages.end);
    const int first = std::max(set->pages.start, std::min(wanted, set->pages.end - last));
    showWindow(first);
    setGotoPage(std::min(first + last, set->pages.end));
}

void pageSetController::showWindow(int first) {
    resetPageIconState();
    for (int i = 0; i < kIconCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_iconPages[at] = first + i;
        pageTexts[at]->setIntValue(first + i);
    }
    updatePageIconState(true);
}

void pageSetController::setGotoPage(int page) {
    pageStepper->setIntValue(page);
    gotoPageEditField->setIntValue(page);
}

void pageSetController::controlTextDidChange(platform::TextField& field) {
    if (field.tag() == kGotoFieldTag) field.setStringValue(GotoPageText(field.stringValue()));
}

bool pageSetController::controlTextShouldEndEditing(platform::TextField& field) {
    if (field.tag() == kGotoFieldTag) gotoPage();
    platform::NotificationCenter::Default().post(kReadyToPrintNotification, "0");
    return true;
}
