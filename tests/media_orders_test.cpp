// Catalog start-up, load and save orders, path rules and file locks.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <string>
#include <utility>

#include "JSE_FileWrite.h"
#include "media_test_support.h"

namespace {

using namespace media_test;

std::string Narrow(const WString& wide) { return std::string(wide.begin(), wide.end()); }

// A catalog that logs its loads and locks; a lock on a path that ends in
// refusedSuffix is refused.
class Logged : public JSE_Media {
public:
    struct Lock : JSE_FileLock {
        Logged& owner;
        std::string path;
        explicit Lock(Logged& o) : owner(o) {}
        int LockCatalogFile(const WString& p, int access, int, WString&) override {
            path = Narrow(p);
            const bool refused = !owner.refusedSuffix.empty() && path.ends_with(owner.refusedSuffix);
            owner.Log((access == kForReading ? "read-lock " : "write-lock ") + path + (refused ? " refused" : ""));
            return refused ? 1 : 0;
        }
        void UnlockCatalogFile() override { owner.Log("unlock " + path); }
    };

    std::string refusedSuffix;
    std::vector<std::string> log;

    void Log(const std::string& line) { log.push_back(line); }
    void Start(const WString& path, bool safe) { Initialize(L"English", path, kColors, kTypes, L':', safe); }
    std::unique_ptr<JSE_FileLock> CreateFileLock() const override {
        return std::make_unique<Lock>(const_cast<Logged&>(*this));
    }
    bool LoadDefinitions(const WString& path) override {
        Log("definitions " + Narrow(path));
        return JSE_Media::LoadDefinitions(path);
    }
    bool LoadAttributes(const WString& path) override {
        Log("attributes " + Narrow(path));
        return JSE_Media::LoadAttributes(path);
    }
    bool JSE_Media_LoadCatalog(const WString& path, bool all) override {
        Log("catalog " + Narrow(path));
        return JSE_Media::JSE_Media_LoadCatalog(path, all);
    }
};

// A copy of the shipped catalog in a folder of its own.
struct ShippedCopy {
    TempFolder folder;
    WString path = folder.WidePath("PaperCatalog.cat");
    ShippedCopy() {
        const std::string data = std::string(LUMAPREX_SOURCE_DIR) + "/data/";
        for (const char* name : {"PaperCatalog.cat", "PaperCatalog.def", "PaperCatalog.cat.atr"})
            folder.Write(name, ReadBytes(data + name));
    }
    std::string Files() const {
        return ReadBytes(folder.Path("PaperCatalog.cat")) + ReadBytes(folder.Path("PaperCatalog.def")) +
               ReadBytes(folder.Path("PaperCatalog.cat.atr"));
    }
};

TEST(MediaStartUp, EveryFileMissingLeavesLetterAlone) {
    TempFolder folder;
    for (bool safe : {false, true}) {
        Catalog catalog(folder.WidePath("Catalog.txt"), safe);
        EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaCannotOpen);
        ASSERT_EQ(catalog.JSE_Media_GetNumberOfEntry(), 1);
        EXPECT_EQ(catalog.papers()[0].name, L"Letter");
        EXPECT_EQ(catalog.papers()[0].sizeIndex, 0);
    }
}

TEST(MediaStartUp, PlainAndSafeOrdersReadTheShippedCatalogAlike) {
    ShippedCopy shipped;
    Logged plain, safe;
    plain.Start(shipped.path, false);
    safe.Start(shipped.path, true);
    const std::string c = Narrow(shipped.path), d = shipped.folder.Path("PaperCatalog.def");
    EXPECT_EQ(plain.log, (std::vector<std::string>{"definitions " + d, "attributes " + c, "catalog " + c}));
    EXPECT_EQ(safe.log, (std::vector<std::string>{"read-lock " + c, "read-lock " + d, "read-lock " + c + ".atr",
                                                  "definitions " + d, "catalog " + c, "attributes " + c,
                                                  "unlock " + c + ".atr", "unlock " + d, "unlock " + c}));
    for (Logged* catalog : {&plain, &safe}) {
        EXPECT_EQ(catalog->JSE_Media_GetLastError(), 0);
        EXPECT_EQ(catalog->JSE_Media_GetNumberOfEntry(), Catalog(shipped.path).JSE_Media_GetNumberOfEntry());
        EXPECT_GT(catalog->JSE_Media_GetNumOfColorAttributes(), 0);
    }
}

TEST(MediaStartUp, RefusedLockReleasesTheLocksTakenInReverseOrder) {
    ShippedCopy shipped;
    const std::string c = Narrow(shipped.path), d = shipped.folder.Path("PaperCatalog.def");
    Logged catalog;
    catalog.refusedSuffix = ".atr";
    catalog.Start(shipped.path, true);
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaLockRefused);
    EXPECT_EQ(catalog.log, (std::vector<std::string>{"read-lock " + c, "read-lock " + d,
                                                     "read-lock " + c + ".atr refused", "unlock " + d, "unlock " + c}));
    EXPECT_EQ(catalog.JSE_Media_GetNumberOfEntry(), 1);

    catalog.log.clear();
    catalog.refusedSuffix = ".def";
    EXPECT_FALSE(catalog.JSE_Media_SaveCatalogSafe(shipped.path));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaLockRefused);
    EXPECT_EQ(catalog.log, (std::vector<std::string>{"write-lock " + c, "write-lock " + d + " refused", "unlock " + c}));
    Catalog original(shipped.path);
    EXPECT_GT(original.JSE_Media_GetNumberOfEntry(), 1);  // nothing was written
}

TEST(MediaPaths, EachOrderUsesItsOwnRule) {
    TempFolder folder;
    Logged catalog;
    catalog.Start(folder.WidePath("Papers"), false);
    EXPECT_EQ(catalog.log.at(0), "definitions " + folder.Path("Papdef"));
    catalog.log.clear();
    catalog.JSE_Media_LoadDefinitionOnly(folder.WidePath("Papers"));
    EXPECT_EQ(catalog.log.at(0), "definitions " + folder.Path("Papdef"));
    catalog.log.clear();
    EXPECT_TRUE(catalog.JSE_Media_SaveCatalogSafe(folder.WidePath("Papers")));
    EXPECT_EQ(catalog.log.at(1), "write-lock " + folder.Path("Pa.def"));
    EXPECT_FALSE(ReadBytes(folder.Path("Pa.def")).empty());

    // Paths shorter than what the rules cut are files that are not there.
    for (const wchar_t* shortPath : {L"", L"a", L"ab", L"abc"}) {
        Catalog small(shortPath, false);
        EXPECT_NE(small.JSE_Media_GetLastError(), 0);
        EXPECT_EQ(small.JSE_Media_GetNumberOfEntry(), 1);
        EXPECT_FALSE(small.JSE_Media_LoadCatalogSafe(shortPath));
        EXPECT_FALSE(small.JSE_Media_LoadCatalog(shortPath, true));
        EXPECT_EQ(small.JSE_Media_GetNumberOfEntry(), 1);
    }
}

TEST(MediaLocks, SharedForReadingExclusiveForWriting) {
    ShippedCopy shipped;
    JSE_MacFileLock reader, otherReader, writer;
    WString text;
    ASSERT_EQ(reader.LockCatalogFile(shipped.path, JSE_FileLock::kForReading, 2, text), 0);
    EXPECT_EQ(otherReader.LockCatalogFile(shipped.path, JSE_FileLock::kForReading, 2, text), 0);
    EXPECT_NE(writer.LockCatalogFile(shipped.path, JSE_FileLock::kForWriting, 2, text), 0);

    Catalog catalog(shipped.path);
    const std::string before = shipped.Files();
    catalog.JSE_Media_DeletePaper(0);
    EXPECT_FALSE(catalog.JSE_Media_SaveCatalogSafe(shipped.path));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaLockRefused);
    EXPECT_EQ(shipped.Files(), before);

    reader.UnlockCatalogFile();
    otherReader.UnlockCatalogFile();
    EXPECT_EQ(writer.LockCatalogFile(shipped.path, JSE_FileLock::kForWriting, 2, text), 0);
    EXPECT_NE(reader.LockCatalogFile(shipped.path, JSE_FileLock::kForReading, 2, text), 0);
}

// Read back from its UTF-16 file, or from the same text in 8-bit, an edited
// catalog holds the same papers; B5, whose size definition was deleted,
// comes back without one, on the size of 8.5 by 11 inches.
TEST(MediaSave, EditedCatalogSavedSafelyReloadsEqual) {
    ShippedCopy shipped;
    Catalog edited(shipped.path);
    ASSERT_TRUE(edited.JSE_Media_AddPaperDefinition(100.0f, 150.0f, 1, L"Postcard"));
    ASSERT_TRUE(edited.JSE_Media_AddPaper(L"Postcard", 100.0f, 150.0f, L"white", 250, L"cover", 1, 0, 0));
    PAPERDEF heavier;
    heavier.weight = 90;
    heavier.punchable = 1;
    PAPERFLAGS weightOnly;
    weightOnly.weight = true;
    ASSERT_TRUE(edited.JSE_Media_ModifyPaper(L"A4", heavier, weightOnly));
    ASSERT_TRUE(edited.JSE_Media_MovePaper(L"Postcard", 1));
    ASSERT_TRUE(edited.JSE_Media_DeletePaperDefinition(edited.GetPaperSize(edited.JSE_Media_GetIndex(L"B5"))));
    edited.DropModePapers(1);
    edited.RestoreModePapers(1);
    ASSERT_TRUE(edited.JSE_Media_AddAttribute(1, L"350"));
    ASSERT_TRUE(edited.JSE_Media_SetDefaultPaper(L"A4"));
    ASSERT_TRUE(edited.JSE_Media_SaveCatalogSafe(shipped.path));
    const int b5 = edited.JSE_Media_GetIndex(L"B5");
    ASSERT_EQ(edited.GetPaperSize(b5), -1);

    const std::string saved = ReadBytes(shipped.folder.Path("PaperCatalog.cat"));
    std::string latin1;
    for (std::size_t i = 2; i < saved.size(); i += 2) latin1 += saved[i];
    for (const std::string& bytes : {saved, latin1}) {
        shipped.folder.Write("PaperCatalog.cat", bytes);
        Catalog reloaded(shipped.path, true);
        EXPECT_EQ(reloaded.JSE_Media_GetLastError(), 0);
        ASSERT_EQ(reloaded.JSE_Media_GetNumberOfEntry(), edited.JSE_Media_GetNumberOfEntry());
        for (int i = 0; i < edited.JSE_Media_GetNumberOfEntry(); ++i) {
            const PAPERDEF &a = edited.papers()[i], &b = reloaded.papers()[i];
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.sizeIndex, b.sizeIndex) << Narrow(a.name);
            EXPECT_EQ(a.weight, b.weight);
            EXPECT_EQ(a.mode, b.mode);
            EXPECT_EQ(a.punchable, b.punchable);
        }
        EXPECT_EQ(std::pair(reloaded.papers()[b5].width, reloaded.papers()[b5].height), std::pair(8.5f, 11.0f));
        EXPECT_EQ(reloaded.GetDefaultPaper(), edited.GetDefaultPaper());
        EXPECT_EQ(reloaded.GetNumberOfDefinitions(), edited.GetNumberOfDefinitions());
        EXPECT_EQ(reloaded.JSE_Media_GetAttributes(1), edited.JSE_Media_GetAttributes(1));
    }
}

// Setting the default paper's mode aside and back never changes the
// default, unless another paper was made the default meanwhile.
TEST(MediaSave, DefaultPaperSetAsideByItsModeComesBackAsTheDefaultAndIsSaved) {
    for (const wchar_t* meanwhile : {L"", L"A4_Tab"}) {
        SCOPED_TRACE(Narrow(meanwhile));
        ShippedCopy shipped;
        Catalog catalog(shipped.path);
        catalog.DropModePapers(2);  // Letter, the default, among them
        if (*meanwhile) {
            ASSERT_TRUE(catalog.JSE_Media_SetDefaultPaper(meanwhile));
        }
        catalog.RestoreModePapers(2);
        const WString expected = *meanwhile ? meanwhile : L"Letter";
        WString name;
        catalog.JSE_Media_GetDefault(name);
        EXPECT_EQ(name, expected);
        // A paper without a size of its own takes the default's.
        ASSERT_TRUE(catalog.JSE_Media_AddPaper(L"Plain", -1, L"white", 75, L"plain", 2, 0, 1));
        ASSERT_TRUE(catalog.JSE_Media_SaveCatalogSafe(shipped.path));
        Catalog reloaded(shipped.path, true);
        reloaded.JSE_Media_GetDefault(name);
        EXPECT_EQ(name, expected);
        EXPECT_EQ(reloaded.GetDefaultPaper(), catalog.GetDefaultPaper());
    }
}

TEST(MediaSave, FailedWriteLeavesTheOldFilesIntact) {
    ShippedCopy shipped;
    Catalog catalog(shipped.path);
    catalog.JSE_Media_DeletePaper(0);
    const std::string before = shipped.Files();
    // Files may grow to 100 bytes only, which no catalog file fits in.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = catalog.JSE_Media_SaveCatalogSafe(shipped.path);
    const bool savedPlain = catalog.JSE_Media_SaveCatalog(shipped.path);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(savedPlain);
    EXPECT_EQ(shipped.Files(), before);
    int files = 0;  // and no half-written file is left beside them
    if (DIR* dir = opendir(shipped.folder.path().c_str())) {
        while (dirent* entry = readdir(dir)) files += entry->d_name[0] != '.';
        closedir(dir);
    }
    EXPECT_EQ(files, 3);
    EXPECT_EQ(Catalog(shipped.path).JSE_Media_GetNumberOfEntry(), catalog.JSE_Media_GetNumberOfEntry() + 1);
}

// Where the folder takes no new file, the files are rewritten in place; a
// rewrite that stops part-way, or could not start, leaves them as they were,
// also where the shorter catalog file fits and the longer size-definition
// file after it does not.
TEST(MediaSave, FolderThatTakesNoNewFileHasItsFilesRewrittenInPlace) {
    const struct {
        rlim_t sizeLimit;
        engine_file::WriteCall write;
        int error;
    } cases[] = {{RLIM_INFINITY, nullptr, kMediaNoError},
                 {100, nullptr, kMediaWriteError},
                 {0, nullptr, kMediaWriteError},
                 {RLIM_INFINITY, WriteOnAFullDisk, kMediaWriteError}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sizeLimit << (c.write ? " full disk" : ""));
        ShippedCopy shipped;
        Catalog catalog(shipped.path);
        catalog.JSE_Media_DeletePaper(0);
        ASSERT_TRUE(catalog.JSE_Media_AddPaperDefinition(100.0f, 150.0f, 1, L"Postcard"));
        const std::string before = shipped.Files();
        engine_file::SetWriteCall(c.write);
        const int error = InReadOnlyFolder(shipped.folder, [&] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{c.sizeLimit, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool safe = catalog.JSE_Media_SaveCatalogSafe(shipped.path);
            const int safeError = catalog.JSE_Media_GetLastError();
            // On the full disk the catalog file alone fits.
            const bool plain = c.write ? safe : catalog.JSE_Media_SaveCatalog(shipped.path);
            return plain == safe && safe == (safeError == 0) ? safeError : 1;
        });
        engine_file::SetWriteCall(nullptr);
        EXPECT_EQ(error, c.error);
        if (c.error == kMediaWriteError) {
            EXPECT_EQ(shipped.Files(), before);
        }
        if (c.error == kMediaNoError) {
            EXPECT_EQ(Catalog(shipped.path).JSE_Media_GetNumberOfEntry(), catalog.JSE_Media_GetNumberOfEntry());
        }
        int files = 0;
        if (DIR* dir = opendir(shipped.folder.path().c_str())) {
            while (dirent* entry = readdir(dir)) files += entry->d_name[0] != '.';
            closedir(dir);
        }
        EXPECT_EQ(files, 3);
    }
}

// A save that may not write one of the three files (read-only, or a loop
// of links) writes none of them, in a folder that takes new files and in
// one that does not, and says why; the file alone is not saved either.
TEST(MediaSave, FileThatMayNotBeWrittenLeavesAllThreeAsTheyWere) {
    const struct {
        const char* file;
        mode_t folderMode;
        bool loop;  // the file a link to a link back to it
    } cases[] = {{"PaperCatalog.def", 0555, false}, {"PaperCatalog.cat.atr", 0555, false},
                 {"PaperCatalog.cat", 0777, false}, {"PaperCatalog.def", 0777, false},
                 {"PaperCatalog.cat.atr", 0777, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " in a folder of mode " << std::oct << c.folderMode << (c.loop ? ", loop" : ""));
        ShippedCopy shipped;
        Catalog catalog(shipped.path);
        ASSERT_TRUE(catalog.JSE_Media_AddPaperDefinition(100.0f, 150.0f, 1, L"Postcard"));
        ASSERT_TRUE(catalog.JSE_Media_AddPaper(L"Postcard", 100.0f, 150.0f, L"white", 250, L"cover", 1, 0, 0));
        const std::string file = shipped.folder.Path(c.file);
        ChmodFiles(shipped.folder, 0666);
        chmod(file.c_str(), 0444);
        if (c.loop) {
            unlink(file.c_str());
            ASSERT_EQ(symlink((std::string(c.file) + "2").c_str(), file.c_str()), 0);
            ASSERT_EQ(symlink(c.file, (file + "2").c_str()), 0);
        }
        const std::string before = shipped.Files();
        chmod(shipped.folder.path().c_str(), c.folderMode);
        const int error = AsNobody([&] {
            if (catalog.JSE_Media_SaveCatalogSafe(shipped.path)) return 0;
            const int safeError = catalog.JSE_Media_GetLastError();
            const WString alone = Wide(file);
            const bool saved = std::string(c.file).ends_with(".def") ? catalog.JSE_Media_SavePaperDefinitions(alone)
                               : std::string(c.file).ends_with(".atr") ? catalog.JSE_Media_SaveAttributes(alone)
                                                                        : catalog.JSE_Media_SaveCatalog(alone);
            return saved || catalog.JSE_Media_GetLastError() != safeError ? 1 : safeError;
        });
        chmod(shipped.folder.path().c_str(), 0755);
        EXPECT_EQ(error, kMediaCannotCreate);
        EXPECT_EQ(shipped.Files(), before);
        int files = 0;
        if (DIR* dir = opendir(shipped.folder.path().c_str())) {
            while (dirent* entry = readdir(dir)) files += entry->d_name[0] != '.';
            closedir(dir);
        }
        EXPECT_EQ(files, c.loop ? 4 : 3);
        struct stat status {};
        EXPECT_EQ(lstat(file.c_str(), &status) == 0 && S_ISLNK(status.st_mode), c.loop);
    }
}

// A catalog shared through symbolic links stays shared: the files the
// links name are saved, and the links still name them.
TEST(MediaSave, SymbolicLinksKeepNamingTheSavedFiles) {
    for (bool relative : {false, true}) {
        SCOPED_TRACE(relative ? "relative links" : "absolute links");
        ShippedCopy shipped;
        TempFolder links;
        const std::string targets = relative ? "../" + shipped.folder.path().substr(5) + "/" : shipped.folder.Path("");
        const char* names[] = {"PaperCatalog.cat", "PaperCatalog.def", "PaperCatalog.cat.atr"};
        for (const char* name : names) ASSERT_EQ(symlink((targets + name).c_str(), links.Path(name).c_str()), 0);
        Catalog catalog(links.WidePath("PaperCatalog.cat"));
        catalog.JSE_Media_DeletePaper(0);
        ASSERT_TRUE(catalog.JSE_Media_SaveCatalogSafe(links.WidePath("PaperCatalog.cat")));
        for (const char* name : names) {
            char target[4096] = {};
            EXPECT_GT(readlink(links.Path(name).c_str(), target, sizeof target - 1), 0) << name << " is a link";
            EXPECT_EQ(target, targets + name);
        }
        EXPECT_EQ(Catalog(shipped.path).JSE_Media_GetNumberOfEntry(), catalog.JSE_Media_GetNumberOfEntry());
    }
}

TEST(MediaReload, FailedReloadKeepsTheCatalog) {
    ShippedCopy shipped;
    Catalog catalog(shipped.path);
    const int papers = catalog.JSE_Media_GetNumberOfEntry();
    const int definitions = catalog.GetNumberOfDefinitions();
    unlink(shipped.folder.Path("PaperCatalog.def").c_str());
    EXPECT_FALSE(catalog.JSE_Media_LoadCatalog(shipped.path, true));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaDefinitionLoad);
    EXPECT_EQ(catalog.JSE_Media_GetNumberOfEntry(), papers);
    EXPECT_EQ(catalog.GetNumberOfDefinitions(), definitions);
    EXPECT_FALSE(catalog.JSE_Media_LoadCatalogSafe(shipped.path));
    EXPECT_EQ(catalog.GetNumberOfDefinitions(), definitions);
    // Reloading twice gives the same lists as loading once.
    shipped.folder.Write("PaperCatalog.def", ReadBytes(std::string(LUMAPREX_SOURCE_DIR) + "/data/PaperCatalog.def"));
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(catalog.JSE_Media_LoadCatalog(shipped.path, true));
        EXPECT_EQ(catalog.JSE_Media_GetNumOfWeightAttributes(), Catalog(shipped.path).JSE_Media_GetNumOfWeightAttributes());
        EXPECT_EQ(catalog.JSE_Media_GetNumberOfEntry(), papers);
    }
}

}  // namespace
