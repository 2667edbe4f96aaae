#include "collect/record_environment.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace beacon_analytics {

RecordEnvironment SystemRecordEnvironment() { return RecordEnvironment{&SystemNowMs, &std::rand}; }

int64_t SystemNowMs() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  return static_cast<int64_t>((ticks.QuadPart - 116444736000000000ULL) / 10000ULL);
}

int64_t MakeTrackId(int r1, int r2, int64_t nowMs) {
  auto lastDigits = [](int64_t value, int count) {
    std::string text = std::to_string(value < 0 ? -value : value);
    if (text.size() < static_cast<size_t>(count)) text.insert(0, count - text.size(), '0');
    return text.substr(text.size() - count);
  };
  const int64_t first = (r1 < 0 ? -(r1 % 99) : r1 % 99) + 100;
  const int64_t second = (r2 < 0 ? -(r2 % 999) : r2 % 999) + 1000;
  return std::stoll(lastDigits(first, 2) + lastDigits(second, 3) + lastDigits(nowMs, 4));
}

}  // namespace beacon_analytics
