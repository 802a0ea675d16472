// Factory defaults of the settings store.
#include <cstring>

#include "JSE_Media.h"
#include "JSE_Preference.h"

namespace {

void FillJobDefaults(JSE_JobFeatureType& record) {
    record.printerType = 1;
    record.printingMode = 1;
    record.jobExit = 1;
    record.staplerPosition = 1;
    record.orientation = 1;
    record.finishOrientation = 1;
    record.copyCount = 1;
    record.printPageFrom = 0;
    record.printPageTo = 0;
    record.proofSet = false;
    record.timeOutAction = 0;
    record.waitTime = 5;
    record.collate = true;
    record.offsetStack = false;
    record.trimming = false;
    record.compileJobOnly = false;
}

void FillPaperDefaults(JSE_JobFeatureType& record) {
    record.interleavePaper.clear();
    record.frontCoverMode = 1;
    record.punchFrontCover = false;
    record.frontCoverPaper.clear();
    record.backCoverMode = 1;
    record.punchBackCover = false;
    record.backCoverPaper.clear();
    record.statusMode = 1;
    record.punchStatusPaper = false;
    record.statusPaper.clear();
    record.setSeparator = false;
    record.punchSeparatorPaper = false;
    record.separatorPaper.clear();
    record.finishChapter = false;
}

void FillTextDefaults(JSE_JobFeatureType& record) {
    record.chapterPages.clear();
    record.userName.clear();
    record.chargeNumberText.clear();
    record.operatorMessageText.clear();
    record.deliverToText.clear();
    record.eMailAddressText.clear();
    record.printCheck = true;
    record.saveAs = false;
    record.saveAsFileNameText.clear();
    record.specificPrinter = false;
    record.specificPrinterNameText.clear();
    record.createTIFF = false;
    record.createTIFFPath.clear();
}

void FillLayoutDefaults(JSE_JobFeatureType& record) {
    record.pagePerSide = 1;
    record.signaturePages = 88;
    record.sheets = 22;
    record.halftoneAngle = 45;
    record.halftoneFrequency = 106;
    record.punchJob = 0;
    record.engineGRET = false;
}

void FillImageDefaults(JSE_JobFeatureType& record) {
    record.imageAlign = false;
    record.imageAlignMirrorSide1 = true;
    record.imageAlignPaperOrientation = 1;
    record.imageAlignFrontX = record.imageAlignFrontY = 0.0f;
    record.imageAlignBackX = record.imageAlignBackY = 0.0f;
    record.edgeErase = false;
    record.edgeEraseMirrorSide1 = true;
    record.edgeErasePaperOrientation = 1;
    record.frontEraseLeftSide = record.frontEraseRightSide = 0.0f;
    record.frontEraseTopSide = record.frontEraseBottomSide = 0.0f;
    record.backEraseLeftSide = record.backEraseRightSide = 0.0f;
    record.backEraseTopSide = record.backEraseBottomSide = 0.0f;
}

void FillPdfDefaults(JSE_JobFeatureType& record) {
    record.printerServerSpool = false;
    record.pdfAutoCenter = false;
    record.pdfBinaryOK = true;
    record.pdfFitToPage = false;
    record.pdfMediaMatchAll = true;
    record.pdfPrintAnnotations = false;
    record.pdfUsePrintersHalftone = false;
}

}  // namespace

WString JSE_Preference::FactoryBodyPaper() const {
    WString name;
    if (m_media) {
        m_media->GetDefaultPaperName(name);
        return name;
    }
    return m_contents.language == L"English" ? L"Letter" : L"A4";
}

void JSE_Preference::FillFactoryDefaults(JSE_JobFeatureType& record) const {
    record.jobEmulationType = m_emulationType;
    FillJobDefaults(record);
    record.bodyPaper = FactoryBodyPaper();
    FillPaperDefaults(record);
    FillTextDefaults(record);
    FillLayoutDefaults(record);
    FillImageDefaults(record);
    FillPdfDefaults(record);
}

void JSE_Preference::ResetToFactoryDefaults() {
    m_contents.pageExceptions.clear();
    m_contents.papers.clear();
    JSE_Preference_Clear_CustomCommand();
    FillFactoryDefaults(m_contents.jobFeature);
    SetFactoryReleaseValues(m_contents.release6, m_contents.release7);
}

void JSE_Preference::SetFactoryReleaseValues(JSE_Release1_4Type& release6, JSE_Release3_0Type& release7) {
    release6 = JSE_Release1_4Type{};
    release6.pdfVersion = L"usepdl";
    release7 = JSE_Release3_0Type{0, 1};
}

void JSE_Preference::JSE_Preference_Clear_CustomCommand() {
    std::memset(m_contents.customCommand.command, 0, JSE_CustomCommandType::kCommandSize);
    m_contents.customCommand.withJobStream = false;
    m_contents.customCommand.fieldFlag = 1;
    m_contents.customCommand.insertPosition = 2;
    m_contents.customCommand.modifyPrintFile = 1;
    m_contents.customCommand.fileName.clear();
}
