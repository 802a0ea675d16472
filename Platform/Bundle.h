// Stand-in for the platform's bundles: a folder holding Info.plist (the
// information dictionary) and Resources/, whose <name>.lproj folders hold one
// localization each: InfoPlist.strings (entries that override those of
// Info.plist) and the strings tables (<table>.strings, "Localizable" being
// the default one), all XML property lists. The localization a bundle uses is
// chosen when it is opened, from the user's language, falling back to the
// bundle's development region (English unless Info.plist names another).
//
// A Bundle is a handle: copies share one bundle. The default-constructed one
// is no bundle and answers every question with nothing.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FoundationValues.h"

namespace platform {

class Bundle {
public:
    Bundle() = default;

    // Opens the bundle in the folder and makes it findable by its
    // identifier; no bundle (and a logged reason) when the folder is not
    // there. A missing or malformed Info.plist gives an empty information
    // dictionary, with the reason logged.
    static Bundle Open(const std::filesystem::path& folder);
    // The opened bundle whose "CFBundleIdentifier" is the identifier, or no
    // bundle.
    static Bundle WithIdentifier(std::string_view identifier);
    // Forgets every opened bundle (a fresh state for tests); handles that
    // are held stay valid.
    static void ForgetAll();

    explicit operator bool() const { return m_state != nullptr; }

    std::filesystem::path path() const;
    std::filesystem::path resourcePath() const;
    std::string identifier() const;
    // The names of the <name>.lproj folders, in name order.
    std::vector<std::string> localizations() const;
    // The localization in use, first and only; none when the bundle has none.
    std::vector<std::string> preferredLocalizations() const;

    // Copies of the information dictionary, and of the same with the entries
    // of the localization's InfoPlist.strings put over it.
    Dictionary infoDictionary() const;
    Dictionary localizedInfoDictionary() const;

    // The text of the key in the localization's strings table; the fallback
    // (or, when that is "", the key itself) when the table lacks the key or
    // its entry is not a text. A table missing from the localization is taken
    // from the development region's; a table in neither is empty and logged.
    std::string localizedString(std::string_view key, std::string_view fallback,
                                std::string_view table = "Localizable") const;

    // The resource file of that name (and type, when given, as extension):
    // from Resources/ itself, else from the localization's folder, else from
    // the development region's; an empty path when there is none.
    std::filesystem::path pathForResource(std::string_view name, std::string_view type = {}) const;

    // A path named in the information dictionary: a relative one is taken
    // from the bundle's folder, so that a bundle finds its data wherever it is
    // installed; an absolute one and "" are returned as they stand. A
    // trailing "/" is kept, so that file names can be appended.
    std::string absolutePath(std::string_view path) const;

    // Which of the available localizations serves a reader of the language
    // ("ll" or "ll_CC"): "ll_CC", "ll-CC", "ll" or the language's English
    // name ("Japanese") in that order, else the development region, else
    // "English" or "en", else the first available; "" when none is.
    static std::string MatchLocalization(const std::vector<std::string>& available, std::string_view language,
                                         std::string_view development);

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace platform
