// Shared set-up of the paper-catalog tests: a temporary folder, files written
// as bytes, 8-bit or UTF-16, and catalogs with the engine's colour and type lists.
#pragma once

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "JSE_Media.h"

namespace media_test {

inline const wchar_t* const kColors = L"any:white:red:yellow:green:blue:clear";
inline const wchar_t* const kTypes = L"plain:cover:color:insert:tab:transparency";

inline WString Wide(const std::string& narrow) { return WString(narrow.begin(), narrow.end()); }

// UTF-16 bytes of 7-bit or Latin-1 text behind a byte-order mark.
inline std::string Utf16(const std::string& text, bool bigEndian = false) {
    std::string bytes = bigEndian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
    for (char c : text) {
        const char low = c, high = 0;
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A paper's fields in one text: name:size:weight:colour/index:type/index:mode:precollated:punchable:load position.
inline WString Fields(const PAPERDEF& p) {
    const auto n = [](int v) { return std::to_wstring(v); };
    return p.name + L":" + n(p.sizeIndex) + L":" + n(p.weight) + L":" + p.color + L"/" + n(p.colorIndex) + L":" +
           p.type + L"/" + n(p.typeIndex) + L":" + n(p.mode) + L":" + n(p.precollated) + L":" + n(p.punchable) +
           L":" + n(p.absoluteIndex);
}

// A folder of its own, removed with its files at the end.
class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/media-test-XXXXXX";
        m_path = mkdtemp(name);
    }
    ~TempFolder() {
        if (DIR* dir = opendir(m_path.c_str())) {
            while (dirent* entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") unlink((m_path + "/" + name).c_str());
            }
            closedir(dir);
        }
        rmdir(m_path.c_str());
    }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    WString WidePath(const std::string& name) const { return Wide(Path(name)); }
    WString Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return WidePath(name);
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// A catalog with the engine's lists and no files, ready to load some.
class Catalog : public JSE_Media {
public:
    Catalog() : JSE_Media(L"English", L"", kColors, kTypes, L':', false) {}
    Catalog(const WString& path, bool safe = false) : JSE_Media(L"English", path, kColors, kTypes, L':', safe) {}
    const std::vector<PAPERDEF>& papers() const { return m_papers; }
    const std::vector<PAPERCLASS>& definitions() const { return m_definitions; }
};

// Runs work in a child process that may write no more than the file modes
// let it: a child of the superuser, who could write anything anyway, first
// becomes the user nobody. What work returned, or -1 when the child did not
// get that far.
inline int AsNobody(const std::function<int()>& work) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const bool dropped = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        const int result = dropped ? work() : -1;
        const ssize_t sent = write(channel[1], &result, sizeof result);
        _exit(sent == sizeof result ? 0 : 1);
    }
    close(channel[1]);
    int result = -1;
    if (child < 0 || read(channel[0], &result, sizeof result) != sizeof result) result = -1;
    close(channel[0]);
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    return result;
}

// Gives every file of the folder the mode.
inline void ChmodFiles(const TempFolder& folder, mode_t mode) {
    if (DIR* dir = opendir(folder.path().c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") chmod(folder.Path(name).c_str(), mode);
        }
        closedir(dir);
    }
}

// A disk with no free block: a write fills the file up to its end and fails
// past it. Put in place of the engine's file writes.
inline ssize_t WriteOnAFullDisk(int fd, const void* data, std::size_t size, off_t offset) {
    struct stat status {};
    if (fstat(fd, &status) != 0) return -1;
    if (status.st_size <= offset) {
        errno = ENOSPC;
        return -1;
    }
    return pwrite(fd, data, std::min<std::size_t>(size, static_cast<std::size_t>(status.st_size - offset)), offset);
}

// Runs work AsNobody where it may write the files of the folder but may not
// add a file to it: the folder is made read-only and its files writable.
inline int InReadOnlyFolder(const TempFolder& folder, const std::function<int()>& work) {
    ChmodFiles(folder, 0666);
    chmod(folder.path().c_str(), 0555);
    const int result = AsNobody(work);
    chmod(folder.path().c_str(), 0755);
    return result;
}

}  // namespace media_test
