// Shared pieces of the fuzz targets: a private folder for the files the
// readers take, a property check that stops the run with a report, and
// catalogs that read and write through the engine's public operations.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "JSE_Media.h"

namespace fuzz {

// Stops the run when a property does not hold; the fuzzer keeps the input.
#define FUZZ_CHECK(condition, what)                                                     \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                               \
        }                                                                               \
    } while (0)

// One folder per process, kept for the whole run and removed at its end.
class Folder {
public:
    static Folder& Instance() {
        static Folder folder;
        return folder;
    }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    WString WidePath(const std::string& name) const {
        const std::string path = Path(name);
        return WString(path.begin(), path.end());
    }
    // Writes the bytes as the whole file and gives its path.
    WString Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return WidePath(name);
    }

private:
    // Memory-backed when the machine has it: the writers sync every file.
    static std::filesystem::path Base() {
        if (!std::getenv("TMPDIR") && std::filesystem::is_directory("/dev/shm")) return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }
    Folder() {
        std::string pattern = Base() / "lumaprex-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        m_path = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string m_path;
};

// A catalog with the engine's colour and type lists, no files loaded.
class Catalog : public JSE_Media {
public:
    Catalog() : JSE_Media(L"English", L"", kColors, kTypes, L':', false) {}

    // The shipped size definitions, so that papers can refer to them.
    void LoadShippedDefinitions() {
        const std::string path = LUMAPREX_DATA_DIR "/PaperCatalog.def";
        LoadDefinitions(WString(path.begin(), path.end()));
    }

    static constexpr const wchar_t* kColors = L"any:white:red:yellow:green:blue:clear";
    static constexpr const wchar_t* kTypes = L"plain:cover:color:insert:tab:transparency";
};

}  // namespace fuzz
