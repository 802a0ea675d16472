// The validator's page-exception list, its page selection, and the papers
// page exceptions print on with a use count each.
//
// The list keeps the order its insert search gives: records that do not hold
// one another by first page, a record lying within another directly ahead of
// it; records may overlap and repeat and are never merged or split. The
// selection names pages of the list, each once per page-exception code.
#include <algorithm>
#include <climits>
#include <map>

#include "JSE_Media.h"
#include "JSE_ValidationPeLists.h"
#include "PageRangeSearch.h"

namespace {

bool Covers(const JSE_PageExceptionType& record, long page) { return SharesPages(record, page, page); }

std::pair<long, long> PagesOf(const JSE_PageExceptionType& record) {
    return {static_cast<long>(record.startingPage), static_cast<long>(record.endingPage)};
}

}  // namespace

void JSE_Validation::JSE_Validation_SetMediaReference(JSE_Media* catalog) { media = catalog; }

void JSE_Validation::GetDefaultPERecord(JSE_PageExceptionType& record) { record = JSE_PageExceptionType(); }

void JSE_Validation::JSE_Validation_GetDefaultPERecord(JSE_PageExceptionType& record) { GetDefaultPERecord(record); }

int JSE_Validation::PaperIndexOf(const WString& name) const { return media ? media->JSE_Media_GetIndex(name) : -1; }

WString JSE_Validation::PaperNameOf(int paper) const {
    WString name;
    if (media) media->JSE_Media_GetName(paper, name);
    return name;
}

// An index beyond 32 bits names no paper, rather than the one its low bits
// would.
int JSE_Validation::PaperOrBody(long paper) const {
    if (paper == -1) return Get_Value(eJSE_BodyPaperSelection, true);
    return paper < INT_MIN || paper > INT_MAX ? INT_MIN : static_cast<int>(paper);
}

// ---- List ----

void JSE_Validation::JSE_Validation_Load_ExceptionRecord(JSE_PageExceptionType record) {
    const long at = findInsertLocation(record.startingPage, record.endingPage);
    PeRecords().insert(PeRecords().begin() + at, record);
}

void JSE_Validation::JSE_Validation_Load_ExceptionRecordsLater(PeRecordSource source) {
    JSE_Validation_Remove_All_PageList();
    pendingPeRecords = std::move(source);
}

std::vector<JSE_PageExceptionType>& JSE_Validation::PeRecords() {
    if (pendingPeRecords) {
        const PeRecordSource source = std::move(pendingPeRecords);
        pendingPeRecords = nullptr;
        for (JSE_PageExceptionType& record : source()) JSE_Validation_Load_ExceptionRecord(std::move(record));
    }
    return pageExceptions;
}

long JSE_Validation::findInsertLocation(long start, long end) {
    return page_range::insertLocation(PeRecords(), start, end, PagesOf);
}

long JSE_Validation::JSE_Validation_Add_PePage(long page, long paperIndex, int code) {
    JSE_PageExceptionType record;
    GetDefaultPERecord(record);
    selectedPages.clear();
    record.exceptionMode = code;
    record.fromJobPaper = true;
    record.mediaName.clear();
    record.peSubset = false;
    record.startingPage = record.endingPage = page;
    JSE_Validation_Load_ExceptionRecord(record);
    SelectPage(page, code);
    return JSE_Validation_On_Selected_Pages(PaperOrBody(paperIndex));
}

long JSE_Validation::JSE_Validation_Remove_PePage(int page, int code) { return RemovePage(page, code); }

long JSE_Validation::RemovePage(long page, int code) {
    const auto it = std::find_if(PeRecords().begin(), PeRecords().end(), [&](const JSE_PageExceptionType& r) {
        return r.startingPage == page && r.exceptionMode == code;
    });
    if (it == PeRecords().end()) return -1;
    const JSE_PageExceptionType removed = *it;
    PeRecords().erase(it);
    TakeUseOff(removed);
    return 0;
}

// A record on the job's paper, or on a paper the catalog does not know, uses
// no exception paper: taking it away leaves every count alone, where the body
// paper's count would otherwise lose a use some other record still makes.
void JSE_Validation::TakeUseOff(const JSE_PageExceptionType& record) {
    if (record.fromJobPaper) return;
    const int paper = PaperIndexOf(record.mediaName);
    if (paper >= 0) JSE_Validation_Remove_Exception_Media(paper);
}

// One pass over the list, not over the pages of the range: for each page on
// which a record of the code starts, in page order, the first such record
// goes, unless no record covers that page once the earlier ones are gone
// (only a record whose last page precedes its first can be left that way).
long JSE_Validation::JSE_Validation_Remove_PePageRange(int first, int last, int code) {
    std::map<long, std::size_t> firstOnPage;
    for (std::size_t i = 0; i < PeRecords().size(); ++i) {
        const JSE_PageExceptionType& r = PeRecords()[i];
        if (r.exceptionMode == code && first <= r.startingPage && r.startingPage <= last)
            firstOnPage.emplace(r.startingPage, i);
    }
    std::vector<bool> gone(PeRecords().size(), false);
    const auto coveredByRest = [&](long page) {
        for (std::size_t i = 0; i < PeRecords().size(); ++i)
            if (!gone[i] && Covers(PeRecords()[i], page)) return true;
        return false;
    };
    for (const auto& [page, i] : firstOnPage)
        if (Covers(PeRecords()[i], page) || coveredByRest(page)) gone[i] = true;
    std::vector<JSE_PageExceptionType> kept;
    kept.reserve(PeRecords().size());
    for (std::size_t i = 0; i < PeRecords().size(); ++i) {
        if (gone[i])
            TakeUseOff(PeRecords()[i]);
        else
            kept.push_back(PeRecords()[i]);
    }
    PeRecords().swap(kept);
    return 0;
}

void JSE_Validation::JSE_Validation_Remove_All_PageList() {
    pendingPeRecords = nullptr;
    pageExceptions.clear();
    selectedPages.clear();
    currentPeControl = 0;
}

long JSE_Validation::JSE_Validation_Get_NumberOf_PeRecord() { return static_cast<long>(PeRecords().size()); }

long JSE_Validation::JSE_Validation_GetPageExceptionItem(long index, JSE_PageExceptionType& out) {
    if (index < 0 || static_cast<std::size_t>(index) >= PeRecords().size()) {
        lastError = kValidationBadIndex;
        return kValidationBadIndex;
    }
    out = PeRecords()[static_cast<std::size_t>(index)];
    lastError = kValidationNoError;
    return 0;
}

long JSE_Validation::JSE_Validation_Get_ExceptionRecord(int start, int end, JSE_PageExceptionType& out, int code) {
    for (const JSE_PageExceptionType& r : PeRecords()) {
        if (!HasRange(r, start, end) || (code != -1 && r.exceptionMode != code)) continue;
        out = r;
        return 0;
    }
    return kValidationNoRecord;
}

long JSE_Validation::FindPage(long page, long page2, int list, int code) {
    const auto firstOf = [](const auto& items, auto match) -> long {
        const auto it = std::find_if(items.begin(), items.end(), match);
        return it == items.end() ? -1 : static_cast<long>(it - items.begin());
    };
    if (list == 1)
        return firstOf(PeRecords(), [&](const JSE_PageExceptionType& r) {
            return Covers(r, page) && (code == -1 || r.exceptionMode == code);
        });
    if (list == 2) return firstOf(savedPageExceptions, [&](const JSE_PageExceptionType& r) { return Covers(r, page); });
    return firstOf(selectedPages, [&](const pageSelectionRecord& s) { return page <= s.page && s.page <= page2; });
}

void JSE_Validation::CopyExceptionList() {
    if (!PeRecords().empty()) savedPageExceptions = PeRecords();
}

void JSE_Validation::RestoreExceptionList() {
    if (!savedPageExceptions.empty()) PeRecords() = savedPageExceptions;
}

// ---- Selection ----

long JSE_Validation::JSE_Validation_Select_Page(int page, int code) { return SelectPage(page, code); }

long JSE_Validation::SelectPage(long page, int code) {
    if (FindPage(page, page, 1, code) == -1) return kValidationNoRecord;
    const bool held = std::any_of(selectedPages.begin(), selectedPages.end(), [&](const pageSelectionRecord& s) {
        return s.page == page && s.pageType == code;
    });
    if (!held) selectedPages.push_back({page, code});
    return 0;
}

long JSE_Validation::JSE_Validation_SetMedia_For_Selected_Pages(std::wstring name) {
    if (selectedPages.empty()) return kValidationNoSelection;
    for (const pageSelectionRecord& selected : selectedPages) {
        const long i = FindPage(selected.page, selected.page, 1, -1);
        if (i != -1) PeRecords()[static_cast<std::size_t>(i)].mediaName = name;
    }
    return 0;
}

// ---- Exception papers ----

void JSE_Validation::AddItemToPaperSubstitutionList(int paper) {
    paper = PaperOrBody(paper);
    int i = 0;
    if (Find_Value(paper, &i))
        ++exceptionPapers[static_cast<std::size_t>(i)].count;
    else
        exceptionPapers.push_back({paper, 1});
}

void JSE_Validation::JSE_Validation_Remove_Exception_Media(int paper) {
    paper = PaperOrBody(paper);
    int i = 0;
    if (!Find_Value(paper, &i)) return;
    paperException& entry = exceptionPapers[static_cast<std::size_t>(i)];
    if (entry.count > 1)
        --entry.count;
    else
        exceptionPapers.erase(exceptionPapers.begin() + i);
}

void JSE_Validation::JSE_Validation_Remove_All_Exception_Media() { exceptionPapers.clear(); }

long JSE_Validation::JSE_Validation_Add_Exception_Media(int paper, bool count) {
    const long result = JSE_Validation_On_Selected_Pages(paper);
    if (result == 0 && count) AddItemToPaperSubstitutionList(paper);
    return result;
}
