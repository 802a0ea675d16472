// Stand-in for the platform's Gestalt, as far as the extension asks it: the
// system's version, as four binary-coded decimal digits (0x1050 for 10.5.0).
#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// The selector of the system version ('sysv').
inline constexpr std::uint32_t kGestaltSystemVersion = 0x73797376;
inline constexpr int kGestaltNoError = 0;
inline constexpr int kGestaltUnknownSelector = -5551;

// The answer for the selector; kGestaltUnknownSelector when there is none.
int Gestalt(std::uint32_t selector, std::int32_t* response);

// Setup side: sets the answer for a selector, or takes it away. The system
// version starts at 0x1090, the highest the selector can tell.
void SetGestaltValue(std::uint32_t selector, std::optional<std::int32_t> value);

}  // namespace platform
