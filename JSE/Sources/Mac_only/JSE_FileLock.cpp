// File locks of the catalog's files, taken with flock.
#include "JSE_FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

JSE_MacFileLock::~JSE_MacFileLock() { UnlockCatalogFile(); }

int JSE_MacFileLock::LockCatalogFile(const WString& path, int access, int, WString& text) {
    UnlockCatalogFile();
    m_path = path;
    std::string narrow;
    GetSingleByteFileName(path, narrow);
    const int fd = ::open(narrow.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;  // no file, nothing to guard
    const int operation = (access == kForReading ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        text = JSE_MacEncoding<true>().SingleByteISOL1ToMultiByteUnicode(std::strerror(error));
        ::close(fd);
        return error != 0 ? error : -1;
    }
    m_lockHandle = fd;
    return 0;
}

void JSE_MacFileLock::UnlockCatalogFile() {
    if (m_lockHandle < 0) return;
    const int fd = static_cast<int>(m_lockHandle);
    ::flock(fd, LOCK_UN);
    ::close(fd);
    m_lockHandle = -1;
}
