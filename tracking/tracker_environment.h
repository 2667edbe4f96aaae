#pragma once

// What the tracker takes from the machine: the base of its data folder, the
// folder of the running executable (for "Set.ini"), GUID creation, the
// default collection endpoint and the collection core's start-up options.
// The product always uses SystemTrackerEnvironment(); tests replace parts of
// it with ScopedTrackerEnvironment so that the tracker's files land in a
// scratch folder and uploads go to a loopback server.
//
// Read on the thread that initialises a tracker; replaced only by tests,
// while no tracker exists.

#include <functional>
#include <string>

#include "collect/sdk.h"

struct _GUID;

namespace volen {
namespace beacon {

struct TrackerEnvironment {
  // ANSI path without a trailing "\"; empty when unknown.
  std::function<std::string()> baseFolder;
  // ANSI folder of the running executable, without a trailing "\".
  std::function<std::string()> exeFolder;
  // CoCreateGuid.
  std::function<long(_GUID*)> createGuid;
  std::string defaultServerUrl;
  beacon_analytics::SdkOptions sdkOptions;
};

TrackerEnvironment SystemTrackerEnvironment();
const TrackerEnvironment& CurrentTrackerEnvironment();

// Installs an environment for its lifetime and restores the previous one.
class ScopedTrackerEnvironment {
 public:
  explicit ScopedTrackerEnvironment(TrackerEnvironment environment);
  ~ScopedTrackerEnvironment();
  ScopedTrackerEnvironment(const ScopedTrackerEnvironment&) = delete;
  ScopedTrackerEnvironment& operator=(const ScopedTrackerEnvironment&) = delete;

 private:
  TrackerEnvironment m_Previous;
};

}  // namespace beacon
}  // namespace volen
