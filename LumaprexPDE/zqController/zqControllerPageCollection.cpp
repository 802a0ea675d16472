// The panes' road to the page collection: setting, reading and removing
// page records and image shifts. Each change to the page records is followed
// by a fresh load of the validator's page-exception list, so that the
// validator never judges by pages the collection no longer holds. Before
// start-up there is no collection, and every answer is that of a record out
// of range.
#include "zqController.h"

void zqController::JSE_SetPageFeature(int start, int end, int code, int value) {
    if (!m_pageCollection) return;
    m_pageCollection->JSE_PageCollection_SetPageType(start, end, code, value);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_RemovePageFeature(int start, int end, int code, int value) {
    if (!m_pageCollection) return;
    m_pageCollection->JSE_PageCollection_RemovePageFeature(start, end, code, value);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_SetPageProperty(int start, int end, int property, std::string_view text, int pageType,
                                       int pageTypeValue) {
    if (!m_pageCollection) return;
    WString wide;
    NSStringToWString(text, wide);
    m_pageCollection->JSE_PageCollection_SetProperty(start, end, property, wide, pageType, pageTypeValue, true);
    JSE_LoadPageExceptionToValidation();
}

int zqController::JSE_PageCollection_GetSize() const {
    return m_pageCollection ? static_cast<int>(m_pageCollection->JSE_PageCollection_GetSize()) : 0;
}

void zqController::JSE_PageCollection_GetPageNumber(int i, int& first, int& last) const {
    long start = -1, end = -1;
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_GetPageNumber(i, start, end);
    first = static_cast<int>(start);
    last = static_cast<int>(end);
}

int zqController::JSE_PageCollection_GetPageFeatureSize(int i) const {
    return m_pageCollection ? static_cast<int>(m_pageCollection->JSE_PageCollection_GetPageFeatureSize(i)) : 0;
}

void zqController::JSE_PageCollection_GetPageFeature(int i, int j, int& code, int& value) const {
    code = value = 0;
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_GetPageFeature(i, j, code, value);
}

int zqController::JSE_PageCollection_GetPropertySize(int i) const {
    return m_pageCollection ? static_cast<int>(m_pageCollection->JSE_PageCollection_GetPropertySize(i)) : 0;
}

void zqController::JSE_PageCollection_GetProperty(int i, int j, int& id, std::string& text) const {
    id = 0;
    WString wide;
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_GetProperty(i, j, id, wide);
    text = wstringToNSString(wide);
}

// A range that ends before it starts holds no page: cutting it would leave
// a record's last page in the record after it too. A layout range's mirror
// is no entry of its own here: the layout list keeps it.
void zqController::JSE_PageCollection_RemovePages(int start, int end) {
    if (!m_pageCollection || start > end) return;
    JSE_PageCollection& pages = *m_pageCollection;
    const bool exact = pages.findPageOfRange(start, end) >= 0;
    pages.JSE_PageCollection_RemovePages(start, end);
    if (const long holder = exact ? -1 : pages.findPageHolding(start, end); holder >= 0)
        pages.removePartialRecord(holder, start, end);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_PageCollection_RemoveAllPages() {
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_RemoveAllPages();
    if (m_service) m_service->JSE_Validation_Remove_All_PageList();
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_PageCollection_FindPageFeatureByPageNumbers(int start, int end, int code, int& index) const {
    long found = -1;
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_FindPageFeatureByPageNumbers(start, end, code, found);
    index = static_cast<int>(found);
}

std::vector<int> zqController::JSE_PageCollection_FindPagesOverlapping(int start, int end) const {
    PageIndexItem found;
    if (m_pageCollection) m_pageCollection->findOverlappingPages(start, end, found);
    return std::vector<int>(found.indexList.begin(), found.indexList.end());
}

void zqController::JSE_PageCollection_AddPageFeature(int i, int code, int value) {
    if (!m_pageCollection) return;
    m_pageCollection->JSE_PageCollection_AddPageFeature(i, code, value);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_PageCollection_UpdatePageFeature(int i, int code, int value) {
    if (!m_pageCollection) return;
    m_pageCollection->JSE_PageCollection_UpdatePageFeature(i, code, value);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_PageCollection_RemovePageAt(int i) {
    if (!m_pageCollection) return;
    m_pageCollection->JSE_PageCollection_RemovePageAt(i, 0);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_PageCollection_RemovePageFeatureAt(int i, int code) {
    if (!m_pageCollection) return;
    m_pageCollection->JSE_PageCollection_RemovePageFeatureAt(i, code);
    JSE_LoadPageExceptionToValidation();
}

void zqController::JSE_PageCollection_UpdatePunch(int start, int end, int code, int value) {
    int i = -1;
    JSE_PageCollection_FindPageFeatureByPageNumbers(start, end, code, i);
    if (i >= 0) JSE_PageCollection_UpdatePageFeature(i, code, value == 1 ? JSE_GetJobPunchValue() : value);
}

// ---------------------------------------------------------------------------
// Image shifts: the validator does not judge them.

int zqController::JSE_PageCollection_GetPageImageSize() const {
    return m_pageCollection ? static_cast<int>(m_pageCollection->JSE_PageCollection_GetPageImageSize()) : 0;
}

void zqController::JSE_PageCollection_GetImagePageNumber(int i, int& first, int& last) const {
    first = last = -1;
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_GetImagePageNumber(i, first, last);
}

void zqController::JSE_PageCollection_GetImageFeature(int i, int j, int& code, int& codeValue, int& unit,
                                                      bool& mirror, int& orientation, float& x1, float& y1,
                                                      float& x2, float& y2) const {
    if (m_pageCollection) {
        m_pageCollection->JSE_PageCollection_GetImageFeature(i, j, code, codeValue, unit, mirror, orientation, x1,
                                                             y1, x2, y2);
        return;
    }
    code = codeValue = 0;
    mirror = true;
    orientation = 1;
    x1 = y1 = x2 = y2 = 0;
}

void zqController::JSE_PageCollection_SetImageFeature(int start, int end, int code, int unit, int mirror,
                                                      int orientation, float x1, float y1, float x2, float y2) {
    if (!m_pageCollection) return;
    const auto shown = [](float value) { return static_cast<float>(PlusZeroAtTwoDecimals(value)); };
    m_pageCollection->JSE_PageCollection_SetImageFeature(start, end, code, unit, mirror == 1, orientation, shown(x1),
                                                         shown(y1), shown(x2), shown(y2));
}

void zqController::JSE_PageCollection_RemoveAllImageFeature() {
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_RemoveAllImageFeature();
}

void zqController::JSE_PageCollection_RemoveImageAlignOnPages(int start, int end) {
    if (m_pageCollection) m_pageCollection->JSE_PageCollection_RemoveImageAlignOnPages(start, end);
}

bool zqController::getPEImageRecord(int start, int end, float& x1, float& y1, float& x2, float& y2) const {
    const long i = m_pageCollection ? m_pageCollection->JSE_PageCollection_GetImageFeatureIndex(start, end) : -1;
    if (i < 0) return false;
    int code = 0, codeValue = 0, unit = 0, orientation = 1;
    bool mirror = true;
    x1 = y1 = x2 = y2 = 0;
    m_pageCollection->JSE_PageCollection_GetImageFeature(i, 0, code, codeValue, unit, mirror, orientation, x1, y1, x2,
                                                         y2);
    return true;
}
