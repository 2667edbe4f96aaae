#pragma once

// User-profile updates: each key of the profile has one update mode (set
// once, accumulate, set, append), and each operation sends the matching
// profile record through the collection core (nothing when the core is not
// running). A value that does not fit the key's mode throws VlException.
// Any thread (the core serialises record building).

#include <cstdint>
#include <string>

namespace volen {
namespace beacon {

class NativeUserTracker {
 public:
  enum Mode { NotSupported = 0, SetOnce = 1, Accumulate = 2, Set = 3, Append = 4 };

  static Mode userPropertyMode(const std::string& key);

  static void ProfileUserPropertyString(const std::string& key, const std::string& value);
  static void ProfileUserPropertyNumber(const std::string& key, int value);
  static void ProfileUserPropertyNumber(const std::string& key, double value);
  // value: a time value (milliseconds since 1970 when above 157789439999,
  // otherwise seconds).
  static void ProfileUserPropertyDateTime(const std::string& key, int64_t value);

  // The follow-ups of the activity, launch and payment events.
  static void activityFollowUp(const std::string& osVersion, const std::string& appStore,
                              const std::string& appName, const std::string& appVersion);
  static void visitDatesFollowUp();
  static void paymentFollowUp(float paidAmount);
};

}  // namespace beacon
}  // namespace volen
