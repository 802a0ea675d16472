// The road of one setting: a pane's job feature is checked against the rule
// file where a rule control governs it, written into the working record,
// and the whole record replaces the settings store's, from which the ticket
// takes its values. Also the direct setters and getters on the same record.
#include "zqController.h"

namespace {

constexpr int kUnchecked = -1;

// Every feature the road accepts, with the rule control that checks it.
struct RoadRow {
    int feature;
    int control;
};

constexpr RoadRow kRoad[] = {
    {kFeatureBodyPaper, eJSE_BodyPaperSelection},
    {kFeatureInterleavePaper, eJSE_InterleavePaperSelection},
    {kFeatureFrontCoverMode, eJSE_FrontCoverSelection},
    {kFeatureFrontCoverPaper, eJSE_FrontCoverPaperSelection},
    {kFeatureBackCoverMode, eJSE_BackCoverSelection},
    {kFeatureBackCoverPaper, eJSE_BackCoverPaperSelection},
    {kFeatureStatusMode, eJSE_StatusModeSelection},
    {kFeatureStatusPaper, eJSE_StatusPaperSelection},
    {kFeatureSetSeparator, eJSE_SetSeparatorSelection},
    {kFeatureSeparatorPaper, eJSE_SeparatorPaperSelection},
    {kFeatureInserterAvailable, eJSE_InserterAvailableCheck},
    {kFeaturePrintingMode, eJSE_PrintModeSelection},
    {kFeatureDocumentExit, eJSE_DocumentExitSelection},
    {kFeatureStaplerPosition, eJSE_StaplerSelection},
    {kFeatureOffsetStacking, eJSE_OffsetStackingCheck},
    {kFeatureTrimming, eJSE_TrimmingCheck},
    {kFeatureLongEdgeFold, kUnchecked},
    {kFeatureCopies, kUnchecked},
    {kFeatureCollate, eJSE_CollateCheck},
    {kFeaturePrintRange, kUnchecked},
    {kFeaturePrint, kUnchecked},
    {kFeatureSaveAs, kUnchecked},
    {kFeatureCreateTIFF, kUnchecked},
    {kFeatureSpecificPrinter, kUnchecked},
    {kFeatureEMailAddress, kUnchecked},
    {kFeatureOperatorMessage, kUnchecked},
    {kFeatureDeliverTo, kUnchecked},
    {kFeatureChargeNumber, kUnchecked},
    {kFeaturePunchPattern, eJSE_PunchJobTypeCheck},
    {kFeaturePunchFrontCover, eJSE_PunchFrontCoverTypeCheck},
    {kFeaturePunchBackCover, eJSE_PunchBackCoverTypeCheck},
    {kFeatureProofSet, eJSE_PrintProofSetCheck},
    {kFeatureUserName, kUnchecked},
    {kFeatureDocumentTitle, kUnchecked},
    {kFeatureCompileJobOnly, kUnchecked},
    {kFeatureSignaturePages, eJSE_SignaturePagesEdit},
    {kFeatureGRET, kUnchecked},
    {kFeatureHalftoneAngle, kUnchecked},
    {kFeatureHalftoneFrequency, kUnchecked},
    {kFeatureFinishOrientation, kUnchecked},
    {kFeaturePageOrder, kUnchecked},
    {kFeaturePdfAutoCenter, kUnchecked},
    {kFeaturePdfBinaryOK, kUnchecked},
    {kFeaturePdfFitToPage, kUnchecked},
    {kFeaturePdfUsePrintersHalftone, kUnchecked},
    {kFeaturePdfMediaMatchAll, kUnchecked},
    {kFeaturePdfPrintAnnotations, kUnchecked},
    {kFeatureEmulation, kUnchecked},
};

// A paper whose punch flag is stored again once the paper is accepted, so
// that the ticket punches the new paper as it did the old one.
struct PaperPunch {
    int paperFeature;
    int punchFeature;
    bool JSE_JobFeatureType::*flag;
};

constexpr PaperPunch kPaperPunches[] = {
    {kFeatureFrontCoverPaper, kFeaturePunchFrontCover, &JSE_JobFeatureType::punchFrontCover},
    {kFeatureBackCoverPaper, kFeaturePunchBackCover, &JSE_JobFeatureType::punchBackCover},
    {kFeatureStatusPaper, kFeaturePunchStatusPaper, &JSE_JobFeatureType::punchStatusPaper},
    {kFeatureSeparatorPaper, kFeaturePunchSeparatorPaper, &JSE_JobFeatureType::punchSeparatorPaper},
};

const RoadRow* RowOf(int feature) {
    for (const RoadRow& row : kRoad)
        if (row.feature == feature) return &row;
    return nullptr;
}

// The value the rule control is asked about: punching is on or off.
int CheckedValue(int feature, std::int64_t val) {
    const bool onOff = feature == kFeaturePunchPattern || feature == kFeaturePunchFrontCover ||
                       feature == kFeaturePunchBackCover;
    return onOff ? (val != 0) : static_cast<std::int32_t>(val);
}

bool PassesSecondNumber(int feature) {
    return feature == kFeaturePrintRange || feature == kFeatureDocumentTitle || feature == kFeatureHalftoneAngle ||
           feature == kFeatureHalftoneFrequency;
}

// A switch with its text: the text when on, emptied when off.
void SetWithText(bool& flag, WString& field, std::int64_t val, const WString& text) {
    flag = val != 0;
    field = flag ? text : WString();
}

}  // namespace

int zqController::HandleJobFeatures(int feature, std::int64_t val, std::string_view sValue, std::int64_t val2) {
    if (!m_service) return 0;
    const RoadRow* row = RowOf(feature);
    // The status-page and separator punches follow their papers only.
    if (!row || feature == kFeaturePunchStatusPaper || feature == kFeaturePunchSeparatorPaper) return 0;
    if (row->control != kUnchecked) {
        // Turning punching on punches every page range: the rules judge the
        // ranges so, and a refusal leaves the validator's list as it was.
        const bool punchesRanges = feature == kFeaturePunchPattern && val > 0 && mJobFeature.punchJob <= 0;
        if (punchesRanges) loadPageExceptionsToValidation(true);
        int conflict = 0;
        const int refusal = m_service->JSE_Validation_Check(row->control, CheckedValue(feature, val), conflict, true);
        if (refusal != 0 && punchesRanges) JSE_LoadPageExceptionToValidation();
        if (refusal != 0) return refusal;
    }
    if (feature == kFeatureInserterAvailable) return 0;  // asked, never kept
    if (feature == kFeatureLongEdgeFold) {
        m_service->JSE_Preference_SetNarrowBookletValue(static_cast<std::int32_t>(val));
        return 0;
    }
    SetJobFeature(feature, val, sValue, PassesSecondNumber(feature) ? val2 : 0);
    for (const PaperPunch& punch : kPaperPunches)
        if (punch.paperFeature == feature) SetJobFeature(punch.punchFeature, mJobFeature.*punch.flag, {}, 0);
    return 0;
}

// Features the road does not write still store the record and copy it into
// the ticket; the document title and the page order reach the ticket their
// own way.
void zqController::SetJobFeature(int feature, std::int64_t val, std::string_view sValue, std::int64_t val2) {
    WString text;
    NSStringToWString(sValue, text);
    writeFeature(feature, val, text, val2);
    if (!m_service || feature == kFeaturePageOrder) return;
    if (feature == kFeatureDocumentTitle) {
        m_service->JSE_JobTicket_Set_DocumentTitle(JSE_MacEncoding<true>(text).str());
        return;
    }
    storeAndCopyToTicket();
}

void zqController::writeFeature(int feature, std::int64_t val, const WString& text, std::int64_t val2) {
    JSE_JobFeatureType& r = mJobFeature;
    const bool on = val != 0;
    const auto number = static_cast<std::int32_t>(val);
    switch (feature) {
        case kFeatureBodyPaper:
            if (!text.empty()) r.bodyPaper = text;
            break;
        case kFeatureInterleavePaper: r.interleavePaper = text; break;
        case kFeatureFrontCoverMode: r.frontCoverMode = number; break;
        case kFeatureFrontCoverPaper: r.frontCoverPaper = text; break;
        case kFeatureBackCoverMode: r.backCoverMode = number; break;
        case kFeatureBackCoverPaper: r.backCoverPaper = text; break;
        case kFeatureStatusMode: r.statusMode = number; break;
        case kFeatureStatusPaper: r.statusPaper = text; break;
        case kFeatureSetSeparator: r.setSeparator = on; break;
        case kFeatureSeparatorPaper: r.separatorPaper = text; break;
        case kFeaturePrintingMode: r.printingMode = number >= 2 && number <= 6 ? number : 1; break;
        case kFeatureDocumentExit: r.jobExit = number; break;
        case kFeatureStaplerPosition: r.staplerPosition = number; break;
        case kFeatureOffsetStacking: r.offsetStack = on; break;
        case kFeatureTrimming: r.trimming = on; break;
        case kFeatureCopies: r.copyCount = val; break;
        case kFeatureCollate: r.collate = on; break;
        case kFeaturePrintRange:
            r.printPageFrom = val;
            r.printPageTo = val2;
            break;
        case kFeaturePrint: r.printCheck = on; break;
        case kFeatureSaveAs: SetWithText(r.saveAs, r.saveAsFileNameText, val, text); break;
        case kFeatureCreateTIFF:
            SetWithText(r.createTIFF, r.createTIFFPath, val, text);
            r.printCheck = !on;
            break;
        case kFeatureSpecificPrinter: SetWithText(r.specificPrinter, r.specificPrinterNameText, val, text); break;
        case kFeatureEMailAddress: r.eMailAddressText = text; break;
        case kFeatureOperatorMessage: r.operatorMessageText = text; break;
        case kFeatureDeliverTo: r.deliverToText = text; break;
        case kFeatureChargeNumber: r.chargeNumberText = text; break;
        case kFeaturePunchPattern: {
            const bool punchedBefore = r.punchJob > 0;
            r.punchJob = number;
            updateJobPunchFeatures(number, punchedBefore);
            break;
        }
        case kFeaturePunchFrontCover: r.punchFrontCover = on; break;
        case kFeaturePunchBackCover: r.punchBackCover = on; break;
        case kFeaturePunchStatusPaper: r.punchStatusPaper = on; break;
        case kFeaturePunchSeparatorPaper: r.punchSeparatorPaper = on; break;
        case kFeatureProofSet: r.proofSet = on; break;
        case kFeatureUserName: r.userName = text; break;
        case kFeatureCompileJobOnly: r.compileJobOnly = on; break;
        case kFeatureSignaturePages: r.signaturePages = number; break;
        case kFeatureGRET: r.engineGRET = on; break;
        case kFeatureHalftoneAngle: r.halftoneAngle = number; break;
        case kFeatureHalftoneFrequency: r.halftoneFrequency = number; break;
        case kFeatureFinishOrientation: r.finishOrientation = number; break;
        case kFeaturePageOrder:
            if (m_service) {
                m_service->JSE_JobTicket_SetPageOrderValue(number);
                m_service->JSE_Preference_SetPageOrderValue(number);
            }
            break;
        case kFeaturePdfAutoCenter: r.pdfAutoCenter = on; break;
        case kFeaturePdfBinaryOK: r.pdfBinaryOK = on; break;
        case kFeaturePdfFitToPage: r.pdfFitToPage = on; break;
        case kFeaturePdfUsePrintersHalftone: r.pdfUsePrintersHalftone = !on; break;
        case kFeaturePdfMediaMatchAll: r.pdfMediaMatchAll = on; break;
        case kFeaturePdfPrintAnnotations: r.pdfPrintAnnotations = on; break;
        case kFeatureEmulation:
            r.jobEmulationType = number;
            if (m_service) m_service->JSE_JobTicket_Set_EmitPDFCommand(number == 4);
            break;
        default: break;  // the title, the long-edge fold, the inserter and unknown features
    }
}

void zqController::storeAndCopyToTicket() {
    m_service->JSE_Preference_SetJobFeature(mJobFeature);
    m_service->JSE_Preference_Copy_Value_To_JobTicket();
}

// Punching punches the status page and the separators the job has. Turned
// on, it punches the covers the job has too, each only where the rules let
// its paper be punched, so that a cover on paper that cannot be punched goes
// out unpunched; another pattern keeps what the user chose for each cover
// and each page range (from page 1 on), and only a range without a punch is
// punched.
void zqController::updateJobPunchFeatures(int pattern, bool punchedBefore) {
    JSE_JobFeatureType& r = mJobFeature;
    if (pattern > 0) {
        if (!punchedBefore && r.frontCoverMode != 1)
            r.punchFrontCover = coverMayBePunched(eJSE_PunchFrontCoverTypeCheck);
        if (!punchedBefore && r.backCoverMode != 1)
            r.punchBackCover = coverMayBePunched(eJSE_PunchBackCoverTypeCheck);
        r.punchStatusPaper = r.punchStatusPaper || r.statusMode != 1;
        r.punchSeparatorPaper = r.punchSeparatorPaper || r.setSeparator;
    } else {
        r.punchFrontCover = r.punchBackCover = r.punchStatusPaper = r.punchSeparatorPaper = false;
        if (m_service) {
            m_service->JSE_Validation_SetValue_NoCheck(eJSE_PunchFrontCoverTypeCheck, 0);
            m_service->JSE_Validation_SetValue_NoCheck(eJSE_PunchBackCoverTypeCheck, 0);
        }
    }
    if (!m_pageCollection) return;
    const int punch = pattern > 0 ? 1 : 0;
    for (long i = 0; i < m_pageCollection->JSE_PageCollection_GetSize(); ++i) {
        long first = -1, last = -1;
        m_pageCollection->JSE_PageCollection_GetPageNumber(i, first, last);
        if (first < 1 || last < 1) continue;
        if (!m_pageCollection->JSE_PageCollection_FindPageFeatureByPageIndex(i, kPePunch))
            m_pageCollection->JSE_PageCollection_AddPageFeature(i, kPePunch, punch);
        else if (!punchedBefore || pattern <= 0)
            m_pageCollection->JSE_PageCollection_UpdatePageFeature(i, kPePunch, punch);
    }
    JSE_LoadPageExceptionToValidation();
}

// Asked as if the user had checked the cover's box; an allowed punch is
// kept by the validator too, so that the cover's paper is checked with it.
bool zqController::coverMayBePunched(int control) {
    if (!m_service) return true;
    int conflict = 0;
    return m_service->JSE_Validation_Check(control, 1, conflict, true) == 0;
}

void zqController::setPunchPattern(int pattern) {
    if (m_service) m_service->JSE_Preference_SetUserPunchPattern(pattern);
}

void zqController::SetJobFeatures(JSE_JobFeatureType record) {
    if (!m_service) return;
    m_service->JSE_Preference_SetJobFeature(std::move(record));
    m_service->JSE_Preference_GetJobFeature(mJobFeature);
}

void zqController::SetJobTicketInfoFromApplication(std::string_view jobName, int copies, int orientation) {
    m_documentTitle = platform::ValidUtf8(jobName);
    m_copyCount = copies;
    m_orientation = orientation;
    if (!m_service) return;
    mJobFeature.copyCount = copies;
    mJobFeature.orientation = orientation;
    SetJobFeatures(mJobFeature);
    giveTitleToTicket();
}

void zqController::GetBodyPaperSize(int& width, int& height) {
    if (!m_service) {
        width = 612;
        height = 792;
        return;
    }
    m_service->JSE_Media_GetPoints(m_service->JSE_Media_GetIndex(mJobFeature.bodyPaper), width, height);
}
