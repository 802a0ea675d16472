// Whole-job validation: a job's features and page exceptions checked at once
// against the rules, every refusal collected in the service's error list,
// and the preflight, which stops at the first refusal.
//
// The whole-job check runs on a scratch validator that reads the service's
// own rule file, so the service's validator keeps its values. Without rules
// nothing can be judged, and that is recorded rather than passed.
#include <new>

#include "JSE_Service.h"
#include "JSE_ServiceJob.h"

namespace {

constexpr long kLocationJob = -1;    // a job-level feature was refused
constexpr long kLocationSetUp = -2;  // the check could not start

}  // namespace

bool JSE_Service::JSE_JobTicket_Validation(JSE_JobFeatureType job, std::vector<JSE_PageExceptionType> list,
                                           JSE_Media* catalog) {
    m_validationErrors.clear();
    return RunWholeJobCheck(job, list, catalog);
}

bool JSE_Service::JSE_JobTicket_Validation(JSE_JobTicket* ticket, JSE_Media* catalog) {
    m_validationErrors.clear();
    if (ticket == nullptr) {
        RecordError(kServiceNoJobTicket, kLocationSetUp);
        return false;
    }
    JSE_JobFeatureType job;
    ticket->JSE_JobTicket_GetJobFeature(job);
    std::vector<JSE_PageExceptionType> list;
    for (long i = 0; i < ticket->JSE_JobTicket_GetNumberOfPageExceptionItem(); ++i) {
        list.emplace_back();
        ticket->JSE_JobTicket_GetPageExceptionItem(i, list.back());
    }
    return RunWholeJobCheck(job, list, catalog);
}

bool JSE_Service::JSE_JobTicketValidation(const JSE_JobFeatureType& job,
                                          const std::vector<JSE_PageExceptionType>& list) {
    return JSE_JobTicket_Validation(job, list, m_media.get());
}

bool JSE_Service::RunWholeJobCheck(const JSE_JobFeatureType& job, const std::vector<JSE_PageExceptionType>& list,
                                   JSE_Media* catalog) {
    if (catalog == nullptr) catalog = m_media.get();
    if (catalog == nullptr) {
        RecordError(kServiceNoMedia, kLocationSetUp);
        return false;
    }
    const std::unique_ptr<JSE_Validation> validator = ScratchValidator(catalog);
    if (!validator) {
        RecordError(kServiceNoValidation, kLocationSetUp);
        return false;
    }
    JSE_JobTicket_Validation_SyncPaperIndex(catalog, validator.get());
    JSE_JobTicket_Validation_JobFeature(job, catalog, validator.get());
    JSE_JobTicket_Validation_PeFeatures(job, list, catalog, validator.get());
    return m_validationErrors.empty();
}

// The service's own rule file, wherever it was started from; the catalog's
// path with ".dat" for a service without a validator. Null unless the whole
// file was read.
std::unique_ptr<JSE_Validation> JSE_Service::ScratchValidator(JSE_Media* catalog) {
    std::unique_ptr<JSE_Validation> scratch;
    if (m_validation) {
        std::string path;
        m_validation->JSE_Validation_Get_DataFilePath(path);
        scratch.reset(new (std::nothrow) JSE_Validation(catalog, true));
        if (scratch) {
            scratch->JSE_Validation_Set_DataFilePath(path);
            scratch->JSE_Validation_ReStart();
        }
    } else {
        scratch.reset(new (std::nothrow) JSE_Validation(catalog));
    }
    const bool ready = scratch && scratch->JSE_Validation_GetError() == kValidationNoError &&
                       scratch->JSE_Validation_GetRuleFileError() == kValidationNoError;
    return ready ? std::move(scratch) : nullptr;
}

void JSE_Service::JSE_JobTicket_Validation_SyncPaperIndex(JSE_Media* catalog, JSE_Validation* validator) {
    WString name;
    catalog->JSE_Media_GetDefault(name);
    validator->JSE_Validation_SetValue_NoCheck(eJSE_BodyPaperSelection, catalog->JSE_Media_GetIndex(name));
}

void JSE_Service::JSE_JobTicket_Validation_JobFeature(const JSE_JobFeatureType& job, JSE_Media* catalog,
                                                      JSE_Validation* validator) {
    const auto paperIndex = [catalog](const WString& name) { return catalog->JSE_Media_GetIndex(name); };
    for (const service_job::FeatureValue& check : service_job::JobFeatureChecks(job, paperIndex)) {
        if (const long id = JSE_JobTicket_Validation_Check(validator, check.feature, check.value, 0))
            RecordError(id, kLocationJob);
    }
}

// Records that share their first or their last page with the next form one
// group, checked as a whole once its last record is loaded. A refused
// group's records are taken out again, so that later groups are judged
// without them; a group that passed stays for the checks of the later ones.
void JSE_Service::JSE_JobTicket_Validation_PeFeatures(const JSE_JobFeatureType& job,
                                                      const std::vector<JSE_PageExceptionType>& list,
                                                      JSE_Media* catalog, JSE_Validation* validator) {
    if (list.empty()) return;
    const auto paperIndex = [catalog](const WString& name) { return catalog->JSE_Media_GetIndex(name); };
    for (const service_job::ControlValue& c : service_job::JobControlValues(job, paperIndex, true))
        validator->JSE_Validation_SetValue_NoCheck(c.control, c.value);
    std::size_t first = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        validator->JSE_Validation_Load_ExceptionRecord(list[i]);
        const bool groupGoesOn = i + 1 < list.size() && (list[i + 1].startingPage == list[i].startingPage ||
                                                         list[i + 1].endingPage == list[i].endingPage);
        if (groupGoesOn) continue;
        if (const long id = validator->Validation_On_PeList()) {
            RecordError(id, static_cast<long>(list[first].startingPage));
            for (std::size_t j = first; j <= i; ++j)
                validator->JSE_Validation_Remove_PePage(static_cast<int>(list[j].startingPage), list[j].exceptionMode);
        }
        first = i + 1;
    }
}

long JSE_Service::JSE_JobTicket_Validation_Check(JSE_Validation* validator, int feature, long value, long) {
    const int control = service_job::ControlOfFeature(feature);
    if (control < 0) return 0;
    if (validator == nullptr) return kServiceNoValidation;
    if (control == eJSE_PunchJobTypeCheck) value = service_job::PunchSwitch(value);
    int conflict = 0;
    return validator->JSE_Validation_Check(control, static_cast<int>(value), conflict, true);
}

long JSE_Service::JSE_PreFlightTicket(const JSE_JobFeatureType& job) {
    if (m_jobTicket) m_jobTicket->JSE_JobTicket_SetJobFeature(job);
    const auto paperIndex = [this](const WString& name) { return JSE_Media_GetIndex(name); };
    for (const service_job::FeatureValue& check : service_job::JobFeatureChecks(job, paperIndex)) {
        int conflict = 0;
        const int control = service_job::ControlOfFeature(check.feature);
        if (const long id = JSE_Validation_Check(control, static_cast<int>(check.value), conflict, true)) return id;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// The error list

void JSE_Service::RecordError(long errorID, long location) {
    JSEErrorType record;
    JSE_JobTicket_Validation_GetErrorRecord(errorID, location, record);
    addValidationError(record);
}

void JSE_Service::addValidationError(const JSEErrorType& record) {
    for (const JSEErrorType& listed : m_validationErrors)
        if (listed.errorID == record.errorID) return;
    m_validationErrors.push_back(record);
}

void JSE_Service::JSE_JobTicket_Validation_GetErrorRecord(long errorID, long location, JSEErrorType& record) const {
    record.errorID = errorID;
    record.location = location;
    record.solutionID = 0;
    record.solution.clear();
}

long JSE_Service::JSE_JobTicket_Validation_GetNumberOfErrors() const {
    return static_cast<long>(m_validationErrors.size());
}

const JSE_Service::JSEErrorType* JSE_Service::ErrorAt(long i) const {
    if (i < 0 || i >= JSE_JobTicket_Validation_GetNumberOfErrors()) return nullptr;
    return &m_validationErrors[static_cast<std::size_t>(i)];
}

long JSE_Service::JSE_JobTicket_Validation_GetErrorID(long i) const { return ErrorAt(i) ? ErrorAt(i)->errorID : 0; }

long JSE_Service::JSE_JobTicket_Validation_GetErrorLocation(long i) const {
    return ErrorAt(i) ? ErrorAt(i)->location : 0;
}

long JSE_Service::JSE_JobTicket_Validation_GetSolutionID(long i) const {
    return ErrorAt(i) ? ErrorAt(i)->solutionID : 0;
}

void JSE_Service::JSE_JobTicket_Validation_GetSolution(long i, WString& solution) const {
    solution = ErrorAt(i) ? ErrorAt(i)->solution : WString();
}
