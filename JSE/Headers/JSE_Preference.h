// The settings store: the live job settings of one engine and the factory
// defaults of every job feature.
//
// The store keeps one job-feature record, the custom command, the release-6
// and release-7 values, a page-exception list, a paper list and a block of the
// caller's bytes. It refers to the paper catalog without owning it. Used on one
// thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "JSE_Records.h"
#include "JSE_String.h"

class JSE_Media;

class JSE_Preference {
public:
    // Codes of the store's last error. The settings file has codes of its own.
    static constexpr std::int32_t kNoError = 0;
    static constexpr std::int32_t kNoFileName = 2;
    static constexpr std::int32_t kFileNotOpened = 3;
    static constexpr std::int32_t kNoSuchPageException = -1007;

    // Version of the settings contents this store writes.
    static constexpr std::int32_t kCurrentVersion = 0x30000;

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

private:
    void ResetToFactoryDefaults();
    void FillFactoryDefaults(JSE_JobFeatureType& record) const;
    WString FactoryBodyPaper() const;

    WString m_fullPath;
    WString m_fileName;
    WString m_language;
    WString m_catalogDefaultPaper;  // as read from a settings file
    std::int64_t m_version = kCurrentVersion;
    std::int32_t m_lastError = kNoError;
    std::int32_t m_emulationType = 1;
    JSE_Media* m_media = nullptr;  // not owned
    std::vector<JSE_MediaRecordType> m_papers;
    JSE_JobFeatureType m_jobFeature;
    std::vector<JSE_PageExceptionType> m_pageExceptions;
    JSE_CustomCommandType m_customCommand;
    std::vector<unsigned char> m_userData;
    JSE_Release1_4Type m_release6;
    JSE_Release3_0Type m_release7;
};
