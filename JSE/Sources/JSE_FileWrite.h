// Writing engine files whole, so that no failure goes unnoticed: the
// catalog's three files and the settings file. Used by the catalog and the
// settings store, and by tests that put a failing write call in place.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "JSE_String.h"

namespace engine_file {

enum class WriteResult {
    Written,         // the file holds the bytes
    NotCreated,      // no file could be made or opened, a folder is in its place, or the file may not
                     // be written; nothing changed
    NotWritten,      // the bytes could not be written; the file is as it was
    LeftIncomplete,  // rewritten in place, stopped part-way and its old bytes could not be put back:
                     // the file is damaged
};

// The call through which every byte of an engine file is written, pwrite's.
// Tests put one in its place that fails as a full disk does; null puts
// pwrite back.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size, off_t offset);
void SetWriteCall(WriteCall call);

// Files written as one. A symbolic link is followed to the file it names,
// and that file is replaced, so the link keeps pointing at it; a loop of
// links, a folder, or a file the process may not write, is not replaced.
// Each file's new bytes go to a new file beside it, renamed over it once
// every file is ready; where the folder takes no new file, the file is
// opened when added and its contents are replaced in place once every file
// is ready, its old contents put back when that stops part-way. So a file
// that cannot be made ready leaves every file as it was.
class FileSet {
public:
    FileSet() = default;
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;
    // Throws away whatever was made ready and not written.
    ~FileSet();

    // Makes the bytes ready to become the whole file at path; Written when
    // they are.
    WriteResult Add(const WString& path, const std::string& bytes);
    // Writes the files in the order they were added and stops at the first
    // that fails, with its result; the files after it stay as they were, and
    // those rewritten in place before it get their old contents back (a file
    // renamed over before it keeps its new contents). LeftIncomplete when
    // any of them could not be put back.
    WriteResult Write();

private:
    struct Pending {
        std::string target;
        std::string temporary;  // empty when the file is rewritten in place
        int fd = -1;            // the file opened for rewriting in place
        std::string bytes;
        std::optional<std::string> replaced;  // the old contents, once written over in place
    };
    WriteResult WriteOne(Pending& file);
    // Cuts a file rewritten in place to the length of its new contents and
    // closes it.
    bool CutToLength(Pending& file);
    // Gives a file rewritten in place its old contents again.
    bool PutBackReplaced(Pending& file);
    void Discard(Pending& file);
    std::vector<Pending> m_files;
};

// Writes the bytes as the whole file, as a set of one file.
WriteResult WriteWholeFile(const WString& path, const std::string& bytes);

}  // namespace engine_file
