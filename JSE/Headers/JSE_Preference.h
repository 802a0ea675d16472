// The settings store: the live job settings of one engine and the factory
// defaults of every job feature.
//
// The store keeps one job-feature record, the custom command, the release-6
// and release-7 values, a page-exception list, a paper list and a block of the
// caller's bytes. It refers to the paper catalog without owning it. Used on one
// thread only.
//
// The store saves all of it into one binary settings file and loads it back,
// also from files of the five older versions, whose page exceptions are then
// upgraded to the current codes.
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "JSE_Records.h"
#include "JSE_String.h"

class JSE_Media;

// The fixed start of a settings file: its tag and the version of its contents.
struct settingHeaderType {
    std::int64_t tag = 0;
    std::int32_t version = 0;
};

class JSE_Preference {
public:
    // Codes of the store's last error.
    static constexpr std::int32_t kNoError = 0;
    static constexpr std::int32_t kNoFileName = 2;      // load: the store has no file name
    static constexpr std::int32_t kFileNotOpened = 3;   // the settings file cannot be opened or created
    static constexpr std::int32_t kBadVersion = 5;      // load: the file's version is not one the store reads
    static constexpr std::int32_t kHeaderNotRead = 17;  // load: the header cannot be read, or changed under the load
    static constexpr std::int32_t kTextNotRead = 18;    // load: the version, a text, a number or a count cannot be read
    static constexpr std::int32_t kFloatNotRead = 19;   // load: a float cannot be read, or is beyond what a save writes
    static constexpr std::int32_t kHeaderNotWritten = 21;  // save: the file cannot be written (the old one is kept)
    static constexpr std::int32_t kFloatNotWritten = 22;   // save: a float is not finite or beyond the int32 range
    static constexpr std::int32_t kTextNotWritten = 23;    // save: a text or number cannot be written
    static constexpr std::int32_t kFileLeftIncomplete = 24;  // save: the file, rewritten in place, stopped part-way
    static constexpr std::int32_t kNoSuchPageException = -1007;
    // Result of the upgrade of an older page exception: a value no map knows.
    static constexpr std::int32_t kUnknownFeatureValue = 10;

    // Version of the settings contents this store writes.
    static constexpr std::int32_t kCurrentVersion = 0x30000;
    // The first version whose page exceptions carry the current codes.
    static constexpr std::int32_t kFirstUpgradedVersion = 0x20001;

    JSE_Preference(const WString& fileName, WString language);
    virtual ~JSE_Preference();

    JSE_Preference(const JSE_Preference&) = delete;
    JSE_Preference& operator=(const JSE_Preference&) = delete;

    virtual void JSE_Preference_SetFullPath(WString path);
    virtual std::int32_t JSE_Preference_Get(void* buffer, std::int64_t length);
    virtual std::int32_t JSE_Preference_Set(const void* buffer, std::int64_t length);
    virtual void JSE_Preference_SetJobFeature(JSE_JobFeatureType record);
    virtual void JSE_Preference_GetJobFeature(JSE_JobFeatureType& record) const;
    virtual void JSE_Preference_SetPageExceptionItem(JSE_PageExceptionType item);
    virtual std::int32_t JSE_Preference_GetPageExceptionItem(std::int64_t index, JSE_PageExceptionType& item);
    virtual std::int64_t JSE_Preference_GetNumberOfPageExceptionItem() const;
    virtual void JSE_Preference_GetSubSetPeItem(JSE_PeRecordType& record) const;
    virtual void JSE_Preference_SetSubSetPeItem(JSE_PeRecordType record);
    virtual void JSE_Preference_GetMedia(std::int32_t index, JSE_MediaRecordType& paper) const;
    virtual void JSE_Preference_SetMedia(JSE_MediaRecordType paper);
    virtual void JSE_Preference_Save_Setting();
    virtual void JSE_Preference_Load_Setting();
    virtual void JSE_Preference_Get_Default_JobFeature(JSE_JobFeatureType& record) const;
    virtual void JSE_Preference_Set_Media_Reference(JSE_Media* catalog);
    virtual void JSE_Preference_Set_Factory_Default();
    virtual void JSE_Preference_Clear_PageException();
    virtual void JSE_Preference_Clear_CustomCommand();
    virtual void JSE_Preference_Clear_MediaList();

    void JSE_Preference_Set_EmulationType(std::int32_t type);

    // Single job features.
    void JSE_Preference_GetBodyPaperName(WString& name) const;
    std::int32_t JSE_Preference_GetPrintingMode() const;
    std::int32_t JSE_Preference_GetExitDevice() const;
    bool JSE_Preference_GetTrimValue() const;
    bool JSE_Preference_GetOffsetStackValue() const;

    // Custom command.
    void JSE_Preference_Get_CustomRecord(JSE_CustomCommandType& record) const;
    void JSE_Preference_Set_CustomRecord(JSE_CustomCommandType record);

    // Release-6 values: PDF options, user punch pattern, last page first.
    void JSE_Preference_GetRelease6Features(JSE_Release1_4Type& values) const;
    void JSE_Preference_SetRelease6Features(const JSE_Release1_4Type& values);
    void JSE_Preference_GetPDFVersion(WString& version) const;
    void JSE_Preference_SetPDFVersion(WString version);
    bool JSE_Preference_GetPDFPageLoop() const;
    void JSE_Preference_SetPDFPageLoop(bool on);
    std::int32_t JSE_Preference_GetPDFUseOpp() const;
    void JSE_Preference_SetPDFUseOpp(std::int32_t value);
    std::int32_t JSE_Preference_GetUserPunchPattern() const;
    void JSE_Preference_SetUserPunchPattern(std::int32_t pattern);
    void JSE_Preference_GetLastPageFirst(bool& on) const;
    void JSE_Preference_SetLastPageFirst(bool on);

    // Release-7 values: narrow booklet (0 or 1) and page order (1 to 3).
    std::int32_t JSE_Preference_GetNarrowBookletValue() const;
    void JSE_Preference_SetNarrowBookletValue(std::int32_t value);
    std::int32_t JSE_Preference_GetPageOrderValue() const;
    void JSE_Preference_SetPageOrderValue(std::int32_t value);
    void JSE_Preference_GetRelease7Features(JSE_Release3_0Type& values) const;
    void JSE_Preference_SetRelease7Features(const JSE_Release3_0Type& values);

    // Papers read from a settings file and the caller's own bytes.
    std::int64_t JSE_Preference_Get_MediaListSize() const;
    void JSE_Preference_Set_UserData(const void* bytes, std::int64_t length);
    void JSE_Preference_Get_UserData(void* buffer, std::int64_t length) const;
    std::int64_t JSE_Preference_Get_UserDataSize() const;

    void JSE_Preference_GetFullPath(WString& path) const;
    std::int32_t JSE_Preference_GetVersion() const;
    std::int32_t JSE_Preference_GetLastError() const;

    // Rewrites a page exception read from a file of the given version into
    // the current codes (fold, jog, mode, trim, plex). Files from the first
    // upgraded version on are left alone. Every value is looked up; the
    // result is 0, or kUnknownFeatureValue when a value has no new code (it
    // then stays as it was).
    static std::int32_t JSE_Preference_UpgradeExceptionRecord(std::int64_t version, JSE_PageExceptionType& item);

protected:
    // The settings file, section by section; each answers 0 or the code of
    // its first failure. The save and the load call them through the table.
    virtual std::int32_t ReadVersion(std::istream& stream, std::int32_t& version, std::int64_t expectedTag);
    virtual std::int32_t WriteVersion(std::ostream& stream, std::int32_t version);
    virtual bool VersionValid(std::int32_t version) const;
    virtual std::int32_t GetCurrentVersion() const;
    // The version in the file's header, 0 when it cannot be read; the last
    // error tells why (2, 3 or 18).
    virtual std::int32_t GetVersionFromFile();
    virtual std::int32_t WritePeSubSetRecord(JSE_PeRecordType record);
    virtual std::int32_t WritePageExceptionRecord();
    virtual std::int32_t WriteJobRecord(JSE_JobFeatureType record);
    virtual std::int32_t WriteSetting(const void* buffer, std::int64_t length);
    virtual std::int32_t ReadPeSubSetRecord(JSE_PeRecordType& record);
    virtual std::int32_t ReadPageExceptionRecord();
    // The paper list, written from the catalog (an empty list without one).
    virtual std::int32_t WriteMedia();
    virtual std::int32_t ReadMedia();
    virtual std::int32_t ReadJobRecord(JSE_JobFeatureType& record);
    virtual std::int32_t ReadSetting(void* buffer, std::int64_t length);
    virtual std::int32_t WriteSettingHeader(const settingHeaderType& header);
    virtual std::int32_t ReadSettingHeader(settingHeaderType& header);

private:
    // Everything a settings file carries. A load reads into a second one that
    // replaces the store's only when the whole file was read, so a failed
    // load changes nothing.
    struct Contents {
        std::int64_t version = kCurrentVersion;  // of the last file loaded
        WString language;
        WString catalogDefaultPaper;  // as read from a settings file
        std::vector<JSE_MediaRecordType> papers;
        JSE_JobFeatureType jobFeature;
        std::vector<JSE_PageExceptionType> pageExceptions;
        JSE_CustomCommandType customCommand;
        std::vector<unsigned char> userData;
        JSE_Release1_4Type release6;
        JSE_Release3_0Type release7;
    };

    // The page order that last page first stands for.
    static constexpr std::int32_t kLastPageFirstOrder = 3;

    static void SetFactoryReleaseValues(JSE_Release1_4Type& release6, JSE_Release3_0Type& release7);
    WString SettingsPath() const;
    std::int32_t WriteSections();
    std::int32_t WriteRelease7Record(JSE_Release3_0Type values);
    std::int32_t WriteRelease6Record(JSE_Release1_4Type values);
    std::int32_t WriteCustomRecord();
    std::int32_t WriteUserData();
    void BeginLoad(std::int32_t version);
    std::int32_t ReadSections();
    std::int32_t ReadReleaseRecords();
    std::int32_t ReadRelease7Record(JSE_Release3_0Type& values);
    std::int32_t ReadRelease6Record(JSE_Release1_4Type& values);
    std::int32_t ReadCustomRecord();
    std::int32_t ReadUserData();
    std::int32_t UpgradeFeatureValues();

    void ResetToFactoryDefaults();
    void FillFactoryDefaults(JSE_JobFeatureType& record) const;
    WString FactoryBodyPaper() const;

    WString m_fullPath;
    WString m_fileName;
    std::int32_t m_lastError = kNoError;
    std::int32_t m_emulationType = 1;
    JSE_Media* m_media = nullptr;  // not owned
    Contents m_contents;
    // The bytes of a settings file being saved; they reach the disk as a
    // whole, beside the old file and renamed over it.
    std::ostringstream m_output;
    // The settings file being loaded, and what has been read of it.
    std::ifstream m_input;
    std::int64_t m_inputLeft = 0;
    Contents m_loaded;
};
