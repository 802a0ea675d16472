// Queue PPDs for the data-store targets, built the way the scheduler keeps
// the "PPD:" items a filter writes: one main keyword per item, its value as
// the item carried it.
#pragma once
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "ppdx.h"

namespace fuzz {

using PpdItems = std::vector<std::pair<std::string, std::string>>;

struct FreeDeleter {
    void operator()(void* buffer) const { std::free(buffer); }
};

// A data set as a later filter reads it back: null when there is none.
struct DataSet {
    std::unique_ptr<char, FreeDeleter> content;
    std::size_t size = 0;
};

// Where the store's error lines go during a run.
inline std::FILE* Discard() {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    return sink;
}

// The items of every "PPD:" line in the text, parsed as the scheduler does.
inline PpdItems ItemsOfStatusLines(const std::string& text) {
    PpdItems items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind("PPD:", 0) != 0) continue;
        cups_option_t* options = nullptr;
        const int count = cupsParseOptions(line.c_str() + 4, 0, &options);
        for (int i = 0; i < count; ++i) items.emplace_back(options[i].name, options[i].value);
        cupsFreeOptions(count, options);
    }
    return items;
}

// Writes a queue PPD holding the items and opens it; null when it does not
// open.
inline ppd_file_t* QueuePpd(const PpdItems& items) {
    std::string text = "*PPD-Adobe: \"4.3\"\n";
    for (const auto& [keyword, value] : items) text += "*" + keyword + ": " + value + "\n";
    text += "*FormatVersion: \"4.3\"\n*LanguageVersion: English\n";
    const Folder& folder = Folder::Instance();
    folder.Write("queue.ppd", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return ppdOpenFile(folder.Path("queue.ppd").c_str());
}

// Reads the named data set from a queue PPD holding the items; false when
// the PPD does not open.
inline bool ReadFromQueuePpd(const PpdItems& items, const char* name, DataSet& out) {
    ppd_file_t* ppd = QueuePpd(items);
    if (!ppd) return false;
    out.content.reset(static_cast<char*>(ppdxReadDataFrom(ppd, name, &out.size, Discard())));
    ppdClose(ppd);
    return true;
}

// Writes the data set as "PPD:" lines; false when the store refuses it.
inline bool WriteStatusLines(const char* name, const void* data, std::size_t size, std::string& text) {
    char* buffer = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&buffer, &length);
    const bool written = ppdxWriteDataTo(out, name, data, size);
    std::fclose(out);
    text.assign(buffer, length);
    std::free(buffer);
    return written;
}

}  // namespace fuzz
