// The pairwise checks of the page-exception checks: papers against output
// devices, papers against print modes, devices against modes and finishing
// features, modes and papers against side and punch features. Each walks
// its lists in order and stops at the first non-zero answer: a pe_error, or
// a negative code that lets the feature pass (-1 a paper missing from the
// catalog, -2 an unknown print mode, -3 several papers with several devices
// or modes, -6 an unknown feature, -7 an unknown device).
#include "JSE_Media.h"
#include "JSE_ValidationPeLists.h"

namespace {

using namespace pe_values;

// The booklet maker takes no paper of this type.
constexpr int kUnfoldableType = 6;

// Paper tests of the rule catalogue used here.
enum PaperTest {
    kOneSided = 1,
    kTooLargeToStaple = 25,
    kOutsideFeedLimits = 32,
    kOutsidePunchFeedLimits = 34,
    kOneSidedWhileControl54 = 43,
};

bool Several(std::size_t count) { return count > 1; }

}  // namespace

int JSE_Validation::GetMediaInfo(const std::wstring& name, PAPERDEF& out) {
    const int paper = PaperIndexOf(name);
    if (paper < 0) return 1;
    return media->GetPaperInfo(paper, out) ? 0 : 2;
}

bool JSE_Validation::IsPrintableMedia(const std::wstring& name) {
    PAPERDEF record;
    return GetMediaInfo(name, record) == 0 && record.mode != 0;
}

int JSE_Validation::CheckMediaForDevice(const MediaNameList& papers, const ValueList& devices) {
    if (Several(papers.size()) && Several(devices.size())) return -3;
    bool compareFeeds = true;  // the sixth device compares feed lengths once per check
    for (const WString& name : papers) {
        PAPERDEF record;
        if (GetMediaInfo(name, record) != 0) return -1;
        const int paper = PaperIndexOf(name);
        for (const int device : devices)
            if (const int result = CheckMediaOnDevice(paper, record, device, papers, compareFeeds)) return result;
    }
    return 0;
}

// Heights are compared in points, so that papers kept in inches and in
// millimetres compare by what they measure.
int JSE_Validation::CheckMediaOnDevice(int paper, const PAPERDEF& record, int device, const MediaNameList& papers,
                                       bool& compareFeeds) {
    const auto feedsDiffer = [&] {
        for (const WString& other : papers)
            if (Paper_Size_Compare(paper, PaperIndexOf(other), 2, 3) == 1) return true;
        return false;
    };
    int result = 0;
    switch (device) {
    case kTopTray: case kStacker: case kOtherExit: return 0;
    case kStapler:
        if (Type_Checking(paper, kTooLargeToStaple, 0)) result = kPeStaplerSize;
        return feedsDiffer() ? kPeStaplerFeedLength : result;
    case kBookletMaker: {
        int width = 0, height = 0;
        media->JSE_Media_GetPoints(paper, width, height);
        for (const WString& other : papers) {
            int otherWidth = 0, otherHeight = 0;
            media->JSE_Media_GetPoints(PaperIndexOf(other), otherWidth, otherHeight);
            if (otherHeight != height) return kPeBookletHeights;
        }
        if (record.typeIndex == kUnfoldableType) return kPeBookletPaperType;
        return Type_Checking(paper, kOneSided, 0) ? kPeBookletSimplex : 0;
    }
    case kSixthDevice:
        if (Type_Checking(paper, kOutsideFeedLimits, 0)) result = kPeDevice6FeedLimits;
        if (compareFeeds) {
            compareFeeds = false;
            if (feedsDiffer()) result = kPeDevice6FeedLength;
        }
        return result;
    default: return -7;
    }
}

int JSE_Validation::CheckMediaForMode(const ValueList& modes, const MediaNameList& papers) {
    if (Several(modes.size()) && Several(papers.size())) return -3;
    const int body = PaperIndexOf(jobBodyPaper);
    for (const WString& name : papers) {
        PAPERDEF record;
        if (GetMediaInfo(name, record) != 0) return -1;
        const int paper = PaperIndexOf(name);
        const auto sizeDiffers = [&] { return Paper_Size_Compare(paper, body, 2, 1) == 1; };
        for (const int mode : modes) {
            int result = 0;
            switch (mode) {
            case kSimplex: result = Type_Checking(paper, kOneSidedWhileControl54, 0) ? kPeSimplexPaper : 0; break;
            case kDuplexLong: case kDuplexShort:
                result = Type_Checking(paper, kOneSided, 0) ? kPeDuplexOneSided : 0;
                break;
            case kInterleaveBlank: case kInterleavePrinted: result = sizeDiffers() ? kPeInterleaveSize : 0; break;
            case kPamphlet:
                result = Type_Checking(paper, kOneSided, 0) ? kPeDuplexOneSided : sizeDiffers() ? kPePamphletSize : 0;
                break;
            case kInsertBeforeMode: case kInsertAfterMode: break;
            default: result = -2;
            }
            if (result != 0) return result;
        }
    }
    return 0;
}

int JSE_Validation::CheckDeviceForMode(const ValueList& modes, const ValueList& devices) {
    if (Several(modes.size()) && Several(devices.size())) return -3;
    for (const int device : devices) {
        for (const int mode : modes) {
            switch (mode) {
            case kSimplex: if (device == kBookletMaker) return kPeBookletSimplex; break;
            case kInterleaveBlank: case kInterleavePrinted:
                if (device == kBookletMaker) return kPeBookletInterleave;
                break;
            case kDuplexLong: case kDuplexShort: case kPamphlet: case kInsertBeforeMode: case kInsertAfterMode: break;
            default: return -2;
            }
        }
    }
    return 0;
}

// Only the features of exactly the range count; job-level ones (pages 0 and
// 0) only for the range 0..0.
int JSE_Validation::CheckDeviceForFeature(long start, long end, const FeatureList& features, const ValueList& devices) {
    for (const int device : devices) {
        for (const JSE_PageEFeatureType& feature : features) {
            if (feature.startPage != start || feature.endPage != end) continue;
            switch (feature.featureType) {
            case kJobTrimming: case kPeSubsetTrim:
                if (feature.featureValue == kTrimOn && device != kBookletMaker) return kPeTrimWithoutBooklet;
                break;
            case kJobOffsetStacking: case kPeSubsetJog:
                if (feature.featureValue == kJogOn && device != kStapler && device != kStacker)
                    return kPeStackWithoutStacker;
                break;
            case kPePrintSide: case kPePunch: break;
            default: return -6;
            }
        }
    }
    return 0;
}

int JSE_Validation::CheckModeForFeature(const FeatureList& features, const ValueList& modes) {
    for (const int mode : modes) {
        for (const JSE_PageEFeatureType& feature : features) {
            switch (feature.featureType) {
            case kPePrintSide:
                if (mode == kPamphlet && (feature.featureValue == kBackSide || feature.featureValue == kFrontSide))
                    return kPeSideWithPamphlet;
                if (feature.featureValue == kBackSide && mode != kDuplexLong && mode != kDuplexShort)
                    return kPeBackSideMode;
                break;
            case kJobTrimming: case kJobOffsetStacking: case kPePunch: case kPeSubsetTrim: case kPeSubsetJog: break;
            default: return -6;
            }
        }
    }
    return 0;
}

// Punching is judged only while the job punches.
int JSE_Validation::CheckMediaForFeature(const FeatureList& features, const MediaNameList& papers) {
    for (const WString& name : papers) {
        const int paper = PaperIndexOf(name);
        for (const JSE_PageEFeatureType& feature : features) {
            switch (feature.featureType) {
            case kPePrintSide:
                if (feature.featureValue == kBackSide && Type_Checking(paper, kOneSided, 0)) return kPeBackSideOneSided;
                break;
            case kPePunch:
                if (feature.featureValue == 0 || jobPunch == 0) break;
                if (media && media->JSE_Media_GetPunchable(paper) != 1) return kPePunchNotPunchable;
                if (Type_Checking(paper, kOutsidePunchFeedLimits, 0)) return kPePunchFeedLimits;
                break;
            case kJobTrimming: case kJobOffsetStacking: case kPeSubsetTrim: case kPeSubsetJog: break;
            default: return -6;
            }
        }
    }
    return 0;
}
