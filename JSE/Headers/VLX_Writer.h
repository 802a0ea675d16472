// The ticket writer: turns the flat header record DSC_VLX and the writer's own
// state into the job-ticket text, a block of 8-bit comment lines joined by
// CR LF.
//
// Every job ticket owns one VLX_Writer. The writer keeps everything it needs
// between the ticket's setters and its driver (emission flags, release items,
// title, custom command, page-exception lists, the page-exception job
// settings and the device-lookup switch), so two tickets in one process never
// see each other's state. Nothing resets the state between two builds of the
// same ticket except what the driver itself clears.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DSC_VLX.h"
#include "JSE_String.h"

// Return codes of the writer's generators and driver.
enum VLX_WriterCode : int {
    kVlxDone = 0,
    kVlxBadPlatform = 27,       // platformFlag is neither 0 nor 1
    kVlxBadVersion = 28,        // structVersion is not 0
    kVlxNothingToPrint = 29,    // no print, no store and no TIFF path
    kVlxNoBodyPaper = 30,
    kVlxNoFrontCoverPaper = 31,
    kVlxNoBackCoverPaper = 32,
    kVlxNoSeparatorPaper = 33,
    kVlxNoInterleavePaper = 36,
    kVlxNoStatusPaper = 37,
    kVlxBadExceptionIndex = 41,
};

// The release-4 block of the header: GRET, image alignment, edge erase, spool
// and PDF switches.
struct vlxRelease4Type {
    std::int32_t release4Reserved = 0;
    bool engineGRET = false;
    bool imageAlignOn = false;
    float imageAlign[4] = {};  // front x, front y, back x, back y
    bool edgeEraseOn = false;
    float edgeErase[8] = {};   // front left, right, top, bottom, back left, right, top, bottom
    bool printerServerSpool = false;
    bool pdfAutoCenter = false;
    bool pdfBinaryOK = false;
    bool pdfFitToPage = false;
    bool pdfMediaMatchAll = false;
    bool pdfPrintAnnotations = false;
    bool pdfUsePrintersHalftone = false;

    static vlxRelease4Type FromHeader(const DSC_VLX& header);
};

// Punch pattern (0 = the job is not punched) and the punch flags.
struct vlxRelease5Type {
    std::int32_t punchPattern = 0;
    bool punchFrontCover = false;
    bool punchBackCover = false;
    bool punchSeparatorPaper = false;
    bool punchStatusPaper = false;

    static vlxRelease5Type FromHeader(const DSC_VLX& header);
};

struct vlxRelease7Type {
    std::int32_t narrowBooklet = 0;  // 1 = on
    std::int32_t pageOrder = 1;      // 1 face down, 2 face up, 3 last sheet first
};

// The user's custom command as handed to the writer.
struct vlxCustomCommandType {
    static constexpr std::size_t kTextSize = 255;

    bool enabled = false;
    std::int32_t kind = 0;      // the writer writes kinds 2 and 4 only
    std::int32_t position = 0;  // 1 after the ticket lines, 2 before them
    char text[kTextSize] = {};  // 0-terminated when shorter than 255 bytes

    // The text up to its first 0, at most 255 bytes.
    std::string Text() const;
};

// The device block of a finishing subset: {present, value} pairs; a value of
// 255 means the job's own setting.
struct vlxPeDeviceType {
    bool peFold = false;
    std::int32_t peFoldValue = 255;
    bool peJog = true;
    std::int32_t peJogValue = 255;
    bool pePostProcess = false;
    std::int32_t pePostProcessValue = 255;
    bool peStaple = false;
    std::int32_t peStapleValue = 255;
    bool peOutput = true;
    std::int32_t peOutputValue = 255;
    bool peTrim = false;
    std::int32_t peTrimValue = 255;
};

// The writer's page-exception record: one page range with its kind, paper and
// page-level settings.
struct vlxPageExeptionType {
    std::int32_t exceptionMode = 232;  // PageExceptionCode; 231 = substitution without a paper
    std::int32_t paperExit = 255;      // inserts: 1 top, 2 stapler, 3 stacker; 255 = the job's
    std::int64_t startingPage = 0;
    std::int64_t endingPage = 0;       // 99999 = the document's last page
    bool fromJobPaper = true;
    bool pePunch = true;
    JSE_MacEncoding<true> mediaName;
    bool printOn = true;
    std::int32_t printingMode = 255;
    bool peGRET = false;
    bool peGRETValue = false;
    bool pePlex = false;
    std::int32_t pePlexValue = 255;    // 1 simplex, 2 duplex long edge, 3 duplex short edge
    bool peRotate = false;
    std::int32_t peRotateValue = 255;
    bool peShift = false;
    float frontX = 0;
    float frontY = 0;
    float backX = 0;
    float backY = 0;
    bool peSide = true;
    std::int32_t peSideValue = 255;    // 1 front, 2 back
    bool finishChapter = false;
    bool peSubset = false;
    vlxPeDeviceType peRecord;
    std::int32_t pageCopies = 1;

    static void Dup(const vlxPageExeptionType& source, vlxPageExeptionType& target) { target = source; }
};

// One row of the device lookup table: the commands that switch off, around a
// finishing subset, what the job's device or the subset's device did.
struct peDeviceRecord {
    std::int32_t jobDevice = 0;  // 0 top, 1 stapler, 2 stacker, 3 bookmaker, 4 postprocessor
    std::int32_t preCommands[4] = {};
    std::int32_t subsetDevice = 0;  // output code 1 top .. 5 postprocessor
    std::int32_t nextDevice = 0;    // output code of the next subset; 0 = last subset
    std::int32_t postCommands[4] = {};
};

// The four device lines of the finishing subsets with their break counts.
struct vlxPeDeviceLines {
    std::string staple;
    std::string jog;
    std::string trim;
    std::string fold;
    std::int32_t stapleCount = 0;
    std::int32_t jogCount = 0;
    std::int32_t trimCount = 0;
    std::int32_t foldCount = 0;
};

// Stateless line helpers shared by the generators.
// printf-style formatting into a narrow string, with "." as the decimal
// point whatever the locale of the application the writer runs in.
std::string VLX_Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
int Append_Buffer_to_DSC_Header(std::string& text, std::string line, int tag);
void PrependCommandPCLComment(std::string& text);
// " first" when first equals last, " first..lastpage" when last is 99999,
// " first..last" otherwise.
std::string& Construct_Page_Range(std::int64_t first, std::int64_t last, std::string& out);
// Appends the page as "%lld ".
void ConstructPage(std::string& text, std::int64_t page);
// The page after `last`; there is none after the last page number there is.
std::optional<std::int64_t> pageAfter(std::int64_t last);
// True when `page` comes right after `last`.
bool followsDirectly(std::int64_t last, std::int64_t page);
// Appends an item to a line, breaking the line once the count passes 80.
void AppendCommand(const std::string& item, std::string& line, std::int32_t& count);
// Job exit code 2..6 to the header's documentExit 1..5; anything else 0.
std::uint8_t getVTR1documentExit(int jobExit);

// One item of the plex line: from `page` on the pages print with `value`
// (a pePlexValue; 255 the job's plex). A return to the job's plex where a
// run ends is always written; another item is left out when the line holds
// its text already.
struct PlexLineItem {
    std::int64_t page = 0;
    std::int32_t value = 0;
    bool returnToJob = false;
};
// The plex line's items for a prepared page-exception list, in line order:
// each page prints with the plex of the innermost record that holds it and
// sets one; a record of the job's plex begun inside another range is passed
// over.
std::vector<PlexLineItem> PlexLineItems(const std::vector<vlxPageExeptionType>& list);

// Paper helpers of the media lines.
// The first of the header's catalog papers (at most numberOfPapers of them)
// named exactly name; null when there is none.
const _Paper_Catalog* Lookup_Catalog_Entry(const DSC_VLX& header, const std::string& name);
// Adds " name " to the list and answers true when the list does not hold it yet.
bool Check_Whether_To_Add_Paper(std::string& paperList, const _Paper_Catalog& paper);
// Appends the paper's sides, pre-collated and unpunchable attributes.
void Generate_PaperAttributes(const _Paper_Catalog& paper, std::string& line);
// The paper's document-structuring description: name, size, weight, colour, type.
void Format_Document_Media_Entry(const _Paper_Catalog& paper, std::string& entry);

class VLX_Writer {
public:
    using Generator = int (VLX_Writer::*)(DSC_VLX&, std::string&);
    static constexpr int kSlotCount = 63;
    static constexpr int kSequenceSize = 52;
    static constexpr int kStepCount = 50;

    VLX_Writer();

    // Driver: writes the whole ticket into text, which must be empty.
    int Generate_DSC_VLX_Header(DSC_VLX& header, std::string& text);
    // Resets the header, the text and the writer state for a new ticket object.
    void Initialize_DSC_VLX_Structure(DSC_VLX& header, std::string& text);

    // Setters of the job ticket.
    void SetVersionString(const std::string& version) { gVersionString = version; }
    void SetDocumentTitle(const std::string& title) { gDocumentTitle = title; }
    void SetEmittionFlags(bool jobSpool, bool customBefore, bool customAfter, bool pdfCommand, bool pclComment);
    void SetEmitCopyCountFlag(bool on) { gEmitCopyCount = on; }
    void SetMICRFeature(bool on) { gTurnOnThisFeature = on; }
    void SetLastSheetFirst(bool on) { gLastSheetFirst = on; }
    void SetVLXInhibit(int slot, bool inhibit);
    void Set_VLX_CustomCommand(const vlxCustomCommandType& command);
    void SetVLXRelease4Items(const vlxRelease4Type& items);
    void SetVLXRelease5Items(const vlxRelease5Type& items) { sVlxRelease5Items = items; }
    void SetVLXRelease502Items(bool micrFont) { sVlxRelease502Items = micrFont; }
    void SetVLXRelease6Items(const vlxHeaderRelease6Type& items);
    void SetVLXRelease7Items(const vlxRelease7Type& items) { sVlxRelease7Items = items; }

    // The page-exception list of the ticket being written.
    void Set_VLX_NumberOfSubstitution(long count);
    int Set_VLX_Substitution_List(long index, const vlxPageExeptionType& record);
    int Add_VLX_Substitution_List(const vlxPageExeptionType& record);
    long GetMediaExceptionListSize() const { return static_cast<long>(vlxMediaExceptionList.size()); }
    void ClearMediaExceptionList() { vlxMediaExceptionList.clear(); }
    void GetOneExceptionRecord(long index, vlxPageExeptionType& record) const;
    void ChangeExceptionMode(long index, std::int32_t code);

    // Job settings of the page-exception lines: an empty text stores the
    // setting's default.
    void SetJobStaplingItems(const std::string& text);
    void SetJobFoldItems(const std::string& text);
    void SetJobTrimItems(const std::string& text);
    void SetJobJog(const std::string& text);
    void SetJobPlex(const std::string& text);
    void SetJobOutputItems(const std::string& text);
    void SetJobDevice(std::int32_t device) { sJobDeviceSetting = device; }
    void SetUseDeviceLookup(bool on) { sUseDeviceLookup = on; }

    // Read access for the job ticket and for checks.
    bool IsInhibited(int slot) const;
    bool MediaSectionWritten() const { return gGenerate_VLXMedia_Section; }
    const std::vector<vlxPageExeptionType>& MediaExceptionList() const { return vlxMediaExceptionList; }
    const std::vector<vlxPageExeptionType>& SlipRecords() const { return SlipList; }
    const std::vector<vlxPageExeptionType>& PeRecordList() const { return sPeRecordList; }
    const std::vector<peDeviceRecord>& DeviceLookupTable() const { return PeDeviceLookup; }

    // Writer lines outside the sequence.
    int Generate_JSE_Version(DSC_VLX& header, std::string& text);
    int Generate_VLXCustomPreAppend(DSC_VLX& header, std::string& text);
    int Generate_VLXCustomAppend(DSC_VLX& header, std::string& text);
    int Generate_NULL(DSC_VLX& header, std::string& text);

    // Job-level lines.
    int Generate_VLXChargeNumber(DSC_VLX& header, std::string& text);
    int Generate_VLXBody(DSC_VLX& header, std::string& text);
    int Generate_VLXEmail(DSC_VLX& header, std::string& text);
    int Generate_VLXPrintMethod(DSC_VLX& header, std::string& text);
    int Generate_VLXOutputMedia(DSC_VLX& header, std::string& text);
    int Generate_VLXPrintRange(DSC_VLX& header, std::string& text);
    int Generate_VLXProofSet(DSC_VLX& header, std::string& text);
    int Generate_VLXTransparencyMode(DSC_VLX& header, std::string& text);
    int Generate_VLXBooklet(DSC_VLX& header, std::string& text);
    int Generate_VLXRotation(DSC_VLX& header, std::string& text);
    int Generate_VLXError(DSC_VLX& header, std::string& text);
    int Generate_VLXSeparator(DSC_VLX& header, std::string& text);
    int Generate_VLXChapters(DSC_VLX& header, std::string& text);
    int Generate_VLXChaptersAreSets(DSC_VLX& header, std::string& text);
    int Generate_VLXActOn(DSC_VLX& header, std::string& text);
    int Generate_OperatorMessage(DSC_VLX& header, std::string& text);
    int Generate_Title(DSC_VLX& header, std::string& text);
    int Generate_For(DSC_VLX& header, std::string& text);
    int Generate_Emulation(DSC_VLX& header, std::string& text);
    int Generate_Routing(DSC_VLX& header, std::string& text);
    int Generate_DocumentPrinterRequired(DSC_VLX& header, std::string& text);
    int Generate_VLXEngineEdgeErase(DSC_VLX& header, std::string& text);
    int Generate_VLXImageAlign(DSC_VLX& header, std::string& text);
    int Generate_VLXEngineGRET(DSC_VLX& header, std::string& text);
    int Generate_VLXDestination(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFVersion(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFAutoCenter(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFBinaryOK(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFMediaMatchAll(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFPrintAnnotations(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFFitToPage(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFUsePrintersHalftone(DSC_VLX& header, std::string& text);
    int Generate_VLXPDFPageLoop(DSC_VLX& header, std::string& text);
    int Generate_VLXPrinterServerSpool(DSC_VLX& header, std::string& text);
    int Generate_VLXReqPunch(DSC_VLX& header, std::string& text);
    int Generate_VLXLastSheetFirst(DSC_VLX& header, std::string& text);
    int Generate_VLXNarrowBooklet(DSC_VLX& header, std::string& text);
    int Generate_VLXMICR(DSC_VLX& header, std::string& text);

    // Requirements, covers, inserts and slip lines.
    int Generate_VLXRequirements(DSC_VLX& header, std::string& text);
    int Generate_VLXCovers(DSC_VLX& header, std::string& text);
    int Generate_VLXInserts(DSC_VLX& header, std::string& text);
    int Generate_VLXSlip(DSC_VLX& header, std::string& text);

    // Media lines.
    int Generate_DocumentMedia(DSC_VLX& header, std::string& text);
    int Generate_VLXMedia(DSC_VLX& header, std::string& text);
    // True when the job names any paper besides the body paper.
    bool AnyMediaInTheJob(const DSC_VLX& header) const;

    // Preparation of the page-exception list before the first line.
    void PreFlightPeList();
    void CopyExceptionList();
    void zqSort();
    void PageException_PreProcess();
    void CreateSlipList();
    void CombineSlipList();

    // Page-exception lines.
    int Generate_VLXPeSide(DSC_VLX& header, std::string& text);
    int Generate_VLXPePlex(DSC_VLX& header, std::string& text);
    int Generate_VLXPeShift(DSC_VLX& header, std::string& text);
    int Generate_VLXPeRotate(DSC_VLX& header, std::string& text);
    int Generate_VLXPeCopyCount(DSC_VLX& header, std::string& text);
    int Generate_VLXPeSubsetItems(DSC_VLX& header, std::string& text);

    // Finishing subsets and their device commands.
    void PreFlightPeRecord();
    void PreFlightPeRecordWithDeviceLookup();
    void Get_VLX_Attributes(int selector, std::int32_t value, std::string& item, std::string& keyword) const;
    void Generate_VLXPeCommand(int selector, std::int32_t value, std::int64_t first, std::int64_t last,
                               std::string& line, bool lineBreak, bool stapleOffAfter) const;
    void ProcessPeJog(std::string& text) const;
    void ProcessPeTrim(std::string& text) const;
    void ProcessPeFolder(std::string& text) const;
    int CollectPeDevice(std::string& text) const;
    int Generate_PeSubset_Devices(DSC_VLX& header, std::string& text);

    void LoadPeDeviceLookuptTable();
    void UnLoadPeDeviceLookuptTable() { PeDeviceLookup.clear(); }
    int FindCommandLookUpEntry(std::int32_t jobDevice, std::int32_t subsetDevice, std::int32_t nextDevice) const;
    void GetPreCommand(int row, std::int64_t page, int slot, std::string& text, std::int32_t& code) const;
    void GetPostCommand(int row, std::int64_t page, int slot, std::string& text, std::int32_t& code) const;
    void Create_PreCommand(int row, const vlxPageExeptionType& subset, vlxPeDeviceLines& lines) const;
    void Create_CurrentCommand(const vlxPageExeptionType& subset, vlxPeDeviceLines& lines) const;
    void Create_PostCommand(int row, const vlxPageExeptionType& subset, vlxPeDeviceLines& lines) const;
    void RestoreJobDeviceSettings(const std::vector<vlxPageExeptionType>& subsets, std::size_t index, int row,
                                  vlxPeDeviceLines& lines) const;
    static int EmitPeCommands(std::string& text, const std::string& line);

private:
    struct DscSlot {
        Generator generator = nullptr;
        bool inhibit = false;
    };

    void ResetHeader(DSC_VLX& header) const;
    void ResetEmissionState();
    void RunSequence(DSC_VLX& header, std::string& text, int& result);
    bool CustomCommandWritable() const;
    // " punch(none) " for an item left unpunched in a punched job.
    std::string PunchText(bool itemPunched) const;
    // The media lines in the printer's or the document-structuring form.
    int WriteMediaLines(const DSC_VLX& header, std::string& text, bool printerForm);
    int OnOffLine(const DSC_VLX& header, std::string& text, const char* keyword, bool on) const;
    int PdfLine(const DSC_VLX& header, std::string& text, const char* keyword, bool on) const;
    // Routes one command text to its device line by its code.
    void RouteCommand(std::int32_t code, const std::string& command, vlxPeDeviceLines& lines) const;
    std::string RestoreText(int selector, bool present, std::int32_t value, const std::string& offText,
                            std::int32_t offCode, int row) const;
    std::int32_t OutputCodeOf(std::int32_t value) const;

    std::array<DscSlot, kSlotCount> DscTable{};

    std::string gVersionString;
    std::string gDocumentTitle;
    vlxCustomCommandType gVLXCustomCommand;
    bool gVLXCustomCommandEmitted = false;
    bool gEmitJobSpool = false;
    bool gEmitCustomOptionPreAppend = false;
    bool gEmitCustomOptionAppend = false;
    bool gEmitPDFCommand = true;
    bool gEmitPCLComment = false;
    bool gEmitCopyCount = true;
    bool gGenerate_VLXMedia_Section = false;
    bool gTurnOnThisFeature = false;
    bool gLastSheetFirst = false;
    vlxRelease4Type sVlxRelease4Items;
    vlxRelease5Type sVlxRelease5Items;
    bool sVlxRelease502Items = false;  // MICR font on
    vlxHeaderRelease6Type sVlxRelease6Items;
    vlxRelease7Type sVlxRelease7Items;

    // Page-exception lists: the ticket's list, the working copies of its
    // preparation and the slip records.
    std::vector<vlxPageExeptionType> vlxMediaExceptionList;
    std::vector<vlxPageExeptionType> vlxMediaExceptionListCopy;
    std::vector<vlxPageExeptionType> vlxMediaExceptionListSortCopy;
    std::vector<vlxPageExeptionType> SlipList;

    // Page-exception job settings, handed over by the job-level lines.
    bool sUseDeviceLookup = false;
    std::string sJobStaplerSetting;
    std::string sJobFoldSetting;
    std::string sJobTrimSetting;
    std::string sJobJogSetting;
    std::string sJobPlexSetting;
    std::string sJobOutputSetting;
    std::int32_t sJobDeviceSetting = 0;
    std::int32_t sJobStapleValue = 0;

    // The finishing subsets of the ticket being written, and the device lookup
    // table, which exists only while the subset lines are written.
    std::vector<vlxPageExeptionType> sPeRecordList;
    std::vector<peDeviceRecord> PeDeviceLookup;
};
