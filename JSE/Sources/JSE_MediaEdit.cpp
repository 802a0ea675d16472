// Editing the catalog in memory: papers, size definitions and attribute
// lists. The files change only when the catalog is saved.
#include <algorithm>

#include "JSE_Media.h"

namespace {

constexpr std::size_t kNameLength = 32;
constexpr std::size_t kColorTypeLength = 20;
constexpr int kDefinitionDecimals = 2;

bool IsClass3(const WString& text) {
    return QwiDrv_StringCategoryVerifier().IsCategory3(text.c_str(), static_cast<int>(text.size()));
}

WString Cut(const WString& text, std::size_t length) { return text.size() > length ? text.substr(0, length) : text; }

}  // namespace

// ---- Papers ----

bool JSE_Media::AddModifyPaper(bool add, const WString& name, int sizeIndex, const WString& color, int weight,
                               const WString& type, int mode, int precollated, int punchable) {
    if (!IsClass3(name) || !IsClass3(color) || !IsClass3(type)) return Fail(kMediaBadCharacter);
    PAPERDEF paper;
    paper.name = Cut(name, kNameLength);
    paper.color = Cut(color, kColorTypeLength);
    paper.type = Cut(type, kColorTypeLength);
    paper.mode = mode >= 0 && mode <= 2 ? mode : 2;
    if (!IsDefinitionIndex(sizeIndex)) {
        const PAPERDEF* defaultPaper = PaperAt(m_defaultPaper);
        if (!defaultPaper) return Fail(kMediaNoSuchSize);
        sizeIndex = defaultPaper->sizeIndex;
    }
    PAPERCLASS definition;
    if (!GetPaperDefinition(sizeIndex, definition)) return Fail(kMediaNoSuchSize);
    const int existing = JSE_Media_GetIndex(paper.name);
    if (add && existing >= 0) return Fail(kMediaBadIndex);
    if (!add && existing < 0) return Fail(kMediaNoSuchSize);
    paper.sizeIndex = sizeIndex;
    paper.width = definition.width;
    paper.height = definition.height;
    paper.weight = weight;
    paper.colorIndex = ClassifyColor(paper.color);
    paper.typeIndex = ClassifyType(paper.type);
    paper.precollated = precollated;
    paper.punchable = punchable;
    paper.absoluteIndex = 0;
    if (add)
        m_papers.push_back(paper);
    else
        m_papers[existing] = paper;
    return true;
}

bool JSE_Media::JSE_Media_AddPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                                   const WString& type, int mode, int precollated, int punchable) {
    return AddModifyPaper(true, name, sizeIndex, color, weight, type, mode, precollated, punchable);
}

bool JSE_Media::JSE_Media_AddPaper(const WString& name, float width, float height, const WString& color, int weight,
                                   const WString& type, int mode, int precollated, int punchable) {
    m_lastError = kMediaNoError;
    const int sizeIndex = ClassifySize(width, height);
    if (sizeIndex < 0) return Fail(kMediaNoSuchSize);
    return AddModifyPaper(true, name, sizeIndex, color, weight, type, mode, precollated, punchable);
}

bool JSE_Media::JSE_Media_ModifyPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                                      const WString& type, int mode, int precollated, int punchable) {
    return AddModifyPaper(false, name, sizeIndex, color, weight, type, mode, precollated, punchable);
}

bool JSE_Media::JSE_Media_ModifyPaper(const WString& name, float width, float height, const WString& color,
                                      int weight, const WString& type, int mode, int precollated, int punchable) {
    m_lastError = kMediaNoError;
    const int sizeIndex = ClassifySize(width, height);
    if (sizeIndex < 0) return Fail(kMediaNoSuchSize);
    return AddModifyPaper(false, name, sizeIndex, color, weight, type, mode, precollated, punchable);
}

// Names are the engine's keys: a rename onto another paper's name is refused.
bool JSE_Media::JSE_Media_ModifyPaper(const WString& name, const PAPERDEF& newValues, const PAPERFLAGS& flags) {
    m_lastError = kMediaNoError;
    const int index = JSE_Media_GetIndex(name);
    if (index < 0) return Fail(kMediaNoSuchSize);
    PAPERDEF changed = m_papers[index];
    if (flags.width) changed.width = newValues.width;
    if (flags.height) changed.height = newValues.height;
    if (flags.weight) changed.weight = newValues.weight;
    if (flags.color) changed.color = newValues.color;
    if (flags.type) changed.type = newValues.type;
    if (flags.mode) changed.mode = newValues.mode;
    const WString newName = flags.name ? Cut(newValues.name, kNameLength) : name;
    if (flags.name && !IsClass3(newName)) return Fail(kMediaNoSuchSize);
    if (newName != name && JSE_Media_GetIndex(newName) >= 0) return Fail(kMediaBadIndex);
    if (!JSE_Media_ModifyPaper(name, changed.width, changed.height, changed.color, changed.weight, changed.type,
                               changed.mode, newValues.precollated, newValues.punchable))
        return Fail(kMediaNoSuchSize);
    m_papers[index].name = newName;
    return true;
}

bool JSE_Media::JSE_Media_DeletePaper(int index) {
    m_lastError = kMediaNoError;
    if (!IsPaperIndex(index)) return Fail(kMediaBadIndex);
    m_papers.erase(m_papers.begin() + index);
    FollowDefaultAfterRemoval(index);
    return true;
}

void JSE_Media::JSE_Media_DeleteAllPapers() {
    m_papers.clear();
    m_defaultPaper = -1;
}

bool JSE_Media::JSE_Media_MovePaper(int index, int direction) {
    m_lastError = kMediaNoError;
    if (!IsPaperIndex(index)) return Fail(kMediaBadIndex);
    const int target = direction == 1 ? index - 1 : index + 1;
    if (!IsPaperIndex(target)) return true;  // already first or last
    std::swap(m_papers[index], m_papers[target]);
    if (m_defaultPaper == index)
        m_defaultPaper = target;
    else if (m_defaultPaper == target)
        m_defaultPaper = index;
    return true;
}

bool JSE_Media::JSE_Media_MovePaper(const WString& name, int direction) {
    m_lastError = kMediaNoError;
    const int index = JSE_Media_GetIndex(name);
    if (index < 0) return Fail(kMediaNoSuchSize);
    return JSE_Media_MovePaper(index, direction);
}

void JSE_Media::JSE_Media_SetPunchable(const WString& name, int value) {
    JSE_Media_SetPunchable(static_cast<long>(JSE_Media_GetIndex(name)), value);
}

void JSE_Media::JSE_Media_SetPunchable(long index, int value) {
    if (IsPaperIndex(index)) m_papers[index].punchable = value;
}

void JSE_Media::JSE_Media_SetPreCollated(const WString& name, int value) {
    JSE_Media_SetPreCollated(static_cast<long>(JSE_Media_GetIndex(name)), value);
}

void JSE_Media::JSE_Media_SetPreCollated(long index, int value) {
    if (IsPaperIndex(index)) m_papers[index].precollated = value;
}

void JSE_Media::FollowDefaultAfterRemoval(int removed) {
    if (m_defaultPaper == removed)
        m_defaultPaper = -1;
    else if (m_defaultPaper > removed)
        --m_defaultPaper;
}

void JSE_Media::FollowDefaultAfterInsertion(int inserted) {
    if (m_defaultPaper >= inserted) ++m_defaultPaper;
}

// ---- Size definitions ----

bool JSE_Media::AddDefinition(PAPERCLASS definition, const WString& name, bool parenthesized) {
    FloatToWS(definition.width, definition.widthText, kDefinitionDecimals);
    FloatToWS(definition.height, definition.heightText, kDefinitionDecimals);
    const WString unit = definition.measureType == 1 ? L"MM" : L"IN";
    const WString size = definition.widthText + L" x " + definition.heightText;
    WString fullName = name;
    if (fullName.empty()) fullName = parenthesized ? L"(" + size + L")" + unit : size + L" " + unit;
    if (!QwiDrv_StringCategoryVerifier().IsCategory2(fullName.c_str(), static_cast<int>(fullName.size())))
        return Fail(kMediaBadCharacter);
    definition.name = Cut(fullName, kNameLength);
    definition.id = static_cast<int>(m_definitions.size());
    m_definitions.push_back(definition);
    return true;
}

bool JSE_Media::JSE_Media_AddPaperDefinition(float width, float height, int measureType, const WString& name) {
    PAPERCLASS definition;
    definition.width = width;
    definition.height = height;
    definition.measureType = measureType;
    definition.widthPts = measureType == 1 ? MMToPts(width) : InchesToPts(width);
    definition.heightPts = measureType == 1 ? MMToPts(height) : InchesToPts(height);
    return AddDefinition(definition, name, true);
}

bool JSE_Media::JSE_Media_AddPaperDefinitionEx(double width, double height, double widthPts, double heightPts,
                                               int measureType, const WString& name) {
    PAPERCLASS definition;
    definition.width = static_cast<float>(width);
    definition.height = static_cast<float>(height);
    definition.widthPts = static_cast<float>(widthPts);
    definition.heightPts = static_cast<float>(heightPts);
    definition.measureType = measureType;
    return AddDefinition(definition, name, false);
}

bool JSE_Media::JSE_Media_GetPaperDefinition(int index, float& width, float& height, WString& widthText,
                                             WString& heightText, int& measureType, WString& name) {
    m_lastError = kMediaNoError;
    const PAPERCLASS* definition = DefinitionAt(index);
    if (!definition) return Fail(kMediaBadIndex);
    width = definition->width;
    height = definition->height;
    widthText = definition->widthText;
    heightText = definition->heightText;
    measureType = definition->measureType;
    name = definition->name;
    return true;
}

bool JSE_Media::JSE_Media_GetPaperDefinitionEx(int index, double& width, double& height, double& widthPts,
                                               double& heightPts, int& measureType, WString& name) {
    m_lastError = kMediaNoError;
    const PAPERCLASS* definition = DefinitionAt(index);
    if (!definition) return Fail(kMediaBadIndex);
    width = definition->width;
    height = definition->height;
    widthPts = definition->widthPts;
    heightPts = definition->heightPts;
    measureType = definition->measureType;
    name = definition->name;
    return true;
}

bool JSE_Media::JSE_Media_DeletePaperDefinition(int index) {
    m_lastError = kMediaNoError;
    if (!IsDefinitionIndex(index)) return Fail(kMediaBadIndex);
    m_definitions.erase(m_definitions.begin() + index);
    for (std::size_t i = 0; i < m_definitions.size(); ++i) m_definitions[i].id = static_cast<int>(i);
    for (PAPERDEF& paper : m_papers) paper.sizeIndex = ClassifySize(paper.width, paper.height);
    return true;
}

bool JSE_Media::JSE_Media_DeletePaperIndexReferences(int index) {
    m_lastError = kMediaNoError;
    for (PAPERDEF& paper : m_papers)
        if (paper.sizeIndex > index) --paper.sizeIndex;
    return true;
}

// ---- Attribute lists ----

std::vector<WString>* JSE_Media::AttributeList(int kind) {
    if (kind < 1 || kind > 3) return nullptr;
    return &JSE_Media_GetAttributes(kind);
}

bool JSE_Media::JSE_Media_AddAttribute(int kind, const WString& value) {
    m_lastError = kMediaNoError;
    std::vector<WString>* list = AttributeList(kind);
    if (!list) return false;
    list->push_back(value);
    return true;
}

bool JSE_Media::JSE_Media_DeleteAttribute(int kind, const WString& value) {
    m_lastError = kMediaNoError;
    std::vector<WString>* list = AttributeList(kind);
    if (!list) return false;
    const auto found = std::find(list->begin(), list->end(), value);
    if (found == list->end()) return false;
    list->erase(found);
    return true;
}
