// The job-setup service: the engine's front object and its only door.
//
// The service starts the engine from its data files in a fixed order (paper
// catalog, validator, settings store, job ticket), links the parts, owns them
// and deletes them. Every other engine operation is one of its operations,
// named by family after the part that does the work: JSE_Media_ (catalog),
// JSE_JobTicket_ (ticket), JSE_Validation_ (validator) and JSE_Preference_
// (settings store). An operation whose part is missing stores its family's
// code in the service's last error and gives a neutral result; a part's own
// errors stay in that part.
//
// Beside forwarding, the service copies the live settings from the store into
// the ticket and into the validator, checks a whole job at once (features and
// page exceptions) into an error list, and runs the preflight.
//
// Used on one thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "JSE_JobTicket.h"
#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "JSE_Records.h"
#include "JSE_String.h"
#include "JSE_Validation.h"

class JSE_PageCollection;

// The service's engine error codes, kept in its last error.
enum JSE_ServiceError : int {
    kServiceNoError = 0,
    kServiceValidationFailed = -1001,  // the validator reported an error at its creation
    kServiceNoPreference = -1002,      // no settings store
    kServiceNoJobTicket = -1003,       // no job ticket
    kServiceNoMedia = -1004,           // no paper catalog
    kServiceNoValidation = -1005,      // no validator, or one without its rules
    kServiceNoSuchPaper = -1007,       // no catalog paper of that index (returned, never stored)
    kServiceTicketOff = -1008,         // the ticket family is switched off
};

class JSE_Service {
public:
    static constexpr std::int64_t kVersion = 0x30000;

    // One record of the whole-job check's error list.
    struct JSEErrorType {
        long errorID = 0;     // a message identifier, or a service code at location -2
        long location = 0;    // -1 a job feature, -2 the check could not start, else a starting page
        long solutionID = 0;  // always 0
        WString solution;     // always empty
    };

    // ---- Construction, start-up and teardown ----
    // No part: every forwarded operation reports its family's code.
    JSE_Service();
    // Starts the engine; the rule file is the catalog path with ".dat".
    JSE_Service(const WString& language, const WString& secondPath, const WString& catalogPath, bool safe);
    // Starts the engine; an empty validation path means the catalog path with ".dat".
    JSE_Service(const WString& language, const WString& secondPath, const WString& catalogPath,
                const WString& validationPath, bool safe);
    // An engine without files: the catalog holds "Letter" alone and the
    // validator reads no rules.
    JSE_Service(const WString& language, int platform);
    // Deletes the validator, then the ticket, the catalog and the settings store.
    virtual ~JSE_Service();

    JSE_Service(const JSE_Service&) = delete;
    JSE_Service& operator=(const JSE_Service&) = delete;

    // Start-up, stopping at the first failure with its code in the last error
    // (0 when every part was created and linked). The second path is kept and
    // never read. Parts of an earlier start are deleted first.
    void JSE_Initialize(const WString& language, const WString& secondPath, const WString& catalogPath,
                        const WString& validationPath, bool safe);
    void JSE_Initialize(const WString& language, const WString& secondPath, const WString& catalogPath, bool safe);

    std::int64_t JSE_GetLastError() const { return m_lastError; }
    void JSE_GetVersion(std::int64_t& version) const { version = m_version; }

    // Copies the store's job features, custom command, release values and page
    // exceptions into the ticket. Returns the last error, which it does not
    // reset first: -1002 without a store, or the code of a page exception the
    // store could not give.
    int JSE_Preference_Copy_Value_To_JobTicket();
    // Sets the validator's job controls from the store's job features without
    // checks, then replaces its page-exception list by the store's when the
    // store holds any. Returns 0, or the code of a page exception the store
    // could not give; does nothing unless store, catalog and validator exist.
    int JSE_Preference_Copy_Value_To_Validation();

    // Re-create one part of a running service and hand it to the others.
    void JSE_Initialize_Media(const WString& language, const WString& secondPath, const WString& catalogPath,
                              bool safe);
    void JSE_Initialize_Preference(const WString& language);
    void JSE_Initialize_JobTicket(const WString& language);
    void JSE_Initialize_Validation(const WString& validationPath);

    // ---- Catalog family (-1004 without a catalog) ----
    virtual bool JSE_Media_LoadCatalog(const WString& path, bool withDefinitionsAndAttributes);
    virtual bool JSE_Media_LoadCatalogSafe(const WString& path);
    virtual void JSE_Media_GetFullPath(WString& out);
    virtual void JSE_Media_SetFullPath(const WString& path);
    // Empty contents without a catalog.
    JSE_Media::Contents JSE_Media_KeepContents();
    void JSE_Media_BringBack(JSE_Media::Contents contents);
    virtual bool JSE_Media_SetDefaultPaper(const WString& name);
    virtual bool JSE_Media_SetDefaultPaper(int index);
    virtual bool JSE_Media_SaveCatalog(const WString& path);
    virtual bool JSE_Media_SaveCatalogSafe(const WString& path);
    virtual bool JSE_Media_SavePaperDefinitions(const WString& path);
    virtual bool JSE_Media_SaveAttributes(const WString& path);
    virtual bool JSE_Media_AddPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                                    const WString& type, int mode, int precollated, int punchable);
    virtual bool JSE_Media_AddAttribute(int kind, const WString& value);
    virtual bool JSE_Media_LoadCatalogOnly(const WString& path);
    virtual bool JSE_Media_LoadAttributesOnly(const WString& catalogPath);
    virtual bool JSE_Media_LoadDefinitionOnly(const WString& catalogPath);

    // -1 for a name the catalog does not hold, and without a catalog.
    int JSE_Media_GetIndex(const WString& name);
    int JSE_Media_GetNumberOfEntry();
    void JSE_Media_GetName(int i, WString& out);
    void JSE_Media_GetColor(int i, WString& out);
    void JSE_Media_GetType(int i, WString& out);
    int JSE_Media_GetMode(int i);
    int JSE_Media_GetPrecollated(int i);
    // Numbers given out are 0 without a catalog.
    void JSE_Media_GetWeight(int i, int& out);
    void JSE_Media_GetPhysicalSize(int i, float& width, float& height);
    void JSE_Media_GetPoints(int i, int& width, int& height);
    void JSE_Media_GetDisplaySize(int i, WString& widthText, WString& heightText, int& metric);
    void JSE_Media_GetDefault(WString& out);
    void JSE_Media_SetOSPlatform(int platform);
    // 1 without a catalog, storing no code.
    int JSE_Media_GetPunchable(int i);

    // ---- Catalog capability: loading, paper edits, size definitions ----
    bool JSE_Media_LoadNamedDefinition(const WString& definitionPath);
    void JSE_Media_GetFullDefinitionPath(WString& out);
    void JSE_Media_SetLanguage(const WString& language);
    bool JSE_Media_DeletePaper(int index);
    bool JSE_Media_ModifyPaper(const WString& name, const PAPERDEF& newValues, const PAPERFLAGS& flags);
    bool JSE_Media_ModifyPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                               const WString& type, int mode, int precollated, int punchable);
    bool JSE_Media_ModifyPaper(const WString& name, float width, float height, const WString& color, int weight,
                               const WString& type, int mode, int precollated, int punchable);
    bool JSE_Media_AddPaper(const WString& name, float width, float height, const WString& color, int weight,
                            const WString& type, int mode, int precollated, int punchable);
    // These four do nothing and store no code without a catalog.
    void JSE_Media_SetPunchable(const WString& name, int value);
    void JSE_Media_SetPunchable(long index, int value);
    void JSE_Media_SetPreCollated(const WString& name, int value);
    void JSE_Media_SetPreCollated(long index, int value);
    int JSE_Media_GetNumberOfDefinitions();
    int JSE_Media_GetDefinitionIndex(int i);  // -1 without a catalog
    bool JSE_Media_GetPaperDefinition(int index, float& width, float& height, WString& widthText, WString& heightText,
                                      int& measureType, WString& name);
    bool JSE_Media_GetPaperDefinitionEx(int index, double& width, double& height, double& widthPts, double& heightPts,
                                        int& measureType, WString& name);
    // -1004, stored and returned, without a catalog.
    int JSE_Media_GetPaperDisplaySizeFromDefFile(int d, WString& widthText, WString& heightText);
    int JSE_Media_GetPaperDisplaySizeFromDefFile(long d, WString& widthText, WString& heightText, int& metric,
                                                 WString& name);
    int GetPaperMeasureType(int d);                                // -1 without a catalog, no code stored
    bool JSE_Media_DoesPaperSizeExist(float width, float height);  // false without a catalog, no code
    bool JSE_Media_AddPaperDefinition(float width, float height, int measureType, const WString& name);
    bool JSE_Media_AddPaperDefinitionEx(double width, double height, double widthPts, double heightPts, int measureType,
                                        const WString& name);
    bool JSE_Media_DeletePaperDefinition(int index);
    bool JSE_Media_DeletePaperIndexReferences(int index);
    // ---- Catalog capability: attributes and the rest ----
    bool JSE_Media_DeleteAttribute(int kind, const WString& value);
    // -1 without a catalog.
    int JSE_Media_GetNumOfWeightAttributes();
    int JSE_Media_GetNumOfTypeAttributes();
    int JSE_Media_GetNumOfColorAttributes();
    int JSE_Media_GetWeightAttribute(int i, WString& out);
    int JSE_Media_GetTypeAttribute(int i, WString& out);
    int JSE_Media_GetColorAttribute(int i, WString& out);
    // The service's own copy of the catalog's list of a kind (1 weights,
    // 2 types, other colours); empty without a catalog, storing no code.
    std::vector<WString>& JSE_Media_GetAttributes(int kind);
    long JSE_Media_GetDefaultIndex();
    void JSE_Media_GetLanguage(WString& out);
    // The catalog's own last error; -1004 without one, not stored.
    int JSE_Media_GetLastError() const;
    // The next four store no code without a catalog: -1, -1, 0 and 0.
    int JSE_Media_SetOSDecimalFormat(char decimalChar);
    int JSE_Media_FloatToWS(float value, WString& out, int decimals);
    int JSE_Media_InchesToPSPoints(float inches);
    int JSE_Media_MMToPSPoints(float millimetres);
    void JSE_Media_SetSizeLookupTable(bool on);  // nothing without a catalog, no code
    // A paper record of catalog paper i: 0, -1007 for no such paper, -1004
    // without a catalog; never stored.
    int JSE_Media_GetMediaInfo(int i, JSE_MediaRecordType& out);

    // ---- Ticket family (-1003 without a ticket, -1008 while switched off) ----
    // The ticket's result, also kept as the service's last error.
    virtual std::int64_t JSE_JobTicket_Create();
    virtual std::int64_t JSE_JobTicket_Get(char* buffer, long length);
    std::int64_t JSE_JobTicket_GetSize();
    // The ticket's own last error; the codes are returned, not stored.
    std::int64_t JSE_JobTicket_GetLastError() const;
    void JSE_JobTicket_Get_Default_PageRecord(JSE_PageExceptionType& record);
    void JSE_JobTicket_Get_CustomRecord(JSE_CustomCommandType& record);
    void JSE_JobTicket_Set_CustomRecord(JSE_CustomCommandType record);
    void JSE_JobTicket_Set_CustomOptionPreAppend(bool on);
    void JSE_JobTicket_Set_EmitCustomOptionAppend(bool on);
    void JSE_JobTicket_Set_EmitPDFCommand(bool on);
    void JSE_JobTicket_Set_PeDeviceLookup(bool on);
    void JSE_JobTicket_Set_DocumentTitle(const std::string& title);
    // Lends the page collection to the ticket.
    void JSE_JobTicket_SetPageObject(JSE_PageCollection* collection);
    void JSE_JobTicket_SetPageOrderValue(int value);

    std::int64_t JSE_JobTicket_GetVersion();
    // Appends to the ticket's own list; the lent page collection is not touched.
    void JSE_JobTicket_SetPageExceptionItem(JSE_PageExceptionType item);
    void JSE_JobTicket_GetPageExceptionItem(long index, JSE_PageExceptionType& item);
    std::int64_t JSE_JobTicket_GetNumberOfPageExceptionItem();
    void JSE_JobTicket_Clear_PageException();
    // An emulation outside 1 to 4 is set as 1.
    void JSE_JobTicket_Set_EmulationType(int type);
    void JSE_JobTicket_Set_EmitJobSpool(bool on);
    void JSE_JobTicket_SetMICRFont(bool on);
    void JSE_JobTicket_SetMICRFeature(bool on);
    void JSE_JobTicket_SetLastPageFirst(bool on);
    void JSE_JobTicket_SetEmitBody(bool on);
    void JSE_JobTicket_SetPDFPageLoop(bool on);
    void JSE_JobTicket_Set_EmitPCLComment(bool on);
    void JSE_JobTicket_GetVersionString(std::string& out);
    void JSE_JobTicket_SetPDFVersion(const WString& version);
    void JSE_JobTicket_GetPDFVersion(WString& version);  // emptied without a ticket
    bool JSE_JobTicket_GetPDFPageLoop();
    void JSE_JobTicket_SetPDFUseOpp(int value);
    // The ticket's value; -1003, stored and returned, without a ticket.
    int JSE_JobTicket_SetPDFUseOpp();
    // 0; -1003, stored and returned, without a ticket.
    int JSE_JobTicket_SetUserPunchPattern(int pattern);
    int JSE_JobTicket_GetUserPunchPattern();
    int JSE_JobTicket_GetNarrowBookletValue();
    void JSE_JobTicket_SetNarrowBookletValue(int value);
    int JSE_JobTicket_GetPageOrderValue();  // 1 without a ticket

    // ---- Validation family (-1005 without a validator) ----
    // A message identifier, 0 when allowed. Punching (control 24) is on or
    // off: any value but 0 is checked as 1. conflict is 0 without a validator.
    int JSE_Validation_Check(int control, int value, int& conflict, bool apply);
    void JSE_Validation_SetValue_NoCheck(int control, int value);
    void JSE_Validation_Remove_All_Exception_Media();
    void JSE_Validation_Remove_All_PageList();  // nothing, no code, without a validator
    // Adds the record to the validator's list; returns the last error.
    std::int64_t JSE_Validation_Load_PeRecord(JSE_PageExceptionType record);
    // The validator's list emptied and loaded from source when it is next
    // read (JSE_Validation_Load_ExceptionRecordsLater); nothing without a
    // validator.
    void JSE_Validation_Load_PeRecordsLater(JSE_Validation::PeRecordSource source);
    void JSE_Validation_SetJobFeature(int id, const WString& text, int value);
    long JSE_Validation_CheckPeFeature(long start, long end, const std::vector<JSE_PageExceptionType>& list, int code,
                                       const JSE_MediaSelection& paper, int value);
    // Whether the validator holds the rules of its rule file; false without one.
    bool JSE_Validation_RulesLoaded();
    // Whether its rule file is there but could not be read whole; false
    // without a validator.
    bool JSE_Validation_RuleFileDamaged();

    // -1005 stored and returned without a validator.
    long JSE_Validation_GetVersion();
    long JSE_Validation_Add_Exception_Media(int paper);
    long JSE_Validation_Add_PePage(long page, long paperIndex, int code);
    long JSE_Validation_Remove_PePage(int page, int code);
    long JSE_Validation_PeCommand(int control, int value, int& ignored, bool ignoredFlag);
    long JSE_Validation_Remove_PePageRange(int first, int last, int code);
    long JSE_Validation_SetMedia_For_Selected_Pages(const WString& name);
    long JSE_Validation_SetOption_UsePreferenceInPeValidation(bool on);  // 0 with a validator
    // -1005 stored; nothing returned (the last error reads 0).
    void JSE_Validation_Remove_Exception_Media(int paper);
    void JSE_Validation_GetPageExceptionItem(long index, JSE_PageExceptionType& item);
    void JSE_Validation_GetDefaultPERecord(JSE_PageExceptionType& record);
    void JSE_Validation_SetReplacementMode(bool on);
    int JSE_Validation_GetLastError();
    // -1005 returned, not stored, without a validator.
    long JSE_Validation_Select_Page(int page, int code);
    long JSE_Validation_On_Selected_PageOn_Command(int& ignored, bool ignoredFlag, bool apply);
    long JSE_Validation_On_Selected_Pages(int paper);
    // The validator always applies the value and takes job values from the store.
    long JSE_Validation_On_Selected_PageOn_Media(bool ignoredFlag, int value);
    // The first record of exactly that range, of any kind.
    long JSE_Validation_Get_ExceptionRecord(int start, int end, JSE_PageExceptionType& record);
    // Nothing, and no code, without a validator.
    void JSE_Validation_Clear_Selected_Page();
    void JSE_Validation_Select_PeCommand(int control, int value);
    void JSE_Validation_Set_Default_PeCommand();
    void JSE_Validation_Select_PeMedia(int paper);
    long JSE_Validation_On_PeList();
    long JSE_Validation_Get_NumberOf_PeRecord();
    // Does nothing; always 0.
    long JSE_Validation_Add_PePageRange(int first, int last, int code, int value);

    // ---- Settings family (-1002 without a store) ----
    virtual void JSE_Preference_SetFullPath(const WString& path);
    virtual std::int32_t JSE_Preference_Get(void* buffer, std::int64_t length);
    virtual std::int32_t JSE_Preference_Set(const void* buffer, std::int64_t length);
    virtual void JSE_Preference_SetJobFeature(JSE_JobFeatureType record);
    virtual void JSE_Preference_GetJobFeature(JSE_JobFeatureType& record);
    virtual void JSE_Preference_GetRelease6Features(JSE_Release1_4Type& values);
    virtual void JSE_Preference_SetRelease6Features(const JSE_Release1_4Type& values);
    virtual void JSE_Preference_GetRelease7Features(JSE_Release3_0Type& values);
    virtual void JSE_Preference_SetRelease7Features(const JSE_Release3_0Type& values);
    virtual void JSE_Preference_SetPageExceptionItem(JSE_PageExceptionType item);
    virtual void JSE_Preference_GetPageExceptionItem(std::int64_t index, JSE_PageExceptionType& item);
    virtual void JSE_Preference_GetSubSetPeItem(JSE_PeRecordType& record);
    virtual void JSE_Preference_SetSubSetPeItem(JSE_PeRecordType record);
    virtual void JSE_Preference_GetMedia(std::int32_t index, JSE_MediaRecordType& paper);
    virtual void JSE_Preference_SetMedia(JSE_MediaRecordType paper);
    // Both leave the store's last error in the service's last error.
    virtual void JSE_Preference_Save_Setting();
    virtual void JSE_Preference_Load_Setting();
    virtual void JSE_Preference_Get_Default_JobFeature(JSE_JobFeatureType& record);
    virtual void JSE_Preference_Set_Media_Reference(JSE_Media* catalog);
    virtual void JSE_Preference_Set_Factory_Default();
    virtual void JSE_Preference_Clear_PageException();
    virtual void JSE_Preference_Clear_CustomCommand();
    virtual void JSE_Preference_Clear_MediaList();

    void JSE_Preference_Set_CustomRecord(JSE_CustomCommandType record);
    void JSE_Preference_SetUserPunchPattern(std::int32_t pattern);
    std::int32_t JSE_Preference_GetNarrowBookletValue();
    void JSE_Preference_SetNarrowBookletValue(std::int32_t value);
    std::int32_t JSE_Preference_GetPageOrderValue();  // 1 without a store
    void JSE_Preference_SetPageOrderValue(std::int32_t value);

    std::int32_t JSE_Preference_GetVersion();
    std::int32_t JSE_Preference_GetLastError();
    void JSE_Preference_GetFullPath(WString& path);  // emptied without a store
    std::int64_t JSE_Preference_GetNumberOfPageExceptionItem();
    void JSE_Preference_Get_CustomRecord(JSE_CustomCommandType& record);
    void JSE_Preference_Set_EmulationType(std::int32_t type);
    void JSE_Preference_Set_UserData(const void* bytes, std::int64_t length);
    void JSE_Preference_Get_UserData(void* buffer, std::int64_t length);
    std::int64_t JSE_Preference_Get_UserDataSize();
    std::int64_t JSE_Preference_Get_MediaListSize();
    void JSE_Preference_SetLastPageFirst(bool on);
    void JSE_Preference_GetLastPageFirst(bool& on);  // false without a store
    void JSE_Preference_SetPDFVersion(const WString& version);
    void JSE_Preference_GetPDFVersion(WString& version);  // emptied without a store
    void JSE_Preference_SetPDFPageLoop(bool on);
    bool JSE_Preference_GetPDFPageLoop();
    void JSE_Preference_SetPDFUseOpp(std::int32_t value);
    std::int32_t JSE_Preference_GetPDFUseOpp();  // -1002, stored and returned, without a store
    std::int32_t JSE_Preference_GetUserPunchPattern();
    // Flattened tickets are not kept: these do nothing.
    std::int32_t JSE_Preference_FlattenTicket() { return 0; }
    void JSE_Preference_UnFlattenTicket(const void* /*buffer*/, std::int64_t /*length*/) {}
    void JSE_Preference_GetFlattenTicket(void* /*buffer*/, std::int64_t /*length*/) {}

    // ---- Whole-job validation and preflight ----
    // Checks the job's features and page exceptions against the rules of a
    // scratch validator, over the given catalog (the service's own when
    // null), into the error list. True when no error was recorded. The
    // service's own validator is not changed.
    bool JSE_JobTicket_Validation(JSE_JobFeatureType job, std::vector<JSE_PageExceptionType> pageExceptions,
                                  JSE_Media* catalog);
    // The same for the features and page exceptions a ticket holds.
    bool JSE_JobTicket_Validation(JSE_JobTicket* ticket, JSE_Media* catalog);
    // The record form over the service's own catalog.
    bool JSE_JobTicketValidation(const JSE_JobFeatureType& job, const std::vector<JSE_PageExceptionType>& list);

    // The error list of the last whole-job validation; out-of-range indexes
    // give 0 (the solution an empty text).
    long JSE_JobTicket_Validation_GetNumberOfErrors() const;
    long JSE_JobTicket_Validation_GetErrorID(long i) const;
    long JSE_JobTicket_Validation_GetErrorLocation(long i) const;
    long JSE_JobTicket_Validation_GetSolutionID(long i) const;
    void JSE_JobTicket_Validation_GetSolution(long i, WString& solution) const;
    void JSE_JobTicket_Validation_GetErrorRecord(long errorID, long location, JSEErrorType& record) const;
    // Appends the record unless a record of its errorID is listed.
    void addValidationError(const JSEErrorType& record);
    // Checks a job feature (a JobFeatureId) with the validator, storing an
    // allowed value; 0 for a feature without a control. The last argument is
    // not used.
    long JSE_JobTicket_Validation_Check(JSE_Validation* validator, int feature, long value, long unused);
    // The stages of the whole-job check, each against the scratch validator:
    // the default paper into control 0; the job features, each refusal at
    // location -1; the page exceptions, group by group, each refusal at the
    // starting page of its group.
    void JSE_JobTicket_Validation_SyncPaperIndex(JSE_Media* catalog, JSE_Validation* validator);
    void JSE_JobTicket_Validation_JobFeature(const JSE_JobFeatureType& job, JSE_Media* catalog,
                                             JSE_Validation* validator);
    void JSE_JobTicket_Validation_PeFeatures(const JSE_JobFeatureType& job,
                                             const std::vector<JSE_PageExceptionType>& list, JSE_Media* catalog,
                                             JSE_Validation* validator);

    // Checks the job, feature by feature, with the service's own validator,
    // storing every allowed value, after handing the job to the ticket.
    // Returns the first refusal (or service code), 0 when all pass.
    long JSE_PreFlightTicket(const JSE_JobFeatureType& job);

protected:
    // Creation of the parts with their constructors' arguments, one place
    // each (tests make one fail). Each gives null when the part cannot be
    // created.
    virtual std::unique_ptr<JSE_Media> NewMedia(const WString& language, const WString& catalogPath,
                                                const WString& colorList, const WString& typeList, wchar_t separator,
                                                bool safe);
    // An empty path: the catalog's path with ".dat".
    virtual std::unique_ptr<JSE_Validation> NewValidation(JSE_Media* catalog, const WString& path);
    virtual std::unique_ptr<JSE_Preference> NewPreference(const WString& fileName, const WString& language);
    virtual std::unique_ptr<JSE_JobTicket> NewJobTicket(const WString& language, const WString& defaultPaper);

    JSE_Media* Media() const { return m_media.get(); }
    JSE_Validation* Validation() const { return m_validation.get(); }
    JSE_Preference* Preference() const { return m_preference.get(); }
    JSE_JobTicket* JobTicket() const { return m_jobTicket.get(); }

    // The ticket-family switch, tested by the ticket's build, copy-out,
    // size, version and last-error operations.
    bool m_ticketFamilyOn = true;

private:
    // Stores the family's code for a missing part; the second form gives
    // the fallback result.
    void Missing(int code) { m_lastError = code; }
    template <class T>
    T Missing(int code, T fallback) {
        m_lastError = code;
        return fallback;
    }
    // The ticket operations that test the switch: false, with -1008 or
    // -1003 stored, when they cannot go on.
    bool TicketReady();

    void StartWithoutFiles(const WString& language, int platform);
    void StartUp(const WString& language, const WString& secondPath, const WString& catalogPath,
                 const WString& validationPath, bool safe);
    // Deletes the parts and sets every field as a new start finds it.
    void ResetFields(const WString& language, const WString& secondPath, const WString& catalogPath);
    // The paths and the colour and type lists the catalog is created with.
    void SetCatalogFields(const WString& secondPath, const WString& catalogPath);
    // The ticket with the default paper "Letter"; false, with -1003, when none.
    bool CreateTicket(const WString& language);
    // The references between the parts, once all four exist.
    void LinkParts();
    void ReleaseParts();
    void CopyPageExceptionsToTicket();
    // Hands the store's page exceptions to take in order; an item the store
    // cannot give stops the walk, and its code, returned, becomes the last
    // error.
    std::int32_t EachStorePageException(const std::function<void(const JSE_PageExceptionType&)>& take);

    // The whole-job check once the error list is empty: a scratch validator
    // with the service's rules, then the three stages.
    std::unique_ptr<JSE_Validation> ScratchValidator(JSE_Media* catalog);
    bool RunWholeJobCheck(const JSE_JobFeatureType& job, const std::vector<JSE_PageExceptionType>& list,
                          JSE_Media* catalog);
    void RecordError(long errorID, long location);
    // Record i of the error list; null outside it.
    const JSEErrorType* ErrorAt(long i) const;

    std::vector<WString> m_attributes;  // the copy JSE_Media_GetAttributes hands out
    std::vector<JSEErrorType> m_validationErrors;
    std::int64_t m_lastError = kServiceNoError;
    std::int64_t m_version = kVersion;
    wchar_t m_separator = L':';
    WString m_language = L"English";
    WString m_colorList;
    WString m_typeList;
    WString m_secondPath;
    WString m_catalogPath;
    WString m_settingsFileName = L"Qwi_JSE.prf";
    std::unique_ptr<JSE_Media> m_media;
    std::unique_ptr<JSE_Preference> m_preference;
    std::unique_ptr<JSE_JobTicket> m_jobTicket;
    std::unique_ptr<JSE_Validation> m_validation;
};
