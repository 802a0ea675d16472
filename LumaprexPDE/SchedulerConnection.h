// A connection to the scheduler the CUPS client is set to (cupsServer,
// ippPort, cupsEncryption) on which every wait, the connection's own among
// them, ends by one deadline: a scheduler that does not answer holds its
// caller for the bound and no longer. When a wait is given up the connection
// closes, and the scheduler drops the request it had not answered. Used by
// the print road's command job and by the print host.
#pragma once

#include <cups/cups.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// How long a print waits on the scheduler in all.
inline constexpr std::chrono::seconds kSchedulerWait{30};

// The queue's URI on this machine; "" for a name no queue can have (empty,
// over 127 bytes, or holding a space, "/", "#" or a control character).
std::string LocalQueueUri(std::string_view queue);

// The name the scheduler keeps for a job of that title, which it takes as it
// stands: valid UTF-8 (a replacement character for each byte that is not),
// every control character a blank, at most 255 bytes of whole characters.
std::string SchedulerJobName(std::string_view title);

// What the scheduler says of a job: its state (0 when it did not answer),
// its last message, the reasons for its state (joined by ", ", without
// "none"), when it started its last attempt at printing it (0 before the
// first) and the queue it is on.
struct JobStatus {
    int state = 0;
    std::string message;
    std::string reasons;
    long long started = 0;
    std::string printerUri;
};

class SchedulerConnection {
public:
    // Connects at once; the bound counts from here.
    explicit SchedulerConnection(std::chrono::milliseconds bound = kSchedulerWait);
    ~SchedulerConnection();
    SchedulerConnection(const SchedulerConnection&) = delete;
    SchedulerConnection& operator=(const SchedulerConnection&) = delete;

    // nullptr when no scheduler could be reached.
    http_t* http() const { return m_http; }
    // Sends the file to the queue as one Print-Job of the document format
    // given (a MIME type, which the scheduler takes as it stands, without
    // typing the file itself), with the options as the job's attributes,
    // once the scheduler has answered for the queue; the job's id, or 0 with
    // failure() saying why.
    int printFile(std::string_view queue, const std::string& file, const char* format, const std::string& title,
                  int optionCount, cups_option_t* options);
    // Sends the request (which it deletes), with the file when one is named,
    // and takes the answer; null, noted as unanswered, when none came.
    ipp_t* exchange(ipp_t* request, const char* resource, const char* file = nullptr) const;
    // The job's status, asked of the queue's URI.
    JobStatus jobStatus(const std::string& uri, int job) const;
    // The queue's state (idle, processing or stopped); 0 when the scheduler
    // did not answer for it.
    int queueState(const std::string& uri) const;
    // Whether the queue is a class, whose jobs each go to whichever of its
    // printers is free; false when the scheduler did not answer for it.
    bool isClass(const std::string& uri) const;
    // Fetches the queue's PPD into a new temporary file named in file; the
    // scheduler's answer, HTTP_STATUS_OK once fetched. No answer is noted
    // as unanswered.
    http_status_t fetchPpd(std::string_view queue, std::string& file) const;
    // The last of this user's jobs of the queue before the given one that
    // has the job name and the attribute of that value: its id and status;
    // id 0 when the scheduler knows none or did not answer (unanswered()).
    std::pair<int, JobStatus> lastJobBefore(const std::string& uri, int before, const char* name,
                                            const char* attribute, const std::string& value) const;
    // Cancels the job; false when the scheduler did not.
    bool cancelJob(const std::string& uri, int job) const;
    // True once a wait ran to the deadline and was given up.
    bool timedOut() const { return m_timedOut; }
    // True when the last request got no answer: the scheduler stopped
    // answering, or closed the connection before it answered. A Print-Job
    // may have reached it all the same.
    bool unanswered() const { return m_unanswered; }
    // True once printFile sent its document, answered or not.
    bool documentSent() const { return m_documentSent; }
    // True once the deadline has passed, whether or not a wait met it.
    bool pastDeadline() const { return std::chrono::steady_clock::now() >= m_deadline; }
    // Why the connection or its last request failed, for a person: "no
    // scheduler at /run/cups/cups.sock (No such file or directory)", "the
    // scheduler at localhost:631 did not answer within 30 s", "the scheduler
    // at /run/cups/cups.sock has no queue \"Nosuch\"", "the scheduler at
    // /run/cups/cups.sock does not answer (Connection refused)", "the
    // scheduler at localhost:631 closed the connection before it answered",
    // or the scheduler's own message.
    std::string failure() const;

private:
    static int KeepWaiting(http_t* http, void* connection);
    std::string noAnswer() const;
    // The queue's value of an enum attribute; 0 when the scheduler did not
    // answer for it.
    int queueEnum(const std::string& uri, const char* attribute) const;

    std::chrono::milliseconds m_bound;
    std::chrono::steady_clock::time_point m_deadline;
    std::string m_server;
    std::string m_connectError;
    http_t* m_http = nullptr;
    bool m_timedOut = false;
    mutable bool m_unanswered = false;
    bool m_documentSent = false;
    std::optional<std::string> m_missingQueue;  // the queue printFile found missing
};

// The queue's PPD as the scheduler keeps it, fetched at once into a
// temporary file that is removed when the object goes.
class QueuePpd {
public:
    QueuePpd(const SchedulerConnection& scheduler, std::string_view queue);
    ~QueuePpd();
    QueuePpd(const QueuePpd&) = delete;
    QueuePpd& operator=(const QueuePpd&) = delete;
    // The file; "" when the scheduler gave none: it has none for the queue,
    // or it did not answer (the connection's failure() says why).
    const std::string& file() const { return m_file; }
    // Whether the scheduler answered: with the PPD, or that it has none.
    bool answered() const { return m_status == HTTP_STATUS_OK || m_status == HTTP_STATUS_NOT_FOUND; }

private:
    std::string m_file;
    http_status_t m_status = HTTP_STATUS_NONE;
};
