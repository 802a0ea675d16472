// What applies to a range of pages, gathered from a list of page-exception
// records and the job context: the papers the pages print on, the output
// devices they go to, their print modes and their finishing and side
// features. Each list keeps its items once, in the order first met.
//
// A record counts for the range only while its part of the range is still
// unclaimed, and then claims it: records earlier in the list win over later
// ones for the same pages. Pages no record claims take the job's own values,
// but only while the job's body paper is known.
#include <algorithm>
#include <map>
#include <utility>

#include "JSE_ValidationPeLists.h"

namespace {

using namespace pe_values;

// The record's pages within start..end.
long ClippedFirst(const JSE_PageExceptionType& record, long start) {
    return std::max<long>(record.startingPage, start);
}
long ClippedLast(const JSE_PageExceptionType& record, long end) { return std::min<long>(record.endingPage, end); }

// Claims the record's part of the range in the list of unclaimed pages.
template <class Unclaimed>
bool Claim(Unclaimed& unclaimed, const JSE_PageExceptionType& record, long start, long end) {
    return unclaimed.RemovePageRangeFromList(ClippedFirst(record, start), ClippedLast(record, end));
}

// Whether pages of the stretches, apart and in order, lie outside start..end.
bool HasPagesBeside(const std::map<long, long>& stretches, long start, long end) {
    return !stretches.empty() && (stretches.begin()->first < start || stretches.rbegin()->second > end);
}

// Whether pages of start..end lie outside every subset given (inserts hold
// no page), and so go to the job's document exit.
template <class Unclaimed, class List>
bool HasPagesOutsideSubsets(const List& list, const std::vector<std::size_t>& subsets, long start, long end) {
    Unclaimed unclaimed(start, end);
    for (const std::size_t i : subsets)
        if (!IsInsert(list[i].exceptionMode)) Claim(unclaimed, list[i], start, end);
    return !unclaimed.empty();
}

template <class T>
int AddOnce(const T& item, std::vector<T>& list) {
    if (std::find(list.begin(), list.end(), item) != list.end()) return 1;
    list.push_back(item);
    return 0;
}

}  // namespace

// ---- The lists' adders: 1 when the item was there already, 0 when added ----

int JSE_Validation::AddMediaNameToMediaNameList(const WString& name, MediaNameList& papers) {
    return AddOnce(name, papers);
}

int JSE_Validation::AddDeviceToDeviceList(int device, ValueList& devices) {
    return AddOnce(device == kPeNotSet ? jobDocumentExit : device, devices);
}

int JSE_Validation::AddModeToModeList(int mode, ValueList& modes) {
    return AddOnce(mode == kPeNotSet ? jobPrintMode : mode, modes);
}

// Features are the same when their type and value are.
int JSE_Validation::AddFeatureToFeatureList(JSE_PageEFeatureType feature, FeatureList& features) {
    if (feature.featureValue == kPeNotSet && feature.featureType == kPeSubsetTrim) feature.featureValue = jobTrimming;
    if (feature.featureValue == kPeNotSet && feature.featureType == kPeSubsetJog)
        feature.featureValue = jobOffsetStacking;
    for (const JSE_PageEFeatureType& held : features)
        if (held.featureType == feature.featureType && held.featureValue == feature.featureValue) return 1;
    features.push_back(feature);
    return 0;
}

// ---- A record's output device ----

int JSE_Validation::OutputFirstDevice(const JSE_PageExceptionType& record) const {
    if (record.peRecord.peOutput && record.peRecord.peOutputValue != kPeNotSet) return record.peRecord.peOutputValue;
    if (record.paperExit != kPeNotSet) return record.paperExit;
    return jobDocumentExit;
}

int JSE_Validation::ExitFirstDevice(const JSE_PageExceptionType& record, bool fallback) const {
    if (record.paperExit != kPeNotSet) return record.paperExit;
    if (record.peRecord.peOutput && record.peRecord.peOutputValue != kPeNotSet) return record.peRecord.peOutputValue;
    return fallback ? jobDocumentExit : kPeNotSet;
}

// ---- Gathering ----

// Inserts and records on the job's paper bring no paper of their own.
void JSE_Validation::GetMediaForPageRange(long start, long end, const PeListView& list, MediaNameList& papers) {
    UnclaimedPages unclaimed(start, end);
    for (const std::size_t i : list.Overlapping(start, end)) {
        const JSE_PageExceptionType& record = list[i];
        const int code = record.exceptionMode;
        if (record.fromJobPaper || code == kPeNoKind || code == kPeInsertBefore || code == kPeInsertAfter) continue;
        if (!Claim(unclaimed, record, start, end)) continue;
        const long from = ClippedFirst(record, start), to = ClippedLast(record, end);
        if (ticketValidation && !IsTheSameDevice(list, from, to, start, end)) continue;
        AddMediaNameToMediaNameList(record.mediaName, papers);
    }
    if (!unclaimed.empty() && !jobBodyPaper.empty()) AddMediaNameToMediaNameList(jobBodyPaper, papers);
}

// -1 no finishing subset shares a page with the range; 0 one subset holds
// it all; -2 one holds part of it; -3 several do, and the covering range
// spans them and the range.
int JSE_Validation::GetSubsetForPageRange(long start, long end, const PeListView& list, long& subsetFirst,
                                          long& subsetLast, IndexList& subsets) {
    subsets.clear();
    for (const std::size_t i : list.Overlapping(start, end))
        if (list[i].peSubset) subsets.push_back(i);
    if (subsets.empty()) {
        subsetFirst = subsetLast = -1;
        return -1;
    }
    if (subsets.size() == 1) {
        const JSE_PageExceptionType& subset = list[subsets.front()];
        subsetFirst = subset.startingPage;
        subsetLast = subset.endingPage;
        return HoldsRange(subset, start, end) ? 0 : -2;
    }
    subsetFirst = start;
    subsetLast = end;
    for (const std::size_t i : subsets) {
        subsetFirst = std::min<long>(subsetFirst, list[i].startingPage);
        subsetLast = std::max<long>(subsetLast, list[i].endingPage);
    }
    return -3;
}

// The papers of the range that go where its subsets go: the device of the
// last subset that names one, else the job's document exit.
int JSE_Validation::GetMediaForPageRangeAndOutputDevice(long start, long end, const PeListView& list,
                                                        const IndexList& subsets, MediaNameList& papers) {
    int subsetDevice = jobDocumentExit;
    for (auto it = subsets.rbegin(); it != subsets.rend(); ++it) {
        const int device = ExitFirstDevice(list[*it], false);
        if (device == kPeNotSet) continue;
        subsetDevice = device;
        break;
    }
    const DevicePapers& gathered = GatherDevicePapers(start, end, list, subsets, subsetDevice);
    for (const WString& name : gathered.papers) AddMediaNameToMediaNameList(name, papers);
    if (!gathered.unclaimed.empty() && !jobBodyPaper.empty()) AddMediaNameToMediaNameList(jobBodyPaper, papers);
    return 0;
}

const JSE_Validation::DevicePapers& JSE_Validation::GatherDevicePapers(long start, long end, const PeListView& list,
                                                                       const IndexList& subsets, int device) {
    const PeListView::DevicePapersKey key{start, end, device, jobDocumentExit, jobBodyPaper, subsets};
    if (const DevicePapers* found = list.FindDevicePapers(key)) return *found;
    DevicePapers gathered;
    UnclaimedPages unclaimed(start, end);
    for (const std::size_t i : list.Overlapping(start, end)) {
        const JSE_PageExceptionType& record = list[i];
        const int code = record.exceptionMode;
        if (record.fromJobPaper || code == kPeNoKind) continue;
        const long from = ClippedFirst(record, start), to = ClippedLast(record, end);
        const bool counts = IsInsert(code) ? InsertGoesWith(list, record, device)
                                           : Claim(unclaimed, record, start, end) &&
                                                 PagesGoTo(list, subsets, record, from, to, device);
        if (!counts) continue;
        MediaNameList& papers = gathered.papers;
        const std::size_t place = std::find(papers.begin(), papers.end(), record.mediaName) - papers.begin();
        if (place == papers.size()) {
            papers.push_back(record.mediaName);
            gathered.uses.push_back(0);
        }
        ++gathered.uses[place];
        gathered.paperOf.emplace(i, place);
    }
    gathered.unclaimed = unclaimed.stretches();
    return list.KeepDevicePapers(key, std::move(gathered));
}

// An insert goes to its tray, or without one to the job's document exit,
// and joins the papers going there only while all its pages go there too,
// as its own check has it.
bool JSE_Validation::InsertGoesWith(const PeListView& list, const JSE_PageExceptionType& record, int device) {
    if (ExitFirstDevice(record, true) != device) return false;
    ValueList devices;
    return GetDeviceForPageRange(record.startingPage, record.endingPage, list, devices) == 0 && !devices.empty() &&
           devices.front() == device;
}

// A record's pages go to its own device; without one, where the subsets
// holding them go, and outside every subset to the job's document exit.
bool JSE_Validation::PagesGoTo(const PeListView& list, const IndexList& subsets, const JSE_PageExceptionType& record,
                               long from, long to, int device) const {
    const int own = ExitFirstDevice(record, false);
    if (own != kPeNotSet) return own == device;
    bool inSubset = false;
    for (const std::size_t i : subsets) {
        if (!SharesPages(list[i], from, to)) continue;
        if (ExitFirstDevice(list[i], true) == device) return true;
        inSubset = true;
    }
    return !inSubset && jobDocumentExit == device;
}

// The papers of the pages going to the device with start..end: those of the
// other pages of the subsets going there, or the body paper without one. The
// body paper also joins them when pages of the range outside every subset
// take the job's document exit to the same device, as the rest of the job
// does.
void JSE_Validation::GetMediaBesideRange(long start, long end, const PeListView& list, const IndexList& subsets,
                                         long subsetFirst, long subsetLast, int device, MediaNameList& papers) {
    const bool toSubset = std::any_of(subsets.begin(), subsets.end(),
                                      [&](std::size_t i) { return ExitFirstDevice(list[i], true) == device; });
    if (!toSubset) {
        if (!jobBodyPaper.empty()) AddMediaNameToMediaNameList(jobBodyPaper, papers);
        return;
    }
    const DevicePapers& gathered = GatherDevicePapers(subsetFirst, subsetLast, list, subsets, device);
    std::vector<long> uses = gathered.uses;
    for (const std::size_t i : list.Overlapping(start, end)) {
        const auto brought = gathered.paperOf.find(i);
        const JSE_PageExceptionType& record = list[i];
        if (brought == gathered.paperOf.end() || IsInsert(record.exceptionMode)) continue;
        if (ClippedFirst(record, subsetFirst) >= start && ClippedLast(record, subsetLast) <= end) --uses[brought->second];
    }
    for (std::size_t k = 0; k < uses.size(); ++k)
        if (uses[k] > 0) AddMediaNameToMediaNameList(gathered.papers[k], papers);
    const bool besideInSubsets = HasPagesBeside(gathered.unclaimed, start, end);
    const bool withTheJob =
        device == jobDocumentExit && HasPagesOutsideSubsets<UnclaimedPages>(list, subsets, start, end);
    if (!jobBodyPaper.empty() && (besideInSubsets || withTheJob)) AddMediaNameToMediaNameList(jobBodyPaper, papers);
}

// The papers of the range itself, and those sharing its subsets' device over
// the range the subsets cover (-1 and -1 without subsets).
void JSE_Validation::GetMediaForPageRangeAndSubset(long start, long end, const PeListView& list,
                                                   MediaNameList& devicePapers, MediaNameList& rangePapers,
                                                   long& subsetFirst, long& subsetLast) {
    GetMediaForPageRange(start, end, list, rangePapers);
    IndexList subsets;
    if (GetSubsetForPageRange(start, end, list, subsetFirst, subsetLast, subsets) != -1)
        GetMediaForPageRangeAndOutputDevice(subsetFirst, subsetLast, list, subsets, devicePapers);
    else if (!jobBodyPaper.empty())
        AddMediaNameToMediaNameList(jobBodyPaper, devicePapers);
}

// The devices the range's subsets send it to: -1 when there are several.
int JSE_Validation::GetDeviceForPageRange(long start, long end, const PeListView& list, ValueList& devices) {
    long subsetFirst = 0, subsetLast = 0;
    IndexList subsets;
    GetSubsetForPageRange(start, end, list, subsetFirst, subsetLast, subsets);
    UnclaimedPages unclaimed(start, end);
    for (const std::size_t i : subsets) {
        const JSE_PageExceptionType& record = list[i];
        if (!IsInsert(record.exceptionMode) && !Claim(unclaimed, record, start, end)) continue;
        AddDeviceToDeviceList(OutputFirstDevice(record), devices);
    }
    if (!unclaimed.empty() && !jobBodyPaper.empty()) AddDeviceToDeviceList(jobDocumentExit, devices);
    return devices.size() > 1 ? -1 : 0;
}

// Plex records give their mode; an insert of exactly the range, asked for,
// gives 100 (before) or 101 (after).
int JSE_Validation::GetModeForPageRange(long start, long end, const PeListView& list, ValueList& modes,
                                        bool withInserts) {
    UnclaimedPages unclaimed(start, end);
    for (const std::size_t i : list.Overlapping(start, end)) {
        const JSE_PageExceptionType& record = list[i];
        const int code = record.exceptionMode;
        if (code == kPeInsertBefore || code == kPeInsertAfter) {
            if (withInserts && HasRange(record, start, end) && !record.peSubset)
                AddModeToModeList(code == kPeInsertBefore ? kInsertBeforeMode : kInsertAfterMode, modes);
        } else if (code != kPeInsertLike && record.pePlex && record.pePlexValue != kPeNotSet &&
                   Claim(unclaimed, record, start, end)) {
            AddModeToModeList(record.pePlexValue, modes);
        }
    }
    if (!unclaimed.empty() && !jobBodyPaper.empty()) AddModeToModeList(jobPrintMode, modes);
    return 0;
}

// Subset jog and trim, punch and print side, each claiming pages in a list
// of its own; the features carry the record's own pages. Punch is looked at
// only while the job punches: for a substitution on the records that carry
// paper, for an insert on the inserts of its own code.
int JSE_Validation::GetFeatureForPageRange(long start, long end, const PeListView& list, FeatureList& features,
                                           int code) {
    UnclaimedPages jog(start, end), trim(start, end), punch(start, end), side(start, end);
    const auto add = [&](int type, int value, const JSE_PageExceptionType& record) {
        const long first = record.startingPage, last = record.endingPage;
        AddFeatureToFeatureList({type, value, first, last}, features);
    };
    for (const std::size_t i : list.Overlapping(start, end)) {
        const JSE_PageExceptionType& record = list[i];
        const JSE_PeRecordType& device = record.peRecord;
        if (record.peSubset && device.peJog && device.peJogValue != kPeNotSet && Claim(jog, record, start, end))
            add(kPeSubsetJog, device.peJogValue, record);
        if (record.peSubset && device.peTrim && device.peTrimValue != kPeNotSet && Claim(trim, record, start, end))
            add(kPeSubsetTrim, device.peTrimValue, record);
        const int kind = record.exceptionMode;
        const bool punched = code == kPePaperSubstitution ? kind != kPeNoKind && !IsInsert(kind)
                                                          : IsInsert(code) && kind == code;
        if (jobPunch != 0 && punched && Claim(punch, record, start, end)) add(kPePunch, record.pePunch ? 1 : 0, record);
        if (record.peSide && record.peSideValue != kPeNotSet && Claim(side, record, start, end))
            add(kPePrintSide, record.peSideValue, record);
    }
    if (!jog.empty() && jobOffsetStacking != 0)
        AddFeatureToFeatureList({kJobOffsetStacking, jobOffsetStacking, 0, 0}, features);
    if (!trim.empty() && jobTrimming != 0) AddFeatureToFeatureList({kJobTrimming, jobTrimming, 0, 0}, features);
    if (!punch.empty() && jobPunch != 0) AddFeatureToFeatureList({kPePunch, jobPunch, 0, 0}, features);
    if (!side.empty()) AddFeatureToFeatureList({kPePrintSide, jobSpare, 0, 0}, features);
    return 0;
}

// The inserts of one code on exactly the range, in list order.
long JSE_Validation::GetPageWithPageRangeForFeatureType(long start, long end, int code, const PeListView& list,
                                                        IndexList& out) {
    out.clear();
    if (!IsInsert(code)) return 0;
    for (const std::size_t i : list.Overlapping(start, end))
        if (HasRange(list[i], start, end) && list[i].exceptionMode == code) out.push_back(i);
    return static_cast<long>(out.size());
}

namespace {

enum class Verdict { Same, Differs, EndsTrue };

// The first multi-page record holding the stretch whose output device is
// set decides; a holding record without an output ends the whole test.
template <class List, class Indices>
Verdict CompareWithHolder(const List& list, const Indices& around, long from, long to, int device,
                          const WString& paper) {
    for (const std::size_t i : around) {
        const JSE_PageExceptionType& record = list[i];
        if (!HoldsRange(record, from, to) || record.startingPage == record.endingPage) continue;
        if (!record.peRecord.peOutput) return Verdict::EndsTrue;
        if (record.peRecord.peOutputValue == kPeNotSet) continue;
        if (record.peRecord.peOutputValue != device || record.mediaName != paper) return Verdict::Differs;
        return Verdict::Same;
    }
    return Verdict::Same;
}

}  // namespace

// Whether the stretch start..end, and then the part from..to of it, go to
// the device and paper of the multi-page record holding them. Used while
// whole tickets are validated.
bool JSE_Validation::IsTheSameDevice(const PeListView& list, long from, long to, long start, long end) {
    int device = kPeNotSet;
    WString paper;
    const IndexList aroundRange = list.Overlapping(start, end);
    for (const std::size_t i : aroundRange) {
        if (!HasRange(list[i], start, end)) continue;
        if (list[i].peRecord.peOutputValue != kPeNotSet) {
            device = list[i].peRecord.peOutputValue;
            paper = list[i].mediaName;
        }
        break;
    }
    Verdict verdict = CompareWithHolder(list, aroundRange, start, end, device, paper);
    if (verdict != Verdict::Same) return verdict == Verdict::EndsTrue;
    const IndexList aroundPart = list.Overlapping(from, to);
    for (const std::size_t i : aroundPart) {
        if (!HasRange(list[i], from, to) || list[i].peRecord.peOutputValue == kPeNotSet) continue;
        device = list[i].peRecord.peOutputValue;
        paper = list[i].mediaName;
        break;
    }
    verdict = CompareWithHolder(list, aroundPart, from, to, device, paper);
    return verdict != Verdict::Differs;
}
