// The settings file: saves byte for byte against hand-written files, loads of
// all six versions with the upgrade of older page exceptions, every failure
// code from a crafted file, and failed saves and loads that change nothing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "JSE_FileWrite.h"
#include "JSE_Preference.h"
#include "media_test_support.h"

namespace {

using media_test::ReadBytes;
using media_test::TempFolder;

// A hand-written file: one field per line ("i32 5", "text \"A4\"", "float 7
// 20000" for the stored whole part and fraction, "hex", "ascii", "zeros",
// "include" another file, "at" a label naming the next byte's offset), after
// "#" a comment.
struct Fixture {
    std::string bytes;
    std::map<std::string, std::size_t> at;
};

void AppendNumber(std::string& out, long long value, int size) {
    for (int i = 0; i < size; ++i) out += static_cast<char>(static_cast<unsigned long long>(value) >> (8 * i));
}

void AddFixture(const std::string& name, Fixture& f) {
    static const std::map<std::string, int> sizes = {{"i32", 4}, {"i64", 8}, {"flag", 1}, {"byte", 1},
                                                     {"hex", 1}, {"float", 4}, {"zeros", 0}};
    std::ifstream file(std::string(LUMAPREX_TEST_DATA) + "/settings/" + name);
    ASSERT_TRUE(file) << name;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string kind, word;
        words >> kind;
        const std::size_t open = line.find('"'), close = line.find('"', open + 1);
        const std::string quoted = close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
        if (kind == "include" && words >> word) AddFixture(word, f);
        if (kind == "at" && words >> word) f.at[word] = f.bytes.size();
        if (kind == "ascii") f.bytes += quoted;
        if (kind == "text") {  // 7-bit characters: each its own 32-bit unit
            AppendNumber(f.bytes, static_cast<long long>(quoted.size()) + 1, 4);
            for (char c : quoted + '\0') AppendNumber(f.bytes, c, 4);
        }
        for (auto size = sizes.find(kind); size != sizes.end() && words >> word;) {
            const long long value = std::stoll(word, nullptr, kind == "hex" ? 16 : 0);
            if (kind == "zeros") f.bytes.append(static_cast<std::size_t>(value), '\0');
            else AppendNumber(f.bytes, value, size->second);
        }
    }
}

Fixture Load(const std::string& name) {
    Fixture f;
    AddFixture(name, f);
    return f;
}

// The catalog whose papers the full store's file lists.
struct Catalog : JSE_Media {
    Catalog() : JSE_Media(2) {
        JSE_Media_AddPaperDefinitionEx(210, 297, 595.28, 841.89, 1, L"A4");
        JSE_Media_AddPaper(L"A4-Cover", 1, L"blue", 160, L"cover", 1, 1, 0);
        JSE_Media_SetDefaultPaper(L"A4-Cover");
    }
};

JSE_PageExceptionType Item(std::int32_t mode, std::int64_t first, std::int64_t last) {
    JSE_PageExceptionType item;
    item.exceptionMode = mode;
    item.startingPage = first;
    item.endingPage = last;
    return item;
}

// The store of current_full_store.txt.
void FillFullStore(JSE_Preference& store) {
    store.JSE_Preference_SetJobFeature({3, 2, 4, 5, 6, 2, 7, 12, 3, 99999, true, 2, 30, false, true, true, true,
        L"A4", L"Letter", 2, true, L"Letter", 3, false, L"", 4, true, L"A4", true, false, L"Letter", true, "",
        L"Zoë", L"ab", L"Hold for QA", L"Room 4", L"ops@example.org", false, true, L"job.ps", true, L"Line 2",
        true, L"/srv/tiff", 2, 16, 4, 60, 90, 3, true, true, false, 2, -1.25f, 7.2f, 0.5f, -3.6f, true, false, 2,
        0.1f, 0.25f, 1, 2.5f, 0, 12.75f, 0.05f, 3, true, true, false, true, false, true, true});
    store.JSE_Preference_SetRelease6Features({L"1.4", 2, 5, true, false});
    store.JSE_Preference_SetRelease7Features({1, 2});
    JSE_CustomCommandType custom{true, 2, 1, 3, "@PJL SET COPIES=2", L"/srv/cmd.txt"};
    store.JSE_Preference_Set_CustomRecord(custom);
    JSE_PageExceptionType first = Item(kPePaperSubstitution, 3, 5), shift = Item(kPeImageShift, 7, 7),
                          subset = Item(kPeFinishingSubset, 10, kLastPage);
    first.fromJobPaper = false;
    first.mediaName = L"A4-Cover";
    shift.paperExit = 3, shift.pePunch = false, shift.printOn = false, shift.printingMode = 2;
    shift.peGRET = shift.peGRETValue = true;
    shift.pePlex = false, shift.pePlexValue = 4, shift.peRotate = false, shift.peRotateValue = 180;
    shift.peShift = true, shift.frontX = 1.5f, shift.frontY = -0.75f, shift.backX = 2, shift.backY = -12.5f;
    shift.peSideValue = 2, shift.finishChapter = true, shift.pageCopies = 3, shift.reserved = 2;
    subset.paperExit = 4, subset.peSubset = true;
    subset.peRecord = {1, 9, 0, 255, 1, 3, 1, 225, 1, 5, 1, 10};
    for (const auto& item : {first, shift, subset}) store.JSE_Preference_SetPageExceptionItem(item);
    store.JSE_Preference_Set_UserData("\x00\x01\xFEhi", 5);
}

// A store whose file is named by a full path in its own folder.
struct FileStore : JSE_Preference {
    explicit FileStore(const TempFolder& folder, const char* name = "Qwi_JSE.prf")
        : JSE_Preference(L"Qwi_JSE.prf", L"English") {
        JSE_Preference_SetFullPath(folder.WidePath(name));
    }
};

// What the store saves under the name, its own file left as it was named.
std::string Saved(JSE_Preference& store, const TempFolder& folder, const char* name) {
    WString path;
    store.JSE_Preference_GetFullPath(path);
    store.JSE_Preference_SetFullPath(folder.WidePath(name));
    store.JSE_Preference_Save_Setting();
    store.JSE_Preference_SetFullPath(path);
    EXPECT_EQ(store.JSE_Preference_GetLastError(), 0);
    return ReadBytes(folder.Path(name));
}

// Every field of every paper of the store's list, one line each.
std::string Papers(const JSE_Preference& store) {
    std::ostringstream s;
    for (std::int32_t i = 0; i < store.JSE_Preference_Get_MediaListSize(); ++i) {
        JSE_MediaRecordType p;
        store.JSE_Preference_GetMedia(i, p);
        s << std::string(p.name.begin(), p.name.end()) << " " << std::string(p.colour.begin(), p.colour.end())
          << " " << std::string(p.type.begin(), p.type.end()) << " " << p.widthInches << "x" << p.heightInches
          << " " << p.widthPoints << "x" << p.heightPoints << " " << p.weight << " mode " << p.mode
          << " precollated " << p.precollated << " reserved " << p.mediaCode << "/" << p.mediaFlag << "/"
          << p.mediaExtra << " punch " << p.punchable << "\n";
    }
    return s.str();
}

// The store as its own file records it, with its paper list and the factory
// body paper that its language gives.
std::string Snapshot(JSE_Preference& store, const TempFolder& folder) {
    JSE_JobFeatureType defaults;
    store.JSE_Preference_Get_Default_JobFeature(defaults);
    return Saved(store, folder, "snapshot.prf") + Papers(store) +
           std::string(defaults.bodyPaper.begin(), defaults.bodyPaper.end());
}

}  // namespace

TEST(SettingsFileSave, WritesTheHandWrittenFiles) {
    TempFolder folder;
    Catalog catalog;
    FileStore full(folder), factory(folder);
    full.JSE_Preference_Set_Media_Reference(&catalog);
    FillFullStore(full);
    EXPECT_EQ(Saved(full, folder, "full.prf"), Load("current_full_store.txt").bytes);
    EXPECT_EQ(Saved(factory, folder, "factory.prf"), Load("factory_store_without_catalog.txt").bytes);
}

TEST(SettingsFileLoad, HandWrittenFileGivesTheStoreAndReplacesItsPapers) {
    TempFolder folder;
    FileStore store(folder);
    folder.Write("Qwi_JSE.prf", Load("current_full_store.txt").bytes);
    for (int round = 0; round < 2; ++round) {
        store.JSE_Preference_Load_Setting();
        ASSERT_EQ(store.JSE_Preference_GetLastError(), 0);
    }
    EXPECT_EQ(Papers(store),
              "Letter white plain 8.5x11 612x792 75 mode 2 precollated 0 reserved 0/1/0 punch 1\n"
              "A4-Cover blue cover 210x297 595x841 160 mode 1 precollated 1 reserved 0/1/0 punch 0\n");
    // Saved with the same catalog, the loaded store writes the same file.
    Catalog catalog;
    store.JSE_Preference_Set_Media_Reference(&catalog);
    EXPECT_EQ(Saved(store, folder, "again.prf"), Load("current_full_store.txt").bytes);
}

// Another writer may put any value in the byte fields of a page exception.
TEST(SettingsFileLoad, PageExceptionBytesKeepTheirValuesThroughLoadAndSave) {
    Fixture file = Load("current_full_store.txt");
    file.bytes[file.at["media-index"]] = 7;
    file.bytes[file.at["gret"]] = '\x80';
    file.bytes[file.at["gret"] + 1] = '\xFF';
    TempFolder folder;
    FileStore store(folder);
    folder.Write("Qwi_JSE.prf", file.bytes);
    store.JSE_Preference_Load_Setting();
    ASSERT_EQ(store.JSE_Preference_GetLastError(), 0);
    Catalog catalog;
    store.JSE_Preference_Set_Media_Reference(&catalog);
    EXPECT_EQ(Saved(store, folder, "again.prf"), file.bytes);
}

// Each older file, loaded over a store with other release values, page
// exceptions and user data, gives the store of its hand-written upgraded file.
TEST(SettingsFileLoad, OlderVersionsLoadAndUpgradeTheirPageExceptions) {
    struct Case {
        const char* version;
        int precollated;
        const wchar_t* factoryBodyPaper;  // German in the first file's paper list gives A4
    };
    const Case cases[] = {{"10000", 0, L"A4"},     {"10001", 1, L"Letter"}, {"10002", 0, L"Letter"},
                          {"20000", 0, L"Letter"}, {"20001", 1, L"Letter"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const std::string file = "version_" + std::string(c.version);
        TempFolder folder;
        FileStore store(folder);
        store.JSE_Preference_SetRelease6Features({L"1.7", 0, 9, false, false});
        store.JSE_Preference_SetRelease7Features({1, 2});
        store.JSE_Preference_SetPageExceptionItem(Item(kPePunch, 1, 1));
        store.JSE_Preference_Set_UserData("before", 6);
        folder.Write("Qwi_JSE.prf", Load(file + ".txt").bytes);
        store.JSE_Preference_Load_Setting();
        ASSERT_EQ(store.JSE_Preference_GetLastError(), 0);
        JSE_MediaRecordType paper;
        store.JSE_Preference_GetMedia(0, paper);
        EXPECT_EQ(paper.precollated, c.precollated);
        JSE_JobFeatureType defaults;
        store.JSE_Preference_Get_Default_JobFeature(defaults);
        EXPECT_EQ(defaults.bodyPaper, c.factoryBodyPaper);
        EXPECT_EQ(Saved(store, folder, "upgraded.prf"), Load(file + "_upgraded.txt").bytes);
    }
}

TEST(SettingsFileLoad, EveryFailureCodeFromACraftedFileLeavesTheStoreAsItWas) {
    struct Case {
        const char* name;
        const char* label;  // where the file is cut or patched, counted from this label
        std::size_t offset;
        std::string patch;  // empty: the file is cut there
        std::int32_t code;
    };
    const Case cases[] = {
        {"version between the last two", "version", 0, std::string("\x02\x00\x02\x00", 4), 5},
        {"version above the current", "version", 0, std::string("\x01\x00\x03\x00", 4), 5},
        {"header shorter than tag and version", "version", 2, "", 18},
        {"number cut short", "job-record", 3, "", 18},
        {"text cut short", "body-paper", 6, "", 18},
        {"text count negative", "body-paper", 0, "\xFF\xFF\xFF\xFF", 18},
        {"text count past the end", "body-paper", 0, "\xFF\xFF\xFF\x7F", 18},
        {"float cut short", "front-x", 5, "", 19},
        {"float that a save could not write", "front-x", 0, std::string("\xFF\xFF\xFF\x7F\x9F\x86\x01\x00", 8), 19},
        {"paper count negative", "papers", 0, "\xFF\xFF\xFF\xFF", 18},
        {"page-exception count past the end", "page-exceptions", 3, "\x01", 18},
        {"item version above the highest", "item-version", 0, "\x03", 18},
        {"item cut short", "item-version", 20, "", 18},
        {"user data past the end", "user-data", 0, "\x06", 18},
        {"user data length negative", "user-data", 0, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 18},
        {"user data cut short", "user-data", 10, "", 18},
    };
    const Fixture full = Load("current_full_store.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        FileStore store(folder);
        FillFullStore(store);
        const std::string before = Snapshot(store, folder);
        std::string bytes = full.bytes;
        const std::size_t at = full.at.at(c.label) + c.offset;
        if (c.patch.empty()) bytes.resize(at);
        else bytes.replace(at, c.patch.size(), c.patch);
        folder.Write("Qwi_JSE.prf", bytes);
        store.JSE_Preference_Load_Setting();
        EXPECT_EQ(store.JSE_Preference_GetLastError(), c.code);
        EXPECT_EQ(Snapshot(store, folder), before);
    }
}

// Cuts the file between the version check and the load's own read.
struct ShrinkingStore : FileStore {
    using FileStore::FileStore;
    std::int32_t GetVersionFromFile() override {
        const std::int32_t version = FileStore::GetVersionFromFile();
        WString path;
        JSE_Preference_GetFullPath(path);
        EXPECT_EQ(truncate(std::string(path.begin(), path.end()).c_str(), 6), 0);
        return version;
    }
};

TEST(SettingsFileLoad, FileNameMissingFileOrHeaderCutUnderTheLoad) {
    TempFolder folder;
    JSE_Preference unnamed(L"", L"English");
    unnamed.JSE_Preference_SetFullPath(folder.Write("named.prf", Load("current_full_store.txt").bytes));
    unnamed.JSE_Preference_Load_Setting();
    EXPECT_EQ(unnamed.JSE_Preference_GetLastError(), 2);
    FileStore missing(folder, "missing.prf");
    missing.JSE_Preference_Load_Setting();
    EXPECT_EQ(missing.JSE_Preference_GetLastError(), 3);
    std::filesystem::create_directory(folder.Path("folder.prf"));
    FileStore aFolder(folder, "folder.prf");
    aFolder.JSE_Preference_Load_Setting();
    EXPECT_NE(aFolder.JSE_Preference_GetLastError(), 0) << "a folder in the file's place cannot be read";
    ShrinkingStore shrinking(folder, "named.prf");
    shrinking.JSE_Preference_Load_Setting();
    EXPECT_EQ(shrinking.JSE_Preference_GetLastError(), 17);
    EXPECT_EQ(shrinking.JSE_Preference_GetNumberOfPageExceptionItem(), 0);
}

TEST(SettingsFileSave, EveryFailureCodeKeepsTheOldFile) {
    struct Case {
        const char* name;
        const char* file;
        float erase, shift;  // a float of the job record and of a page exception
        const char* narrowText;
        std::int32_t code;
    };
    const Case cases[] = {{"folder missing", "missing/Qwi_JSE.prf", 0, 0, "", 3},
                          {"a folder in the file's place", "Qwi_JSE.d", 0, 0, "", 3},
                          {"float not a number", "Qwi_JSE.prf", NAN, 0, "", 22},
                          {"float infinite", "Qwi_JSE.prf", 0, -INFINITY, "", 22},
                          {"float beyond int32", "Qwi_JSE.prf", 3e9f, 0, "", 22},
                          {"narrow text", "Qwi_JSE.prf", 0, 0, "1-3", 23},
                          {"file size limit", "Qwi_JSE.prf", 0, 0, "", 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        FileStore store(folder, c.file);
        folder.Write("Qwi_JSE.prf", "old");
        std::filesystem::create_directory(folder.Path("Qwi_JSE.d"));
        JSE_JobFeatureType record;
        store.JSE_Preference_GetJobFeature(record);
        record.backEraseTopSide = c.erase;
        record.chapterPages = c.narrowText;
        store.JSE_Preference_SetJobFeature(record);
        JSE_PageExceptionType item;
        item.backY = c.shift;
        store.JSE_Preference_SetPageExceptionItem(item);
        rlimit limit, small = {16, RLIM_INFINITY};
        getrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
        if (c.code == 21) setrlimit(RLIMIT_FSIZE, &small);
        store.JSE_Preference_Save_Setting();
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_EQ(store.JSE_Preference_GetLastError(), c.code);
        EXPECT_EQ(ReadBytes(folder.Path("Qwi_JSE.prf")), "old");
    }
}

// The settings file is written as the catalog's files are: through a
// symbolic link into the file it names, and in place where the folder
// takes no new file, the old file put back when the rewrite stopped part-way.
TEST(SettingsFileSave, LinkedFileAndFolderThatTakesNoNewFileAreSaved) {
    TempFolder folder, links;
    FileStore reference(folder, "reference.prf");
    const std::string saved = Saved(reference, folder, "reference.prf");
    folder.Write("Qwi_JSE.prf", "old");
    ASSERT_EQ(symlink(folder.Path("Qwi_JSE.prf").c_str(), links.Path("Qwi_JSE.prf").c_str()), 0);
    FileStore linked(links);
    linked.JSE_Preference_Save_Setting();
    EXPECT_EQ(linked.JSE_Preference_GetLastError(), 0);
    EXPECT_EQ(ReadBytes(folder.Path("Qwi_JSE.prf")), saved);
    char target[4096] = {};
    EXPECT_GT(readlink(links.Path("Qwi_JSE.prf").c_str(), target, sizeof target - 1), 0);

    // In place over a longer file a full disk leaves room; over a shorter one
    // it stops the rewrite part-way, as the size limit does.
    const struct {
        rlim_t sizeLimit;
        engine_file::WriteCall write;
        std::size_t oldSize;
        int code;
    } rewrites[] = {{RLIM_INFINITY, nullptr, saved.size(), 0}, {16, nullptr, saved.size(), 21},
                    {RLIM_INFINITY, media_test::WriteOnAFullDisk, saved.size() + 100, 0},
                    {RLIM_INFINITY, media_test::WriteOnAFullDisk, 3, 21}};
    for (const auto& c : rewrites) {
        SCOPED_TRACE(testing::Message() << c.sizeLimit << (c.write ? " full disk" : "") << " " << c.oldSize);
        const std::string old(c.oldSize, 'x');
        folder.Write("Qwi_JSE.prf", old);
        FileStore store(folder);
        engine_file::SetWriteCall(c.write);
        EXPECT_EQ(media_test::InReadOnlyFolder(folder,
                                               [&, limit = rlimit{c.sizeLimit, RLIM_INFINITY}] {
                                                   signal(SIGXFSZ, SIG_IGN);
                                                   setrlimit(RLIMIT_FSIZE, &limit);
                                                   store.JSE_Preference_Save_Setting();
                                                   return static_cast<int>(store.JSE_Preference_GetLastError());
                                               }),
                  c.code);
        engine_file::SetWriteCall(nullptr);
        EXPECT_EQ(ReadBytes(folder.Path("Qwi_JSE.prf")), c.code == 0 ? saved : old);
    }
    // A file that may not be written is kept, in a folder that takes new files too.
    folder.Write("Qwi_JSE.prf", "old");
    chmod(folder.Path("Qwi_JSE.prf").c_str(), 0444);
    chmod(folder.path().c_str(), 0777);
    FileStore store(folder);
    EXPECT_EQ(media_test::AsNobody([&] {
                  store.JSE_Preference_Save_Setting();
                  return static_cast<int>(store.JSE_Preference_GetLastError());
              }),
              3);
    chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(folder.Path("Qwi_JSE.prf")), "old");
}

TEST(SettingsFileFloats, SurviveTenSavesAndLoadsUnchanged) {
    TempFolder folder;
    FileStore store(folder);
    JSE_JobFeatureType record;
    store.JSE_Preference_GetJobFeature(record);
    record.imageAlignFrontX = 7.2f, record.imageAlignFrontY = -3.6f, record.imageAlignBackX = 0.1f;
    store.JSE_Preference_SetJobFeature(record);
    store.JSE_Preference_Save_Setting();
    const std::string first = ReadBytes(folder.Path("Qwi_JSE.prf"));
    for (int cycle = 0; cycle < 10; ++cycle) {
        SCOPED_TRACE(cycle);
        FileStore next(folder);
        next.JSE_Preference_Load_Setting();
        next.JSE_Preference_GetJobFeature(record);
        EXPECT_EQ((std::array{record.imageAlignFrontX, record.imageAlignFrontY, record.imageAlignBackX}),
                  (std::array{7.2f, -3.6f, 0.1f}));
        next.JSE_Preference_Save_Setting();
        EXPECT_EQ(ReadBytes(folder.Path("Qwi_JSE.prf")), first);
    }
}

TEST(SettingsFileUpgrade, AnswersWhenAValueHasNoNewCodeAndUpgradesTheRest) {
    JSE_PageExceptionType item = Item(12, 1, 1);  // jog and plex 255 have no new codes
    EXPECT_EQ(JSE_Preference::JSE_Preference_UpgradeExceptionRecord(0x20000, item), 10);
    EXPECT_EQ((std::array{item.exceptionMode, item.pePlexValue, item.peRecord.peJogValue}),
              (std::array{238, 255, 255}));
}
