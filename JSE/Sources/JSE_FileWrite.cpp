// Writing an engine file whole: beside the file and renamed over it, or in
// place where its folder takes no new file.
#include "JSE_FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace engine_file {

namespace {

// More links than this in a row are a loop; the path is then used as it is.
constexpr int kMaxLinks = 40;

// Writes every byte; written tells how many reached the file.
bool WriteAll(int fd, const std::string& bytes, std::size_t& written) {
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// The mode a new file gets: the old file's mode, or what the process's mask leaves.
mode_t ModeFor(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file the path names once every symbolic link is followed; a link to
// a file that is not there yet names that file.
std::string LinkTarget(std::string path) {
    for (int links = 0; links < kMaxLinks; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::vector<char> text(static_cast<std::size_t>(status.st_size) + 2);
        const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) return path;
        const std::string target(text.data(), static_cast<std::size_t>(length));
        path = target[0] == '/' ? target : FolderOf(path) + target;
    }
    return path;
}

// The new contents over the old from the start, then cut to their length.
WriteResult WriteInPlace(const std::string& target, const std::string& bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return WriteResult::NotCreated;
    std::size_t written = 0;
    const bool complete = WriteAll(fd, bytes, written) &&
                          ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (complete && closed) return WriteResult::Written;
    return written == 0 ? WriteResult::NotWritten : WriteResult::LeftIncomplete;
}

}  // namespace

WriteResult WriteWholeFile(const WString& path, const std::string& bytes) {
    std::string narrow;
    GetSingleByteFileName(path, narrow);
    if (narrow.empty()) return WriteResult::NotCreated;
    const std::string target = LinkTarget(narrow);
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return WriteInPlace(target, bytes);
    std::size_t written = 0;
    const bool complete = ::fchmod(fd, ModeFor(target)) == 0 && WriteAll(fd, bytes, written) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!complete || !closed) {
        ::unlink(temporary.c_str());
        return WriteResult::NotWritten;
    }
    if (::rename(temporary.c_str(), target.c_str()) == 0) return WriteResult::Written;
    ::unlink(temporary.c_str());
    return WriteInPlace(target, bytes);
}

}  // namespace engine_file
