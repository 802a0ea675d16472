// The service's catalog family: each operation forwards to the paper catalog;
// without a catalog it stores -1004 and gives the result noted in the header.
#include "JSE_Service.h"
#include "JSE_ServiceForward.h"

#define MEDIA(call, ...) JSE_FORWARD(m_media, kServiceNoMedia, call __VA_OPT__(, ) __VA_ARGS__)
#define MEDIA_QUIETLY(call, ...) JSE_FORWARD_QUIETLY(m_media, call, __VA_ARGS__)

// The catalog keeps the path of a catalog it loaded; a failed load leaves
// the previous one.
bool JSE_Service::JSE_Media_LoadCatalog(const WString& path, bool withDefinitionsAndAttributes) {
    if (!MEDIA(JSE_Media_LoadCatalog(path, withDefinitionsAndAttributes), false)) return false;
    m_media->JSE_Media_SetFullPath(path);
    return true;
}

bool JSE_Service::JSE_Media_LoadCatalogSafe(const WString& path) {
    return MEDIA(JSE_Media_LoadCatalogSafe(path), false);
}
void JSE_Service::JSE_Media_GetFullPath(WString& out) { MEDIA(JSE_Media_GetFullPath(out)); }
void JSE_Service::JSE_Media_SetFullPath(const WString& path) { MEDIA(JSE_Media_SetFullPath(path)); }
JSE_Media::Contents JSE_Service::JSE_Media_KeepContents() {
    return MEDIA(JSE_Media_KeepContents(), JSE_Media::Contents());
}
void JSE_Service::JSE_Media_BringBack(JSE_Media::Contents contents) { MEDIA(JSE_Media_BringBack(std::move(contents))); }
bool JSE_Service::JSE_Media_SetDefaultPaper(const WString& name) {
    return MEDIA(JSE_Media_SetDefaultPaper(name), false);
}
bool JSE_Service::JSE_Media_SetDefaultPaper(int index) { return MEDIA(JSE_Media_SetDefaultPaper(index), false); }
bool JSE_Service::JSE_Media_SaveCatalog(const WString& path) { return MEDIA(JSE_Media_SaveCatalog(path), false); }
bool JSE_Service::JSE_Media_SaveCatalogSafe(const WString& path) {
    return MEDIA(JSE_Media_SaveCatalogSafe(path), false);
}
bool JSE_Service::JSE_Media_SavePaperDefinitions(const WString& path) {
    return MEDIA(JSE_Media_SavePaperDefinitions(path), false);
}
bool JSE_Service::JSE_Media_SaveAttributes(const WString& path) { return MEDIA(JSE_Media_SaveAttributes(path), false); }
bool JSE_Service::JSE_Media_AddPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                                     const WString& type, int mode, int precollated, int punchable) {
    return MEDIA(JSE_Media_AddPaper(name, sizeIndex, color, weight, type, mode, precollated, punchable), false);
}
bool JSE_Service::JSE_Media_AddAttribute(int kind, const WString& value) {
    return MEDIA(JSE_Media_AddAttribute(kind, value), false);
}
bool JSE_Service::JSE_Media_LoadCatalogOnly(const WString& path) {
    return MEDIA(JSE_Media_LoadCatalogOnly(path), false);
}
bool JSE_Service::JSE_Media_LoadAttributesOnly(const WString& catalogPath) {
    return MEDIA(JSE_Media_LoadAttributesOnly(catalogPath), false);
}
bool JSE_Service::JSE_Media_LoadDefinitionOnly(const WString& catalogPath) {
    return MEDIA(JSE_Media_LoadDefinitionOnly(catalogPath), false);
}

// ---- Papers ----
int JSE_Service::JSE_Media_GetIndex(const WString& name) { return MEDIA(JSE_Media_GetIndex(name), -1); }
int JSE_Service::JSE_Media_GetNumberOfEntry() { return MEDIA(JSE_Media_GetNumberOfEntry(), 0); }
void JSE_Service::JSE_Media_GetName(int i, WString& out) { MEDIA(JSE_Media_GetName(i, out)); }
void JSE_Service::JSE_Media_GetColor(int i, WString& out) { MEDIA(JSE_Media_GetColor(i, out)); }
void JSE_Service::JSE_Media_GetType(int i, WString& out) { MEDIA(JSE_Media_GetType(i, out)); }
int JSE_Service::JSE_Media_GetMode(int i) { return MEDIA(JSE_Media_GetMode(i), 0); }
int JSE_Service::JSE_Media_GetPrecollated(int i) { return MEDIA(JSE_Media_GetPrecollated(i), 0); }
void JSE_Service::JSE_Media_GetWeight(int i, int& out) {
    ZeroWhenMissing(m_media, out);
    if (!m_media) return Missing(kServiceNoMedia);
    m_media->JSE_Media_GetWeight(i, out);
}
void JSE_Service::JSE_Media_GetPhysicalSize(int i, float& width, float& height) {
    ZeroWhenMissing(m_media, width, height);
    MEDIA(JSE_Media_GetPhysicalSize(i, width, height));
}
void JSE_Service::JSE_Media_GetPoints(int i, int& width, int& height) {
    ZeroWhenMissing(m_media, width, height);
    MEDIA(JSE_Media_GetPoints(i, width, height));
}
void JSE_Service::JSE_Media_GetDisplaySize(int i, WString& widthText, WString& heightText, int& metric) {
    ZeroWhenMissing(m_media, metric);
    MEDIA(JSE_Media_GetDisplaySize(i, widthText, heightText, metric));
}
void JSE_Service::JSE_Media_GetDefault(WString& out) { MEDIA(JSE_Media_GetDefault(out)); }
void JSE_Service::JSE_Media_SetOSPlatform(int platform) { MEDIA(JSE_Media_SetOSPlatform(platform)); }
int JSE_Service::JSE_Media_GetPunchable(int i) { return MEDIA_QUIETLY(JSE_Media_GetPunchable(i), 1); }

// ---- Capability: loading, paper edits ----
bool JSE_Service::JSE_Media_LoadNamedDefinition(const WString& definitionPath) {
    return MEDIA(JSE_Media_LoadNamedDefinition(definitionPath), false);
}
void JSE_Service::JSE_Media_GetFullDefinitionPath(WString& out) { MEDIA(GetFullDefinitionPath(out)); }
bool JSE_Service::JSE_Media_AddPaper(const WString& name, float width, float height, const WString& color, int weight,
                                     const WString& type, int mode, int precollated, int punchable) {
    return MEDIA(JSE_Media_AddPaper(name, width, height, color, weight, type, mode, precollated, punchable), false);
}
bool JSE_Service::JSE_Media_ModifyPaper(const WString& name, int sizeIndex, const WString& color, int weight,
                                        const WString& type, int mode, int precollated, int punchable) {
    return MEDIA(JSE_Media_ModifyPaper(name, sizeIndex, color, weight, type, mode, precollated, punchable), false);
}
bool JSE_Service::JSE_Media_ModifyPaper(const WString& name, float width, float height, const WString& color,
                                        int weight, const WString& type, int mode, int precollated, int punchable) {
    return MEDIA(JSE_Media_ModifyPaper(name, width, height, color, weight, type, mode, precollated, punchable), false);
}
bool JSE_Service::JSE_Media_ModifyPaper(const WString& name, const PAPERDEF& newValues, const PAPERFLAGS& flags) {
    return MEDIA(JSE_Media_ModifyPaper(name, newValues, flags), false);
}
bool JSE_Service::JSE_Media_DeletePaper(int index) { return MEDIA(JSE_Media_DeletePaper(index), false); }
void JSE_Service::JSE_Media_SetLanguage(const WString& language) { MEDIA(JSE_Media_SetLanguage(language)); }
void JSE_Service::JSE_Media_SetPunchable(const WString& name, int value) {
    MEDIA_QUIETLY(JSE_Media_SetPunchable(name, value));
}
void JSE_Service::JSE_Media_SetPunchable(long index, int value) { MEDIA_QUIETLY(JSE_Media_SetPunchable(index, value)); }
void JSE_Service::JSE_Media_SetPreCollated(const WString& name, int value) {
    MEDIA_QUIETLY(JSE_Media_SetPreCollated(name, value));
}
void JSE_Service::JSE_Media_SetPreCollated(long index, int value) {
    MEDIA_QUIETLY(JSE_Media_SetPreCollated(index, value));
}

// ---- Capability: size definitions ----
bool JSE_Service::JSE_Media_AddPaperDefinition(float width, float height, int measureType, const WString& name) {
    return MEDIA(JSE_Media_AddPaperDefinition(width, height, measureType, name), false);
}
bool JSE_Service::JSE_Media_AddPaperDefinitionEx(double width, double height, double widthPts, double heightPts,
                                                 int measureType, const WString& name) {
    return MEDIA(JSE_Media_AddPaperDefinitionEx(width, height, widthPts, heightPts, measureType, name), false);
}
bool JSE_Service::JSE_Media_GetPaperDefinition(int index, float& width, float& height, WString& widthText,
                                               WString& heightText, int& measureType, WString& name) {
    ZeroWhenMissing(m_media, width, height, measureType);
    return MEDIA(JSE_Media_GetPaperDefinition(index, width, height, widthText, heightText, measureType, name), false);
}
bool JSE_Service::JSE_Media_GetPaperDefinitionEx(int index, double& width, double& height, double& widthPts,
                                                 double& heightPts, int& measureType, WString& name) {
    ZeroWhenMissing(m_media, width, height, widthPts, heightPts, measureType);
    return MEDIA(JSE_Media_GetPaperDefinitionEx(index, width, height, widthPts, heightPts, measureType, name), false);
}
bool JSE_Service::JSE_Media_DeletePaperDefinition(int index) {
    return MEDIA(JSE_Media_DeletePaperDefinition(index), false);
}
bool JSE_Service::JSE_Media_DeletePaperIndexReferences(int index) {
    return MEDIA(JSE_Media_DeletePaperIndexReferences(index), false);
}
int JSE_Service::JSE_Media_GetNumberOfDefinitions() { return MEDIA(GetNumberOfDefinitions(), 0); }
int JSE_Service::JSE_Media_GetDefinitionIndex(int i) { return MEDIA(JSE_Media_GetDefinitionIndex(i), -1); }
int JSE_Service::JSE_Media_GetPaperDisplaySizeFromDefFile(int d, WString& widthText, WString& heightText) {
    return MEDIA(JSE_Media_GetPaperDisplaySizeFromDefFile(d, widthText, heightText), int{kServiceNoMedia});
}
int JSE_Service::JSE_Media_GetPaperDisplaySizeFromDefFile(long d, WString& widthText, WString& heightText, int& metric,
                                                          WString& name) {
    ZeroWhenMissing(m_media, metric);
    return MEDIA(JSE_Media_GetPaperDisplaySizeFromDefFile(d, widthText, heightText, metric, name),
                 int{kServiceNoMedia});
}
int JSE_Service::GetPaperMeasureType(int d) { return MEDIA_QUIETLY(GetPaperMeasureType(d), -1); }
bool JSE_Service::JSE_Media_DoesPaperSizeExist(float width, float height) {
    return MEDIA_QUIETLY(JSE_Media_DoesPaperSizeExist(width, height), false);
}

// ---- Capability: attributes ----
bool JSE_Service::JSE_Media_DeleteAttribute(int kind, const WString& value) {
    return MEDIA(JSE_Media_DeleteAttribute(kind, value), false);
}
int JSE_Service::JSE_Media_GetNumOfWeightAttributes() { return MEDIA(JSE_Media_GetNumOfWeightAttributes(), -1); }
int JSE_Service::JSE_Media_GetNumOfTypeAttributes() { return MEDIA(JSE_Media_GetNumOfTypeAttributes(), -1); }
int JSE_Service::JSE_Media_GetNumOfColorAttributes() { return MEDIA(JSE_Media_GetNumOfColorAttributes(), -1); }
int JSE_Service::JSE_Media_GetWeightAttribute(int i, WString& out) {
    return MEDIA(JSE_Media_GetWeightAttribute(i, out), -1);
}
int JSE_Service::JSE_Media_GetTypeAttribute(int i, WString& out) {
    return MEDIA(JSE_Media_GetTypeAttribute(i, out), -1);
}
int JSE_Service::JSE_Media_GetColorAttribute(int i, WString& out) {
    return MEDIA(JSE_Media_GetColorAttribute(i, out), -1);
}

std::vector<WString>& JSE_Service::JSE_Media_GetAttributes(int kind) {
    m_attributes.clear();
    if (m_media) m_attributes = m_media->JSE_Media_GetAttributes(kind);
    return m_attributes;
}

// ---- Capability: other ----
long JSE_Service::JSE_Media_GetDefaultIndex() { return MEDIA(JSE_Media_GetDefaultIndex(), 0L); }
void JSE_Service::JSE_Media_GetLanguage(WString& out) { MEDIA(JSE_Media_GetLanguage(out)); }
int JSE_Service::JSE_Media_GetLastError() const {
    return MEDIA_QUIETLY(JSE_Media_GetLastError(), int{kServiceNoMedia});
}
int JSE_Service::JSE_Media_SetOSDecimalFormat(char decimalChar) {
    if (!m_media) return -1;
    m_media->SetOSDecimalFormat(decimalChar);
    return 0;
}
int JSE_Service::JSE_Media_FloatToWS(float value, WString& out, int decimals) {
    return MEDIA_QUIETLY(FloatToWS(value, out, decimals), -1);
}
int JSE_Service::JSE_Media_InchesToPSPoints(float inches) {
    return MEDIA_QUIETLY(JSE_Media_InchesToPSPoints(inches), 0);
}
int JSE_Service::JSE_Media_MMToPSPoints(float millimetres) {
    return MEDIA_QUIETLY(JSE_Media_MMToPSPoints(millimetres), 0);
}
void JSE_Service::JSE_Media_SetSizeLookupTable(bool on) { MEDIA_QUIETLY(JSE_Media_SetSizeLookupTable(on)); }

// The record of a paper as the settings keep it; the code is not stored.
int JSE_Service::JSE_Media_GetMediaInfo(int i, JSE_MediaRecordType& out) {
    if (!m_media) return kServiceNoMedia;
    if (i < 0 || i >= m_media->JSE_Media_GetNumberOfEntry()) return kServiceNoSuchPaper;
    m_media->JSE_Media_GetName(i, out.name);
    m_media->JSE_Media_GetColor(i, out.colour);
    m_media->JSE_Media_GetType(i, out.type);
    m_media->JSE_Media_GetPhysicalSize(i, out.widthInches, out.heightInches);
    m_media->JSE_Media_GetPoints(i, out.widthPoints, out.heightPoints);
    m_media->JSE_Media_GetWeight(i, out.weight);
    out.mode = m_media->JSE_Media_GetMode(i);
    out.mediaCode = 255;
    out.mediaFlag = out.mode != 0;
    out.punchable = m_media->JSE_Media_GetPunchable(i) != 0;
    out.precollated = m_media->JSE_Media_GetPrecollated(i);
    out.mediaExtra = 0;
    return kServiceNoError;
}
