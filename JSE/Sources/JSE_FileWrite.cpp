// Writing engine files whole: beside each file and renamed over it, or in
// place where its folder takes no new file; every file made ready before
// any is replaced.
#include "JSE_FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string_view>
#include <utility>

namespace engine_file {

namespace {

// More links than this in a row are a loop.
constexpr int kMaxLinks = 40;

WriteCall gWriteCall = ::pwrite;

// Writes every byte from the file's start; written tells how many reached
// the file.
bool WriteAll(int fd, std::string_view bytes, std::size_t& written) {
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            gWriteCall(fd, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// The file's whole contents.
bool ReadAll(int fd, std::string& bytes) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return false;
    bytes.assign(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t read = 0;
    while (read < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + read, bytes.size() - read, static_cast<off_t>(read));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        read += static_cast<std::size_t>(n);
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
// a file that is not there yet names that file. Nothing for a loop.
std::optional<std::string> LinkTarget(std::string path) {
    for (int links = 0; links < kMaxLinks; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::string text(static_cast<std::size_t>(status.st_size) + 2, '\0');
        const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) return path;
        text.resize(static_cast<std::size_t>(length));
        path = text[0] == '/' ? text : FolderOf(path) + text;
    }
    return std::nullopt;
}

// Something that is there and cannot be written as the file: a folder, or
// a file the process may not write.
bool WriteRefused(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    return S_ISDIR(status.st_mode) || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

// The old contents over the first bytes written over them, at their old
// length.
bool PutBack(int fd, const std::string& old, std::size_t written) {
    std::size_t back = 0;
    return WriteAll(fd, std::string_view(old).substr(0, written), back) &&
           ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && ::fsync(fd) == 0;
}

// The new contents over the old from the start, the file not yet cut to
// their length, so that its old contents still fit where they were; old
// receives them. Where that stops part-way (a full disk), the old contents
// are put back; a file whose old contents cannot be read first is not
// touched.
WriteResult Overwrite(int fd, const std::string& bytes, std::string& old) {
    std::size_t written = 0;
    if (!ReadAll(fd, old)) return WriteResult::NotWritten;
    if (WriteAll(fd, bytes, written) && ::fsync(fd) == 0) return WriteResult::Written;
    return PutBack(fd, old, written) ? WriteResult::NotWritten : WriteResult::LeftIncomplete;
}

// The bytes in a new file beside the target; the new file's name, or
// nothing when the folder takes no new file.
std::optional<std::string> WriteBeside(const std::string& target, const std::string& bytes, WriteResult& result) {
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return std::nullopt;
    std::size_t written = 0;
    const bool complete = ::fchmod(fd, ModeFor(target)) == 0 && WriteAll(fd, bytes, written) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    result = complete && closed ? WriteResult::Written : WriteResult::NotWritten;
    if (result != WriteResult::Written) ::unlink(temporary.c_str());
    return temporary;
}

}  // namespace

void SetWriteCall(WriteCall call) { gWriteCall = call ? call : ::pwrite; }

FileSet::~FileSet() {
    for (Pending& file : m_files) Discard(file);
}

void FileSet::Discard(Pending& file) {
    if (!file.temporary.empty()) ::unlink(file.temporary.c_str());
    if (file.fd >= 0) ::close(file.fd);
    file.temporary.clear();
    file.fd = -1;
}

WriteResult FileSet::Add(const WString& path, const std::string& bytes) {
    std::string narrow;
    GetSingleByteFileName(path, narrow);
    if (narrow.empty()) return WriteResult::NotCreated;
    const std::optional<std::string> target = LinkTarget(narrow);
    if (!target || WriteRefused(*target)) return WriteResult::NotCreated;
    WriteResult result = WriteResult::Written;
    if (const std::optional<std::string> temporary = WriteBeside(*target, bytes, result)) {
        if (result == WriteResult::Written) m_files.push_back({*target, *temporary, -1, bytes, std::nullopt});
        return result;
    }
    const int fd = ::open(target->c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return WriteResult::NotCreated;
    m_files.push_back({*target, {}, fd, bytes, std::nullopt});
    return WriteResult::Written;
}

// Files rewritten in place are cut to their new length only once every
// file is written, so that where one fails, those before it are put back
// within their old length and the set stays as it was.
WriteResult FileSet::Write() {
    WriteResult result = WriteResult::Written;
    for (std::size_t i = 0; i < m_files.size() && result == WriteResult::Written; ++i) result = WriteOne(m_files[i]);
    for (Pending& file : m_files)
        if (result == WriteResult::Written && file.replaced && !CutToLength(file)) result = WriteResult::NotWritten;
    for (Pending& file : m_files)
        if (result != WriteResult::Written && file.replaced && !PutBackReplaced(file))
            result = WriteResult::LeftIncomplete;
    for (Pending& file : m_files) Discard(file);
    m_files.clear();
    return result;
}

// A folder that refuses the rename has the file's contents replaced in place.
WriteResult FileSet::WriteOne(Pending& file) {
    if (!file.temporary.empty()) {
        if (::rename(file.temporary.c_str(), file.target.c_str()) == 0) {
            file.temporary.clear();
            return WriteResult::Written;
        }
        file.fd = ::open(file.target.c_str(), O_RDWR | O_CLOEXEC);
        if (file.fd < 0) return WriteResult::NotWritten;
    }
    std::string old;
    const WriteResult result = Overwrite(file.fd, file.bytes, old);
    if (result == WriteResult::Written) file.replaced = std::move(old);
    return result;
}

bool FileSet::CutToLength(Pending& file) {
    const bool cut = ::ftruncate(file.fd, static_cast<off_t>(file.bytes.size())) == 0 && ::fsync(file.fd) == 0;
    return ::close(std::exchange(file.fd, -1)) == 0 && cut;
}

// A file already cut to its new length needs all of its old contents.
bool FileSet::PutBackReplaced(Pending& file) {
    const bool cut = file.fd < 0;
    if (cut) file.fd = ::open(file.target.c_str(), O_RDWR | O_CLOEXEC);
    return file.fd >= 0 && PutBack(file.fd, *file.replaced, cut ? file.replaced->size() : file.bytes.size());
}

WriteResult WriteWholeFile(const WString& path, const std::string& bytes) {
    FileSet file;
    const WriteResult ready = file.Add(path, bytes);
    return ready == WriteResult::Written ? file.Write() : ready;
}

}  // namespace engine_file
