// Stand-in for what the platform tells about the user: the login name, the
// language the user reads and the decimal separator of the user's locale,
// taken from the account database, the locale environment variables and the
// locale the application set from them; and the user's home folder.
#pragma once

#include <string>

namespace platform {

// The name of the user the process runs as; "" when the account database
// does not know the user.
std::string LoginName();

// The user's home folder: HOME, else the account database's; "" when
// neither knows it.
std::string HomeDirectory();

// The user's language as "ll" or "ll_CC" (such as "ja" or "de_CH"), from
// LC_ALL, else LC_MESSAGES, else LANG; "" when none is set or it is "C" or
// "POSIX".
std::string PreferredLanguage();

// The decimal separator of the locale in force, which the application sets
// from the user's (setlocale); "." until it does.
std::string DecimalSeparator();

}  // namespace platform
