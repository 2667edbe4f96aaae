#pragma once

#include <cstdint>
#include <functional>

namespace beacon_analytics {

// The clock and the random source behind a record's "time" and "_track_id".
// The product uses the system clock and the run-time library's rand(); tests
// pass fixed ones to compare whole record texts.
struct RecordEnvironment {
  std::function<int64_t()> nowMs;  // milliseconds since 1970, UTC
  std::function<int()> random;     // non-negative, as rand()
};

RecordEnvironment SystemRecordEnvironment();

// Milliseconds since 1970 UTC from the system's file time.
int64_t SystemNowMs();

// The record's track id from two random draws and the current time: the last
// two digits of (r1 % 99 + 100), the last three of (r2 % 999 + 1000) and the
// last four of the time, read as one decimal number.
int64_t MakeTrackId(int r1, int r2, int64_t nowMs);

}  // namespace beacon_analytics
