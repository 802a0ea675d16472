// The job-feature dictionary: the dialog's picture of every job setting,
// grouped by pane, that the bridge sends with the applySettings
// notifications and the template pane saves as a template. The groups are
// made anew on every build and put into the dictionary the bridge keeps.
// Every leaf is a text: numbers "%d", flags "1" or "0", image distances in
// the pane's current unit with two decimals.
#include "PageEntries.h"
#include "PageFeatureList.h"
#include "zqController.h"

namespace {

std::string Flag(bool on) { return on ? "1" : "0"; }
std::string Number(std::int64_t value) { return platform::FormatInteger(value); }
std::string Decimal(double value) { return platform::FormatDecimal(value); }

}  // namespace

void zqController::convertFeaturesToDictionary() {
    convertJobFeaturesToDictionary();
    m_peFeatureDict = platform::Dictionary();
    fillSubstitutionGroup();
    m_jobFeatureDict.set("Substitution", m_peFeatureDict);
}

void zqController::convertJobFeaturesToDictionary() {
    // The store holds the page order and long-edge fold that the road and
    // the templates last gave it.
    if (m_service) {
        mPageOrdering = m_service->JSE_Preference_GetPageOrderValue();
        mNarrowBookletValue = m_service->JSE_Preference_GetNarrowBookletValue();
    }
    m_jobSetupDict = platform::Dictionary();
    m_finisherFeatureDict = platform::Dictionary();
    m_customFeatureDict = platform::Dictionary();
    m_imageFeatureDict = platform::Dictionary();
    m_notificationFeatureDict = platform::Dictionary();
    fillJobSetupGroup();
    fillFinisherGroup();
    fillNotificationGroup();
    fillCustomGroup();
    fillImageGroup();
    m_jobFeatureDict.set("jobSetup", m_jobSetupDict);
    m_jobFeatureDict.set("finisher", m_finisherFeatureDict);
    m_jobFeatureDict.set("custom", m_customFeatureDict);
    m_jobFeatureDict.set("image", m_imageFeatureDict);
    m_jobFeatureDict.set("notification", m_notificationFeatureDict);
}

void zqController::fillJobSetupGroup() {
    const JSE_JobFeatureType& r = mJobFeature;
    platform::Dictionary& g = m_jobSetupDict;
    g.set("title", m_documentTitle);
    g.set("jobEmulationType", Number(r.jobEmulationType));
    g.set("printerType", Number(r.printerType));
    g.set("printingMode", Number(r.printingMode));
    g.set("orientation", Number(r.orientation));
    g.set("finishOrientation", Number(r.finishOrientation));
    g.set("copyCount", Number(r.copyCount));
    g.set("printPageFrom", Number(r.printPageFrom));
    g.set("printPageTo", Number(r.printPageTo));
    g.set("proofSet", Flag(r.proofSet));
    g.set("timeOutAction", Number(r.timeOutAction));
    g.set("waitTime", Number(r.waitTime));
    g.set("collate", Flag(r.collate));
    g.set("compileJobOnly", Flag(r.compileJobOnly));
    g.set("bodyPaper", wstringToNSString(r.bodyPaper));
    g.set("interleavePaper", wstringToNSString(r.interleavePaper));
    g.set("frontCoverPaper", wstringToNSString(r.frontCoverPaper));
    g.set("frontCoverMode", Number(r.frontCoverMode));
    g.set("punchFrontCover", Flag(r.punchFrontCover));
    g.set("backCoverPaper", wstringToNSString(r.backCoverPaper));
    g.set("backCoverMode", Number(r.backCoverMode));
    g.set("punchBackCover", Flag(r.punchBackCover));
    g.set("statusPaper", wstringToNSString(r.statusPaper));
    g.set("statusMode", Number(r.statusMode));
    g.set("punchStatusPaper", Flag(r.punchStatusPaper));
    g.set("separatorPaper", wstringToNSString(r.separatorPaper));
    g.set("setSeparator", Flag(r.setSeparator));
    g.set("punchSeparatorPaper", Flag(r.punchSeparatorPaper));
    g.set("finishChapter", Flag(r.finishChapter));
    g.set("printCheck", Flag(r.printCheck));
    g.set("pagePerSide", Number(r.pagePerSide));
    g.set("signaturePages", Number(r.signaturePages));
    g.set("sheets", Number(r.sheets));
    g.set("printerServerSpool", Flag(r.printerServerSpool));
    g.set("pdfAutoCenter", Flag(r.pdfAutoCenter));
    g.set("pdfBinaryOK", Flag(r.pdfBinaryOK));
    g.set("pdfFitToPage", Flag(r.pdfFitToPage));
    g.set("pdfMediaMatchAll", Flag(r.pdfMediaMatchAll));
    g.set("pdfPrintAnnotations", Flag(r.pdfPrintAnnotations));
    g.set("pdfUsePrintersHalftone", Flag(r.pdfUsePrintersHalftone));
}

void zqController::fillFinisherGroup() {
    const JSE_JobFeatureType& r = mJobFeature;
    platform::Dictionary& g = m_finisherFeatureDict;
    g.set("jobExit", Number(r.jobExit));
    g.set("staplerPosition", Number(r.staplerPosition));
    g.set("offsetStack", Flag(r.offsetStack));
    g.set("pageOrdering", Number(mPageOrdering));
    g.set("longEdgeFold", Number(mNarrowBookletValue));
    g.set("trimming", Flag(r.trimming));
    g.set("punchJob", Number(r.punchJob));
    g.set("defaultPunchPattern", Number(r.punchJob > 0 ? r.punchJob : getDefaultPunchPattern()));
}

void zqController::fillNotificationGroup() {
    const JSE_JobFeatureType& r = mJobFeature;
    platform::Dictionary& g = m_notificationFeatureDict;
    g.set("statusMode", Number(r.statusMode));
    g.set("statusPaper", wstringToNSString(r.statusPaper));
    g.set("chargeNumberText", wstringToNSString(r.chargeNumberText));
    g.set("operatorMessageText", wstringToNSString(r.operatorMessageText));
    g.set("deliverToText", wstringToNSString(r.deliverToText));
    g.set("eMailAddressText", wstringToNSString(r.eMailAddressText));
}

void zqController::fillCustomGroup() {
    const JSE_JobFeatureType& r = mJobFeature;
    platform::Dictionary& g = m_customFeatureDict;
    g.set("saveAs", Flag(r.saveAs));
    g.set("saveAsFileNameText", wstringToNSString(r.saveAsFileNameText));
    g.set("specificPrinter", Flag(r.specificPrinter));
    g.set("specificPrinterNameText", wstringToNSString(r.specificPrinterNameText));
    g.set("createTIFF", Flag(r.createTIFF));
    g.set("createTIFFPath", wstringToNSString(r.createTIFFPath));
    g.set("withJobStream", Flag(mCustomCommand.withJobStream));
    g.set("fieldFlag", Number(mCustomCommand.fieldFlag));
    g.set("insertPosition", Number(mCustomCommand.insertPosition));
    g.set("modifyPrintFile", Number(mCustomCommand.modifyPrintFile));
    // Bytes that are no UTF-8 become U+FFFD.
    g.set("command", mCustomCommand.CommandText());
    g.set("fileName", wstringToNSString(mCustomCommand.fileName));
}

// The distances are the ones the pane last sent, in the unit it sent them
// in, on or off: the record holds them in points once a ticket was built.
// A mirrored side 2 is side 1 mirrored, as it prints.
void zqController::fillImageGroup() {
    const JSE_JobFeatureType& r = mJobFeature;
    platform::Dictionary& g = m_imageFeatureDict;
    const int finishing = r.finishOrientation >= 1 && r.finishOrientation <= 4 ? r.finishOrientation : 1;
    ImageShift shift = GetCurrentImageAlignValues(GetCurrentImageAlignUnit());
    if (r.imageAlignMirrorSide1) shift.back = GetImageAlignMirrorValues(GetCurrentImageAlignUnit());
    EdgeMargins erase = GetCurrentEdgeEraseValues(GetCurrentEdgeEraseUnit());
    if (r.edgeEraseMirrorSide1) erase.back = GetEdgeEraseMirrorValues(GetCurrentEdgeEraseUnit());
    g.set("halftoneAngle", Number(r.halftoneAngle));
    g.set("halftoneFrequency", Number(r.halftoneFrequency));
    g.set("engineGRET", Flag(r.engineGRET));
    g.set("imageAlign", Flag(r.imageAlign));
    g.set("FinishOrientation", Number(finishing));
    g.set("imageAlignMirrorSide1", Flag(r.imageAlignMirrorSide1));
    g.set("imageAlignUnit", Number(GetCurrentImageAlignUnit()));
    g.set("imageAlignPaperOrientation", Number(r.imageAlignPaperOrientation));
    g.set("imageAlignFrontX", Decimal(shift.front.x));
    g.set("imageAlignFrontY", Decimal(shift.front.y));
    g.set("imageAlignBackX", Decimal(shift.back.x));
    g.set("imageAlignBackY", Decimal(shift.back.y));
    g.set("edgeErase", Flag(r.edgeErase));
    g.set("edgeEraseMirrorSide1", Flag(r.edgeEraseMirrorSide1));
    g.set("edgeErasePaperOrientation", Number(r.edgeErasePaperOrientation));
    g.set("edgeEraseUnit", Number(GetCurrentEdgeEraseUnit()));
    g.set("frontEraseLeftSide", Decimal(erase.front.left));
    g.set("frontEraseRightSide", Decimal(erase.front.right));
    g.set("frontEraseTopSide", Decimal(erase.front.top));
    g.set("frontEraseBottomSide", Decimal(erase.front.bottom));
    g.set("backEraseLeftSide", Decimal(erase.back.left));
    g.set("backEraseRightSide", Decimal(erase.back.right));
    g.set("backEraseTopSide", Decimal(erase.back.top));
    g.set("backEraseBottomSide", Decimal(erase.back.bottom));
}

// Every page feature and image shift, as the page-exception pane writes them.
void zqController::fillSubstitutionGroup() {
    if (!m_pageCollection) return;
    m_peFeatureDict.set("pageFeatures", PageFeatureList(ReadPageEntries(this)));
    if (m_release7PageSet) m_peFeatureDict.set("pageSets", m_release7PageSet->copy());
}
