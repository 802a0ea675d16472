// Preparation of the page-exception list before the first line is written:
// neutralising substitutions without paper, sorting by first page, merging
// continued substitutions and building the slip list.
#include <cstdint>
#include <iterator>
#include <map>
#include <vector>

#include "JSE_Records.h"
#include "VLX_Writer.h"

namespace {

using PeList = std::vector<vlxPageExeptionType>;

bool isSubstitution(const vlxPageExeptionType& record) { return record.exceptionMode == kPePaperSubstitution; }

bool spansSeveralPages(const vlxPageExeptionType& record) { return record.endingPage != record.startingPage; }

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

// The plex each page prints with, as the plex line gives it: from each
// page on, the value of the last item for that page until the next page
// that has an item; kPeNotSet the job's plex.
using PagePlex = std::map<std::int64_t, std::int32_t>;

PagePlex plexByPage(const PeList& list) {
    PagePlex plex;
    for (const PlexLineItem& item : PlexLineItems(list)) plex[item.page] = item.value;
    return plex;
}

std::int32_t plexOnPage(const PagePlex& plex, std::int64_t page) {
    auto after = plex.upper_bound(page);
    return after == plex.begin() ? kPeNotSet : std::prev(after)->second;
}

// A slip piece of the substitution prints with the plex of its pages; where
// they print with the job's, the substitution's own setting decides as it
// would alone (its own plex, when that is the job's, or its print mode).
vlxPageExeptionType slipPiece(const vlxPageExeptionType& own, std::int64_t first, std::int64_t last,
                              std::int32_t plex) {
    vlxPageExeptionType piece = own;
    piece.startingPage = first;
    piece.endingPage = last;
    if (plex != kPeNotSet) {
        piece.pePlex = true;
        piece.pePlexValue = plex;
    } else if (own.pePlex && own.pePlexValue != kPeNotSet) {
        piece.pePlex = false;
        piece.pePlexValue = kPeNotSet;
    }
    return piece;
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

// Each substitution is split where the plex its pages print with changes,
// whatever the order of the records that give it.
void VLX_Writer::CreateSlipList() {
    SlipList.clear();
    const PeList& list = vlxMediaExceptionList;
    const PagePlex plex = plexByPage(list);
    for (const vlxPageExeptionType& own : list) {
        if (!isSubstitution(own)) continue;
        std::int64_t first = own.startingPage;
        std::int32_t value = plexOnPage(plex, first);
        for (auto change = plex.upper_bound(first); change != plex.end() && change->first <= own.endingPage;
             ++change) {
            if (change->second == value) continue;
            SlipList.push_back(slipPiece(own, first, change->first - 1, value));
            first = change->first;
            value = change->second;
        }
        SlipList.push_back(slipPiece(own, first, own.endingPage, value));
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
            else end = pageAfter(end).value_or(end);
            ++next;
        }
        if (end > merged.endingPage) merged.endingPage = end;
        SlipList.push_back(merged);
        index = next;
    }
    vlxMediaExceptionListCopy.clear();
}
