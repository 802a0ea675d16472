// Saving the settings store into its settings file: the header, the job
// record, the release 7 and release 6 values, the catalog's papers, the
// custom command, the page exceptions and the user data.
#include <utility>

#include "JSE_Media.h"
#include "JSE_FileWrite.h"
#include "JSE_Preference.h"
#include "JSE_PreferenceLayout.h"

namespace {

using preference_file::Writer;

// The record size that opens the job record: a fixed part plus one for every
// character of the wide texts and every byte of the narrow text. Readers
// skip it.
constexpr std::int64_t kJobRecordFixedSize = 179;

std::int64_t GetJobRecordSize(const JSE_JobFeatureType& r) {
    std::int64_t size = kJobRecordFixedSize + static_cast<std::int64_t>(r.chapterPages.size());
    for (const WString* text :
         {&r.bodyPaper, &r.interleavePaper, &r.frontCoverPaper, &r.backCoverPaper, &r.statusPaper, &r.separatorPaper,
          &r.userName, &r.chargeNumberText, &r.operatorMessageText, &r.deliverToText, &r.eMailAddressText,
          &r.saveAsFileNameText, &r.specificPrinterNameText, &r.createTIFFPath})
        size += static_cast<std::int64_t>(text->size());
    return size;
}

// The catalog's paper as the paper list stores it.
JSE_MediaRecordType CatalogPaper(const JSE_Media& catalog, int index) {
    JSE_MediaRecordType paper;
    catalog.JSE_Media_GetName(index, paper.name);
    catalog.JSE_Media_GetColor(index, paper.colour);
    catalog.JSE_Media_GetType(index, paper.type);
    catalog.JSE_Media_GetPhysicalSize(index, paper.widthInches, paper.heightInches);
    catalog.JSE_Media_GetPoints(index, paper.widthPoints, paper.heightPoints);
    catalog.JSE_Media_GetWeight(index, paper.weight);
    paper.mode = catalog.JSE_Media_GetMode(index);
    paper.precollated = catalog.JSE_Media_GetPrecollated(index);
    paper.mediaCode = 0;
    paper.mediaFlag = true;
    paper.punchable = catalog.JSE_Media_GetPunchable(index) != 0;
    paper.mediaExtra = 0;
    return paper;
}

}  // namespace

WString JSE_Preference::SettingsPath() const { return m_fullPath.empty() ? m_fileName : m_fullPath; }

// The whole file is composed first and then written whole: beside the old
// one and renamed over it, so a failed save leaves the old file as it was,
// or in place where the folder takes no new file.
void JSE_Preference::JSE_Preference_Save_Setting() {
    m_lastError = kNoError;
    m_output.str(std::string());
    m_output.clear();
    const std::int32_t code = WriteSections();
    const std::string bytes = m_output.str();
    m_output.str(std::string());
    if (code != kNoError) {
        m_lastError = code;
        return;
    }
    switch (engine_file::WriteWholeFile(SettingsPath(), bytes)) {
        case engine_file::WriteResult::Written: break;
        case engine_file::WriteResult::NotCreated: m_lastError = kFileNotOpened; break;
        case engine_file::WriteResult::NotWritten: m_lastError = kHeaderNotWritten; break;
        case engine_file::WriteResult::LeftIncomplete: m_lastError = kFileLeftIncomplete; break;
    }
}

std::int32_t JSE_Preference::WriteSections() {
    std::int32_t code = WriteVersion(m_output, GetCurrentVersion());
    if (!code) code = WriteJobRecord(m_contents.jobFeature);
    if (!code) code = WriteRelease7Record(m_contents.release7);
    if (!code) code = WriteRelease6Record(m_contents.release6);
    if (!code) code = WriteMedia();
    if (!code) code = WriteCustomRecord();
    if (!code) code = WritePageExceptionRecord();
    if (!code) code = WriteUserData();
    return code;
}

std::int32_t JSE_Preference::WriteVersion(std::ostream& stream, std::int32_t version) {
    Writer out(stream, kHeaderNotWritten);
    out.Int64(preference_file::kHeaderTag);
    out.Int32(version);
    return out.Error();
}

// The narrow text has no count in the file, so only the empty text reads
// back, and stored files hold none. A non-empty one is refused rather than
// written into a file that could not be read again.
std::int32_t JSE_Preference::WriteJobRecord(JSE_JobFeatureType record) {
    if (!record.chapterPages.empty()) return kTextNotWritten;
    Writer out(m_output);
    out.Int64(GetJobRecordSize(record));
    preference_file::JobRecordFields(out, std::as_const(record));
    return out.Error();
}

std::int32_t JSE_Preference::WriteRelease7Record(JSE_Release3_0Type values) {
    Writer out(m_output);
    preference_file::Release7Fields(out, std::as_const(values));
    return out.Error();
}

std::int32_t JSE_Preference::WriteRelease6Record(JSE_Release1_4Type values) {
    Writer out(m_output);
    preference_file::Release6Fields(out, std::as_const(values));
    return out.Error();
}

// Without a catalog the list is empty, with an empty language and default
// paper, so that the file still reads back whole.
std::int32_t JSE_Preference::WriteMedia() {
    Writer out(m_output);
    const int count = m_media ? m_media->JSE_Media_GetNumberOfEntry() : 0;
    WString language, defaultPaper;
    if (m_media) {
        m_media->JSE_Media_GetLanguage(language);
        m_media->GetDefaultPaperName(defaultPaper);
    }
    out.Int32(count);
    out.Text(language);
    out.Text(defaultPaper);
    for (int i = 0; i < count; ++i) {
        const JSE_MediaRecordType paper = CatalogPaper(*m_media, i);
        preference_file::PaperFields(out, paper, true);
    }
    return out.Error();
}

std::int32_t JSE_Preference::WriteCustomRecord() {
    Writer out(m_output);
    preference_file::CustomCommandFields(out, std::as_const(m_contents.customCommand));
    return out.Error();
}

// Every item with the mark and the current item version.
std::int32_t JSE_Preference::WritePageExceptionRecord() {
    Writer out(m_output);
    out.Int64(static_cast<std::int64_t>(m_contents.pageExceptions.size()));
    for (const JSE_PageExceptionType& item : m_contents.pageExceptions) {
        out.Mark(preference_file::kItemMark);
        out.Int64(preference_file::kItemVersion);
        out.Int32(item.exceptionMode);
        preference_file::PageExceptionFields(out, item);
        if (out.Error()) break;
        if (const std::int32_t code = WritePeSubSetRecord(item.peRecord)) return code;
        preference_file::PageExceptionTailFields(out, item, preference_file::kItemVersion);
    }
    return out.Error();
}

std::int32_t JSE_Preference::WritePeSubSetRecord(JSE_PeRecordType record) {
    Writer out(m_output);
    preference_file::DeviceFields(out, std::as_const(record));
    return out.Error();
}

std::int32_t JSE_Preference::WriteUserData() {
    Writer out(m_output);
    out.Int64(static_cast<std::int64_t>(m_contents.userData.size()));
    out.Bytes(m_contents.userData.data(), m_contents.userData.size());
    return out.Error();
}

std::int32_t JSE_Preference::GetCurrentVersion() const { return kCurrentVersion; }

bool JSE_Preference::VersionValid(std::int32_t version) const { return version == kCurrentVersion; }

// The raw setting blocks and their header read and write nothing.
std::int32_t JSE_Preference::WriteSetting(const void*, std::int64_t) { return 0; }

std::int32_t JSE_Preference::ReadSetting(void*, std::int64_t) { return 0; }

std::int32_t JSE_Preference::WriteSettingHeader(const settingHeaderType&) { return 0; }

std::int32_t JSE_Preference::ReadSettingHeader(settingHeaderType&) { return 0; }
