// The bounded connection to the scheduler.
#include "SchedulerConnection.h"

#include <cups/ppd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "FoundationValues.h"
#include "JSE_StringTicket.h"

namespace {

// How often a wait asks whether to go on; a wait ends at most this much
// after the deadline.
constexpr double kPollSeconds = 1.0;

// The scheduler as a person names it: its socket, or its host and port.
std::string ServerName() {
    const std::string server = cupsServer();
    return server.starts_with("/") ? server : server + ":" + std::to_string(ippPort());
}

// The system's reason a connection to the local socket fails ("No such
// file or directory", "Connection refused"); "" when it connects after all.
std::string LocalConnectFailure(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return std::strerror(ENAMETOOLONG);
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::strerror(errno);
    const int connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int reason = errno;
    ::close(fd);
    return connected == 0 ? std::string() : std::strerror(reason);
}

// Why no connection came about. The library names every failed connection
// "Host is down"; of a local socket the system says the real reason.
std::string ConnectFailure() {
    const std::string server = cupsServer();
    const std::string local = server.starts_with("/") ? LocalConnectFailure(server) : std::string();
    return local.empty() ? cupsLastErrorString() : local;
}

// A request of the operation on the queue's URI, for the job when one is
// given, as this process's user.
ipp_t* QueueRequest(ipp_op_t operation, const std::string& uri, int job = 0) {
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    if (job != 0) ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

// The keywords of a job's state reasons, joined by ", ", without "none".
std::string StateReasons(ipp_attribute_t* reasons) {
    std::string joined;
    for (int i = 0; i < ippGetCount(reasons); ++i) {
        const char* reason = ippGetString(reasons, i, nullptr);
        if (!reason || std::strcmp(reason, "none") == 0) continue;
        joined.append(joined.empty() ? "" : ", ").append(reason);
    }
    return joined;
}

}  // namespace

std::string SchedulerJobName(std::string_view title) {
    constexpr std::size_t kLongestName = 255;
    return platform::Utf8Prefix(BlankControlCharacters(platform::ValidUtf8(title)), kLongestName);
}

std::string LocalQueueUri(std::string_view queue) {
    constexpr std::size_t kLongestName = 127;
    const auto forbidden = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '/' || c == '#' || c == 0x7F; };
    if (queue.empty() || queue.size() > kLongestName || std::ranges::any_of(queue, forbidden)) return {};
    char uri[1024] = "";
    const std::string name(queue);
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                         name.c_str()) < HTTP_URI_STATUS_OK) {
        return {};
    }
    return uri;
}

SchedulerConnection::SchedulerConnection(std::chrono::milliseconds bound)
    : m_bound(bound), m_deadline(std::chrono::steady_clock::now() + bound), m_server(ServerName()) {
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                          static_cast<int>(bound.count()), nullptr);
    if (!m_http) {
        m_connectError = ConnectFailure();
        return;
    }
    httpSetTimeout(m_http, kPollSeconds, KeepWaiting, this);
}

SchedulerConnection::~SchedulerConnection() { httpClose(m_http); }

int SchedulerConnection::KeepWaiting(http_t*, void* connection) {
    auto& self = *static_cast<SchedulerConnection*>(connection);
    if (std::chrono::steady_clock::now() < self.m_deadline) return 1;
    self.m_timedOut = true;
    return 0;
}

int SchedulerConnection::printFile(std::string_view queue, const std::string& file, const char* format,
                                   const std::string& title, int optionCount, cups_option_t* options) {
    if (!m_http) return 0;
    const std::string uri = LocalQueueUri(queue);
    if (uri.empty()) {
        m_missingQueue = queue;
        return 0;
    }
    // A scheduler that has stopped answering receives none of the document.
    if (queueState(uri) == 0) {
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) m_missingQueue = queue;
        return 0;
    }
    ipp_t* request = QueueRequest(IPP_OP_PRINT_JOB, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format);
    cupsEncodeOptions2(request, optionCount, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, optionCount, options, IPP_TAG_JOB);
    const std::string resource = uri.substr(std::strlen("ipp://localhost"));
    m_documentSent = true;
    ipp_t* response = exchange(request, resource.c_str(), file.c_str());
    const int job = ippGetInteger(ippFindAttribute(response, "job-id", IPP_TAG_INTEGER), 0);
    ippDelete(response);
    return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE ? job : 0;
}

int SchedulerConnection::queueEnum(const std::string& uri, const char* attribute) const {
    const char* const wanted[] = {attribute};
    ipp_t* request = QueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, wanted);
    ipp_t* response = exchange(request, "/");
    const int value = ippGetInteger(ippFindAttribute(response, attribute, IPP_TAG_ENUM), 0);
    ippDelete(response);
    return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE ? value : 0;
}

int SchedulerConnection::queueState(const std::string& uri) const { return queueEnum(uri, "printer-state"); }

bool SchedulerConnection::isClass(const std::string& uri) const {
    return (queueEnum(uri, "printer-type") & (CUPS_PRINTER_CLASS | CUPS_PRINTER_IMPLICIT)) != 0;
}

JobStatus SchedulerConnection::jobStatus(const std::string& uri, int job) const {
    static const char* const kWanted[] = {"job-state", "job-printer-state-message", "job-state-reasons",
                                          "time-at-processing", "job-printer-uri"};
    ipp_t* request = QueueRequest(IPP_OP_GET_JOB_ATTRIBUTES, uri, job);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", std::size(kWanted), nullptr,
                  kWanted);
    ipp_t* response = exchange(request, "/");
    JobStatus status;
    status.state = ippGetInteger(ippFindAttribute(response, "job-state", IPP_TAG_ENUM), 0);
    const char* message =
        ippGetString(ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT), 0, nullptr);
    status.message = message ? message : "";
    status.reasons = StateReasons(ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD));
    status.started = ippGetInteger(ippFindAttribute(response, "time-at-processing", IPP_TAG_INTEGER), 0);
    const char* printer = ippGetString(ippFindAttribute(response, "job-printer-uri", IPP_TAG_URI), 0, nullptr);
    status.printerUri = printer ? printer : "";
    ippDelete(response);
    return status;
}

std::pair<int, JobStatus> SchedulerConnection::lastJobBefore(const std::string& uri, int before, const char* name,
                                                             const char* attribute, const std::string& value) const {
    const char* const wanted[] = {"job-id", "job-name", "job-state", "job-printer-state-message", attribute};
    ipp_t* request = QueueRequest(IPP_OP_GET_JOBS, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    ippAddBoolean(request, IPP_TAG_OPERATION, "my-jobs", 1);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", std::size(wanted), nullptr,
                  wanted);
    ipp_t* response = exchange(request, "/");
    std::pair<int, JobStatus> last{0, {}};
    // Each job is a group of its own, closed by a separator.
    int id = 0;
    JobStatus status;
    bool named = false, valued = false;
    const auto take = [&] {
        if (id > last.first && id < before && named && valued) last = {id, status};
        id = 0;
        status = {};
        named = valued = false;
    };
    for (ipp_attribute_t* attr = ippFirstAttribute(response); attr; attr = ippNextAttribute(response)) {
        const char* key = ippGetName(attr);
        if (!key) take();
        if (!key || ippGetGroupTag(attr) != IPP_TAG_JOB) continue;
        const char* text = ippGetString(attr, 0, nullptr);
        if (std::strcmp(key, "job-id") == 0) id = ippGetInteger(attr, 0);
        else if (std::strcmp(key, "job-name") == 0) named = text && std::strcmp(text, name) == 0;
        else if (std::strcmp(key, attribute) == 0) valued = text && value == text;
        else if (std::strcmp(key, "job-state") == 0) status.state = ippGetInteger(attr, 0);
        else if (std::strcmp(key, "job-printer-state-message") == 0) status.message = text ? text : "";
    }
    take();
    ippDelete(response);
    return last;
}

bool SchedulerConnection::cancelJob(const std::string& uri, int job) const {
    ipp_t* request = QueueRequest(IPP_OP_CANCEL_JOB, uri, job);
    ippDelete(exchange(request, "/jobs/"));
    return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

std::string SchedulerConnection::failure() const {
    if (!m_http) return "no scheduler at " + m_server + " (" + m_connectError + ")";
    if (m_timedOut) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_bound).count();
        return "the scheduler at " + m_server + " did not answer within " + std::to_string(seconds) + " s";
    }
    if (m_missingQueue) return "the scheduler at " + m_server + " has no queue \"" + *m_missingQueue + "\"";
    if (m_unanswered) return noAnswer();
    return cupsLastErrorString();
}

ipp_t* SchedulerConnection::exchange(ipp_t* request, const char* resource, const char* file) const {
    // Never the library's own connection, which has no bound.
    if (!m_http) {
        ippDelete(request);
        m_unanswered = true;
        return nullptr;
    }
    ipp_t* response =
        file ? cupsDoFileRequest(m_http, request, resource, file) : cupsDoRequest(m_http, request, resource);
    // A request that got no answer ends as the library's internal error, or
    // as an unavailable service when it could not even be sent.
    const ipp_status_t status = cupsLastError();
    m_unanswered = !response && (status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    return response;
}

// The library's own text for a connection that broke says little ("Success"
// where the scheduler hung up); of a local socket the system tells whether
// anything still listens.
std::string SchedulerConnection::noAnswer() const {
    const std::string server = cupsServer();
    const std::string refused = server.starts_with("/") ? LocalConnectFailure(server) : std::string();
    if (!refused.empty()) return "the scheduler at " + m_server + " does not answer (" + refused + ")";
    return "the scheduler at " + m_server + " closed the connection before it answered";
}

http_status_t SchedulerConnection::fetchPpd(std::string_view queue, std::string& file) const {
    if (!m_http) return HTTP_STATUS_ERROR;
    char name[1024] = "";
    time_t modified = 0;
    http_status_t status = cupsGetPPD3(m_http, std::string(queue).c_str(), &modified, name, sizeof name);
    // A wait given up ends the fetch as if the scheduler had no PPD.
    if (status != HTTP_STATUS_OK && m_timedOut) status = HTTP_STATUS_ERROR;
    m_unanswered = status == HTTP_STATUS_ERROR;
    if (status == HTTP_STATUS_OK) file = name;
    return status;
}

QueuePpd::QueuePpd(const SchedulerConnection& scheduler, std::string_view queue) {
    if (scheduler.http() && !queue.empty()) m_status = scheduler.fetchPpd(queue, m_file);
}

QueuePpd::~QueuePpd() {
    if (!m_file.empty()) unlink(m_file.c_str());
}
