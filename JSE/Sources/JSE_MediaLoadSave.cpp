// The order in which the catalog reads its three files.
#include "JSE_Media.h"

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
    m_definitionPath = catalogPath.size() >= 3 ? catalogPath.substr(0, catalogPath.size() - 3) + L"def" : WString();
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
    if (LoadDefinitions(m_definitionPath) && m_lastError == kMediaNoError) {
        LoadAttributes(m_fullPath);
        JSE_Media_LoadCatalog(m_fullPath, false);
    }
    if (m_papers.empty()) m_papers.push_back(DefaultPaper());
}

// The file readers are still to come: every file reads as missing.
bool JSE_Media::LoadDefinitions(const WString&) {
    m_lastError = kMediaDefinitionLoad;
    return false;
}

bool JSE_Media::LoadAttributes(const WString&) {
    m_lastError = kMediaAttributeLoad;
    return false;
}

bool JSE_Media::JSE_Media_LoadCatalog(const WString&, bool) {
    m_lastError = kMediaCannotOpen;
    return false;
}

bool JSE_Media::JSE_Media_LoadCatalogOnly(const WString&) {
    m_papers.clear();
    m_lastError = kMediaCannotOpen;
    return false;
}

bool JSE_Media::JSE_Media_LoadAttributesOnly(const WString& catalogPath) {
    LoadAttributes(catalogPath);
    return m_lastError == kMediaNoError;
}

bool JSE_Media::JSE_Media_LoadDefinitionOnly(const WString& catalogPath) {
    LoadDefinitions(catalogPath);
    return m_lastError == kMediaNoError;
}

bool JSE_Media::JSE_Media_LoadNamedDefinition(const WString& definitionPath) {
    LoadDefinitions(definitionPath);
    return m_lastError == kMediaNoError;
}
