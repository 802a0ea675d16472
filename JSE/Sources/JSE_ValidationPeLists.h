// The working lists of the validator's page-exception checks: a list of
// records with a look-up of those that share pages with a range, and the
// pages of a range that no record has claimed yet. Included by the
// validator's page-exception sources only.
//
// Both answer in time that grows with what they find, not with the length of
// the list or of the range, so that checking every record of a long list, or
// a range up to the last page, never walks the whole list or steps page by
// page; what every record of a subset needs is gathered once per view.
#pragma once

#include <compare>
#include <cstddef>
#include <map>
#include <vector>

#include "JSE_Validation.h"

// The value codes the page-exception checks compare.
namespace pe_values {
enum Device { kTopTray = 1, kStapler = 2, kStacker = 3, kBookletMaker = 4, kOtherExit = 5, kSixthDevice = 6 };
enum Mode {
    kSimplex = 1, kDuplexLong = 2, kDuplexShort = 3, kInterleaveBlank = 4, kInterleavePrinted = 5, kPamphlet = 6,
    kInsertBeforeMode = 100, kInsertAfterMode = 101,
};
enum Finishing { kFrontSide = 1, kBackSide = 2, kJogOn = 7, kTrimOn = 10 };
// Job-level trimming and offset stacking as features, and the demand that a
// paper be printable, beside the page-exception codes.
enum FeatureCode { kJobTrimming = 116, kJobOffsetStacking = 118, kPrintablePaper = 310 };
}  // namespace pe_values

// An insert: a sheet of its own before or after the pages, not a page.
inline bool IsInsert(int code) { return code == kPeInsertBefore || code == kPeInsertAfter || code == kPeInsertLike; }

// A record whose last page precedes its first, and such a range, hold no page.
inline bool SharesPages(const JSE_PageExceptionType& record, long start, long end) {
    return record.startingPage <= record.endingPage && record.startingPage <= end && start <= record.endingPage;
}

inline bool HoldsRange(const JSE_PageExceptionType& record, long start, long end) {
    return record.startingPage <= start && end <= record.endingPage;
}

inline bool HasRange(const JSE_PageExceptionType& record, long start, long end) {
    return record.startingPage == start && record.endingPage == end;
}

// The papers of a range's pages going to one device: each paper with the
// number of records that bring it, the paper each such record brings, and
// the pages no record claims.
struct JSE_Validation::DevicePapers {
    MediaNameList papers;                        // in the order first met
    std::vector<long> uses;                      // one count per paper
    std::map<std::size_t, std::size_t> paperOf;  // record -> its paper's place
    std::map<long, long> unclaimed;              // first page -> last page
};

class JSE_Validation::PeListView {
public:
    // The records must outlive the view and stay unchanged.
    explicit PeListView(const std::vector<JSE_PageExceptionType>& records);

    std::size_t size() const { return m_records.size(); }
    const JSE_PageExceptionType& operator[](std::size_t i) const { return m_records[i]; }
    // The positions, in list order, of the records sharing a page with
    // start..end.
    IndexList Overlapping(long start, long end) const;

    // The papers gathered once for the pages of the subsets of a range going
    // to a device, kept for later checks on the same view: every record
    // within one subset needs the same ones. The key holds the job values
    // and the subsets they depend on.
    struct DevicePapersKey {
        long start, end;
        int device, jobExit;
        WString jobPaper;
        IndexList subsets;
        auto operator<=>(const DevicePapersKey&) const = default;
    };
    const DevicePapers* FindDevicePapers(const DevicePapersKey& key) const;
    const DevicePapers& KeepDevicePapers(const DevicePapersKey& key, DevicePapers papers) const;

private:
    void Collect(std::size_t node, std::size_t low, std::size_t high, std::size_t limit, long start,
                 IndexList& out) const;

    const std::vector<JSE_PageExceptionType>& m_records;
    IndexList m_byFirst;         // the records holding pages, by first page
    std::vector<long> m_firsts;  // their first pages, in that order
    std::size_t m_leaves = 0;    // a power of two, at least their number
    std::vector<long> m_maxLast; // a tree over m_byFirst: the largest last page below each node
    mutable std::map<DevicePapersKey, DevicePapers> m_devicePapers;
};

class JSE_Validation::UnclaimedPages {
public:
    // The pages start..end; none when end precedes start.
    UnclaimedPages(long start, long end);

    // Claims the pages from..to: true when they were all still unclaimed, in
    // one stretch. Otherwise whatever part of them was unclaimed is claimed
    // all the same, and the result is false.
    bool RemovePageRangeFromList(long from, long to);
    bool empty() const { return m_stretches.empty(); }
    const std::map<long, long>& stretches() const { return m_stretches; }

private:
    std::map<long, long> m_stretches;  // first page -> last page; apart and in order
};
