// Loading the settings store from its settings file, in any of the six
// versions the store reads. Everything is read into temporaries first and
// becomes the store's only when the whole file was read.
#include "JSE_Preference.h"
#include "JSE_PreferenceLayout.h"

namespace {

using preference_file::Reader;

constexpr std::int32_t kReadableVersions[] = {0x10000, 0x10001, 0x10002, 0x20000, 0x20001,
                                              JSE_Preference::kCurrentVersion};
// The last version without the release 6 values (and, before the current
// one, without the release 7 values).
constexpr std::int32_t kLastVersionWithoutRelease6 = 0x20000;

bool IsReadableVersion(std::int32_t version) {
    for (std::int32_t readable : kReadableVersions)
        if (version == readable) return true;
    return false;
}

bool PapersCarryPrecollated(std::int64_t version) {
    return version == 0x10001 || version == 0x20001 || version == JSE_Preference::kCurrentVersion;
}

// The start of an item: with the mark, its item version follows; without
// it, the four bytes are the exception mode of an item of version 0. An item
// version this store does not know is refused rather than read with the
// wrong layout.
std::int64_t ReadItemStart(Reader& in, JSE_PageExceptionType& item) {
    std::uint32_t first = 0;
    in.Mark(first);
    if (first != preference_file::kItemMark) {
        item.exceptionMode = static_cast<std::int32_t>(first);
        return 0;
    }
    std::int64_t version = 0;
    in.Int64(version);
    if (version < 0 || version > preference_file::kItemVersion) in.Fail(JSE_Preference::kTextNotRead);
    in.Int32(item.exceptionMode);
    return version;
}

}  // namespace

void JSE_Preference::JSE_Preference_Load_Setting() {
    m_lastError = kNoError;
    const std::int32_t version = GetVersionFromFile();
    if (m_lastError != kNoError) return;
    if (!IsReadableVersion(version)) {
        m_lastError = kBadVersion;
        return;
    }
    std::string path;
    GetSingleByteFileName(SettingsPath(), path);
    m_input.clear();
    m_input.open(path, std::ios::binary);
    if (!m_input) {
        m_input.clear();
        m_lastError = kFileNotOpened;
        return;
    }
    BeginLoad(version);
    m_lastError = ReadSections();
    m_input.close();
    m_input.clear();
    if (m_lastError == kNoError) m_contents = std::move(m_loaded);
    m_loaded = Contents{};
    // A value no map knows stays as it was; the load still succeeds.
    if (m_lastError == kNoError) UpgradeFeatureValues();
}

// A load starts from what a file may leave as it is: the language and the
// catalog default paper (kept when the file's are empty) and the release
// values (which older files lack in part).
void JSE_Preference::BeginLoad(std::int32_t version) {
    m_loaded = Contents{};
    m_loaded.version = version;
    m_loaded.language = m_contents.language;
    m_loaded.catalogDefaultPaper = m_contents.catalogDefaultPaper;
    m_loaded.release6 = m_contents.release6;
    m_loaded.release7 = m_contents.release7;
}

std::int32_t JSE_Preference::GetVersionFromFile() {
    if (m_fileName.empty()) {
        m_lastError = kNoFileName;
        return 0;
    }
    std::string path;
    GetSingleByteFileName(SettingsPath(), path);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        m_lastError = kFileNotOpened;
        return 0;
    }
    std::int32_t version = 0;
    if (ReadVersion(file, version, 0) != kNoError) {
        m_lastError = kTextNotRead;
        return 0;
    }
    m_lastError = kNoError;
    return version;
}

// The tag is read but not compared: files are told apart by their version.
std::int32_t JSE_Preference::ReadVersion(std::istream& stream, std::int32_t& version, std::int64_t) {
    std::int64_t left = preference_file::BytesLeft(stream);
    Reader in(stream, left, kHeaderNotRead);
    std::int64_t tag = 0;
    in.Int64(tag);
    in.Int32(version);
    return in.Error();
}

// The load reads the header again with its own stream; a version other than
// the one fetched before means the file changed under the load.
std::int32_t JSE_Preference::ReadSections() {
    std::int32_t version = 0;
    std::int32_t code = ReadVersion(m_input, version, preference_file::kHeaderTag);
    if (!code && version != m_loaded.version) code = kHeaderNotRead;
    m_inputLeft = preference_file::BytesLeft(m_input);
    if (!code) code = ReadJobRecord(m_loaded.jobFeature);
    if (!code) code = ReadReleaseRecords();
    if (!code) code = ReadMedia();
    if (!code) code = ReadCustomRecord();
    if (!code) code = ReadPageExceptionRecord();
    if (!code) code = ReadUserData();
    return code;
}

// The record size is skipped: every field is read in its place.
std::int32_t JSE_Preference::ReadJobRecord(JSE_JobFeatureType& record) {
    Reader in(m_input, m_inputLeft);
    std::int64_t size = 0;
    in.Int64(size);
    preference_file::JobRecordFields(in, record);
    record.chapterPages.clear();  // it takes no bytes in the file
    return in.Error();
}

// Files before release 6 carry neither record: both take their factory
// values. Release 6 files carry only release 6, so the page order stays as
// the store had it unless last page first is set.
std::int32_t JSE_Preference::ReadReleaseRecords() {
    if (m_loaded.version <= kLastVersionWithoutRelease6) {
        SetFactoryReleaseValues(m_loaded.release6, m_loaded.release7);
        return kNoError;
    }
    std::int32_t code = kNoError;
    if (m_loaded.version == kCurrentVersion) code = ReadRelease7Record(m_loaded.release7);
    if (!code) code = ReadRelease6Record(m_loaded.release6);
    if (!code && m_loaded.release6.lastPageFirst) m_loaded.release7.pageOrder = kLastPageFirstOrder;
    return code;
}

// Taken as the file holds them, without the setters' range rules.
std::int32_t JSE_Preference::ReadRelease7Record(JSE_Release3_0Type& values) {
    Reader in(m_input, m_inputLeft);
    preference_file::Release7Fields(in, values);
    return in.Error();
}

std::int32_t JSE_Preference::ReadRelease6Record(JSE_Release1_4Type& values) {
    Reader in(m_input, m_inputLeft);
    preference_file::Release6Fields(in, values);
    return in.Error();
}

// The file's papers replace the list; an empty language or default paper
// leaves the store's as it is.
std::int32_t JSE_Preference::ReadMedia() {
    Reader in(m_input, m_inputLeft);
    std::int32_t count = 0;
    WString language, defaultPaper;
    in.Int32(count);
    in.Text(language);
    in.Text(defaultPaper);
    if (!language.empty()) m_loaded.language = language;
    if (!defaultPaper.empty()) m_loaded.catalogDefaultPaper = defaultPaper;
    if (!in.Count(count)) return in.Error();
    for (std::int32_t i = 0; i < count && !in.Error(); ++i) {
        JSE_MediaRecordType paper;  // precollated 0 where the version has none
        preference_file::PaperFields(in, paper, PapersCarryPrecollated(m_loaded.version));
        m_loaded.papers.push_back(std::move(paper));
    }
    return in.Error();
}

std::int32_t JSE_Preference::ReadCustomRecord() {
    Reader in(m_input, m_inputLeft);
    preference_file::CustomCommandFields(in, m_loaded.customCommand);
    return in.Error();
}

// Items without page copies or paper-selection index keep 1 and 0.
std::int32_t JSE_Preference::ReadPageExceptionRecord() {
    Reader in(m_input, m_inputLeft);
    std::int64_t count = 0;
    in.Int64(count);
    if (!in.Count(count)) return in.Error();
    for (std::int64_t i = 0; i < count; ++i) {
        JSE_PageExceptionType item;
        const std::int64_t itemVersion = ReadItemStart(in, item);
        preference_file::PageExceptionFields(in, item);
        if (in.Error()) return in.Error();
        if (const std::int32_t code = ReadPeSubSetRecord(item.peRecord)) return code;
        preference_file::PageExceptionTailFields(in, item, itemVersion);
        if (in.Error()) return in.Error();
        m_loaded.pageExceptions.push_back(std::move(item));
    }
    return kNoError;
}

std::int32_t JSE_Preference::ReadPeSubSetRecord(JSE_PeRecordType& record) {
    Reader in(m_input, m_inputLeft);
    preference_file::DeviceFields(in, record);
    return in.Error();
}

// A length of 0 gives no user data.
std::int32_t JSE_Preference::ReadUserData() {
    Reader in(m_input, m_inputLeft);
    std::int64_t length = 0;
    in.Int64(length);
    if (!in.Count(length)) return in.Error();
    m_loaded.userData.resize(static_cast<std::size_t>(length));
    in.Bytes(m_loaded.userData.data(), m_loaded.userData.size());
    return in.Error();
}
