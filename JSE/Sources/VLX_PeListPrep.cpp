// Preparation of the page-exception list before the first line is written:
// neutralising substitutions without paper, sorting by first page, merging
// continued substitutions and building the slip list.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "JSE_Records.h"
#include "VLX_Writer.h"

namespace {

using PeList = std::vector<vlxPageExeptionType>;

bool isSubstitution(const vlxPageExeptionType& record) { return record.exceptionMode == kPePaperSubstitution; }

bool spansSeveralPages(const vlxPageExeptionType& record) { return record.endingPage != record.startingPage; }

// True when the page comes right after `last`; nothing comes after the last
// page number there is.
bool followsDirectly(std::int64_t last, std::int64_t page) { return last < INT64_MAX && page == last + 1; }

bool samePaper(const vlxPageExeptionType& a, const vlxPageExeptionType& b) {
    return a.mediaName.str() == b.mediaName.str();
}

bool sameDevices(const vlxPeDeviceType& a, const vlxPeDeviceType& b) {
    return a.peFold == b.peFold && a.peFoldValue == b.peFoldValue && a.peJog == b.peJog &&
           a.peJogValue == b.peJogValue && a.pePostProcess == b.pePostProcess &&
           a.pePostProcessValue == b.pePostProcessValue && a.peStaple == b.peStaple &&
           a.peStapleValue == b.peStapleValue && a.peOutput == b.peOutput && a.peOutputValue == b.peOutputValue &&
           a.peTrim == b.peTrim && a.peTrimValue == b.peTrimValue;
}

// Two records agree in every page-level setting; their kind, exit, pages and
// paper are not compared.
bool WeCanCombineThem(const vlxPageExeptionType& a, const vlxPageExeptionType& b) {
    return a.pePunch == b.pePunch && a.printOn == b.printOn && a.printingMode == b.printingMode &&
           a.peGRET == b.peGRET && a.peGRETValue == b.peGRETValue && a.pePlex == b.pePlex &&
           a.pePlexValue == b.pePlexValue && a.peRotate == b.peRotate && a.peRotateValue == b.peRotateValue &&
           a.peShift == b.peShift && a.frontX == b.frontX && a.frontY == b.frontY && a.backX == b.backX &&
           a.backY == b.backY && a.peSide == b.peSide && a.peSideValue == b.peSideValue &&
           a.finishChapter == b.finishChapter && a.peSubset == b.peSubset && sameDevices(a.peRecord, b.peRecord) &&
           a.pageCopies == b.pageCopies;
}

bool combinable(const vlxPageExeptionType& a, const vlxPageExeptionType& b) {
    return samePaper(a, b) && WeCanCombineThem(a, b);
}

// Index of the first record at or after `from` whose range holds the page and
// which sets page-level settings (neither an insert nor a substitution
// without paper); -1 when there is none.
long vlxPageInPeList(std::size_t from, std::int64_t page, const PeList& list) {
    for (std::size_t index = from; index < list.size(); ++index) {
        const vlxPageExeptionType& record = list[index];
        // The list is ordered by first page: no later record holds the page.
        if (record.startingPage > page) break;
        const std::int32_t code = record.exceptionMode;
        if (code == kPeNoKind || code == kPeInsertBefore || code == kPeInsertAfter) continue;
        if (record.startingPage <= page && record.endingPage >= page) return static_cast<long>(index);
    }
    return -1;
}

// Binary search for the place of a record in a list ordered by first page: a
// record goes behind the first record of its own first page and kind that the
// search meets, else behind every record of its first page.
std::size_t sortedPosition(const PeList& records, const std::vector<std::size_t>& sorted,
                           const vlxPageExeptionType& record) {
    const long size = static_cast<long>(sorted.size());
    long position = 0;
    long low = 0;
    long high = size;
    while (low <= high) {
        const long middle = (low + high) / 2;
        if (middle >= size) {
            position = middle;
            break;
        }
        const vlxPageExeptionType& met = records[sorted[static_cast<std::size_t>(middle)]];
        if (record.startingPage == met.startingPage && record.exceptionMode == met.exceptionMode) {
            position = middle + 1;
            break;
        }
        if (record.startingPage >= met.startingPage) {
            low = middle + 1;
            position = low;
        } else {
            high = middle - 1;
            position = middle;
        }
    }
    return static_cast<std::size_t>(position);
}

// The substitution starting at `first` absorbs the substitutions of the same
// paper and settings that continue it page by page. Other records starting on
// the page after it are deferred behind it; once a longer one has been passed,
// merging stops at the first record ending beyond it. Returns the index after
// the last record taken.
std::size_t mergeSubstitution(const PeList& sorted, std::size_t first, vlxPageExeptionType& merged,
                              std::vector<std::size_t>& deferred) {
    std::int64_t end = merged.endingPage;
    std::int64_t reach = merged.startingPage;
    std::size_t next = first + 1;
    for (; next < sorted.size(); ++next) {
        const vlxPageExeptionType& following = sorted[next];
        if (reach != merged.startingPage && following.endingPage > reach) break;
        if (!isSubstitution(following) && spansSeveralPages(following) && following.endingPage > reach)
            reach = following.endingPage;
        if (!followsDirectly(end, following.startingPage)) break;
        if (!isSubstitution(following)) {
            deferred.push_back(next);
            continue;
        }
        if (!combinable(merged, following)) break;
        end = following.endingPage;
        merged.endingPage = end;
    }
    return next;
}

// The first page after `page` on which the records holding a page can
// differ from those holding `page`: where one of them ends or a later one
// starts; `last` + 1 when that is past `last`. The list is ordered by first
// page.
std::int64_t nextRecordBoundary(const PeList& list, std::size_t from, std::int64_t page, std::int64_t last) {
    std::int64_t next = last < INT64_MAX ? last + 1 : last;
    for (std::size_t index = from; index < list.size(); ++index) {
        const vlxPageExeptionType& record = list[index];
        if (record.startingPage > page) return std::min(next, record.startingPage);
        if (record.endingPage >= page && record.endingPage < next) next = record.endingPage + 1;
    }
    return next;
}

// The first page, from `from` on, whose plex differs from the slip record's
// own: the index of the record that sets it, -1 when there is none. A slip
// record without plex of its own takes the first differing plex it meets on
// its first page; met on a later page, the plex is a change there, so that
// the pages before it keep the job's plex.
long plexChangeOnPage(const PeList& list, std::size_t from, std::int64_t page, vlxPageExeptionType& slip) {
    for (std::size_t scan = from; scan < list.size();) {
        const long found = vlxPageInPeList(scan, page, list);
        if (found < 0) return -1;
        const vlxPageExeptionType& record = list[static_cast<std::size_t>(found)];
        if (record.pePlex && record.pePlexValue != slip.pePlexValue) {
            if (slip.pePlex || record.startingPage > slip.startingPage) return found;
            slip.pePlex = true;
            slip.pePlexValue = record.pePlexValue;
        }
        scan = static_cast<std::size_t>(found) + 1;
    }
    return -1;
}

// Whether a record from `from` on gives the page a plex.
bool plexOnPage(const PeList& list, std::size_t from, std::int64_t page) {
    for (long found = vlxPageInPeList(from, page, list); found >= 0;
         found = vlxPageInPeList(static_cast<std::size_t>(found) + 1, page, list)) {
        if (list[static_cast<std::size_t>(found)].pePlex) return true;
    }
    return false;
}

}  // namespace

void VLX_Writer::PreFlightPeList() {
    for (vlxPageExeptionType& record : vlxMediaExceptionList)
        if (isSubstitution(record) && record.fromJobPaper && record.mediaName.empty())
            record.exceptionMode = kPeNoKind;
}

void VLX_Writer::CopyExceptionList() {
    if (vlxMediaExceptionList.empty()) return;
    vlxMediaExceptionListCopy = vlxMediaExceptionList;
    vlxMediaExceptionList.clear();
}

// Records are placed one by one with the binary search; only their indices
// move while the order is built, so a long list is not copied record by
// record at every insertion.
void VLX_Writer::zqSort() {
    const PeList& unsorted = vlxMediaExceptionListCopy;
    std::vector<std::size_t> order;
    order.reserve(unsorted.size());
    for (std::size_t index = 0; index < unsorted.size(); ++index) {
        const std::size_t position = sortedPosition(unsorted, order, unsorted[index]);
        order.insert(order.begin() + static_cast<long>(position), index);
    }
    vlxMediaExceptionListSortCopy.clear();
    vlxMediaExceptionListSortCopy.reserve(order.size());
    for (std::size_t index : order) vlxMediaExceptionListSortCopy.push_back(unsorted[index]);
    vlxMediaExceptionListCopy.swap(vlxMediaExceptionListSortCopy);
    vlxMediaExceptionListSortCopy.clear();
}

void VLX_Writer::PageException_PreProcess() {
    const PeList& sorted = vlxMediaExceptionListCopy;
    std::size_t index = 0;
    while (index < sorted.size()) {
        vlxPageExeptionType record = sorted[index];
        std::vector<std::size_t> deferred;
        std::size_t next = index + 1;
        if (isSubstitution(record)) next = mergeSubstitution(sorted, index, record, deferred);
        vlxMediaExceptionList.push_back(record);
        for (std::size_t kept : deferred) vlxMediaExceptionList.push_back(sorted[kept]);
        index = next;
    }
    vlxMediaExceptionListCopy.clear();
}

// Each substitution is split where a later record changes the plex of its
// pages. A change that begins on or before the slip record's current first
// page only gives the record its plex: splitting there would leave a piece
// that ends before it begins. A plex the slip took from the list holds only
// for the pages that the list gives it: the pages after keep the job's.
void VLX_Writer::CreateSlipList() {
    SlipList.clear();
    const PeList& list = vlxMediaExceptionList;
    for (std::size_t index = 0; index < list.size(); ++index) {
        if (!isSubstitution(list[index])) continue;
        const vlxPageExeptionType& own = list[index];
        vlxPageExeptionType slip = own;
        std::int64_t page = own.startingPage;
        while (page <= slip.endingPage) {
            if (!own.pePlex && slip.pePlex && page > slip.startingPage && !plexOnPage(list, index + 1, page)) {
                vlxPageExeptionType before = slip;
                before.endingPage = page - 1;
                SlipList.push_back(before);
                slip.startingPage = page;
                slip.pePlex = false;
                slip.pePlexValue = own.pePlexValue;
            }
            const bool plexBefore = slip.pePlex;
            const std::int32_t valueBefore = slip.pePlexValue;
            const long change = plexChangeOnPage(list, index + 1, page, slip);
            if (change < 0 && slip.pePlex == plexBefore && slip.pePlexValue == valueBefore) {
                // Nothing changed on this page, and nothing will until the
                // records holding the pages change: go on from there.
                const std::int64_t boundary = nextRecordBoundary(list, index + 1, page, slip.endingPage);
                if (boundary <= page || boundary > slip.endingPage) break;
                page = boundary;
                continue;
            }
            if (change >= 0) {
                const vlxPageExeptionType& changer = list[static_cast<std::size_t>(change)];
                if (changer.startingPage > slip.startingPage) {
                    vlxPageExeptionType before = slip;
                    before.endingPage = changer.startingPage - 1;
                    SlipList.push_back(before);
                    slip.startingPage = changer.startingPage;
                }
                slip.pePlex = true;
                slip.pePlexValue = changer.pePlexValue;
            }
            if (page == INT64_MAX) break;
            ++page;
        }
        SlipList.push_back(slip);
    }
}

// Adjoining slip records of the same paper and settings become one.
void VLX_Writer::CombineSlipList() {
    if (SlipList.empty()) return;
    vlxMediaExceptionListCopy = SlipList;
    SlipList.clear();
    const PeList& slips = vlxMediaExceptionListCopy;
    for (std::size_t index = 0; index < slips.size();) {
        vlxPageExeptionType merged = slips[index];
        std::int64_t end = merged.endingPage;
        std::size_t next = index + 1;
        while (next < slips.size()) {
            const vlxPageExeptionType& following = slips[next];
            const bool adjoins = followsDirectly(end, following.startingPage) ||
                                 followsDirectly(merged.endingPage, following.startingPage);
            if (!adjoins || !combinable(merged, following)) break;
            if (spansSeveralPages(following)) end = following.endingPage;
            else if (end < INT64_MAX) ++end;
            ++next;
        }
        if (end > merged.endingPage) merged.endingPage = end;
        SlipList.push_back(merged);
        index = next;
    }
    vlxMediaExceptionListCopy.clear();
}
