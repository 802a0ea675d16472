// The order in which the catalog reads and writes its three files, and the
// paths each step uses.
#include "JSE_Media.h"
#include "JSE_MediaFileText.h"

namespace {

// The size-definition file of a catalog: its path with the last three
// characters replaced by "def" ("Catalog.txt" gives "Catalog.def").
WString DefinitionPathOf(const WString& catalogPath) { return media_file::ReplacePathEnd(catalogPath, 3, L"def"); }

}  // namespace

void JSE_Media::Initialize(const WString& language, const WString& catalogPath, const WString& colorList,
                           const WString& typeList, wchar_t separator, bool safe) {
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
    m_papers.clear();
    m_droppedPapers.clear();
    m_definitions.clear();
    m_weightAttributes.clear();
    m_typeAttributes.clear();
    m_colorAttributes.clear();
    m_colors.clear();
    m_types.clear();
    SplitString(m_colorList, m_separator, m_colors);
    SplitString(m_typeList, m_separator, m_types);
    (void)safe;
    LoadDefinitions(m_definitionPath);
    if (m_lastError == kMediaNoError) {
        LoadAttributes(m_fullPath);
        JSE_Media_LoadCatalog(m_fullPath, false);
    }
    if (m_papers.empty()) m_papers.push_back(DefaultPaper());
}

void JSE_Media::CreatePDFileName(const WString& catalogPath, WString& definitionPath) const {
    definitionPath = DefinitionPathOf(catalogPath);
}

void JSE_Media::GetFullDefinitionPath(WString& out) const { out = m_definitionPath; }

bool JSE_Media::JSE_Media_LoadCatalog(const WString& path, bool withDefinitionsAndAttributes) {
    m_lastError = kMediaNoError;
    if (withDefinitionsAndAttributes) {
        m_definitions.clear();
        if (!LoadDefinitions(DefinitionPathOf(path))) return Fail(kMediaDefinitionLoad);
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
    m_weightAttributes.clear();
    m_typeAttributes.clear();
    m_colorAttributes.clear();
    LoadAttributes(catalogPath);
    return m_lastError == kMediaNoError;
}

bool JSE_Media::JSE_Media_LoadDefinitionOnly(const WString& catalogPath) {
    m_definitions.clear();
    LoadDefinitions(DefinitionPathOf(catalogPath));
    return m_lastError == kMediaNoError;
}

bool JSE_Media::JSE_Media_LoadNamedDefinition(const WString& definitionPath) {
    m_definitions.clear();
    LoadDefinitions(definitionPath);
    return m_lastError == kMediaNoError;
}

bool JSE_Media::JSE_Media_SaveCatalog(const WString& path) { return JSE_Media_SaveMacCatalog(path); }

bool JSE_Media::JSE_Media_SavePaperDefinitions(const WString& path) { return JSE_Media_SaveMacPaperDefinition(path); }

bool JSE_Media::JSE_Media_SaveAttributes(const WString& path) { return JSE_Media_SaveMacPaperAttributes(path); }
