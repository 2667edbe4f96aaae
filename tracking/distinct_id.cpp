#include "tracking/distinct_id.h"

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <random>

namespace volen {
namespace beacon {

std::string FormatDistinctId(const GUID& guid) {
  char text[40] = {};
  std::snprintf(text, sizeof(text), "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

std::string NewDistinctId(const std::function<long(GUID*)>& createGuid) {
  GUID guid = {};
  if (createGuid) {
    createGuid(&guid);
    for (int attempt = 0; attempt < 10; ++attempt) {
      if (SUCCEEDED(createGuid(&guid))) return FormatDistinctId(guid);
    }
  }
  return FallbackDistinctId();
}

std::string FallbackDistinctId() {
  static std::mutex lock;
  static std::mt19937 generator;
  std::uniform_int_distribution<int> draw(0, 2147483646);
  unsigned v[8] = {};
  {
    std::lock_guard<std::mutex> hold(lock);
    for (unsigned& value : v) value = static_cast<unsigned>(draw(generator));
  }
  v[3] = (v[3] & 0xFFF) | 0x4000;
  v[4] = v[4] % 0x3FFF + 0x8000;
  char text[96] = {};
  std::snprintf(text, sizeof(text), "%x%x-%x-%x-%x-%x%x%x", v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  return text;
}

}  // namespace beacon
}  // namespace volen
