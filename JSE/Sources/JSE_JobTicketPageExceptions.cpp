// Hand-over of the page exceptions to the ticket's writer: the page records
// and image shifts of the lent page collection, or, when the collection holds
// none, the ticket's own page exceptions.
#include <algorithm>
#include <memory>
#include <vector>

#include "JSE_JobTicket.h"
#include "JSE_Media.h"
#include "JSE_PageCollection.h"

namespace {

constexpr int kPortrait = 1;
constexpr int kDuplexShortEdge = 3;  // the job's printing mode that flips on the short edge

// A negative zero reads back as +0.0.
float shiftValue(double value) { return value == 0.0 ? 0.0f : static_cast<float>(value); }

bool isExitCode(int value) { return value >= 1 && value <= 3; }
bool isPlexCode(int value) { return (value >= 1 && value <= 3) || value == kPeNotSet; }

void setSubsetPair(vlxPageExeptionType& record, bool& flag, std::int32_t& target, int value, bool flagValue) {
    record.peSubset = true;
    flag = flagValue;
    target = value;
}

// The device block of a page exception; only a finishing subset carries one.
vlxPeDeviceType deviceBlock(const JSE_PageExceptionType& source) {
    vlxPeDeviceType block;
    const JSE_PeRecordType& from = source.peRecord;
    if (!source.peSubset) {
        block.peFold = block.peJog = block.pePostProcess = block.peStaple = block.peOutput = block.peTrim = false;
        block.peFoldValue = block.peJogValue = block.pePostProcessValue = 0;
        block.peStapleValue = block.peOutputValue = block.peTrimValue = 0;
        return block;
    }
    block.peFold = from.peFold != 0;
    block.peFoldValue = from.peFoldValue;
    block.peJog = from.peJog != 0;
    block.peJogValue = from.peJogValue;
    block.pePostProcess = from.pePostProcess != 0;
    block.pePostProcessValue = from.pePostProcessValue;
    block.peStaple = from.peStaple != 0;
    block.peStapleValue = from.peStapleValue;
    block.peOutput = from.peOutput != 0;
    block.peOutputValue = from.peOutputValue;
    block.peTrim = from.peTrim != 0;
    block.peTrimValue = from.peTrimValue;
    return block;
}

vlxPageExeptionType writerRecord(const JSE_PageExceptionType& source) {
    vlxPageExeptionType record;
    record.exceptionMode = source.exceptionMode;
    record.paperExit = source.paperExit;
    record.startingPage = source.startingPage;
    record.endingPage = source.endingPage;
    record.fromJobPaper = source.fromJobPaper;
    record.pePunch = source.pePunch;
    record.mediaName = source.mediaName;
    record.printOn = source.printOn;
    record.printingMode = source.printingMode;
    record.peGRET = source.peGRET;
    record.peGRETValue = source.peGRETValue;
    record.pePlex = source.pePlex;
    record.pePlexValue = source.pePlexValue;
    record.peRotate = source.peRotate;
    record.peRotateValue = source.peRotateValue;
    record.peShift = source.peShift;
    record.frontX = source.frontX;
    record.frontY = source.frontY;
    record.backX = source.backX;
    record.backY = source.backY;
    record.peSide = source.peSide;
    record.peSideValue = source.peSideValue;
    record.finishChapter = source.finishChapter;
    record.peSubset = source.peSubset;
    record.peRecord = deviceBlock(source);
    record.pageCopies = source.pageCopies;
    return record;
}

}  // namespace

std::string JSE_JobTicket::ChapterEntry(std::int64_t first, std::int64_t last) {
    return first != last ? VLX_Format("%lld..%lld ", static_cast<long long>(first), static_cast<long long>(last))
                         : VLX_Format("%lld ", static_cast<long long>(first));
}

// The page collection is the source as soon as it holds page or image
// records, even when none of them gives a writer record.
std::int64_t JSE_JobTicket::HandOverPageExceptions() {
    const bool pages = pageCollection != nullptr && pageCollection->JSE_PageCollection_GetSize() > 0;
    const bool images = pageCollection != nullptr && pageCollection->JSE_PageCollection_GetPageImageSize() > 0;
    if (!pages && !images) return pageExceptions.empty() ? 0 : HandOverOwnRecords();
    std::int64_t result = 0;
    if (pages) result = HandOverPageRecords();
    if (images) result = HandOverImageRecords();
    return result;
}

std::int64_t JSE_JobTicket::HandOverPageRecords() {
    const JSE_PageCollection& collection = *pageCollection;
    ChapterRanges chapters;
    std::int64_t result = 0;
    for (long i = 0; i < collection.JSE_PageCollection_GetSize(); ++i) {
        long first = 0, last = 0;
        collection.JSE_PageCollection_GetPageNumber(i, first, last);
        if (first < 1 || last < 1) continue;
        vlxPageExeptionType record;
        record.startingPage = first;
        record.endingPage = last;
        if (collection.JSE_PageCollection_GetPropertySize(i) > 0) {
            int id = 0;
            WString name;
            collection.JSE_PageCollection_GetProperty(i, 0, id, name);
            if (!name.empty()) {
                record.mediaName = name;
                record.fromJobPaper = false;
            }
        }
        record.pePlex = record.peRotate = record.peSide = record.finishChapter = false;
        for (long j = 0; j < collection.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
            int code = 0, value = 0;
            collection.JSE_PageCollection_GetPageFeature(i, j, code, value);
            ReadPageFeature(code, value, record, chapters);
        }
        result = writer.Add_VLX_Substitution_List(record);
    }
    // Chapters are listed by their first page, whatever the order of the
    // page records that start them.
    std::stable_sort(chapters.begin(), chapters.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string chapterList;
    for (const auto& [first, last] : chapters) chapterList += ChapterEntry(first, last);
    if (!chapterList.empty()) {
        header.chapters.valid = 1;
        header.chaptersAreSetsValid = header.chaptersAreSetsValue = 0;
        header.chapters.pages = chapterList;
    }
    return result;
}

// One feature of a page record; unknown codes are ignored.
void JSE_JobTicket::ReadPageFeature(int code, int value, vlxPageExeptionType& record,
                                    ChapterRanges& chapters) const {
    vlxPeDeviceType& device = record.peRecord;
    switch (code) {
    case kPeSubsetFold: setSubsetPair(record, device.peFold, device.peFoldValue, value, false); break;
    case kPeSubsetOutput: setSubsetPair(record, device.peOutput, device.peOutputValue, value, true); break;
    case kPeSubsetStaple: setSubsetPair(record, device.peStaple, device.peStapleValue, value, true); break;
    case kPeSubsetTrim: setSubsetPair(record, device.peTrim, device.peTrimValue, value, true); break;
    case kPeSubsetJog: setSubsetPair(record, device.peJog, device.peJogValue, value, true); break;
    case kPePaperSubstitution:
    case kPeFinishingSubset: record.exceptionMode = code; break;
    case kPeInsertBefore:
    case kPeInsertAfter:
        record.exceptionMode = code;
        record.paperExit = isExitCode(value) ? value : kPeNotSet;
        break;
    case kPePrintMode:
        record.exceptionMode = code;
        if (isPlexCode(value)) {
            record.pePlex = true;
            record.pePlexValue = value;
        }
        break;
    case kPePrintSide:
        record.exceptionMode = code;
        record.peSide = true;
        record.peSideValue = value == kPeNotSet || value == 1 ? value : 2;
        break;
    case kPePunch: record.pePunch = value != 0; break;
    case kPePageCopyCount: record.pageCopies = value; break;
    case kPeChapterStart:
        if (value != 1) break;
        record.exceptionMode = code;
        record.finishChapter = true;
        chapters.emplace_back(record.startingPage, record.endingPage);
        break;
    case kPeRotation:
        record.exceptionMode = code;
        record.peRotate = true;
        record.peRotateValue = value;
        break;
    default: break;
    }
}

// One writer record per image shift with a value other than 0.
std::int64_t JSE_JobTicket::HandOverImageRecords() {
    const JSE_PageCollection& collection = *pageCollection;
    imageAligner = std::make_unique<ImageAlign>();
    std::int64_t result = 0;
    for (long i = 0; i < collection.JSE_PageCollection_GetPageImageSize(); ++i) {
        int first = 0, last = 0;
        collection.JSE_PageCollection_GetImagePageNumber(i, first, last);
        if (first < 1 || last < 1 || collection.JSE_PageCollection_GetImageFeatureSize(i) == 0) continue;
        vlxPageExeptionType record;
        record.startingPage = first;
        record.endingPage = last;
        for (long j = 0; j < collection.JSE_PageCollection_GetImageFeatureSize(i); ++j) {
            ImageType shift;
            int typeValue = 0;
            collection.JSE_PageCollection_GetImageFeature(i, j, shift.featureType, typeValue, shift.unit, shift.mirror,
                                                          shift.orientation, shift.x1, shift.y1, shift.x2, shift.y2);
            if (shift.x1 == 0 && shift.y1 == 0 && shift.x2 == 0 && shift.y2 == 0) continue;
            result = HandOverImageShift(shift, first, last, record);
        }
    }
    imageAligner.reset();
    return result;
}

// Pages on papers of one size take one record, as before the pages were cut
// by paper; a range that ends before it starts is converted whole.
std::int64_t JSE_JobTicket::HandOverImageShift(const ImageType& shift, long first, long last,
                                               vlxPageExeptionType& record) {
    std::vector<PaperRun> runs;
    if (first <= last) {
        runs = pageCollection->FindMediaRuns(first, last);
    } else {
        runs.push_back(PaperRun{first, last, {}});
        pageCollection->FindMediaForThePage(first, last, runs.back().paper);
    }
    std::vector<vlxPageExeptionType> stretches;
    for (const PaperRun& run : runs) {
        ConvertImageShift(shift, run.paper.empty() ? jobFeature.bodyPaper : run.paper, record);
        const bool alike = !stretches.empty() && stretches.back().frontX == record.frontX &&
                           stretches.back().frontY == record.frontY && stretches.back().backX == record.backX &&
                           stretches.back().backY == record.backY;
        if (alike) {
            stretches.back().endingPage = run.last;
            continue;
        }
        record.startingPage = run.first;
        record.endingPage = run.last;
        stretches.push_back(record);
    }
    std::int64_t result = 0;
    for (const vlxPageExeptionType& stretch : stretches) result = writer.Add_VLX_Substitution_List(stretch);
    return result;
}

// The shift as the printer takes it, placed by orientation, short-edge flip
// and paper size.
void JSE_JobTicket::ConvertImageShift(const ImageType& shift, const WString& paperName, vlxPageExeptionType& record) {
    ImageAlign& aligner = *imageAligner;
    aligner.ResetValues();
    aligner.MirrorSide1(shift.mirror);
    aligner.SetPortrait(shift.orientation == kPortrait);
    aligner.SetPrintModeFlipShort(jobFeature.printingMode == kDuplexShortEdge);
    int width = 0, height = 0;
    PaperPoints(paperName, width, height);
    aligner.SetPaperPoints(width, height);
    aligner.SetFrontX(shift.x1);
    aligner.SetFrontY(shift.y1);
    aligner.SetBackX(shift.x2);
    aligner.SetBackY(shift.y2);
    record.exceptionMode = shift.featureType;
    record.peShift = true;
    record.frontX = shiftValue(aligner.GetFrontX());
    record.frontY = shiftValue(aligner.GetFrontY());
    record.backX = shiftValue(aligner.GetBackX());
    record.backY = shiftValue(aligner.GetBackY());
}

// A paper the catalog lacks, or any paper without a catalog, is taken as
// Letter-sized.
void JSE_JobTicket::PaperPoints(const WString& paperName, int& width, int& height) const {
    width = 612;
    height = 792;
    const int index = media != nullptr ? media->JSE_Media_GetIndex(paperName) : -1;
    if (index >= 0) media->JSE_Media_GetPoints(index, width, height);
}

// The ticket's own records, in order; the first failing writer call ends
// the hand-over.
std::int64_t JSE_JobTicket::HandOverOwnRecords() {
    const long count = static_cast<long>(pageExceptions.size());
    writer.Set_VLX_NumberOfSubstitution(count);
    for (long i = 0; i < count; ++i) {
        const int result = writer.Set_VLX_Substitution_List(i, writerRecord(pageExceptions[static_cast<std::size_t>(i)]));
        if (result != 0) return result;
    }
    return 0;
}
