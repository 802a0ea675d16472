// The paper catalog: construction and queries. Queries never fail; an index
// outside its list gives a fixed fallback value.
#include "JSE_Media.h"

#include <algorithm>

namespace {

const wchar_t* const kFallbackColor = L"white";
const wchar_t* const kFallbackType = L"plain";
constexpr int kFallbackMode = 2;
constexpr int kFallbackPunchable = 1;
constexpr int kLetterWidthPts = 612;
constexpr int kLetterHeightPts = 792;

int PositionIn(const std::vector<WString>& list, const WString& name) {
    const auto it = std::find(list.begin(), list.end(), name);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

}  // namespace

// ---- Construction ----

JSE_Media::JSE_Media() = default;

JSE_Media::JSE_Media(int osPlatform)
    : m_language(L"English"),
      m_colorList(kFallbackColor),
      m_typeList(kFallbackType),
      m_osPlatform(osPlatform),
      m_sizeLookup(true),
      m_ready(true) {
    m_papers.push_back(DefaultPaper());
    PAPERCLASS letter;
    letter.width = 8.5f;
    letter.height = 11.0f;
    letter.widthPts = kLetterWidthPts;
    letter.heightPts = kLetterHeightPts;
    letter.name = L"Letter";
    letter.widthText = L"612";
    letter.heightText = L"792";
    m_definitions.push_back(letter);
    m_colors = m_colorAttributes = {kFallbackColor};
    m_types = m_typeAttributes = {kFallbackType};
    m_weightAttributes = {L"75"};
}

JSE_Media::JSE_Media(const WString& language, const WString& catalogPath, const WString& colorList,
                     const WString& typeList, wchar_t separator, bool safe) {
    Initialize(language, catalogPath, colorList, typeList, separator, safe);
}

JSE_Media::~JSE_Media() = default;

PAPERDEF JSE_Media::DefaultPaper() {
    PAPERDEF paper;
    paper.name = L"Letter";
    paper.sizeIndex = 0;
    paper.width = 8.5f;
    paper.height = 11.0f;
    paper.weight = 75;
    paper.color = kFallbackColor;
    paper.colorIndex = 1;
    paper.type = kFallbackType;
    paper.typeIndex = 1;
    paper.mode = kFallbackMode;
    paper.precollated = 0;
    paper.punchable = kFallbackPunchable;
    paper.absoluteIndex = 0;
    return paper;
}

bool JSE_Media::Fail(int error) {
    m_lastError = error;
    return false;
}

// ---- Index checks ----

bool JSE_Media::IsPaperIndex(long i) const { return i >= 0 && static_cast<std::size_t>(i) < m_papers.size(); }

bool JSE_Media::IsDefinitionIndex(long d) const {
    return d >= 0 && static_cast<std::size_t>(d) < m_definitions.size();
}

const PAPERDEF* JSE_Media::PaperAt(long i) const { return IsPaperIndex(i) ? &m_papers[i] : nullptr; }

const PAPERCLASS* JSE_Media::DefinitionAt(long d) const { return IsDefinitionIndex(d) ? &m_definitions[d] : nullptr; }

const WString* JSE_Media::AttributeAt(const std::vector<WString>& list, int i) const {
    return i >= 0 && static_cast<std::size_t>(i) < list.size() ? &list[i] : nullptr;
}

// ---- Papers ----

int JSE_Media::JSE_Media_GetNumberOfEntry() const { return static_cast<int>(m_papers.size()); }

int JSE_Media::JSE_Media_GetIndex(const WString& name) const {
    for (std::size_t i = 0; i < m_papers.size(); ++i)
        if (m_papers[i].name == name) return static_cast<int>(i);
    return -1;
}

void JSE_Media::JSE_Media_GetName(int i, WString& out) const {
    const PAPERDEF* paper = PaperAt(i);
    out = paper ? paper->name : WString();
}

void JSE_Media::JSE_Media_GetColor(int i, WString& out) const {
    const PAPERDEF* paper = PaperAt(i);
    out = paper ? paper->color : WString(kFallbackColor);
}

void JSE_Media::JSE_Media_GetType(int i, WString& out) const {
    const PAPERDEF* paper = PaperAt(i);
    out = paper ? paper->type : WString(kFallbackType);
}

int JSE_Media::GetPaperColor(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->colorIndex : -1;
}

int JSE_Media::GetPaperType(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->typeIndex : -1;
}

int JSE_Media::GetPaperSize(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->sizeIndex : -1;
}

int JSE_Media::JSE_Media_GetDefinitionIndex(int i) const { return GetPaperSize(i); }

int JSE_Media::GetPaperWeight(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->weight : 0;
}

int JSE_Media::JSE_Media_GetWeight(int i, int& out) const {
    out = GetPaperWeight(i);
    return out;
}

int JSE_Media::JSE_Media_GetMode(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->mode : kFallbackMode;
}

int JSE_Media::GetPaperSides(int i) const { return JSE_Media_GetMode(i); }

int JSE_Media::JSE_Media_GetPrecollated(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->precollated : 0;
}

int JSE_Media::JSE_Media_GetPunchable(int i) const {
    const PAPERDEF* paper = PaperAt(i);
    return paper ? paper->punchable : kFallbackPunchable;
}

void JSE_Media::JSE_Media_GetPhysicalSize(int i, float& width, float& height) const {
    const PAPERDEF* paper = PaperAt(i);
    width = paper ? paper->width : 0;
    height = paper ? paper->height : 0;
}

void JSE_Media::JSE_Media_GetPoints(int i, int& width, int& height) const {
    const PAPERDEF* paper = PaperAt(i);
    if (!paper) return;
    PAPERCLASS definition;
    if (GetPaperDefinition(paper->sizeIndex, definition)) {
        width = TruncateToInt(definition.widthPts);
        height = TruncateToInt(definition.heightPts);
    } else {
        width = kLetterWidthPts;
        height = kLetterHeightPts;
    }
}

void JSE_Media::JSE_Media_GetDisplaySize(int i, WString& widthText, WString& heightText, int& metric) const {
    widthText.clear();
    heightText.clear();
    const PAPERDEF* paper = PaperAt(i);
    const PAPERCLASS* definition = paper ? DefinitionAt(paper->sizeIndex) : nullptr;
    if (!definition) return;
    widthText = definition->widthText;
    heightText = definition->heightText;
    metric = definition->measureType == 1 ? 1 : 0;
}

bool JSE_Media::GetPaperInfo(int i, PAPERDEF& out) const {
    const PAPERDEF* paper = PaperAt(i);
    if (!paper) return false;
    out = *paper;
    return true;
}

// ---- Default paper ----

int JSE_Media::GetDefaultPaper() const { return m_defaultPaper; }

long JSE_Media::JSE_Media_GetDefaultIndex() const { return m_defaultPaper; }

void JSE_Media::JSE_Media_GetDefault(WString& out) const { JSE_Media_GetName(m_defaultPaper, out); }

void JSE_Media::GetDefaultPaperName(WString& out) const { JSE_Media_GetName(m_defaultPaper, out); }

void JSE_Media::GetCatalogDefaultPaperName(WString& out) const { out = m_catalogDefaultPaper; }

bool JSE_Media::JSE_Media_SetDefaultPaper(const WString& name) {
    m_lastError = kMediaNoError;
    const int index = JSE_Media_GetIndex(name);
    if (index < 0) return Fail(kMediaBadIndex);
    m_defaultPaper = index;
    m_droppedDefault = -1;
    return true;
}

bool JSE_Media::JSE_Media_SetDefaultPaper(int index) {
    m_lastError = kMediaNoError;
    if (index != -1 && !IsPaperIndex(index)) return Fail(kMediaBadIndex);
    m_defaultPaper = index;
    m_droppedDefault = -1;
    return true;
}

// ---- Size definitions ----

int JSE_Media::GetNumberOfDefinitions() const { return static_cast<int>(m_definitions.size()); }

bool JSE_Media::GetPaperDefinition(int definition, PAPERCLASS& out) const {
    const PAPERCLASS* found = DefinitionAt(definition);
    if (!found) return false;
    out = *found;
    return true;
}

int JSE_Media::GetPaperMeasureType(int d) const {
    const PAPERCLASS* definition = DefinitionAt(d);
    return definition ? definition->measureType : -1;
}

int JSE_Media::GetPaperNativeSize(int d, float& width, float& height) const {
    const PAPERCLASS* definition = DefinitionAt(d);
    if (!definition) return -1;
    width = definition->width;
    height = definition->height;
    return 0;
}

bool JSE_Media::GetPaperSizeByType(int d, float& width, float& height) const {
    width = height = 0;
    return GetPaperNativeSize(d, width, height) == 0;
}

int JSE_Media::GetPaperDisplaySize(int d, WString& widthText, WString& heightText) const {
    const PAPERCLASS* definition = DefinitionAt(d);
    if (!definition) return -1;
    widthText = definition->widthText;
    heightText = definition->heightText;
    return 0;
}

int JSE_Media::JSE_Media_GetPaperDisplaySizeFromDefFile(int d, WString& widthText, WString& heightText) const {
    return GetPaperDisplaySize(d, widthText, heightText);
}

int JSE_Media::JSE_Media_GetPaperDisplaySizeFromDefFile(long d, WString& widthText, WString& heightText,
                                                        int& metric, WString& name) const {
    const PAPERCLASS* definition = DefinitionAt(d);
    if (!definition) return -1;
    widthText = definition->widthText;
    heightText = definition->heightText;
    metric = definition->measureType == 1 ? 1 : 0;
    name = definition->name;
    return 0;
}

// Only an exact match counts: sizes are compared as stored.
int JSE_Media::ClassifySize(float width, float height) const {
    for (const PAPERCLASS& definition : m_definitions)
        if (definition.width == width && definition.height == height) return definition.id;
    return -1;
}

bool JSE_Media::JSE_Media_DoesPaperSizeExist(float width, float height) const {
    return ClassifySize(width, height) >= 0;
}

void JSE_Media::GetWidthHeight(const WString& text, float& width, float& height) const {
    int consumed = 0;
    width = GetFloat(text.c_str(), &consumed);
    height = GetFloat(text.c_str() + consumed);
}

// ---- Colour, type and attribute lists ----

int JSE_Media::ClassifyColor(const WString& name) const { return PositionIn(m_colors, name); }

int JSE_Media::ClassifyType(const WString& name) const { return PositionIn(m_types, name); }

int JSE_Media::JSE_Media_GetNumOfWeightAttributes() const { return static_cast<int>(m_weightAttributes.size()); }

int JSE_Media::JSE_Media_GetNumOfTypeAttributes() const { return static_cast<int>(m_typeAttributes.size()); }

int JSE_Media::JSE_Media_GetNumOfColorAttributes() const { return static_cast<int>(m_colorAttributes.size()); }

int JSE_Media::JSE_Media_GetWeightAttribute(int i, WString& out) const {
    const WString* value = AttributeAt(m_weightAttributes, i);
    if (!value) return -1;
    out = *value;
    return 0;
}

int JSE_Media::JSE_Media_GetTypeAttribute(int i, WString& out) const {
    const WString* value = AttributeAt(m_typeAttributes, i);
    if (!value) return -1;
    out = *value;
    return 0;
}

int JSE_Media::JSE_Media_GetColorAttribute(int i, WString& out) const {
    const WString* value = AttributeAt(m_colorAttributes, i);
    if (!value) return -1;
    out = *value;
    return 0;
}

std::vector<WString>& JSE_Media::JSE_Media_GetAttributes(int kind) {
    if (kind == 1) return m_weightAttributes;
    if (kind == 2) return m_typeAttributes;
    return m_colorAttributes;
}

// ---- Settings and paths ----

void JSE_Media::GetLanguage(WString& out) const { out = m_language; }

void JSE_Media::JSE_Media_GetLanguage(WString& out) const { out = m_language; }

void JSE_Media::JSE_Media_SetLanguage(const WString& language) { m_language = language; }

void JSE_Media::JSE_Media_SetOSPlatform(int platform) { m_osPlatform = platform; }

void JSE_Media::JSE_Media_GetFullPath(WString& out) const { out = m_fullPath; }

void JSE_Media::JSE_Media_SetFullPath(const WString& path) { m_fullPath = path; }

void JSE_Media::GetCatalogPathName(WString& out) const { out = m_fullPath; }

int JSE_Media::JSE_Media_GetLastError() const { return m_lastError; }

void JSE_Media::SetOSDecimalFormat(char decimalChar) { m_decimalChar = decimalChar; }

void JSE_Media::JSE_Media_SetSizeLookupTable(bool on) { m_sizeLookup = on; }
