// Stand-in for what the platform tells about the user: the login name, the
// language the user reads and the decimal separator of the user's locale,
// taken from the account database and the locale environment variables.
#pragma once

#include <string>

namespace platform {

// The name of the user the process runs as; "" when the account database
// does not know the user.
std::string LoginName();

// The user's language as "ll" or "ll_CC" (such as "ja" or "de_CH"), from
// LC_ALL, else LC_MESSAGES, else LANG; "" when none is set or it is "C" or
// "POSIX".
std::string PreferredLanguage();

// The decimal separator of the user's locale (LC_ALL, else LC_NUMERIC, else
// LANG); "." when that locale is not installed.
std::string DecimalSeparator();

}  // namespace platform
