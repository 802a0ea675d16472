// The settings store's custom command and release values.
#include "JSE_Preference.h"

namespace {

constexpr std::int32_t kNoNarrowBooklet = 0;
constexpr std::int32_t kFaceDown = 1;
// A user punch pattern of 1 is never stored: it leaves the pattern as it was.
constexpr std::int32_t kKeepPunchPattern = 1;

}  // namespace

void JSE_Preference::JSE_Preference_Get_CustomRecord(JSE_CustomCommandType& record) const {
    record = m_contents.customCommand;
}

void JSE_Preference::JSE_Preference_Set_CustomRecord(JSE_CustomCommandType record) {
    m_contents.customCommand = std::move(record);
}

void JSE_Preference::JSE_Preference_GetRelease6Features(JSE_Release1_4Type& values) const { values = m_contents.release6; }

void JSE_Preference::JSE_Preference_SetRelease6Features(const JSE_Release1_4Type& values) { m_contents.release6 = values; }

void JSE_Preference::JSE_Preference_GetPDFVersion(WString& version) const { version = m_contents.release6.pdfVersion; }

void JSE_Preference::JSE_Preference_SetPDFVersion(WString version) { m_contents.release6.pdfVersion = std::move(version); }

bool JSE_Preference::JSE_Preference_GetPDFPageLoop() const { return m_contents.release6.pdfPageLoop; }

void JSE_Preference::JSE_Preference_SetPDFPageLoop(bool on) { m_contents.release6.pdfPageLoop = on; }

std::int32_t JSE_Preference::JSE_Preference_GetPDFUseOpp() const { return m_contents.release6.pdfUseOpp; }

void JSE_Preference::JSE_Preference_SetPDFUseOpp(std::int32_t value) { m_contents.release6.pdfUseOpp = value; }

std::int32_t JSE_Preference::JSE_Preference_GetUserPunchPattern() const { return m_contents.release6.userPunchPattern; }

void JSE_Preference::JSE_Preference_SetUserPunchPattern(std::int32_t pattern) {
    if (pattern != kKeepPunchPattern) m_contents.release6.userPunchPattern = pattern;
}

// Last page first is the page order 3; turning it off leaves the order alone.
void JSE_Preference::JSE_Preference_GetLastPageFirst(bool& on) const {
    on = m_contents.release7.pageOrder == kLastPageFirstOrder;
}

void JSE_Preference::JSE_Preference_SetLastPageFirst(bool on) {
    m_contents.release6.lastPageFirst = on;
    if (on) m_contents.release7.pageOrder = kLastPageFirstOrder;
}

std::int32_t JSE_Preference::JSE_Preference_GetNarrowBookletValue() const { return m_contents.release7.narrowBooklet; }

void JSE_Preference::JSE_Preference_SetNarrowBookletValue(std::int32_t value) {
    m_contents.release7.narrowBooklet = (value == 0 || value == 1) ? value : kNoNarrowBooklet;
}

std::int32_t JSE_Preference::JSE_Preference_GetPageOrderValue() const { return m_contents.release7.pageOrder; }

void JSE_Preference::JSE_Preference_SetPageOrderValue(std::int32_t value) {
    m_contents.release7.pageOrder = (value >= kFaceDown && value <= kLastPageFirstOrder) ? value : kFaceDown;
}

void JSE_Preference::JSE_Preference_GetRelease7Features(JSE_Release3_0Type& values) const { values = m_contents.release7; }

void JSE_Preference::JSE_Preference_SetRelease7Features(const JSE_Release3_0Type& values) {
    JSE_Preference_SetNarrowBookletValue(values.narrowBooklet);
    JSE_Preference_SetPageOrderValue(values.pageOrder);
}
