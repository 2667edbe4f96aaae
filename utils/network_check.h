#pragma once

#include <cstdint>

namespace Utils {

// Low 16 bits: the Network List Manager's connectivity flags; high 16 bits: a
// NET_VERDICT_* value. Callers test only `result < 65536` (network usable).
using NetworkCheckResult = std::uint32_t;

// Asks the Windows Network List Manager. A system without one counts as
// connected (result 0). COM must be initialised on the calling thread (the
// main window's network-check worker does that). Never throws.
NetworkCheckResult CheckNetwork();

// The verdict arithmetic, apart from COM: `connectedToInternet` is only
// consulted when some connectivity flag is set.
NetworkCheckResult ComposeNetworkCheckResult(std::uint32_t connectivityFlags, bool connectedToInternet);

}  // namespace Utils
