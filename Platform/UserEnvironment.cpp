// The user's name, home folder, language and decimal separator.
#include "UserEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace platform {

namespace {

// The first of the variables that is set and not empty.
std::string FirstSetVariable(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return "";
}

// One field of the account database's entry of the user the process runs
// as; "" when the database does not know the user.
std::string AccountField(char* passwd::*field) {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return "";
    return found->*field ? found->*field : "";
}

}  // namespace

std::string LoginName() { return AccountField(&passwd::pw_name); }

std::string HomeDirectory() {
    const std::string home = FirstSetVariable({"HOME"});
    return home.empty() ? AccountField(&passwd::pw_dir) : home;
}

std::string PreferredLanguage() {
    std::string locale = FirstSetVariable({"LC_ALL", "LC_MESSAGES", "LANG"});
    locale = locale.substr(0, locale.find_first_of(".@"));  // drop the codeset and modifier
    if (locale == "C" || locale == "POSIX") return "";
    return locale;
}

std::string DecimalSeparator() {
    const lconv* numbers = std::localeconv();
    return numbers && numbers->decimal_point && *numbers->decimal_point ? numbers->decimal_point : ".";
}

}  // namespace platform
