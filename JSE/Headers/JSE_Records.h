// The plain value records in which the engine passes a job's settings between
// the bridge, the settings store, the validator and the job ticket.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "JSE_String.h"

// Numbering of page-exception kinds and their finishing value codes.
// 255 in any setting means the job's own setting.
enum PageExceptionCode : std::int32_t {
    kPeSubsetFold = 117,
    kPeSubsetOutput = 224,
    kPeSubsetStaple = 225,
    kPeNoKind = 231,
    kPePaperSubstitution = 232,
    kPeInsertBefore = 233,
    kPeInsertAfter = 234,
    kPePrintMode = 235,
    kPePrintSide = 236,
    kPePunch = 237,
    kPeFinishingSubset = 238,
    kPeSubsetTrim = 239,
    kPeSubsetJog = 240,
    kPePageCopyCount = 241,
    kPeInsertLike = 242,
    kPeChapterStart = 300,
    kPeRotation = 301,
    kPeImageShift = 302,
    kPeImageRemoval = 303,
};

// Print mode, print side, chapter start and rotation: the page layout, which
// the page collection keeps in its layout list.
inline bool IsLayoutCode(std::int32_t code) {
    return code == kPePrintMode || code == kPePrintSide || code == kPeChapterStart || code == kPeRotation;
}

// Numbering of the job-level features by which the panes, the controller,
// the validator's callers and the templates name one setting. It overlaps
// PageExceptionCode in value (232 is the finishing orientation here and
// paper substitution there); the two are never mixed.
enum JobFeatureId : std::int32_t {
    kFeatureBodyPaper = 101,
    kFeatureInterleavePaper = 102,
    kFeatureFrontCoverMode = 103,
    kFeatureFrontCoverPaper = 104,
    kFeatureBackCoverMode = 105,
    kFeatureBackCoverPaper = 106,
    kFeatureStatusMode = 107,
    kFeatureStatusPaper = 108,
    kFeatureSetSeparator = 109,
    kFeatureSeparatorPaper = 110,
    kFeatureInserterAvailable = 111,
    kFeaturePrintingMode = 112,
    kFeatureDocumentExit = 113,
    kFeatureStaplerPosition = 114,
    kFeatureOffsetStacking = 115,
    kFeatureTrimming = 116,
    kFeatureLongEdgeFold = 117,  // the narrow-booklet value
    kFeatureCopies = 200,
    kFeatureCollate = 201,
    kFeaturePrintRange = 206,
    kFeaturePrint = 207,
    kFeatureSaveAs = 209,
    kFeatureCreateTIFF = 210,
    kFeatureSpecificPrinter = 212,
    kFeatureEMailAddress = 214,
    kFeatureOperatorMessage = 215,
    kFeatureDeliverTo = 216,
    kFeatureChargeNumber = 217,
    kFeaturePunchPattern = 218,
    kFeaturePunchFrontCover = 219,
    kFeaturePunchBackCover = 220,
    kFeaturePunchStatusPaper = 221,
    kFeaturePunchSeparatorPaper = 222,
    kFeatureProofSet = 223,
    kFeatureUserName = 224,
    kFeatureDocumentTitle = 225,
    kFeatureCompileJobOnly = 226,
    kFeatureSignaturePages = 227,
    kFeatureGRET = 228,
    kFeatureHalftoneAngle = 229,
    kFeatureHalftoneFrequency = 230,
    kFeatureFinishOrientation = 232,
    kFeaturePageOrder = 233,
    kFeaturePdfAutoCenter = 1381,
    kFeaturePdfBinaryOK = 1382,
    kFeaturePdfFitToPage = 1383,
    kFeaturePdfUsePrintersHalftone = 1384,
    kFeaturePdfMediaMatchAll = 1385,
    kFeaturePdfPrintAnnotations = 1386,
    kFeatureEmulation = 2000,
};

constexpr std::int32_t kPeNotSet = 255;
constexpr std::int64_t kLastPage = 99999;

// The print modes that put interleave sheets between the pages: 4 blank
// and 5 pre-printed. Only these use the interleave paper.
inline bool IsInterleaveMode(std::int32_t printingMode) { return printingMode == 4 || printingMode == 5; }

// One record of every job-level setting. Holders fill it from the factory
// defaults of the settings store or by copy before reading it.
struct JSE_JobFeatureType {
    std::int32_t jobEmulationType = 0;  // 2 vgl, 3 pcl5, 4 pdf, otherwise postscript
    std::int32_t printerType = 0;
    std::int32_t printingMode = 0;  // 1 simplex .. 6 pamphlet
    std::int32_t jobExit = 0;       // 1 top tray .. 6 wire-comb binder
    std::int32_t staplerPosition = 0;
    std::int32_t orientation = 0;
    std::int32_t finishOrientation = 0;
    std::int64_t copyCount = 0;
    std::int64_t printPageFrom = 0;
    std::int64_t printPageTo = 0;
    bool proofSet = false;
    std::int32_t timeOutAction = 0;
    std::int32_t waitTime = 0;
    bool collate = false;
    bool offsetStack = false;
    bool trimming = false;
    bool compileJobOnly = false;
    WString bodyPaper;
    WString interleavePaper;
    std::int32_t frontCoverMode = 0;
    bool punchFrontCover = false;
    WString frontCoverPaper;
    std::int32_t backCoverMode = 0;
    bool punchBackCover = false;
    WString backCoverPaper;
    std::int32_t statusMode = 0;
    bool punchStatusPaper = false;
    WString statusPaper;
    bool setSeparator = false;
    bool punchSeparatorPaper = false;
    WString separatorPaper;
    bool finishChapter = false;
    std::string chapterPages;
    WString userName;
    WString chargeNumberText;
    WString operatorMessageText;
    WString deliverToText;
    WString eMailAddressText;
    bool printCheck = false;
    bool saveAs = false;
    WString saveAsFileNameText;
    bool specificPrinter = false;
    WString specificPrinterNameText;
    bool createTIFF = false;
    WString createTIFFPath;
    std::int32_t pagePerSide = 0;
    std::int32_t signaturePages = 0;
    std::int32_t sheets = 0;
    std::int32_t halftoneAngle = 0;
    std::int32_t halftoneFrequency = 0;
    std::int32_t punchJob = 0;
    bool engineGRET = false;
    bool imageAlign = false;
    bool imageAlignMirrorSide1 = false;
    std::int32_t imageAlignPaperOrientation = 0;
    float imageAlignFrontX = 0;
    float imageAlignFrontY = 0;
    float imageAlignBackX = 0;
    float imageAlignBackY = 0;
    bool edgeErase = false;
    bool edgeEraseMirrorSide1 = false;
    std::int32_t edgeErasePaperOrientation = 0;
    float frontEraseLeftSide = 0;
    float frontEraseRightSide = 0;
    float frontEraseTopSide = 0;
    float frontEraseBottomSide = 0;
    float backEraseLeftSide = 0;
    float backEraseRightSide = 0;
    float backEraseTopSide = 0;
    float backEraseBottomSide = 0;
    bool printerServerSpool = false;
    bool pdfAutoCenter = false;
    bool pdfBinaryOK = false;
    bool pdfFitToPage = false;
    bool pdfMediaMatchAll = false;
    bool pdfPrintAnnotations = false;
    bool pdfUsePrintersHalftone = false;
};

// The user's custom command.
struct JSE_CustomCommandType {
    static constexpr std::size_t kCommandSize = 255;

    bool withJobStream = false;
    std::int32_t fieldFlag = 0;       // kind of command; the writer uses kinds 2 and 4
    std::int32_t insertPosition = 0;  // 1 after the ticket lines, 2 before them
    std::int32_t modifyPrintFile = 0;
    char command[kCommandSize] = {};  // 0-terminated when shorter than 255 bytes
    WString fileName;

    // The command text: at most 255 bytes, up to the first 0.
    std::string CommandText() const;
    // Stores text, cut to 255 bytes, 0-terminated when shorter.
    void SetCommandText(const std::string& text);
};

// The device block of a page exception: six {present, value} pairs, each
// flag in a full 32-bit slot.
struct JSE_PeRecordType {
    std::int32_t peFold = 0;
    std::int32_t peFoldValue = kPeNotSet;
    std::int32_t peJog = 1;
    std::int32_t peJogValue = kPeNotSet;
    std::int32_t pePostProcess = 0;
    std::int32_t pePostProcessValue = kPeNotSet;
    std::int32_t peStaple = 0;
    std::int32_t peStapleValue = kPeNotSet;
    std::int32_t peOutput = 1;
    std::int32_t peOutputValue = kPeNotSet;
    std::int32_t peTrim = 0;
    std::int32_t peTrimValue = kPeNotSet;
};
static_assert(sizeof(JSE_PeRecordType) == 48, "the device block is one 48-byte unit");

// One page exception: one page range with one kind of exception.
struct JSE_PageExceptionType {
    std::int32_t exceptionMode = kPePaperSubstitution;
    std::int32_t paperExit = kPeNotSet;
    std::int64_t startingPage = 0;
    std::int64_t endingPage = 0;
    bool fromJobPaper = true;
    // The settings file's byte fields: mediaIndex (here the range's punch
    // switch, 1 punched as the job is, 0 not punched), the GRET flag and its
    // value. Any byte a file holds is kept as it is.
    std::uint8_t pePunch = 1;
    WString mediaName;
    bool printOn = true;
    std::int32_t printingMode = kPeNotSet;
    std::uint8_t peGRET = 0;
    std::uint8_t peGRETValue = 0;
    bool pePlex = true;
    std::int32_t pePlexValue = kPeNotSet;
    bool peRotate = true;
    std::int32_t peRotateValue = kPeNotSet;
    bool peShift = false;
    float frontX = 0;
    float frontY = 0;
    float backX = 0;
    float backY = 0;
    bool peSide = true;
    std::int32_t peSideValue = kPeNotSet;
    bool finishChapter = false;
    bool peSubset = false;
    JSE_PeRecordType peRecord;
    std::int32_t pageCopies = 1;
    std::int32_t reserved = 0;

    JSE_PageExceptionType() = default;
    JSE_PageExceptionType(const JSE_PageExceptionType& source) { Dup(source, *this); }
    JSE_PageExceptionType& operator=(const JSE_PageExceptionType& source) {
        if (this != &source) Dup(source, *this);
        return *this;
    }

    // Copies every member; each flag is normalised to 0 or 1, whatever byte
    // the source holds (records may be filled from raw file bytes), and the
    // byte fields are copied as they are.
    static void Dup(const JSE_PageExceptionType& source, JSE_PageExceptionType& target);
};

// One paper as kept with the job settings.
struct JSE_MediaRecordType {
    WString name;
    WString colour;
    WString type;
    float widthInches = 0;
    float heightInches = 0;
    std::int32_t widthPoints = 0;
    std::int32_t heightPoints = 0;
    std::int32_t weight = 0;
    std::int32_t mode = 0;
    std::int32_t mediaCode = 0;
    bool mediaFlag = false;
    bool punchable = false;
    std::int32_t precollated = 0;
    std::int32_t mediaExtra = 0;
};

// The ticket's default paper: "Letter" for English, "A4" for any other
// language.
JSE_MediaRecordType DefaultTicketPaper(const WString& language);

// The settings store's release-6 features.
struct JSE_Release1_4Type {
    WString pdfVersion;
    std::int32_t pdfUseOpp = 0;
    std::int32_t userPunchPattern = 0;
    bool pdfPageLoop = false;
    bool lastPageFirst = false;
};

// Release-7 features.
struct JSE_Release3_0Type {
    std::int32_t narrowBooklet = 0;  // 0 or 1
    std::int32_t pageOrder = 0;      // 1 face down, 2 face up, 3 last page first
};

struct JSE_JobTicketType {
    JSE_JobFeatureType jobFeature;
    std::vector<JSE_MediaRecordType> papers;
    std::vector<JSE_PageExceptionType> pageExceptions;
};
