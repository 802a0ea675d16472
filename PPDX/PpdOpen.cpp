// Opening the queue's PPD and saying why it did not open.
#include "PpdOpen.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Why the last ppdOpenFile failed; read before anything else can change errno.
std::string ppdFailure() {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    if (status == PPD_FILE_OPEN_ERROR) {
        return std::strerror(errno);
    }
    return std::string(ppdErrorString(status)) + " on line " + std::to_string(line);
}

}  // namespace

ppd_file_t* OpenQueuePpd(std::string& reason) {
    const char* name = std::getenv("PPD");
    if (!name || !*name) {
        reason = "PPD is not set";
        return nullptr;
    }
    ppd_file_t* ppd = ppdOpenFile(name);
    reason = ppd ? std::string() : ppdFailure();
    return ppd;
}
