// The validator's view of the page collection: the records the validator
// judges page exceptions by, built from the page records three ways - for
// checking one proposed feature, for the validator's own list, and for the
// whole-job check - and the three services that use them.
//
// A check builds records only for the page records around its range, and
// the validator's list is built once when it is next read, however many
// changes came before: so a long run of changes costs what each touches.
#include <algorithm>
#include <utility>
#include <vector>

#include "zqController.h"

namespace {

using Records = std::vector<JSE_PageExceptionType>;

// Offset stacking of a page record under the job feature's number, and
// under the number by which the validator hears the job's offset stacking.
constexpr int kStackingFeatureCode = 115;
constexpr int kStackingContextCode = 118;
// A check's demand that the paper be printable.
constexpr int kPrintablePaperCode = 310;

bool IsTray(int value) { return value >= 1 && value <= 3; }

// The codes that meet the validator; every other proposal is allowed at once.
bool IsCheckedCode(int code) {
    switch (code) {
    case kPeSubsetOutput: case kPePaperSubstitution: case kPeInsertBefore: case kPeInsertAfter: case kPePrintMode:
    case kPePrintSide: case kPePunch: case kPeSubsetTrim: case kPeSubsetJog: case kPrintablePaperCode: return true;
    default: return false;
    }
}

// How a builder reads the records: for one proposed feature (with its value
// and the job's punch pattern), or for the validator's own list (with every
// range punched, as turning punching on punches them).
struct Reading {
    bool forCheck = false;
    int proposed = 0;
    int jobPunch = 0;
    bool punched = false;
};

FeatureType FeatureAt(const JSE_PageCollection& pages, long i, long j) {
    FeatureType feature;
    pages.JSE_PageCollection_GetPageFeature(i, j, feature.featureType, feature.featureValue);
    return feature;
}

// Only a paper substitution puts its pages on its paper: a page record is
// one unless a feature makes it a finishing subset, an insert or a layout
// range, as the ticket reads it. A subset keeps the paper chosen beside it,
// but its pages print on the paper the job or a substitution gives them.
bool SubstitutesPaper(const JSE_PageCollection& pages, long i) {
    int kind = kPePaperSubstitution;
    for (long j = 0; j < pages.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
        const int code = FeatureAt(pages, i, j).featureType;
        if (code == kPePaperSubstitution || code == kPeFinishingSubset || code == kPeInsertBefore ||
            code == kPeInsertAfter || code == kPePrintMode || code == kPePrintSide)
            kind = code;
    }
    return kind == kPePaperSubstitution;
}

// A record for page record i with its range and its paper: for a paper
// substitution the text of its first property of id 1, else (or when that
// text is empty) the job's paper. False for a range below page 1, which the
// validator never sees.
bool StartRecord(const JSE_PageCollection& pages, long i, JSE_PageExceptionType& record) {
    long first = -1, last = -1;
    pages.JSE_PageCollection_GetPageNumber(i, first, last);
    if (first < 1 || last < 1) return false;
    record = JSE_PageExceptionType();
    record.startingPage = first;
    record.endingPage = last;
    if (!SubstitutesPaper(pages, i)) return true;
    for (long j = 0; j < pages.JSE_PageCollection_GetPropertySize(i); ++j) {
        int id = 0;
        WString text;
        pages.JSE_PageCollection_GetProperty(i, j, id, text);
        if (id != 1) continue;
        if (!text.empty()) {
            record.mediaName = text;
            record.fromJobPaper = false;
        }
        break;
    }
    return true;
}

bool SetSubsetPair(JSE_PageExceptionType& record, std::int32_t& flag, std::int32_t& target, int value) {
    record.peSubset = true;
    flag = 1;
    target = value;
    return true;
}

// One feature into the record; true when it marks the record as one the
// validator must hear of.
bool ReadFeature(const FeatureType& feature, const Reading& reading, JSE_PageExceptionType& record) {
    const int value = feature.featureValue;
    JSE_PeRecordType& device = record.peRecord;
    record.exceptionMode = feature.featureType;
    switch (feature.featureType) {
    case kStackingFeatureCode:
    case kStackingContextCode: return SetSubsetPair(record, device.peJog, device.peJogValue, value);
    case kPeSubsetOutput: return SetSubsetPair(record, device.peOutput, device.peOutputValue, value);
    case kPeSubsetStaple: return SetSubsetPair(record, device.peStaple, device.peStapleValue, value);
    case kPePaperSubstitution: return true;
    case kPeInsertBefore:
    case kPeInsertAfter:
        record.paperExit = !IsTray(value) ? kPeNotSet : reading.forCheck ? reading.proposed : value;
        return true;
    case kPePrintMode:
        if (!IsTray(value) && value != kPeNotSet) return false;
        record.pePlex = true;
        record.pePlexValue = value;
        return true;
    case kPePrintSide:
        record.peSide = true;
        record.peSideValue = value == kPeNotSet || value == 1 ? value : 2;
        return value != kPeNotSet;
    case kPePunch: record.pePunch = reading.punched || value != 0; return true;  // any pattern punches, 0 does not
    case kPeFinishingSubset: SetSubsetPair(record, device.peOutput, device.peOutputValue, value); return false;
    case kPePageCopyCount: record.pageCopies = value; return true;
    case kPeChapterStart:
        if (value != 1) return false;
        record.finishChapter = true;
        return true;
    case kPeRotation:
        record.peRotate = true;
        record.peRotateValue = value;
        return true;
    default: return false;
    }
}

// What a check record holds before its features: the job's punching and
// the proposed tray.
void StartCheckRecord(const Reading& reading, JSE_PageExceptionType& record) {
    record.pePunch = reading.jobPunch != 0;
    record.paperExit = IsTray(reading.proposed) ? reading.proposed : kPeNotSet;
}

// A check record for page record i when one of its features marks it.
bool CheckRecord(const JSE_PageCollection& pages, long i, const Reading& reading, JSE_PageExceptionType& record) {
    if (!StartRecord(pages, i, record)) return false;
    StartCheckRecord(reading, record);
    bool marked = false;
    for (long j = 0; j < pages.JSE_PageCollection_GetPageFeatureSize(i); ++j)
        marked = ReadFeature(FeatureAt(pages, i, j), reading, record) || marked;
    return marked;
}

// The paper an insert of the code prints on: the text of the page record's
// property of that code; empty for the job's paper.
WString InsertPaper(const JSE_PageCollection& pages, long i, int code) {
    for (long j = 0; j < pages.JSE_PageCollection_GetPropertySize(i); ++j) {
        int id = 0;
        WString text;
        pages.JSE_PageCollection_GetProperty(i, j, id, text);
        if (id == code) return text;
    }
    return {};
}

// The sheets of the inserts page record i holds on a paper of their own,
// behind its record: each with its paper and its own tray, claiming no
// pages for a print mode or a side, so that the checks that gather the
// papers going to a device or met by a side find them.
void AddInsertSheets(const JSE_PageCollection& pages, long i, const JSE_PageExceptionType& record, Records& records) {
    for (long j = 0; j < pages.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
        const FeatureType feature = FeatureAt(pages, i, j);
        if (feature.featureType != kPeInsertBefore && feature.featureType != kPeInsertAfter) continue;
        const WString paper = InsertPaper(pages, i, feature.featureType);
        if (paper.empty()) continue;
        JSE_PageExceptionType sheet = record;
        sheet.exceptionMode = feature.featureType;
        sheet.mediaName = paper;
        sheet.fromJobPaper = false;
        sheet.paperExit = IsTray(feature.featureValue) ? feature.featureValue : kPeNotSet;
        sheet.pePlex = sheet.peSide = sheet.peSubset = false;
        sheet.peRecord = JSE_PeRecordType();
        records.push_back(sheet);
    }
}

// The range grown by the finishing subsets and inserts sharing a page with
// it, then with them, and so on, and the page records around it.
std::vector<long> Neighbourhood(const JSE_PageCollection& pages, const Reading& reading, long start, long end) {
    PageIndexItem around;
    for (long first = start - 1, last = end + 1; first != start || last != end;) {
        first = start;
        last = end;
        pages.findOverlappingPages(first, last, around);
        for (const long i : around.indexList) {
            JSE_PageExceptionType record;
            if (!CheckRecord(pages, i, reading, record)) continue;
            const bool sheets = !InsertPaper(pages, i, kPeInsertBefore).empty() ||
                                !InsertPaper(pages, i, kPeInsertAfter).empty();
            if (!record.peSubset && !sheets) continue;
            start = std::min<long>(start, record.startingPage);
            end = std::max<long>(end, record.endingPage);
        }
    }
    return around.indexList;
}

// The records a check of start..end judges the proposal against: one per
// marked page record, with all its features, each followed by the sheets of
// its inserts, in list order. The check reads only the records that share a
// page with the range or with the finishing subsets and inserts around it,
// so those are all it is given.
Records CheckRecords(const JSE_PageCollection& pages, const Reading& reading, long start, long end) {
    const std::vector<long> around = Neighbourhood(pages, reading, start, end);
    Records records;
    for (const long i : around) {
        JSE_PageExceptionType record;
        if (!CheckRecord(pages, i, reading, record)) continue;
        records.push_back(record);
        AddInsertSheets(pages, i, record, records);
    }
    return records;
}

// The records as storing the layout feature on start..end leaves them: no
// record keeps a value of its code over those pages, and a record of exactly
// those pages holding the feature comes first, so that it claims them.
void StoreLayout(Records& records, long start, long end, const FeatureType& layout, const Reading& reading) {
    for (JSE_PageExceptionType& record : records) {
        if (record.endingPage < start || record.startingPage > end) continue;
        (layout.featureType == kPePrintMode ? record.pePlexValue : record.peSideValue) = kPeNotSet;
    }
    JSE_PageExceptionType stored;
    stored.startingPage = start;
    stored.endingPage = end;
    StartCheckRecord(reading, stored);
    ReadFeature(layout, reading, stored);
    records.insert(records.begin(), stored);
}

// The validator's own list: each marking feature adds the record as filled
// so far, so a page record with three such features gives three records.
// The pages print as the job does unless a print mode of their own says
// otherwise, and an insert's record carries the insert's own paper (the
// pages' paper stays on the records of the other features).
Records ListRecords(const JSE_PageCollection& pages, const Reading& reading) {
    Records records;
    for (long i = 0; i < pages.JSE_PageCollection_GetSize(); ++i) {
        JSE_PageExceptionType record;
        if (!StartRecord(pages, i, record)) continue;
        record.pePlex = false;
        for (long j = 0; j < pages.JSE_PageCollection_GetPageFeatureSize(i); ++j) {
            const FeatureType feature = FeatureAt(pages, i, j);
            if (!ReadFeature(feature, reading, record)) continue;
            const bool insert = feature.featureType == kPeInsertBefore || feature.featureType == kPeInsertAfter;
            const WString paper = insert ? InsertPaper(pages, i, feature.featureType) : WString();
            if (paper.empty()) {
                records.push_back(record);
                continue;
            }
            JSE_PageExceptionType onItsPaper = record;
            onItsPaper.mediaName = paper;
            onItsPaper.fromJobPaper = false;
            records.push_back(onItsPaper);
        }
    }
    return records;
}

// One feature as the whole-job check reads it: the subset's trim and offset
// too, layout values only when they say something.
void ReadTicketFeature(const FeatureType& feature, JSE_PageExceptionType& record) {
    const int code = feature.featureType, value = feature.featureValue;
    JSE_PeRecordType& device = record.peRecord;
    switch (code) {
    case kPeSubsetOutput: SetSubsetPair(record, device.peOutput, device.peOutputValue, value); break;
    case kPeSubsetStaple: SetSubsetPair(record, device.peStaple, device.peStapleValue, value); break;
    case kPeSubsetTrim: SetSubsetPair(record, device.peTrim, device.peTrimValue, value); break;
    case kPeSubsetJog: SetSubsetPair(record, device.peJog, device.peJogValue, value); break;
    case kPePaperSubstitution:
    case kPeFinishingSubset: record.exceptionMode = code; break;
    case kPeInsertBefore:
    case kPeInsertAfter:
        record.exceptionMode = code;
        record.paperExit = IsTray(value) ? value : kPeNotSet;
        break;
    case kPePrintMode:
    case kPePrintSide:
    case kPeRotation: ReadFeature(feature, Reading{}, record); break;
    case kPeChapterStart:
        if (value == 1) ReadFeature(feature, Reading{}, record);
        break;
    case kPePunch: record.pePunch = value != 0; break;
    case kPePageCopyCount: record.pageCopies = value; break;
    default: break;
    }
}

Records TicketRecords(const JSE_PageCollection& pages) {
    Records records;
    for (long i = 0; i < pages.JSE_PageCollection_GetSize(); ++i) {
        JSE_PageExceptionType record;
        if (!StartRecord(pages, i, record)) continue;
        record.pePlex = record.peSide = record.peRotate = record.peSubset = record.finishChapter = false;
        for (long j = 0; j < pages.JSE_PageCollection_GetPageFeatureSize(i); ++j)
            ReadTicketFeature(FeatureAt(pages, i, j), record);
        records.push_back(record);
    }
    return records;
}

}  // namespace

int zqController::JSE_ValidationOnExceptions(int start, int end, int code, std::string_view paper, int value,
                                             std::optional<FeatureType> layout) {
    WString paperName;
    NSStringToWString(paper, paperName);
    if (!IsCheckedCode(code)) return 0;
    if (!m_service) return kBridgeNoEngine;
    const JSE_JobFeatureType& job = mJobFeature;
    const Reading reading{true, value, job.punchJob};
    Records records = m_pageCollection ? CheckRecords(*m_pageCollection, reading, start, end) : Records();
    if (layout) StoreLayout(records, start, end, *layout, reading);
    const std::pair<int, int> context[] = {{kFeatureBodyPaper, 0},
                                           {kFeaturePrintingMode, job.printingMode},
                                           {kFeatureDocumentExit, job.jobExit},
                                           {kFeatureTrimming, job.trimming ? 1 : 0},
                                           {kStackingContextCode, job.offsetStack ? 1 : 0},
                                           {kPePunch, job.punchJob}};
    for (const auto& [id, setting] : context) m_service->JSE_Validation_SetJobFeature(id, job.bodyPaper, setting);
    return static_cast<int>(
        m_service->JSE_Validation_CheckPeFeature(start, end, records, code, JSE_MediaSelection(paperName), value));
}

std::string zqController::JSE_GetBodyPaper() const { return wstringToNSString(mJobFeature.bodyPaper); }

// Every change of the page records ends here, so the records the validator
// reads later are those of the collection as it was left.
void zqController::JSE_LoadPageExceptionToValidation() { loadPageExceptionsToValidation(false); }

void zqController::loadPageExceptionsToValidation(bool punched) {
    if (!m_pageCollection || !m_service) return;
    Reading reading;
    reading.punched = punched;
    m_service->JSE_Validation_Load_PeRecordsLater([this, reading] {
        return m_pageCollection ? ListRecords(*m_pageCollection, reading) : Records();
    });
}

bool zqController::JSE_ValidationOnTicket() {
    if (!m_pageCollection || !m_service) return true;
    return m_service->JSE_JobTicketValidation(mJobFeature, TicketRecords(*m_pageCollection));
}

int zqController::JSE_Validation_GetNumberOfErrors() const {
    return m_service ? static_cast<int>(m_service->JSE_JobTicket_Validation_GetNumberOfErrors()) : 0;
}

int zqController::JSE_JobTicket_Validation_GetErrorID(int i) const {
    return m_service ? static_cast<int>(m_service->JSE_JobTicket_Validation_GetErrorID(i)) : 0;
}
