// Help books by name, and the pages opened in them.
#include "AppleHelp.h"

#include <cstdio>
#include <map>

#include "Bundle.h"

namespace platform {

namespace {

std::map<std::string, std::filesystem::path, std::less<>>& Books() {
    static std::map<std::string, std::filesystem::path, std::less<>> books;
    return books;
}

HelpRecorder*& CurrentRecorder() {
    static HelpRecorder* recorder = nullptr;
    return recorder;
}

}  // namespace

std::int32_t AHRegisterHelpBook(const std::filesystem::path& bundleFolder) {
    const Bundle bundle = Bundle::Open(bundleFolder);
    const Dictionary info = bundle.localizedInfoDictionary();
    const std::string& name = info["CFBundleHelpBookName"].text();
    const std::string& folder = info["CFBundleHelpBookFolder"].text();
    if (name.empty() || folder.empty()) return kHelpNoBook;
    // A book is a folder of pages that starts at "index.html".
    const std::filesystem::path start = bundle.pathForResource(folder + "/index.html");
    if (start.empty()) return kHelpNoBook;
    Books()[name] = start.parent_path();
    return kHelpNoError;
}

std::int32_t AHGotoPage(std::string_view bookName, std::string_view page, std::string_view anchor) {
    const auto book = Books().find(bookName);
    if (book == Books().end()) return kHelpNoBook;
    const std::filesystem::path file = book->second / (page.empty() ? std::string_view("index.html") : page);
    if (!std::filesystem::is_regular_file(file)) return kHelpNoPage;
    if (HelpRecorder* recorder = CurrentRecorder()) {
        recorder->record(file);
    } else {
        std::fprintf(stderr, "help: %s%s%.*s\n", file.c_str(), anchor.empty() ? "" : "#",
                     static_cast<int>(anchor.size()), anchor.data());
    }
    return kHelpNoError;
}

HelpRecorder::HelpRecorder() : m_previous(CurrentRecorder()) { CurrentRecorder() = this; }

HelpRecorder::~HelpRecorder() { CurrentRecorder() = m_previous; }

}  // namespace platform
