// The ticket the main pane sends to the printer's queue, and the user's
// custom command: the engine writes the ticket (with the command text at the
// place the user chose), the bridge joins the command file before or after
// it and closes the text with the end of the comments. Also the small
// services of the print road: errors, the user name, the halftone values.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "JSE_StringTicket.h"
#include "SystemLog.h"
#include "UserEnvironment.h"
#include "ppdx.h"
#include "zqController.h"

namespace {

constexpr std::int32_t kNoCustomCommand = 1;
constexpr std::int32_t kCommandFile = 3;
constexpr std::int32_t kCommandTextAndFile = 4;
constexpr std::int32_t kBeforeTicket = 2;
constexpr std::int32_t kAfterTicket = 1;
constexpr int kFileUnreadableLabel = 17289;
constexpr int kFileNotRegularLabel = 17290;
constexpr int kFileTooLargeLabel = 17291;

// The file descriptor, closed when it goes.
struct OpenFile {
    explicit OpenFile(const std::string& path) : fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd >= 0) close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd;
};

// The whole of a regular file of at most the queue's limit; a code otherwise.
int ReadBoundedFile(const std::string& path, std::string& bytes) {
    const OpenFile file(path);
    struct stat status {};
    if (file.fd < 0) return kCustomFileCannotOpen;
    if (fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)) return kCustomFileNotRegular;
    if (static_cast<std::uint64_t>(status.st_size) > kPpdxMaxDataSize) return kCustomFileTooLarge;
    bytes.assign(static_cast<std::size_t>(status.st_size), '\0');
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t got = read(file.fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return kCustomFileUnreadable;  // an error, or a file that shrank
        done += static_cast<std::size_t>(got);
    }
    return kBridgeNoError;
}

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEndOfComments = "\r\n%%EndComments\r";

// Whether the queue keeps a ticket of that many bytes before its end of
// comments, with what the command job puts around it.
bool QueueKeeps(std::size_t joined) {
    return joined + kEndOfComments.size() + zqController::kTicketHeaderLine.size() +
               zqController::kTicketLastLine.size() <=
           kPpdxMaxDataSize;
}

// Why a command file was left out, for the log.
const char* LeftOutBecause(int error) {
    switch (error) {
        case kCustomFileCannotOpen: return "cannot be opened";
        case kCustomFileNotRegular: return "is not a regular file";
        case kCustomFileTooLarge: return "is larger than the printer's queue keeps";
        case kCustomFileUnreadable: return "cannot be read to its end";
        default: return "holds no line";
    }
}

}  // namespace

// The lines of the file a command of kind 3 or 4 names, as lines of the
// ticket (joined by CR LF, no empty line and no line end at the end); none
// for a file without a line or an empty name. A file that cannot go whole
// is left out and the ticket goes without it.
void zqController::readCustomCommandFile(const JSE_CustomCommandType& custom, std::string& path, std::string& text) {
    text.clear();
    const bool withFile = custom.fieldFlag == kCommandFile || custom.fieldFlag == kCommandTextAndFile;
    if (!withFile || custom.fileName.empty()) return;
    GetSingleByteFileName(custom.fileName, path);
    const int error = ReadBoundedFile(path, text);
    text = TicketLines(text);
    if (error != kBridgeNoError || text.empty()) {
        text.clear();
        leaveOutCommandFile(path, error);
    }
}

// The user hears of every file whose lines the ticket goes without, with
// the console log line; one without a line leaves nothing out and is only
// logged.
void zqController::leaveOutCommandFile(const std::string& path, int error) const {
    platform::ConsoleLog("zqController: the command file \"" + path + "\" " + LeftOutBecause(error) +
                         " and was left out of the job ticket");
    if (error == kBridgeNoError) return;
    const int label = error == kCustomFileNotRegular ? kFileNotRegularLabel
                      : error == kCustomFileTooLarge ? kFileTooLargeLabel
                                                     : kFileUnreadableLabel;
    showFileAlert(label, path);
}

int zqController::createTicket(std::string& ticket) {
    if (!m_service) return kBridgeNoEngine;
    ImageAlignUpdate();
    EdgeEraseUpdate();
    if (const std::int64_t result = m_service->JSE_JobTicket_Create()) return static_cast<int>(result);
    const std::int64_t size = m_service->JSE_JobTicket_GetSize();
    if (size <= 0) return 0;
    std::string text(static_cast<std::size_t>(size), '\0');
    const auto fetched = static_cast<int>(m_service->JSE_JobTicket_Get(text.data(), static_cast<long>(size)));
    if (fetched != 0) return fetched;
    // The command file only for a ticket that goes: none was made, or an
    // engine error stops the print, and the user hears of that alone.
    JSE_CustomCommandType custom;
    m_service->JSE_JobTicket_Get_CustomRecord(custom);
    std::string path, file;
    if (GetLastError() == kBridgeNoError) readCustomCommandFile(custom, path, file);
    const bool before = custom.insertPosition == kBeforeTicket;
    if (!file.empty() && !QueueKeeps(text.size() + kLineEnd.size() + file.size())) {
        leaveOutCommandFile(path, kCustomFileTooLarge);
        file.clear();
    }
    if (file.empty()) ticket = text;
    else if (before) ticket = file + std::string(kLineEnd) + text;
    else ticket = text + std::string(kLineEnd) + file;
    return 0;
}

// Built afresh each time, so that a failed build leaves no earlier ticket to
// send and a second call adds no second end line.
std::int64_t zqController::GetJobTicketSize() {
    m_driverJobTicket.clear();
    if (createTicket(m_driverJobTicket) != 0 || m_driverJobTicket.empty()) {
        m_driverJobTicket.clear();
        return 0;
    }
    m_driverJobTicket += kEndOfComments;
    return static_cast<std::int64_t>(m_driverJobTicket.size());
}

void zqController::GetJobTicket(std::string& ticket, std::int64_t, int& error) {
    ticket = m_driverJobTicket;
    if (!ticket.empty()) error = kBridgeNoError;
    else if (!m_service) error = kBridgeNoEngine;
    else error = static_cast<int>(m_service->JSE_JobTicket_GetLastError());
}

int zqController::GetLastError() const {
    if (!m_service) return kBridgeNoEngine;
    return static_cast<int>(m_service->JSE_GetLastError());
}

// A template written before the custom pane named its file "filaName" still
// gives its file.
void zqController::setCustomCommand(const platform::Dictionary& custom) {
    mCustomCommand.withJobStream = true;
    mCustomCommand.fieldFlag = custom["fieldFlag"].intValue();
    mCustomCommand.insertPosition = custom["insertPosition"].intValue();
    mCustomCommand.modifyPrintFile = custom["modifyPrintFile"].intValue();
    NSStringToWString(custom[custom.contains("fileName") ? "fileName" : "filaName"].text(), mCustomCommand.fileName);
    // 254 bytes at most, ending on a whole character, and a closing 0.
    mCustomCommand.SetCommandText(platform::Utf8Prefix(custom["command"].text(), JSE_CustomCommandType::kCommandSize - 1));
    if (!m_service) return;
    m_service->JSE_Preference_Set_CustomRecord(mCustomCommand);
    if (mCustomCommand.fieldFlag == kNoCustomCommand) return;
    const bool after = mCustomCommand.insertPosition == kAfterTicket;
    m_service->JSE_JobTicket_Set_CustomOptionPreAppend(!after);
    m_service->JSE_JobTicket_Set_EmitCustomOptionAppend(after);
}

void zqController::setUserName() { HandleJobFeatures(kFeatureUserName, 0, platform::LoginName(), 0); }
