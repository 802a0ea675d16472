// The validator: the engine's rule checker.
//
// Its model is a fixed table of 55 controls, one for each rule-bound choice of
// the job setup, each with a current value and a list of dependent records
// read from a read-only big-endian rule file. Checking a proposed value of a
// control walks its records against the current values of other controls and
// the paper catalog; the first record that fails gives a message identifier
// (a label identifier of the dialog), 0 meaning allowed.
//
// Beside the control table the validator keeps the page exceptions of the job
// it checks (its own list, a page selection, the papers that page exceptions
// use) and a built-in table of page-exception constraints.
//
// A missing or unreadable rule file does not stop the engine: the validator
// then holds no controls and allows every value. JSE_Validation_RulesLoaded
// tells whether rules were read, JSE_Validation_GetRuleFileError why not,
// and JSE_Validation_RuleFileDamaged whether a file was there that could
// not be read whole. A missing file is noted in the system log, a damaged
// one in the console log with the file's path and its fault; a whole file
// with contents the format does not foresee only in the system log.
//
// The validator refers to the paper catalog and the settings store without
// owning them; both must outlive it. Used on one thread only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "JSE_Records.h"
#include "JSE_String.h"

class JSE_Media;
class JSE_Preference;
struct JSE_MediaSelection;
struct PAPERDEF;

// The controls of the table, by number. Paper controls hold a catalog paper
// index; -1 in a paper control other than the body paper means the body paper.
enum JSE_ValidationControl : int {
    eJSE_BodyPaperSelection = 0,
    eJSE_PrintModeSelection = 1,  // 1 simplex, 2/3 duplex long/short edge, 4/5 interleaved, 6 pamphlet
    eJSE_PrintProofSetCheck = 2,
    eJSE_CollateCheck = 3,
    eJSE_InterleavePaperSelection = 4,
    eJSE_FrontCoverSelection = 5,  // 1 none
    eJSE_FrontCoverPaperSelection = 6,
    eJSE_BackCoverSelection = 7,  // 1 none
    eJSE_BackCoverPaperSelection = 8,
    eJSE_DocumentExitSelection = 9,  // 1 top, 2 stapler, 3 stacker, 4 booklet maker, 5 other
    eJSE_StaplerSelection = 10,      // 1 none, 2 top, 3 bottom, 4 both, 5 saddle
    eJSE_OffsetStackingCheck = 11,
    eJSE_PrintCheck = 12,
    eJSE_SaveAsCheck = 13,
    eJSE_SpecificPrintCheck = 14,
    eJSE_StatusModeSelection = 15,
    eJSE_StatusPaperSelection = 16,
    eJSE_SetSeparatorSelection = 17,
    eJSE_SeparatorPaperSelection = 18,
    eJSE_PaperExceptionSelection = 19,
    eJSE_FinishChapterCheck = 20,
    eJSE_SignaturePagesEdit = 21,
    eJSE_TrimmingCheck = 22,
    eJSE_PaperExceptionPageEdit = 23,  // as a level control: the page-exception list
    eJSE_PunchJobTypeCheck = 24,       // 0 off, 1 on
    eJSE_PePaperSelection = 25,
    eJSE_PunchFrontCoverTypeCheck = 26,
    eJSE_PunchBackCoverTypeCheck = 27,
    eJSE_CopiesEdit = 28,
    eJSE_DeliverToEdit = 29,
    eJSE_EMailAddressEdit = 30,
    eJSE_FinishingDeviceSelection = 31,
    eJSE_FinishingOrientationSelection = 32,
    eJSE_OperatorMessageEdit = 33,
    eJSE_PagesPerSideSelection = 34,
    eJSE_PamphletSheetsEdit = 35,
    eJSE_SpecificPrinterEdit = 36,
    eJSE_SaveAsNameEdit = 37,
    eJSE_SendFileWithCheck = 38,
    eJSE_SendFileWithEdit = 39,
    eJSE_SetSeparatorsCheck = 40,
    eJSE_InserterAvailableCheck = 41,
    eJSE_PaperExceptionTypeSelection = 42,
    eJSE_CreateTiffCheck = 43,
    eJSE_PCLPaperSupply = 44,
    eJSE_CurrentPePageType = 45,  // as a level control: the page-exception list
    eJSE_PeSideType = 46,
    eJSE_PePlexType = 47,
    eJSE_PeOutputType = 48,
    eJSE_PeStapleType = 49,
    eJSE_PeTrimType = 50,
    eJSE_PeStackingType = 51,
    // Controls 52 to 54 are page-exception controls without a name; the
    // paper-sides checks 39 to 43 apply only while control 54 holds 2.
};

// The validator's engine error codes, kept in its last error.
enum JSE_ValidationError : int {
    kValidationNoError = 0,
    kValidationCannotOpen = -2,       // the rule file cannot be opened or is no file, or no rule-file path is set
    kValidationShortFile = -4,        // the rule file is empty or ends inside its header or a record
    kValidationNotARuleFile = -9,     // the rule file holds more controls than its header states
    kValidationNoCatalog = -6,        // the validator has no paper catalog
    kValidationNoRecord = -11,        // no page-exception record of that page and kind
    kValidationBadControl = -12,      // a control number outside the table
    kValidationNoSelection = -14,     // no page is selected
    kValidationNoPreference = -16,    // the settings store is needed and none is attached
    kValidationBadIndex = -1007,      // a page-exception index outside the list
};

class JSE_Validation {
public:
    static constexpr int kControlCount = 55;
    static constexpr long kVersion = 0x10000;

    // One rule record, in the file's field order. Level controls are the
    // control number plus 1, so that 0 means none.
    struct DependentItem {
        std::int16_t parentValue = 0;    // kind 2 or more: the proposed value this record belongs to
        std::int16_t level1Control = 0;  // first condition control + 1
        std::int16_t level1Min = 0;
        std::int16_t level1Max = 0;  // -2: any value
        std::int16_t level2Control = 0;
        std::int16_t level2Min = 0;
        std::int16_t level2Max = 0;
        std::int16_t level3Control = 0;  // supplies a compared value, no range test
        std::int16_t level3Min = 0;      // kept and dumped, not used by the checks
        std::int16_t level3Max = 0;
        std::int16_t flag = 0;       // the check to run
        std::int16_t condition = 0;  // 1 "=", 2 "<>", 3 ">=", 4 "<="
        std::int16_t messageId = 0;  // label identifier returned when the record fails
    };

    // One control. controlKind 0: all records apply, levels supply the
    // compared value; 1: all records apply, the proposed value is compared;
    // 2 or more: only the records whose parentValue is the proposed value.
    struct ControlItem {
        std::int16_t controlKind = 0;
        std::int16_t currentValue = 0;    // read back sign-extended
        std::int32_t dependentCount = 0;  // the records held; 0 means no rule
        std::vector<DependentItem> dependents;
    };

    // A paper used by page exceptions, with its number of uses.
    struct paperException {
        std::int32_t paper = 0;
        std::int32_t count = 0;
    };

    // A page selected for the page-exception checks.
    struct pageSelectionRecord {
        long page = 0;
        std::int32_t pageType = 0;
    };

    // One row of the built-in page-exception constraint table, or a query.
    struct peCommandConstraintType {
        std::int32_t peCommand = 0;
        std::int32_t printModeLow = 0;
        std::int32_t printModeHigh = 0;
        std::int32_t commandValue = 0;
        std::int32_t outputDevice = 0;
        std::int32_t paperA = 0;
        std::int32_t paperB = 0;
        std::int32_t checkCode = 0;
        std::int32_t operand = 0;
        std::int32_t messageId = 0;
    };

    // One stretch of pages, and one finishing or side feature on pages, as the
    // page-exception checks gather them.
    struct JSE_PageRangeType {
        long startPage = 0;
        long endPage = 0;
    };
    struct JSE_PageEFeatureType {
        std::int32_t featureType = 0;
        std::int32_t featureValue = 0;
        long startPage = 0;
        long endPage = 0;
    };

    // Internal errors of the page-exception checks, mapped to message
    // identifiers by GetJseErrorCode.
    enum pe_error : int {
        kPeNoError = 0,
        kPeBookletHeights = 1,
        kPeBookletPaperType = 2,
        kPeBookletSimplex = 3,
        kPeBookletInterleave = 4,
        kPeStaplerSize = 5,
        kPeStaplerFeedLength = 6,
        kPePunchNotPunchable = 7,
        kPeDuplexOneSided = 8,
        kPePamphletSize = 9,
        kPeInterleaveSize = 10,
        kPeUnused11 = 11,
        kPeTrimWithoutBooklet = 12,
        kPeSubsetTrimWithoutBooklet = 13,
        kPeStackWithoutStacker = 14,
        kPeSubsetJogWithoutStacker = 15,
        kPeNotPrintable = 16,
        kPeBackSideMode = 17,
        kPeBackSideOneSided = 18,
        kPeDevice6FeedLength = 19,
        kPeDevice6FeedLimits = 20,
        kPePunchFeedLimits = 21,
        kPeSideWithPamphlet = 22,
        kPeUnused23 = 23,
        kPeSimplexPaper = 24,
    };

    // ---- Construction and life cycle ----
    // Over the catalog, reading the rule file at the wide path; an empty path
    // means the catalog's path with ".dat" appended.
    JSE_Validation(JSE_Media* media, std::wstring path);
    explicit JSE_Validation(JSE_Media* media);
    // deferLoad true reads no rule file: the rules come with a later
    // JSE_Validation_Set_DataFilePath and JSE_Validation_ReStart.
    JSE_Validation(JSE_Media* media, bool deferLoad);
    // A text literal would choose the bool form; pass a std::wstring.
    JSE_Validation(JSE_Media*, const wchar_t*) = delete;
    JSE_Validation(JSE_Media*, const char*) = delete;
    virtual ~JSE_Validation();

    JSE_Validation(const JSE_Validation&) = delete;
    JSE_Validation& operator=(const JSE_Validation&) = delete;

    // Clears everything and reads the rule file again from the data-file path.
    // False when no rules could be read: no catalog (-6), no path (-2), or a
    // rule file that cannot be opened, ends early or is no rule file (its
    // code stays the last error); the records read before the end stay.
    bool JSE_Validation_ReStart();
    // True while the control table holds a rule file's controls.
    bool JSE_Validation_RulesLoaded() const;
    // How the last read of the rule file ended: 0 when every rule it holds
    // was read, -2 not opened, -4 cut short, -9 more controls held than the
    // header states. A file cut short keeps the rules read before its end.
    int JSE_Validation_GetRuleFileError() const;
    // True when the last read met a rule file that is there but could not
    // be read whole (unopenable, empty, cut short or holding more controls
    // than it states); false when it was read whole or is missing.
    bool JSE_Validation_RuleFileDamaged() const;

    long JSE_Validation_GetVersion() const;
    int JSE_Validation_GetError();
    void JSE_Validation_Set_DataFilePath(const std::string& path);
    void JSE_Validation_Get_DataFilePath(std::string& path) const;
    // Attaches the settings store and copies its body paper name; a null
    // store leaves the error -16.
    void JSE_Validation_Set_JSE_PreferenceRef(JSE_Preference* preference);
    void JSE_Validation_SetOption_UsePreferenceInPeValidation(bool on);
    bool JSE_Validation_GetOption_UsePreferenceInPeValidation() const;
    void JSE_Validation_SetReplacementMode(bool on);
    bool JSE_Validation_SetTicketValidation(bool on);

    // ---- Values ----
    // The current value (current true) or the saved value of a control;
    // 0 for a control outside the table.
    int Get_Value(int control, bool current) const;
    // Stores a value, cut to 16 bits as the current value; a control outside
    // the table changes nothing.
    void Set_Value(int control, int value, bool current);
    // -12 (also the last error) for a control outside the table.
    int JSE_Validation_GetControlValue(int control);
    void JSE_Validation_SetControlValue(int control, int value);
    // Stores without a check; for punching, the settings store's user punch
    // pattern is set to the value first.
    void JSE_Validation_SetValue_NoCheck(int control, int value);
    void JSE_Validation_GetPeControlRange(int& first, int& last);
    bool Find_Value(int paper, int* index);
    void JSE_Validation_Clear_Selected_Page();

    // The control's identifier ("eJSE_BodyPaperSelection"); null for the
    // unnamed controls from 52 and for numbers outside the table.
    static const char* ControlName(int control);

    // ---- Rule checking of job features ----
    // 0 when the value is allowed (and, with apply, stored); otherwise the
    // message identifier of the refusal, with the conflicting control in
    // conflict. Without rules every value is allowed and nothing is stored.
    int JSE_Validation_Check(int control, int value, int& conflict, bool apply);
    void findDependent(int control, int value, int& index);
    int Find_Group(int control, int start);
    int Process_Group(int count, int control, int value, int start);
    bool Value_In_Range(int level, int value, DependentItem* record);
    int One_Value_Compare(int value, int flag, int condition);
    // 1 when the paper or value conflicts under the flag's test, else 0.
    int Type_Checking(int value, int flag, int condition);
    int Two_Values_Compare(int a, int b, int condition);
    // 0 no conflict, 1 conflict, negative when a size cannot be found.
    int Paper_Size_Compare(int paperA, int paperB, int condition, int mode) const;
    void getPaperSize(int flag, float& width, float& height);
    // The paper's sides as the finisher feeds it, in inches: 0 found, 1 too
    // large, 2 size unknown (outputs unchanged on 1 and 2).
    int GetFinisherFeedDimensions(int paper, float& first, float& second) const;
    bool PeMediaSizesEqualBodySize();
    bool ComparePEListPaperSize(std::wstring bodyPaper, std::vector<JSE_PageExceptionType> pageExceptions);

    // ---- Page-exception list ----
    // Pages are 64-bit; a record whose last page precedes its first covers no
    // page. A paper index of -1 stands for the body paper (control 0).
    //
    // Inserts a copy at the place findInsertLocation gives.
    void JSE_Validation_Load_ExceptionRecord(JSE_PageExceptionType record);
    // Binary search on the first page: ahead of a record that holds the range,
    // else where the search ends; the list is otherwise not sorted.
    long findInsertLocation(long start, long end);
    // Adds a one-page record of the code on the job's paper, makes it the
    // whole selection and checks it with the paper: 0 or a message identifier.
    long JSE_Validation_Add_PePage(long page, long paperIndex, int code);
    // Removes the first record of the code starting on the page and takes one
    // use off the exception paper it printed on: 0, or -1 when there is none.
    long JSE_Validation_Remove_PePage(int page, int code);
    // Removes, for each page of the range that a record covers, the first
    // record of the code starting there. Always 0.
    long JSE_Validation_Remove_PePageRange(int first, int last, int code);
    // Empties the list and the selection; the exception papers stay.
    void JSE_Validation_Remove_All_PageList();
    // Empties the list and the selection as JSE_Validation_Remove_All_PageList
    // does and loads the records source gives, each as
    // JSE_Validation_Load_ExceptionRecord would, when the list is next read or
    // changed: a caller that changes its records many times over pays for one
    // load. source reads the records as they are then; its caller keeps what
    // it reads unchanged until it hands a new source or empties the list.
    using PeRecordSource = std::function<std::vector<JSE_PageExceptionType>()>;
    void JSE_Validation_Load_ExceptionRecordsLater(PeRecordSource source);
    long JSE_Validation_Get_NumberOf_PeRecord();
    // 0 with a copy of the record; -1007 (also the last error) outside the list.
    long JSE_Validation_GetPageExceptionItem(long index, JSE_PageExceptionType& out);
    // The first record of exactly those pages and the code (-1: any): 0, or -11.
    long JSE_Validation_Get_ExceptionRecord(int start, int end, JSE_PageExceptionType& out, int code);
    // List 1: the first record of the code (-1: any) covering the page; list 2:
    // the first saved record covering it; any other list: the first selected
    // page within page..page2. -1 when there is none.
    long FindPage(long page, long page2, int list, int code);
    void JSE_Validation_SetMediaReference(JSE_Media* media);
    void GetDefaultPERecord(JSE_PageExceptionType& record);
    void JSE_Validation_GetDefaultPERecord(JSE_PageExceptionType& record);
    // Keep a copy of the list, and put it back; an empty source changes nothing.
    void CopyExceptionList();
    void RestoreExceptionList();

    // ---- Page selection ----
    // Selects the page for the records of the code covering it: 0, or -11 when
    // none covers it. A page is selected once per code.
    long JSE_Validation_Select_Page(int page, int code);
    // Names the paper in the first record covering each selected page, without
    // a check: 0, or -14 when nothing is selected.
    long JSE_Validation_SetMedia_For_Selected_Pages(std::wstring name);

    // ---- Papers used by page exceptions, with a use count each ----
    void AddItemToPaperSubstitutionList(int paper);
    // One use less; the entry goes with its last use; a paper without an
    // entry changes nothing.
    void JSE_Validation_Remove_Exception_Media(int paper);
    void JSE_Validation_Remove_All_Exception_Media();
    // Checks the selection with the paper and, when allowed and count is set,
    // adds one use: the check's result.
    long JSE_Validation_Add_Exception_Media(int paper, bool count);

    // ---- Job context and page-exception controls ----
    // 101 body paper name, 112 print mode, 113 document exit, 116 trimming,
    // 118 offset stacking, 237 punch; other identifiers change nothing.
    void JSE_Validation_SetJobFeature(int id, const std::wstring& name, int value);
    // Takes the job context from the controls, or with fromStore from the
    // settings store when one is attached and its use is on.
    void Validation_SetJobFeatureValue(bool fromStore);
    // For controls 45 to 54: the control becomes the current page-exception
    // control, its value is saved and the new one set.
    void JSE_Validation_Select_PeCommand(int control, int value);
    long JSE_Validation_PeCommand(int control, int value, int& ignored, bool ignoredFlag);
    void JSE_Validation_Set_Default_PeCommand();
    void JSE_Validation_ResetPeControlValues();
    void RestorePECommand(int control);
    void SetCurrentCommandValue();
    // The page-exception paper (control 25); its name becomes the paper the
    // selection checks use, or the store's body paper for a paper without
    // one (-16 as the last error without a store).
    void JSE_Validation_Select_PeMedia(int paper);

    // ---- Checks over a range and the selection ----
    // Each gives 0, a message identifier, or -16 when a paper name is needed
    // from a settings store that is not attached. Without a store nothing is
    // checked.
    long JSE_Validation_OnPePageRange(long start, long end, const JSE_MediaSelection& paper, int code, int value,
                                      long index, bool ignored);
    long JSE_Validation_On_Selected_Pages(int paper);
    // Checks the current page-exception control's value on the selection
    // and, with apply, writes it into each record that passed.
    long JSE_Validation_On_Selected_PageOn_Command(int& ignored, bool ignoredFlag, bool apply);
    // Checks the page-exception paper on the selection and, with apply, gives
    // it to each record that passed.
    long JSE_Validation_On_Selected_PageOn_Media(bool apply, bool fromStore, int code);

    // ---- Page-exception feature checks ----
    // Whether a feature (a PageExceptionCode, or 310: the paper must be
    // printable) may go on the pages start..end, given the records of the
    // list and the job context: 0 allowed, else a message identifier. While
    // the job interleaves (print mode 4 or 5) every feature gives 16142.
    long JSE_Validation_CheckPeFeature(long start, long end, const std::vector<JSE_PageExceptionType>& list, int code,
                                       const JSE_MediaSelection& paper, int value);
    // Checks every record of the list (or of the settings store while the
    // list is empty): 0, the first refusal's message identifier, or -16 with
    // neither a list nor a store.
    long Validation_On_PeList();
    // A rule record asking for the page-exception list: tries the value on
    // the control the record's check code names and checks the list.
    long Check_PeLevel_List(int control, int value, DependentItem record);
    std::int32_t GetJseErrorCode(pe_error error);
    // 0 with the catalog record of the paper; 1 not in the catalog; 2 no record.
    int GetMediaInfo(const std::wstring& name, PAPERDEF& out);
    // In the catalog, and printable (sides mode not 0).
    bool IsPrintableMedia(const std::wstring& name);

    // ---- Page-exception constraint table ----
    void LoadPeConstrintTable();
    // Finds the first row matching the query; the query receives its check
    // code and message identifier (both 0 when no row matches).
    bool JSE_Validation_PeConstraint_Lookup(peCommandConstraintType& query);

    // ---- Debug dumps, written into the current folder ----
    void DumpList();
    void DumpPageList();
    void DumpSubstitutionList(int which);

protected:
    void InitMembers(const std::wstring& path, bool deferLoad);
    // Reads the rule file at dataFilePath into the control table.
    void Initialize_Controls_Value();
    void Allocate_Validation_Map(int count);
    // The count is the records the file holds for the control, which may lie
    // above the 16-bit counts the format describes.
    void Allocate_Dependent_Items(int control, int count);
    void intSwapper(int* from, int* to);
    void shortSwapper(short* from, short* to);
    short BigEndian16(const unsigned char* bytes);
    int BigEndian32(const unsigned char* bytes);
    // Control i and its records from the file at position; false when the
    // reading ends there.
    bool ReadControl(std::FILE* file, int control, long size, long& position);
    // Keeps the first fault met in the rule file: its code and its words.
    void NoteRuleFileFault(int code, const std::string& fault);
    // Keeps the words of the first content met that the format does not
    // foresee but that leaves every rule read as it stands.
    void NoteRuleFileOddity(const std::string& oddity);
    // Notes the bytes the header's count leaves unread (none, when it states
    // no control): a fault when they hold further controls, else an oddity.
    void NoteUnreadBytes(std::FILE* file, int stated, int count, long size, long position);
    // Whether the bytes from position begin with whole control blocks, from
    // control next up to the table's last, one of them holding a kind, a
    // value or rules; bytes that cannot be a control block end them.
    bool HoldsFurtherControls(std::FILE* file, long size, long position, int next);

    // Empties the tables and lists that construction and restart start from.
    void ClearTables();
    // Builds what stands beside the rules: constraint table, default record,
    // job context.
    void FinishSetUp();
    // Reads the rule file and keeps the reader's outcome.
    void LoadRules();
    bool IsControl(int control) const;
    // The current value of the control that a level field names (number + 1).
    int LevelValue(int levelField) const;
    int SidesOf(int paper) const;

    // How one record of a check ended, and the B value it leaves behind.
    struct RecordOutcome {
        bool failed = false;
        int message = 0;
    };
    int CheckDependents(int control, int value, int effective);
    RecordOutcome CheckRecord(int control, int value, int effective, const DependentItem& record, int& b);
    int GroupComparedValue(int kind, int value, int a, DependentItem& record);
    RecordOutcome RunRecordCheck(int control, int effective, const DependentItem& record, int a, int b);
    int ChainStandardSizes(int paper, int condition);
    int SizeTest(int paper, int flag, int condition);
    int StaplerSizeTest(int paper) const;
    int FeedTest(int paper, float secondMax) const;
    bool CoverSidesConflict() const;

    // ---- Page-exception list (JSE_ValidationPeList.cpp) ----
    using MediaNameList = std::vector<WString>;
    using ValueList = std::vector<std::int32_t>;
    using FeatureList = std::vector<JSE_PageEFeatureType>;
    using IndexList = std::vector<std::size_t>;
    class PeListView;      // records with a look-up by pages (JSE_ValidationPeLists.h)
    class UnclaimedPages;  // the pages of a range no record has claimed yet
    struct DevicePapers;   // the papers of a range's pages going to a device

    long SelectPage(long page, int code);
    long RemovePage(long page, int code);
    // One use less of the exception paper the record prints on, if any.
    void TakeUseOff(const JSE_PageExceptionType& record);
    int PaperIndexOf(const WString& name) const;
    WString PaperNameOf(int paper) const;
    // The paper, or the body paper's index for -1.
    int PaperOrBody(long paper) const;

    // ---- Checks over the selection (JSE_ValidationPeSelection.cpp) ----
    std::vector<JSE_PageExceptionType> RecordsToCheck(bool& found);
    long CheckListRecord(const JSE_PageExceptionType& record, const PeListView& list);
    long CheckControlOnRecord(std::size_t index, bool apply);
    // The list's check with the value tried on the control, which then gets
    // its old value back; or keeps the new one when the list passes, saving
    // the current values of the keep controls first.
    long ListResultWith(int control, int value);
    long KeepWhenListPasses(int control, int value, std::initializer_list<int> keep);

    // ---- The feature check by code (JSE_ValidationPeFeature.cpp) ----
    // A pe_error, 0, or a negative code (allowed).
    int CheckFeatureOn(long start, long end, const PeListView& list, int code, const JSE_MediaSelection& paper,
                       int value);
    long CheckPeFeatureOn(long start, long end, const PeListView& list, int code, const JSE_MediaSelection& paper,
                          int value);
    int CheckOutputDevice(long start, long end, const PeListView& list, int value);
    int CheckSubstitution(long start, long end, const PeListView& list, const JSE_MediaSelection& paper);
    int CheckInsert(long start, long end, const PeListView& list, int code, const WString& paper, int value);
    // Where an insert goes and, going where its pages go, the papers it
    // joins there; -5 when its pages go to several devices.
    int CheckInsertDevice(long start, long end, const PeListView& list, int code, const WString& paper, int value);
    // The inserts the range's pages hold, judged as when stored after a
    // subset to the device on the range, or after the side features there.
    int CheckInsertsInSubset(long start, long end, const PeListView& list, int device);
    int CheckInsertsOnSide(long start, long end, const PeListView& list, const FeatureList& side);
    int CheckPlex(long start, long end, const PeListView& list, int value);
    int CheckSide(long start, long end, const PeListView& list, int value);
    int CheckPunch(long start, long end, const PeListView& list, const WString& paper, int value);
    int CheckSubsetFinishing(long start, long end, const PeListView& list, int code, int value);

    // ---- Gathering over a range (JSE_ValidationPeGather.cpp) ----
    int AddMediaNameToMediaNameList(const WString& name, MediaNameList& papers);
    int AddDeviceToDeviceList(int device, ValueList& devices);
    int AddModeToModeList(int mode, ValueList& modes);
    int AddFeatureToFeatureList(JSE_PageEFeatureType feature, FeatureList& features);
    // The record's device: its subset output before its paper exit, or the
    // paper exit first; 255 when neither is set and without the fallback to
    // the job's document exit.
    int OutputFirstDevice(const JSE_PageExceptionType& record) const;
    int ExitFirstDevice(const JSE_PageExceptionType& record, bool fallback) const;
    void GetMediaForPageRange(long start, long end, const PeListView& list, MediaNameList& papers);
    int GetSubsetForPageRange(long start, long end, const PeListView& list, long& subsetFirst, long& subsetLast,
                              IndexList& subsets);
    int GetMediaForPageRangeAndOutputDevice(long start, long end, const PeListView& list, const IndexList& subsets,
                                            MediaNameList& papers);
    void GetMediaForPageRangeAndSubset(long start, long end, const PeListView& list, MediaNameList& devicePapers,
                                       MediaNameList& rangePapers, long& subsetFirst, long& subsetLast);
    // The papers of start..end printing on pages that go to the device, the
    // subsets given deciding where pages without a device of their own go;
    // gathered once per view.
    const DevicePapers& GatherDevicePapers(long start, long end, const PeListView& list, const IndexList& subsets,
                                           int device);
    bool PagesGoTo(const PeListView& list, const IndexList& subsets, const JSE_PageExceptionType& record, long from,
                   long to, int device) const;
    bool InsertGoesWith(const PeListView& list, const JSE_PageExceptionType& record, int device);
    void GetMediaBesideRange(long start, long end, const PeListView& list, const IndexList& subsets, long subsetFirst,
                             long subsetLast, int device, MediaNameList& papers);
    int GetDeviceForPageRange(long start, long end, const PeListView& list, ValueList& devices);
    int GetModeForPageRange(long start, long end, const PeListView& list, ValueList& modes, bool withInserts);
    int GetFeatureForPageRange(long start, long end, const PeListView& list, FeatureList& features, int code);
    long GetPageWithPageRangeForFeatureType(long start, long end, int code, const PeListView& list, IndexList& out);
    bool IsTheSameDevice(const PeListView& list, long from, long to, long start, long end);

    // ---- Pairwise checks (JSE_ValidationPeDevices.cpp) ----
    int CheckMediaForDevice(const MediaNameList& papers, const ValueList& devices);
    int CheckMediaOnDevice(int paper, const PAPERDEF& record, int device, const MediaNameList& papers,
                           bool& compareFeeds);
    int CheckMediaForMode(const ValueList& modes, const MediaNameList& papers);
    int CheckDeviceForMode(const ValueList& modes, const ValueList& devices);
    int CheckDeviceForFeature(long start, long end, const FeatureList& features, const ValueList& devices);
    int CheckModeForFeature(const FeatureList& features, const ValueList& modes);
    int CheckMediaForFeature(const FeatureList& features, const MediaNameList& papers);

    std::vector<ControlItem> controls;
    std::vector<std::int32_t> savedValues;
    std::vector<paperException> exceptionPapers;
    // The page-exception list, loaded first from the pending source.
    std::vector<JSE_PageExceptionType>& PeRecords();
    std::vector<JSE_PageExceptionType> pageExceptions;  // read only through PeRecords
    PeRecordSource pendingPeRecords;
    std::vector<JSE_PageExceptionType> savedPageExceptions;
    std::vector<peCommandConstraintType> peConstraints;
    std::vector<pageSelectionRecord> selectedPages;
    long version = kVersion;
    std::int32_t lastError = kValidationNoError;
    std::int32_t conflictControl = 0;
    std::string dataFilePath;
    JSE_Media* media = nullptr;  // not owned
    JSE_PageExceptionType defaultPeRecord;
    JSE_Preference* preference = nullptr;  // not owned
    bool usePreferenceInPeValidation = true;
    bool ticketValidation = false;
    std::wstring preferenceBodyPaper;
    std::int32_t currentPeControl = 0;
    bool replacementMode = false;
    std::wstring jobBodyPaper;
    // The job context of the page-exception checks.
    std::int32_t jobPrintMode = 0;
    std::int32_t jobDocumentExit = 0;
    std::int32_t jobTrimming = 0;
    std::int32_t jobOffsetStacking = 0;
    std::int32_t jobPunch = 0;
    std::int32_t jobSpare = 0;
    std::int32_t ruleFileError = kValidationCannotOpen;
    std::string ruleFileFault;     // the words of the fault, for the log line
    std::string ruleFileNote;      // the words of the first oddity, for the log line
    bool ruleFileMissing = true;   // no file at the path, or none read yet
};
