// The print host's temporary folder: a folder of its own inside the user's
// (TMPDIR, else /tmp), which it makes the process's TMPDIR, so that every
// temporary file of the host and of the extension it loads (the queue's PPD,
// a document's copy and expansion, the command file) is made there. The
// folder goes, with everything in it, when the host ends, also when SIGTERM,
// SIGINT or SIGHUP stops it halfway: the signal then ends the host as it
// would have without the folder, once the folder is gone. Used by the print
// host alone, which makes one before anything else and runs no thread.
#pragma once

#include <string>

class HostTemporaryFolder {
public:
    // Makes the folder; when it cannot be made (the user's folder missing or
    // full), TMPDIR stays as it was and files are made there as before.
    HostTemporaryFolder();
    ~HostTemporaryFolder();
    HostTemporaryFolder(const HostTemporaryFolder&) = delete;
    HostTemporaryFolder& operator=(const HostTemporaryFolder&) = delete;

    // The folder; "" when it could not be made.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    std::string m_userFolder;  // TMPDIR as it was; "" when it was not set
    bool m_userFolderSet = false;
};
