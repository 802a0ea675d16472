// Stand-in for the platform's help viewer: a bundle registers its help book
// (the folder its information dictionary names under
// "CFBundleHelpBookFolder", among its localized resources, whose start page
// is "index.html", with the book's name under "CFBundleHelpBookName"), and a
// page of a registered book is
// opened by the book's name. The viewer writes the page it opens on
// standard error; a HelpRecorder takes it instead.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::int32_t kHelpNoError = 0;
inline constexpr std::int32_t kHelpNoBook = -10790;    // no help book of that bundle or name
inline constexpr std::int32_t kHelpNoPage = -10791;    // the book has no such page

// Registers the help book of the bundle in the folder.
std::int32_t AHRegisterHelpBook(const std::filesystem::path& bundleFolder);
// Opens the page of the book ("" for its start page, "index.html") at the
// anchor ("" for none).
std::int32_t AHGotoPage(std::string_view bookName, std::string_view page, std::string_view anchor);

// Records the pages opened while it exists, in place of the viewer.
class HelpRecorder {
public:
    HelpRecorder();
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    const std::vector<std::filesystem::path>& pages() const { return m_pages; }
    void record(std::filesystem::path page) { m_pages.push_back(std::move(page)); }

private:
    std::vector<std::filesystem::path> m_pages;
    HelpRecorder* m_previous;
};

}  // namespace platform
