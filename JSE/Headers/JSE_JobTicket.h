// The job ticket: turns one job's settings into the job-ticket text.
//
// At each build the ticket pulls the job features from the settings store,
// translates them into its flat header record, hands the page exceptions (of
// the lent page collection, or else its own list) to its writer and lets the
// writer write the text, which stays in the ticket until it is copied out.
// The settings store, the paper catalog and the page collection are lent to
// the ticket and never owned; a missing one is no error. The ticket owns its
// writer, so each ticket keeps its own writer state. Used on one thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DSC_VLX.h"
#include "ImageAdjust.h"
#include "JSE_Records.h"
#include "JSE_String.h"
#include "VLX_Writer.h"

class JSE_Media;
class JSE_PageCollection;
struct ImageType;
class JSE_Preference;

class JSE_JobTicket {
public:
    // The ticket's engine error codes, kept in its last error.
    static constexpr std::int64_t kNotImplemented = -999;     // a command set not built
    static constexpr std::int64_t kUnknownCommandSet = -1000;
    static constexpr std::int64_t kWrongLength = -1006;       // copy-out length is not the text's
    static constexpr std::int64_t kNoSuchPageException = -1007;

    static constexpr std::int64_t kVersion = 0x30000;

    // The command sets a default record's printer type selects.
    static constexpr std::int32_t kCommandSetVTR = 1;

    // The third argument is not used.
    JSE_JobTicket(const WString& language, const WString& defaultPaper, std::int32_t unused);
    virtual ~JSE_JobTicket();

    JSE_JobTicket(const JSE_JobTicket&) = delete;
    JSE_JobTicket& operator=(const JSE_JobTicket&) = delete;

    // Builds the ticket text; the result is also the last error.
    virtual std::int64_t JSE_JobTicket_Create();
    // Copies the text, without a terminating 0, into a buffer of exactly its
    // byte length.
    virtual std::int64_t JSE_JobTicket_Get(char* buffer, long length);
    virtual void JSE_JobTicket_GetJobFeature(JSE_JobFeatureType& record);
    virtual void JSE_JobTicket_SetJobFeature(JSE_JobFeatureType record);
    virtual std::int64_t JSE_JobTicket_GetPageExceptionItem(long index, JSE_PageExceptionType& record);
    // Appends the record; alsoStore hands a copy to a lent settings store too.
    virtual void JSE_JobTicket_SetPageExceptionItem(JSE_PageExceptionType record, bool alsoStore);
    virtual std::int64_t JSE_JobTicket_GetSubSetPeItem(JSE_PeRecordType& record);
    virtual void JSE_JobTicket_SetSubSetPeItem(JSE_PeRecordType record);
    virtual std::int64_t JSE_JobTicket_GetMedia(JSE_MediaRecordType& paper);
    virtual void JSE_JobTicket_SetMedia(JSE_MediaRecordType paper);

    std::int64_t JSE_JobTicke_GetVersion() const { return version; }
    // 0 while the last error is set, else the text's byte length.
    std::int64_t JSE_JobTicket_GetSize() const;
    std::int64_t JSE_JobTicket_GetLastError() const { return lastError; }
    std::int64_t JSE_JobTicket_GetNumberOfPageExceptionItem() const;
    void JSE_JobTicket_Clear_PageException() { pageExceptions.clear(); }
    void JSE_JobTicket_Get_Default_PageRecord(JSE_PageExceptionType& record) const;
    void JSE_JobTicket_Get_CustomRecord(JSE_CustomCommandType& record) const { record = customCommand; }
    void JSE_JobTicket_Set_CustomRecord(JSE_CustomCommandType record) { customCommand = record; }

    // Lent objects; null allowed.
    void JSE_JobTicket_Set_JSE_PreferenceRef(JSE_Preference* store) { preference = store; }
    void JSE_JobTicket_Set_JSE_MediaRef(JSE_Media* catalog) { media = catalog; }
    void JSE_JobTicket_SetPageObject(JSE_PageCollection* collection) { pageCollection = collection; }

    // Writer switches.
    void JSE_JobTicket_Set_EmulationType(int type);
    void JSE_JobTicket_Set_EmitJobSpool(bool on) { emitJobSpool = on; }
    void JSE_JobTicket_Set_CustomOptionPreAppend(bool on) { customOptionPreAppend = on; }
    void JSE_JobTicket_Set_EmitCustomOptionAppend(bool on) { customOptionAppend = on; }
    void JSE_JobTicket_Set_EmitPDFCommand(bool on) { emitPDFCommand = on; }
    void JSE_JobTicket_SetEmitPCLComment(bool on) { emitPCLComment = on; }
    void JSE_JobTicket_SetEmitCopyCount(bool on) { emitCopyCount = on; }
    void JSE_JobTicket_SetLastPageFirst(bool on) { lastPageFirst = on; }
    // Without the body line the ticket names no body paper.
    void JSE_JobTicket_SetEmitBody(bool on);
    void JSE_JobTicket_Set_PeDeviceLookup(bool on);
    void JSE_JobTicket_SetMICRFont(bool on) { header.micrFont = on; }
    void JSE_JobTicket_SetMICRFeature(bool on);
    void JSE_JobTicket_Set_DocumentTitle(const std::string& title);
    const std::string& JSE_JobTicket_GetVersionString() const { return versionString; }

    // PDF and release values.
    void JSE_JobTicket_SetPDFVersion(const WString& pdfVersion);
    void JSE_JobTicket_GetPDFVersion(WString& pdfVersion) const { pdfVersion = release6.pdfVersion; }
    void JSE_JobTicket_SetPDFPageLoop(bool on) { release6.pdfPageLoop = on; }
    bool JSE_JobTicket_GetPDFPageLoop() const { return release6.pdfPageLoop; }
    void JSE_JobTicket_SetPDFUseOpp(int value) { release6.pdfUseOpp = value; }
    int JSE_JobTicket_GetPDFUseOpp() const { return release6.pdfUseOpp; }
    void JSE_JobTicket_SetUserPunchPattern(int pattern) { release6.userPunchPattern = pattern; }
    int JSE_JobTicket_GetUserPunchPattern() const { return release6.userPunchPattern; }
    // Takes the values and hands them to the writer at once.
    void JSE_JobTicket_SetRelease6Features(const JSE_Release1_4Type& values);
    // 0 or 1; any other value stores 0.
    void JSE_JobTicket_SetNarrowBookletValue(int value);
    int JSE_JobTicket_GetNarrowBookletValue() const { return release7.narrowBooklet; }
    // 1 to 3; any other value stores 1.
    void JSE_JobTicket_SetPageOrderValue(int value);
    int JSE_JobTicket_GetPageOrderValue() const { return release7.pageOrder; }

    std::int32_t JSE_JobTicket_GetPrintingMode() const { return jobFeature.printingMode; }
    std::int32_t JSE_JobTicket_GetExitDevice() const { return jobFeature.jobExit; }
    void JSE_JobTicket_GetBodyPaperName(WString& name) const { name = jobFeature.bodyPaper; }

protected:
    // The default job record; its printer type selects the command set.
    JSE_JobTicketType defaultTicket;

private:
    std::int64_t createVTRCommandSet();
    void HandEmissionFlags(bool pdfCommand, bool pclComment);
    void HandEmulationFlags(int emulation);

    // Translators of the job features into the header record.
    void TranslateEmulationAndPlatform();
    void TranslatePaperList();
    void TranslateJobLayout();
    void TranslateSpecialPapers();
    void TranslateFinishing();
    void TranslateChapters();
    void TranslateTexts();
    void TranslatePrintMethod();
    void TranslateReleaseItems();

    // A chapter start in the chapter list: "first..last " or "first ".
    static std::string ChapterEntry(std::int64_t first, std::int64_t last);

    // Hand-over of the page exceptions to the writer; the last writer code.
    std::int64_t HandOverPageExceptions();
    std::int64_t HandOverPageRecords();
    std::int64_t HandOverImageRecords();
    std::int64_t HandOverOwnRecords();
    // The chapter starts of the page records, first and last page each.
    using ChapterRanges = std::vector<std::pair<std::int64_t, std::int64_t>>;
    void ReadPageFeature(int code, int value, vlxPageExeptionType& record, ChapterRanges& chapters) const;
    // One writer record for each stretch of first..last over which the shift
    // converts alike, each page by its own paper; the last writer code.
    std::int64_t HandOverImageShift(const ImageType& shift, long first, long last, vlxPageExeptionType& record);
    void ConvertImageShift(const ImageType& shift, const WString& paperName, vlxPageExeptionType& record);
    void PaperPoints(const WString& paperName, int& width, int& height) const;

    std::int64_t version = kVersion;
    std::int64_t lastError = 0;
    WString language;
    WString defaultPaper;
    std::string versionString = "08.01.0004";
    JSE_JobFeatureType jobFeature;
    std::vector<JSE_PageExceptionType> pageExceptions;
    JSE_PageCollection* pageCollection = nullptr;  // lent
    std::unique_ptr<ImageAlign> imageAligner;       // only while image shifts are converted
    JSE_CustomCommandType customCommand;
    DSC_VLX header;
    vlxHeaderRelease6Type release6;
    JSE_Release3_0Type release7{0, 1};  // narrow booklet, page order
    std::string ticketText;
    std::int8_t platform = 2;                       // Macintosh
    JSE_Preference* preference = nullptr;           // lent
    JSE_Media* media = nullptr;                     // lent
    bool emitJobSpool = false;
    bool customOptionPreAppend = false;
    bool customOptionAppend = false;
    bool emitPDFCommand = true;
    bool emitPCLComment = false;
    bool emitCopyCount = true;
    bool lastPageFirst = false;
    VLX_Writer writer;
};
