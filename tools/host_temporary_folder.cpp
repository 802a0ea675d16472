// The print host's temporary folder and its removal on a stopping signal.
#include "host_temporary_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kStoppingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The folder as the signal handler reads it: set before the handler is
// installed, and never changed while it is.
char gFolder[PATH_MAX];
int gFolderDescriptor = -1;

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Removes the files of the folder and the folder, with calls that are safe
// in a signal handler.
void RemoveFolder() {
    lseek(gFolderDescriptor, 0, SEEK_SET);
    alignas(dirent64) char entries[4096];
    ssize_t length = 0;
    while ((length = getdents64(gFolderDescriptor, entries, sizeof entries)) > 0) {
        for (ssize_t at = 0; at < length;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
            if (!IsDotEntry(entry->d_name)) unlinkat(gFolderDescriptor, entry->d_name, 0);
            at += entry->d_reclen;
        }
    }
    rmdir(gFolder);
}

// The handler, run once: the action is the default again when it runs, so
// the signal raised again ends the host as it would have.
void RemoveFolderAndStop(int signal) {
    RemoveFolder();
    raise(signal);
}

sigset_t StoppingSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : kStoppingSignals) sigaddset(&signals, signal);
    return signals;
}

// Handles each stopping signal that the host was not started to ignore
// (under nohup, say), which it goes on ignoring.
void HandleStoppingSignals(void (*handler)(int)) {
    for (int signal : kStoppingSignals) {
        struct sigaction now {};
        if (sigaction(signal, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = handler;
        action.sa_mask = StoppingSignals();
        action.sa_flags = handler == SIG_DFL ? 0 : SA_RESETHAND;
        sigaction(signal, &action, nullptr);
    }
}

}  // namespace

HostTemporaryFolder::HostTemporaryFolder() {
    const char* user = std::getenv("TMPDIR");
    m_userFolderSet = user != nullptr;
    m_userFolder = user ? user : "";
    std::string folder = (m_userFolder.empty() ? std::string("/tmp") : m_userFolder) + "/lumaprex-print-XXXXXX";
    if (folder.size() >= sizeof gFolder || !mkdtemp(folder.data())) return;
    gFolderDescriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (gFolderDescriptor < 0) {
        rmdir(folder.c_str());
        return;
    }
    folder.copy(gFolder, folder.size());
    gFolder[folder.size()] = '\0';
    m_path = folder;
    HandleStoppingSignals(RemoveFolderAndStop);
    setenv("TMPDIR", m_path.c_str(), 1);
}

HostTemporaryFolder::~HostTemporaryFolder() {
    if (m_path.empty()) return;
    const sigset_t signals = StoppingSignals();
    sigset_t before;
    sigprocmask(SIG_BLOCK, &signals, &before);
    RemoveFolder();
    HandleStoppingSignals(SIG_DFL);
    close(gFolderDescriptor);
    gFolderDescriptor = -1;
    if (m_userFolderSet) setenv("TMPDIR", m_userFolder.c_str(), 1);
    else unsetenv("TMPDIR");
    sigprocmask(SIG_SETMASK, &before, nullptr);
}
