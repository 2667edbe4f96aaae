#pragma once

// Anonymous ids of an installation. Any thread.

#include <functional>
#include <string>

struct _GUID;

namespace volen {
namespace beacon {

// "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X" (36 characters).
std::string FormatDistinctId(const _GUID& guid);

// A new GUID from `createGuid` (one call whose result is discarded, then up
// to 10 more until one succeeds); when all fail, the fallback below.
std::string NewDistinctId(const std::function<long(_GUID*)>& createGuid);

// Eight draws of the process's Mersenne Twister (default seed, 0..2147483646)
// as "%x%x-%x-%x-%x-%x%x%x", the fourth with its low 12 bits or 0x4000, the
// fifth modulo 0x3FFF plus 0x8000.
std::string FallbackDistinctId();

}  // namespace beacon
}  // namespace volen
