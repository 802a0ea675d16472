// The bounded connection to the scheduler.
#include "SchedulerConnection.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

// How often a wait asks whether to go on; a wait ends at most this much
// after the deadline.
constexpr double kPollSeconds = 1.0;

// The scheduler as a person names it: its socket, or its host and port.
std::string ServerName() {
    const std::string server = cupsServer();
    return server.starts_with("/") ? server : server + ":" + std::to_string(ippPort());
}

// Why no connection came about. The library names every failed connection
// "Host is down"; of a socket that is not there the file system says more.
std::string ConnectFailure() {
    const std::string server = cupsServer();
    struct stat socket;
    if (server.starts_with("/") && stat(server.c_str(), &socket) != 0) return std::strerror(errno);
    return cupsLastErrorString();
}

}  // namespace

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

std::string SchedulerConnection::failure() const {
    if (!m_http) return "no scheduler at " + m_server + " (" + m_connectError + ")";
    if (m_timedOut) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_bound).count();
        return "the scheduler at " + m_server + " did not answer within " + std::to_string(seconds) + " s";
    }
    return cupsLastErrorString();
}
