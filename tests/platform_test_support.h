// Shared set-up of the platform stand-in tests: the locale variables set for
// the life of an object, and a locale whose decimal separator is a comma.
#pragma once

#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "filter_test_support.h"

namespace platform_test {

// Sets LANG, LC_MESSAGES and LC_ALL as given (nullptr: unset) and puts back
// what was there when it goes.
class LocaleEnvironment {
public:
    explicit LocaleEnvironment(const char* lang, const char* messages = nullptr, const char* all = nullptr) {
        const char* values[] = {lang, messages, all};
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            const char* old = std::getenv(kNames[i]);
            m_saved.emplace_back(kNames[i], old ? std::optional<std::string>(old) : std::nullopt);
            if (values[i]) setenv(kNames[i], values[i], 1);
            else unsetenv(kNames[i]);
        }
    }
    ~LocaleEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value) setenv(name, value->c_str(), 1);
            else unsetenv(name);
        }
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

private:
    static constexpr const char* kNames[] = {"LANG", "LC_MESSAGES", "LC_ALL"};
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

// German, whose decimal separator is ",", compiled into a folder of its own
// that LOCPATH names while the object exists; not ready where the build
// machine lacks localedef or the locale sources.
class CommaLocale {
public:
    static constexpr const char* kName = "de_DE.UTF-8";

    CommaLocale() {
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + m_folder.file(kName) + "' >/dev/null 2>&1";
        m_ready = std::system(command.c_str()) == 0;
        if (m_ready) setenv("LOCPATH", m_folder.path().c_str(), 1);
    }
    ~CommaLocale() {
        if (m_used) std::setlocale(LC_ALL, "C");
        if (m_ready) unsetenv("LOCPATH");
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool ready() const { return m_ready; }
    // Puts the process in the locale, as the application does for the
    // user, until the object goes; false when it cannot.
    bool use() {
        m_used = std::setlocale(LC_ALL, kName) != nullptr;
        return m_used;
    }

private:
    filter_test::TempDir m_folder;
    bool m_ready = false;
    bool m_used = false;
};

}  // namespace platform_test
