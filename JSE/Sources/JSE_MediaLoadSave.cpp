// The order in which the catalog reads and writes its three files, the paths
// each step uses, and the locks around the safe orders.
#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

constexpr int kSecondLockCode = 2;

// The size-definition file of a catalog: its path with the last three
// characters replaced by "def" ("Catalog.txt" gives "Catalog.def").
WString DefinitionPathOf(const WString& catalogPath) { return media_file::ReplacePathEnd(catalogPath, 3, L"def"); }

// The size-definition file the safe orders lock and write: the catalog path
// less its last four characters, then ".def".
WString SafeDefinitionPathOf(const WString& catalogPath) { return media_file::ReplacePathEnd(catalogPath, 4, L".def"); }

WString AttributePathOf(const WString& catalogPath) { return catalogPath + L".atr"; }

}  // namespace

void JSE_Media::Initialize(const WString& language, const WString& catalogPath, const WString& colorList,
                           const WString& typeList, wchar_t separator, bool safe) {
    m_ready = false;
    m_lastError = kMediaNoError;
    m_sizeNameError = kMediaNoError;
    m_osPlatform = 1;
    m_sizeLookup = false;
    m_decimalChar = '.';
    m_language = language;
    m_fullPath = catalogPath;
    m_colorList = colorList;
    m_typeList = typeList;
    m_separator = separator;
    CreatePDFileName(catalogPath, m_definitionPath);
    m_catalogDefaultPaper.clear();
    m_defaultPaper = 0;
    for (auto* list : {&m_papers, &m_droppedPapers}) list->clear();
    m_droppedDefault = -1;
    m_definitions.clear();
    for (auto* list : {&m_weightAttributes, &m_typeAttributes, &m_colorAttributes, &m_colors, &m_types})
        list->clear();
    SplitString(m_colorList, m_separator, m_colors);
    SplitString(m_typeList, m_separator, m_types);
    if (safe) {
        JSE_Media_LoadCatalogSafe(m_fullPath);
    } else {
        LoadDefinitions(m_definitionPath);
        if (m_lastError == kMediaNoError) {
            LoadAttributes(m_fullPath);
            JSE_Media_LoadCatalog(m_fullPath, false);
        }
    }
    if (m_papers.empty()) m_papers.push_back(DefaultPaper());
    m_ready = true;
}

void JSE_Media::CreatePDFileName(const WString& catalogPath, WString& definitionPath) const {
    definitionPath = DefinitionPathOf(catalogPath);
}

void JSE_Media::GetFullDefinitionPath(WString& out) const { out = m_definitionPath; }

// ---- Loads ----

JSE_Media::Contents JSE_Media::JSE_Media_KeepContents() const {
    return {m_papers,          m_definitions, m_weightAttributes,     m_typeAttributes,
            m_colorAttributes, m_language,    m_catalogDefaultPaper, m_defaultPaper, m_fullPath};
}

void JSE_Media::JSE_Media_BringBack(Contents contents) {
    m_papers = std::move(contents.papers);
    m_definitions = std::move(contents.definitions);
    m_weightAttributes = std::move(contents.weightAttributes);
    m_typeAttributes = std::move(contents.typeAttributes);
    m_colorAttributes = std::move(contents.colorAttributes);
    m_language = std::move(contents.language);
    m_catalogDefaultPaper = std::move(contents.catalogDefaultPaper);
    m_defaultPaper = contents.defaultPaper;
    m_fullPath = std::move(contents.fullPath);
}

bool JSE_Media::Reload(const std::function<bool()>& load) {
    if (!m_ready) return load();
    Contents before = JSE_Media_KeepContents();
    if (load()) return true;
    JSE_Media_BringBack(std::move(before));
    return false;
}

// A catalog always holds a paper: one that yields none is refused.
bool JSE_Media::JSE_Media_LoadCatalog(const WString& path, bool withDefinitionsAndAttributes) {
    return Reload([&] { return LoadCatalogFile(path, withDefinitionsAndAttributes) && YieldedPapers(); });
}

bool JSE_Media::JSE_Media_LoadCatalogOnly(const WString& path) {
    return Reload([&] { return LoadCatalogFileOnly(path) && YieldedPapers(); });
}

bool JSE_Media::YieldedPapers() {
    if (!m_papers.empty()) return true;
    if (m_lastError == kMediaNoError) m_lastError = kMediaNoEntry;
    return false;
}

bool JSE_Media::LoadCatalogFile(const WString& path, bool withDefinitionsAndAttributes) {
    m_lastError = kMediaNoError;
    if (withDefinitionsAndAttributes) {
        m_definitions.clear();
        if (!LoadDefinitions(DefinitionPathOf(path))) return Fail(kMediaDefinitionLoad);
        // Papers name their size by its line: a line left out would move
        // every later paper onto another paper's size.
        if (m_lastError != kMediaNoError) return false;
        m_weightAttributes.clear();
        m_typeAttributes.clear();
        m_colorAttributes.clear();
        if (!LoadAttributes(path)) return Fail(kMediaAttributeLoad);
    }
    if (!FileIsNotUnicodeBased(path)) return m_lastError == kMediaNoError && LoadCatalogFromUnicodeFile(path);
    if (m_lastError != kMediaNoError) return false;
    return ReadByteCatalog(path, CatalogReader::Full);
}

bool JSE_Media::JSE_Media_LoadAttributesOnly(const WString& catalogPath) {
    return Reload([&] {
        m_weightAttributes.clear();
        m_typeAttributes.clear();
        m_colorAttributes.clear();
        LoadAttributes(catalogPath);
        return m_lastError == kMediaNoError;
    });
}

bool JSE_Media::JSE_Media_LoadDefinitionOnly(const WString& catalogPath) {
    return JSE_Media_LoadNamedDefinition(DefinitionPathOf(catalogPath));
}

bool JSE_Media::JSE_Media_LoadNamedDefinition(const WString& definitionPath) {
    return Reload([&] {
        m_definitions.clear();
        LoadDefinitions(definitionPath);
        return m_lastError == kMediaNoError;
    });
}

// ---- Locks and the safe orders ----

std::unique_ptr<JSE_FileLock> JSE_Media::CreateFileLock() const { return std::make_unique<JSE_MacFileLock>(); }

bool JSE_Media::LockFiles(const std::vector<WString>& paths, int access,
                          std::vector<std::unique_ptr<JSE_FileLock>>& locks) {
    for (const WString& path : paths) {
        std::unique_ptr<JSE_FileLock> lock = CreateFileLock();
        WString reason;
        if (lock->LockCatalogFile(path, access, kSecondLockCode, reason) != 0) {
            UnlockFiles(locks);
            return Fail(kMediaLockRefused);
        }
        locks.push_back(std::move(lock));
    }
    return true;
}

void JSE_Media::UnlockFiles(std::vector<std::unique_ptr<JSE_FileLock>>& locks) {
    while (!locks.empty()) {
        locks.back()->UnlockCatalogFile();
        locks.pop_back();
    }
}

bool JSE_Media::JSE_Media_LoadCatalogSafe(const WString& catalogPath) {
    std::vector<std::unique_ptr<JSE_FileLock>> locks;
    if (!LockFiles({catalogPath, SafeDefinitionPathOf(catalogPath), AttributePathOf(catalogPath)},
                   JSE_FileLock::kForReading, locks))
        return false;
    const bool loaded = Reload([&] {
        return JSE_Media_LoadDefinitionOnly(catalogPath) && JSE_Media_LoadCatalog(catalogPath, false) &&
               JSE_Media_LoadAttributesOnly(catalogPath);
    });
    UnlockFiles(locks);
    return loaded;
}

// The three files are written as one (engine_file::FileSet): a file that
// cannot be made ready leaves all three as they were. The first file that
// fails stops the save, with its writer's code as the last error.
bool JSE_Media::JSE_Media_SaveCatalogSafe(const WString& catalogPath) {
    std::vector<std::unique_ptr<JSE_FileLock>> locks;
    const WString definitionPath = SafeDefinitionPathOf(catalogPath);
    const WString attributePath = AttributePathOf(catalogPath);
    if (!LockFiles({catalogPath, definitionPath, attributePath}, JSE_FileLock::kForWriting, locks)) return false;
    engine_file::FileSet files;
    engine_file::WriteResult result = engine_file::WriteResult::Written;
    const std::pair<const WString*, WString> texts[] = {
        {&catalogPath, CatalogFileText()}, {&definitionPath, DefinitionFileText()}, {&attributePath, AttributeFileText()}};
    for (const auto& [path, text] : texts)
        if (result == engine_file::WriteResult::Written) result = files.Add(*path, media_file::UnicodeFileBytes(text));
    if (result == engine_file::WriteResult::Written) result = files.Write();
    m_lastError = media_file::WriteError(result);
    UnlockFiles(locks);
    return m_lastError == kMediaNoError;
}

bool JSE_Media::JSE_Media_SaveCatalog(const WString& path) { return JSE_Media_SaveMacCatalog(path); }

bool JSE_Media::JSE_Media_SavePaperDefinitions(const WString& path) { return JSE_Media_SaveMacPaperDefinition(path); }

bool JSE_Media::JSE_Media_SaveAttributes(const WString& path) { return JSE_Media_SaveMacPaperAttributes(path); }
