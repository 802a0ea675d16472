// The user's name, language and decimal separator.
#include "UserEnvironment.h"

#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <unistd.h>

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

}  // namespace

std::string LoginName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return "";
    return found->pw_name ? found->pw_name : "";
}

std::string PreferredLanguage() {
    std::string locale = FirstSetVariable({"LC_ALL", "LC_MESSAGES", "LANG"});
    locale = locale.substr(0, locale.find_first_of(".@"));  // drop the codeset and modifier
    if (locale == "C" || locale == "POSIX") return "";
    return locale;
}

std::string DecimalSeparator() {
    const std::string name = FirstSetVariable({"LC_ALL", "LC_NUMERIC", "LANG"});
    const locale_t locale = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return ".";
    const char* separator = nl_langinfo_l(RADIXCHAR, locale);
    std::string result = separator && *separator ? separator : ".";
    freelocale(locale);
    return result;
}

}  // namespace platform
