// Writing an engine file whole, so that no failure goes unnoticed: the
// catalog's three files and the settings file. Used by the catalog and the
// settings store only.
#pragma once

#include <string>

#include "JSE_String.h"

namespace engine_file {

enum class WriteResult {
    Written,         // the file holds the bytes
    NotCreated,      // no file could be made or opened; nothing changed
    NotWritten,      // the bytes could not be written; the file is as it was
    LeftIncomplete,  // rewritten in place and stopped part-way: the file is damaged
};

// Writes the bytes as the whole file. A symbolic link is followed to the
// file it names, and that file is replaced, so the link keeps pointing at
// it. The bytes go to a new file beside it, renamed over it once complete;
// where the folder takes no new file, or refuses the rename, the file's own
// contents are replaced in place.
WriteResult WriteWholeFile(const WString& path, const std::string& bytes);

}  // namespace engine_file
