// The service's ticket family: each operation forwards to the job ticket;
// without a ticket it stores -1003 and gives the result noted in the header.
// The build, copy-out, size, version and last-error operations first test
// the ticket-family switch (-1008 while it is off).
#include "JSE_Service.h"
#include "JSE_ServiceForward.h"

#define TICKET(call, ...) JSE_FORWARD(m_jobTicket, kServiceNoJobTicket, call __VA_OPT__(, ) __VA_ARGS__)

bool JSE_Service::TicketReady() {
    if (!m_ticketFamilyOn) return Missing(kServiceTicketOff, false);
    return m_jobTicket ? true : Missing(kServiceNoJobTicket, false);
}

// Building and copying out leave the ticket's result as the last error, so a
// good build reads 0 again.
std::int64_t JSE_Service::JSE_JobTicket_Create() {
    if (!TicketReady()) return m_lastError;
    return m_lastError = m_jobTicket->JSE_JobTicket_Create();
}

std::int64_t JSE_Service::JSE_JobTicket_Get(char* buffer, long length) {
    if (!TicketReady()) return m_lastError;
    return m_lastError = m_jobTicket->JSE_JobTicket_Get(buffer, length);
}

std::int64_t JSE_Service::JSE_JobTicket_GetSize() { return TicketReady() ? m_jobTicket->JSE_JobTicket_GetSize() : 0; }

std::int64_t JSE_Service::JSE_JobTicket_GetLastError() const {
    if (!m_ticketFamilyOn) return kServiceTicketOff;
    return m_jobTicket ? m_jobTicket->JSE_JobTicket_GetLastError() : std::int64_t{kServiceNoJobTicket};
}

std::int64_t JSE_Service::JSE_JobTicket_GetVersion() {
    return TicketReady() ? m_jobTicket->JSE_JobTicke_GetVersion() : 0;
}

// ---- Operations the bridge uses ----
void JSE_Service::JSE_JobTicket_Get_Default_PageRecord(JSE_PageExceptionType& record) {
    TICKET(JSE_JobTicket_Get_Default_PageRecord(record));
}
void JSE_Service::JSE_JobTicket_Get_CustomRecord(JSE_CustomCommandType& record) {
    TICKET(JSE_JobTicket_Get_CustomRecord(record));
}
void JSE_Service::JSE_JobTicket_Set_CustomRecord(JSE_CustomCommandType record) {
    TICKET(JSE_JobTicket_Set_CustomRecord(record));
}
void JSE_Service::JSE_JobTicket_Set_CustomOptionPreAppend(bool on) {
    TICKET(JSE_JobTicket_Set_CustomOptionPreAppend(on));
}
void JSE_Service::JSE_JobTicket_Set_EmitCustomOptionAppend(bool on) {
    TICKET(JSE_JobTicket_Set_EmitCustomOptionAppend(on));
}
void JSE_Service::JSE_JobTicket_Set_EmitPDFCommand(bool on) { TICKET(JSE_JobTicket_Set_EmitPDFCommand(on)); }
void JSE_Service::JSE_JobTicket_Set_PeDeviceLookup(bool on) { TICKET(JSE_JobTicket_Set_PeDeviceLookup(on)); }
void JSE_Service::JSE_JobTicket_Set_DocumentTitle(const std::string& title) {
    TICKET(JSE_JobTicket_Set_DocumentTitle(title));
}
void JSE_Service::JSE_JobTicket_SetPageObject(JSE_PageCollection* collection) {
    TICKET(JSE_JobTicket_SetPageObject(collection));
}
void JSE_Service::JSE_JobTicket_SetPageOrderValue(int value) { TICKET(JSE_JobTicket_SetPageOrderValue(value)); }

// ---- Capability ----
void JSE_Service::JSE_JobTicket_SetPageExceptionItem(JSE_PageExceptionType item) {
    TICKET(JSE_JobTicket_SetPageExceptionItem(item, false));
}
void JSE_Service::JSE_JobTicket_GetPageExceptionItem(long index, JSE_PageExceptionType& item) {
    if (!m_jobTicket) return Missing(kServiceNoJobTicket);
    m_jobTicket->JSE_JobTicket_GetPageExceptionItem(index, item);
}
std::int64_t JSE_Service::JSE_JobTicket_GetNumberOfPageExceptionItem() {
    return TICKET(JSE_JobTicket_GetNumberOfPageExceptionItem(), 0);
}
void JSE_Service::JSE_JobTicket_Clear_PageException() { TICKET(JSE_JobTicket_Clear_PageException()); }
void JSE_Service::JSE_JobTicket_Set_EmulationType(int type) {
    TICKET(JSE_JobTicket_Set_EmulationType(type >= 1 && type <= 4 ? type : 1));
}
void JSE_Service::JSE_JobTicket_Set_EmitJobSpool(bool on) { TICKET(JSE_JobTicket_Set_EmitJobSpool(on)); }
void JSE_Service::JSE_JobTicket_SetMICRFont(bool on) { TICKET(JSE_JobTicket_SetMICRFont(on)); }
void JSE_Service::JSE_JobTicket_SetMICRFeature(bool on) { TICKET(JSE_JobTicket_SetMICRFeature(on)); }
void JSE_Service::JSE_JobTicket_SetLastPageFirst(bool on) { TICKET(JSE_JobTicket_SetLastPageFirst(on)); }
void JSE_Service::JSE_JobTicket_SetEmitBody(bool on) { TICKET(JSE_JobTicket_SetEmitBody(on)); }
void JSE_Service::JSE_JobTicket_SetPDFPageLoop(bool on) { TICKET(JSE_JobTicket_SetPDFPageLoop(on)); }
void JSE_Service::JSE_JobTicket_Set_EmitPCLComment(bool on) { TICKET(JSE_JobTicket_SetEmitPCLComment(on)); }
void JSE_Service::JSE_JobTicket_GetVersionString(std::string& out) {
    if (!m_jobTicket) return Missing(kServiceNoJobTicket);
    out = m_jobTicket->JSE_JobTicket_GetVersionString();
}
void JSE_Service::JSE_JobTicket_SetPDFVersion(const WString& version) { TICKET(JSE_JobTicket_SetPDFVersion(version)); }
void JSE_Service::JSE_JobTicket_GetPDFVersion(WString& version) {
    if (!m_jobTicket) version.clear();
    TICKET(JSE_JobTicket_GetPDFVersion(version));
}
bool JSE_Service::JSE_JobTicket_GetPDFPageLoop() { return TICKET(JSE_JobTicket_GetPDFPageLoop(), false); }
void JSE_Service::JSE_JobTicket_SetPDFUseOpp(int value) { TICKET(JSE_JobTicket_SetPDFUseOpp(value)); }
int JSE_Service::JSE_JobTicket_SetPDFUseOpp() { return TICKET(JSE_JobTicket_GetPDFUseOpp(), int{kServiceNoJobTicket}); }
int JSE_Service::JSE_JobTicket_SetUserPunchPattern(int pattern) {
    if (!m_jobTicket) return Missing(kServiceNoJobTicket, int{kServiceNoJobTicket});
    m_jobTicket->JSE_JobTicket_SetUserPunchPattern(pattern);
    return 0;
}
int JSE_Service::JSE_JobTicket_GetUserPunchPattern() { return TICKET(JSE_JobTicket_GetUserPunchPattern(), 0); }
int JSE_Service::JSE_JobTicket_GetNarrowBookletValue() { return TICKET(JSE_JobTicket_GetNarrowBookletValue(), 0); }
void JSE_Service::JSE_JobTicket_SetNarrowBookletValue(int value) { TICKET(JSE_JobTicket_SetNarrowBookletValue(value)); }
int JSE_Service::JSE_JobTicket_GetPageOrderValue() { return TICKET(JSE_JobTicket_GetPageOrderValue(), 1); }
