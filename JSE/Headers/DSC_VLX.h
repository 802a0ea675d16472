// The flat ticket header record through which the job ticket hands one job to
// the ticket writer, and the ticket's PDF record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "JSE_String.h"

// The ticket's PDF record.
struct vlxHeaderRelease6Type {
    std::string pdfVersionText;  // single-byte form of the version
    WString pdfVersion;
    std::int32_t userPunchPattern = 0;
    bool pdfPageLoop = false;
    std::int32_t pdfUseOpp = 0;
};

// One catalog paper as the writer sees it; texts in ticket-string form.
struct _Paper_Catalog {
    std::string name;
    std::string colour;  // "*" means any colour
    std::string type;    // "*" means any type
    std::int32_t widthPoints = 0;
    std::int32_t heightPoints = 0;
    std::int32_t weight = 0;
    std::int32_t mode = 0;  // 0 post-fuser insert paper, 1 one-sided, 2 two-sided
    std::int32_t precollated = 0;
    std::int32_t punchable = 0;  // 0: the paper may not be punched
};

struct chapter_type {
    std::uint16_t valid = 0;
    std::string pages;
};

struct cover_type {
    JSE_MacEncoding<true> paper;
    std::uint16_t valid = 0;
    std::uint16_t mode = 0;
};

using status_pages_type = cover_type;

struct printMethod_type {
    std::uint16_t print = 0;
    std::uint16_t store = 0;
    JSE_MacEncoding<true> storeName;
};

struct separators_type {
    std::uint16_t valid = 0;
    std::uint16_t value = 0;
    JSE_MacEncoding<true> paper;
};

// The members from release4Reserved through pdfUsePrintersHalftone form the
// release-4 block; punchPattern with the four punch flags the release-5 value.
struct DSC_VLX {
    std::int32_t emulation = 0;
    std::uint16_t platformFlag = 0;   // 1 when the ticket's platform is 2
    std::uint16_t structVersion = 0;  // 0; any other value makes the writer refuse
    std::uint16_t printMode = 0;      // 0 simplex, 1 duplex long, 2 duplex short, 3/4 interleave, 5 pamphlet
    std::uint16_t documentExit = 0;   // 0 top, 1 stapler, 2 stacker, 3 booklet, 4 post-processor, 5 wire-comb
    std::uint16_t numberOfPapers = 0;
    std::int64_t copyCount = 0;
    std::int32_t startPage = 0;
    std::int32_t endPage = 0;
    std::vector<_Paper_Catalog> paperCatalog;
    JSE_MacEncoding<true> bodyPaper;
    JSE_MacEncoding<true> interleavePaper;
    JSE_MacEncoding<true> chargeNumber;
    JSE_MacEncoding<true> operatorMessage;
    JSE_MacEncoding<true> userName;
    JSE_MacEncoding<true> deliverTo;
    JSE_MacEncoding<false> eMailAddress;
    JSE_MacEncoding<true> printerName;
    JSE_MacEncoding<true> tiffPath;
    std::uint64_t reservedWord = 0;
    std::uint16_t offsetStackValid = 0;
    std::uint16_t offsetStackValue = 0;
    std::uint16_t collateValid = 0;
    std::uint16_t collateValue = 0;
    std::uint16_t landscapeDetectValid = 0;
    std::uint16_t landscapeDetectValue = 0;
    std::uint16_t proofSetValid = 0;
    std::uint16_t proofSetValue = 0;
    std::uint16_t proofCount = 0;   // wait time after the proof set, 1..60
    std::uint16_t proofAction = 0;  // 2 print, 3 block, 4 hold
    std::uint16_t trimValid = 0;
    std::uint16_t trimValue = 0;
    std::uint16_t chaptersAreSetsValid = 0;
    std::uint16_t chaptersAreSetsValue = 0;
    std::uint16_t specificPrinterValid = 0;
    std::uint16_t specificPrinterValue = 0;
    std::uint16_t bookletValid = 0;
    std::int32_t signaturePages = 0;
    chapter_type chapters;
    std::uint16_t staplingValid = 1;
    std::uint16_t staplingMode = 0;  // 0 none, 1 top, 2 bottom, 3 both, 4 saddle
    cover_type frontCover;
    cover_type backCover;
    printMethod_type printMethod;
    std::uint16_t finishOrientation = 0;  // 0, 1 = 90, 2 = 180, 3 = 270 degrees
    status_pages_type statusPages;
    separators_type separators;
    std::uint8_t compileOnly = 0;

    // Release-4 block.
    std::int32_t release4Reserved = 0;
    std::uint8_t engineGRET = 0;
    std::uint8_t imageAlignOn = 0;
    float imageAlign[4] = {};  // front x, front y, back x, back y
    std::uint8_t edgeEraseOn = 0;
    float edgeErase[8] = {};   // front left, right, top, bottom, back left, right, top, bottom
    std::uint8_t printerServerSpool = 0;
    std::uint8_t pdfAutoCenter = 0;
    std::uint8_t pdfBinaryOK = 0;
    std::uint8_t pdfFitToPage = 0;
    std::uint8_t pdfMediaMatchAll = 0;
    std::uint8_t pdfPrintAnnotations = 0;
    std::uint8_t pdfUsePrintersHalftone = 0;

    // Release-5 value.
    std::int32_t punchPattern = 0;
    std::uint8_t punchFrontCover = 0;
    std::uint8_t punchBackCover = 0;
    std::uint8_t punchSeparatorPaper = 0;
    std::uint8_t punchStatusPaper = 0;

    std::uint8_t micrFont = 0;
};
