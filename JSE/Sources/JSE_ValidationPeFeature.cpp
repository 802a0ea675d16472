// The page-exception feature check: whether one feature may go on a range of
// pages, given what the page-exception records and the job already put
// there. By the feature's code it gathers the papers, devices, print modes
// and finishing features of the range, runs the pairwise checks in a fixed
// order and answers with the message of the first refusal. An internal
// answer below 0 lets the feature pass (-4 an unknown code, -5 pages going
// to several devices).
#include <algorithm>
#include <iterator>
#include <utility>

#include "JSE_Media.h"
#include "JSE_ValidationPeLists.h"

namespace {

using namespace pe_values;

constexpr long kWhileInterleaving = 16142;
constexpr int kOtherMessage = 16009;

// The message identifier of each internal error, from 1.
constexpr std::int32_t kMessages[] = {
    16118, 16002, 16114, 16120, 16011, 16000, 16134, 16004, 16017, 16009, 16125, 16024,
    16025, 16023, 16022, 16125, 16004, 16009, 16141, 16141, 16135, 16009, 16136, 16006,
};

}  // namespace

std::int32_t JSE_Validation::GetJseErrorCode(pe_error error) {
    const int i = static_cast<int>(error);
    return i >= 1 && i <= static_cast<int>(std::size(kMessages)) ? kMessages[i - 1] : kOtherMessage;
}

long JSE_Validation::JSE_Validation_CheckPeFeature(long start, long end, const std::vector<JSE_PageExceptionType>& list,
                                                   int code, const JSE_MediaSelection& paper, int value) {
    const PeListView view(list);
    return CheckPeFeatureOn(start, end, view, code, paper, value);
}

long JSE_Validation::CheckPeFeatureOn(long start, long end, const PeListView& list, int code,
                                      const JSE_MediaSelection& paper, int value) {
    const int mode = Get_Value(eJSE_PrintModeSelection, true);
    if (mode == 4 || mode == 5) return kWhileInterleaving;
    const int result = CheckFeatureOn(start, end, list, code, paper, value);
    return result > 0 ? GetJseErrorCode(static_cast<pe_error>(result)) : 0;
}

int JSE_Validation::CheckFeatureOn(long start, long end, const PeListView& list, int code,
                                   const JSE_MediaSelection& paper, int value) {
    switch (code) {
    case kPeSubsetOutput: return CheckOutputDevice(start, end, list, value);
    case kPePaperSubstitution: return CheckSubstitution(start, end, list, paper);
    case kPeInsertBefore: case kPeInsertAfter: case kPeInsertLike:
        return CheckInsert(start, end, list, code, paper.mediaName, value);
    case kPePrintMode: return CheckPlex(start, end, list, value);
    case kPePrintSide: return CheckSide(start, end, list, value);
    case kPePunch: return CheckPunch(start, end, list, paper.mediaName, value);
    case kPeSubsetTrim: case kPeSubsetJog: return CheckSubsetFinishing(start, end, list, code, value);
    case kPrintablePaper: return value == 0 && !IsPrintableMedia(paper.mediaName) ? kPeNotPrintable : 0;
    case kPeSubsetStaple: case kPePageCopyCount: case kPeChapterStart: case kPeRotation: case kPeImageShift:
    case kPeImageRemoval: return 0;
    default: return -4;
    }
}

// The device against the range's papers, its modes (inserts of exactly the
// range included) and its finishing features.
int JSE_Validation::CheckOutputDevice(long start, long end, const PeListView& list, int value) {
    MediaNameList papers;
    GetMediaForPageRange(start, end, list, papers);
    ValueList devices;
    AddDeviceToDeviceList(value, devices);
    if (const int result = CheckMediaForDevice(papers, devices)) return result;
    ValueList modes;
    GetModeForPageRange(start, end, list, modes, true);
    if (const int result = CheckDeviceForMode(modes, devices)) return result;
    FeatureList features;
    GetFeatureForPageRange(start, end, list, features, kPeSubsetOutput);
    if (const int result = CheckDeviceForFeature(start, end, features, devices)) return result;
    return CheckInsertsInSubset(start, end, list, value);
}

namespace {

// An insert that names a paper of its own: a sheet the pages hold.
bool IsInsertSheet(const JSE_PageExceptionType& record) {
    return IsInsert(record.exceptionMode) && !record.fromJobPaper;
}

// The pages an insert's check reads around the range: those of the
// subsets and inserts sharing a page with it, and with them, and so on.
template <class List>
std::pair<long, long> InsertNeighbourhood(long start, long end, const List& list) {
    for (bool widened = true; widened;) {
        widened = false;
        for (const std::size_t i : list.Overlapping(start, end)) {
            if (!list[i].peSubset && !IsInsertSheet(list[i])) continue;
            widened |= list[i].startingPage < start || list[i].endingPage > end;
            start = std::min<long>(start, list[i].startingPage);
            end = std::max<long>(end, list[i].endingPage);
        }
    }
    return {start, end};
}

}  // namespace

// A sheet checked before the subset was stored joined the papers going to
// its tray when all its pages went there, so a subset stored after it is
// refused where the sheet would then be: the sheets' own check is made on
// the records as storing the subset leaves them, the subset claiming its
// pages and replacing the subsets within them.
int JSE_Validation::CheckInsertsInSubset(long start, long end, const PeListView& list, int device) {
    IndexList sheets = list.Overlapping(start, end);
    std::erase_if(sheets, [&](std::size_t i) { return !IsInsertSheet(list[i]); });
    if (sheets.empty()) return 0;
    const auto [first, last] = InsertNeighbourhood(start, end, list);
    JSE_PageExceptionType subset;
    subset.exceptionMode = kPeSubsetOutput;
    subset.startingPage = start;
    subset.endingPage = end;
    subset.peSubset = true;
    subset.peRecord.peOutput = 1;
    subset.peRecord.peOutputValue = device;
    std::vector<JSE_PageExceptionType> stored{subset};
    for (const std::size_t i : list.Overlapping(first, last))
        if (!list[i].peSubset || !HoldsRange(subset, list[i].startingPage, list[i].endingPage))
            stored.push_back(list[i]);
    const PeListView after(stored);
    for (const std::size_t i : sheets) {
        const JSE_PageExceptionType& sheet = list[i];
        const int result = CheckInsertDevice(sheet.startingPage, sheet.endingPage, after, sheet.exceptionMode,
                                             sheet.mediaName, sheet.paperExit);
        if (result > 0) return result;
    }
    return 0;
}

// A paper selected with index 0 must be printable. The range's pages then
// print on the new paper: on each device they go to, it joins the papers of
// the other pages of their subsets going there (the body paper outside every
// subset), and it stands alone against the range's modes and features.
int JSE_Validation::CheckSubstitution(long start, long end, const PeListView& list, const JSE_MediaSelection& paper) {
    if (paper.index == 0 && !IsPrintableMedia(paper.mediaName)) return kPeNotPrintable;
    ValueList modes, devices;
    GetModeForPageRange(start, end, list, modes, false);
    GetDeviceForPageRange(start, end, list, devices);
    long subsetFirst = -1, subsetLast = -1;
    IndexList subsets;
    GetSubsetForPageRange(start, end, list, subsetFirst, subsetLast, subsets);
    for (const int device : devices) {
        MediaNameList papers;
        GetMediaBesideRange(start, end, list, subsets, subsetFirst, subsetLast, device, papers);
        AddMediaNameToMediaNameList(paper.mediaName, papers);
        if (const int result = CheckMediaForDevice(papers, ValueList{device})) return result;
    }
    const MediaNameList rangePapers{paper.mediaName};
    if (const int result = CheckMediaForMode(modes, rangePapers)) return result;
    FeatureList features;
    GetFeatureForPageRange(start, end, list, features, kPePaperSubstitution);
    return CheckMediaForFeature(features, rangePapers);
}

// An insert goes to the value's device, or for 0 to that of an insert of
// the same code on exactly the range, else to the job's document exit. When
// the range's pages go there too, its paper joins theirs.
int JSE_Validation::CheckInsert(long start, long end, const PeListView& list, int code, const WString& paper,
                                int value) {
    ValueList devices;
    if (GetDeviceForPageRange(start, end, list, devices) != 0) return -5;
    FeatureList features;
    GetFeatureForPageRange(start, end, list, features, code);
    if (const int result = CheckMediaForFeature(features, MediaNameList{paper})) return result;
    return CheckInsertDevice(start, end, list, code, paper, value);
}

int JSE_Validation::CheckInsertDevice(long start, long end, const PeListView& list, int code, const WString& paper,
                                      int value) {
    const MediaNameList insertPapers{paper};
    ValueList devices;
    if (GetDeviceForPageRange(start, end, list, devices) != 0) return -5;
    int insertDevice = value == 0 || value == kPeNotSet ? jobDocumentExit : value;
    IndexList same;
    if (value == 0 && GetPageWithPageRangeForFeatureType(start, end, code, list, same) > 0)
        insertDevice = ExitFirstDevice(list[same.front()], true);
    ValueList modes;
    if (code != kPeInsertLike) modes.push_back(code == kPeInsertBefore ? kInsertBeforeMode : kInsertAfterMode);
    MediaNameList devicePapers, rangePapers;
    long subsetFirst = -1, subsetLast = -1;
    GetMediaForPageRangeAndSubset(start, end, list, devicePapers, rangePapers, subsetFirst, subsetLast);
    if (!devices.empty() && devices.front() == insertDevice) {
        AddMediaNameToMediaNameList(paper, devicePapers);
        if (const int result = CheckMediaForDevice(devicePapers, devices)) return result;
        return CheckDeviceForMode(modes, devices);
    }
    const ValueList own{insertDevice};
    if (const int result = CheckMediaForDevice(insertPapers, own)) return result;
    return CheckDeviceForMode(modes, own);
}

int JSE_Validation::CheckPlex(long start, long end, const PeListView& list, int value) {
    MediaNameList papers;
    GetMediaForPageRange(start, end, list, papers);
    ValueList modes;
    AddModeToModeList(value, modes);
    if (const int result = CheckMediaForMode(modes, papers)) return result;
    ValueList devices;
    GetDeviceForPageRange(start, end, list, devices);  // several devices are judged one by one here
    if (const int result = CheckDeviceForMode(modes, devices)) return result;
    FeatureList features;
    GetFeatureForPageRange(start, end, list, features, kPePrintMode);
    return CheckModeForFeature(features, modes);
}

int JSE_Validation::CheckSide(long start, long end, const PeListView& list, int value) {
    FeatureList features;
    AddFeatureToFeatureList({kPePrintSide, value, start, end}, features);
    ValueList modes;
    GetModeForPageRange(start, end, list, modes, false);
    if (const int result = CheckModeForFeature(features, modes)) return result;
    MediaNameList papers;
    GetMediaForPageRange(start, end, list, papers);
    if (const int result = CheckMediaForFeature(features, papers)) return result;
    return CheckInsertsOnSide(start, end, list, features);
}

// A sheet checked before the side was stored met the side features of its
// pages, unless its pages went to several devices; so a side stored after it
// meets the sheet's paper.
int JSE_Validation::CheckInsertsOnSide(long start, long end, const PeListView& list, const FeatureList& side) {
    for (const std::size_t i : list.Overlapping(start, end)) {
        const JSE_PageExceptionType& sheet = list[i];
        ValueList devices;
        if (!IsInsertSheet(sheet) || GetDeviceForPageRange(sheet.startingPage, sheet.endingPage, list, devices) != 0)
            continue;
        if (const int result = CheckMediaForFeature(side, MediaNameList{sheet.mediaName})) return result;
    }
    return 0;
}

// Without a paper of its own, punching is judged on the papers sharing the
// range's device.
int JSE_Validation::CheckPunch(long start, long end, const PeListView& list, const WString& paper, int value) {
    FeatureList features;
    AddFeatureToFeatureList({kPePunch, value, start, end}, features);
    MediaNameList papers, rangePapers;
    if (!paper.empty()) {
        papers.push_back(paper);
    } else {
        long subsetFirst = -1, subsetLast = -1;
        GetMediaForPageRangeAndSubset(start, end, list, papers, rangePapers, subsetFirst, subsetLast);
    }
    return CheckMediaForFeature(features, papers);
}

// Subset trim needs the booklet maker, subset jog the stapler or stacker;
// turning either off is always allowed.
int JSE_Validation::CheckSubsetFinishing(long start, long end, const PeListView& list, int code, int value) {
    const bool trim = code == kPeSubsetTrim;
    if (value != (trim ? kTrimOn : kJogOn)) return 0;
    ValueList devices;
    GetDeviceForPageRange(start, end, list, devices);
    FeatureList features;
    AddFeatureToFeatureList({code, value, start, end}, features);
    const int result = CheckDeviceForFeature(start, end, features, devices);
    if (trim && result == kPeTrimWithoutBooklet) return kPeSubsetTrimWithoutBooklet;
    if (!trim && result == kPeStackWithoutStacker) return kPeSubsetJogWithoutStacker;
    return result;
}
