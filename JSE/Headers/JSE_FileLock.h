// Locks that keep the catalog's files from being changed by another process
// while the catalog reads or writes them.
#pragma once

#include <cstdint>

#include "JSE_String.h"

class JSE_FileLock {
public:
    // Access codes of LockCatalogFile.
    static constexpr int kForWriting = 1;
    static constexpr int kForReading = 2;

    virtual ~JSE_FileLock() = default;
    // 0 when the file is locked, any other value when it is not; text may
    // receive the reason.
    virtual int LockCatalogFile(const WString& path, int access, int secondCode, WString& text) = 0;
    virtual void UnlockCatalogFile() = 0;
};

// A non-blocking advisory lock of the whole file: shared for reading,
// exclusive for writing. A file that does not exist has nothing to guard and
// counts as locked. The lock is released by UnlockCatalogFile or at the end
// of the object.
class JSE_MacFileLock : public JSE_FileLock {
public:
    JSE_MacFileLock() = default;
    ~JSE_MacFileLock() override;
    JSE_MacFileLock(const JSE_MacFileLock&) = delete;
    JSE_MacFileLock& operator=(const JSE_MacFileLock&) = delete;

    int LockCatalogFile(const WString& path, int access, int secondCode, WString& text) override;
    void UnlockCatalogFile() override;

private:
    std::int64_t m_lockHandle = -1;  // the open file that holds the lock; -1 for none
    WString m_path;
};
