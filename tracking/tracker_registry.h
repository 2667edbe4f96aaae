#pragma once

// The process-wide tracker: one shared handle, empty until createTracker and
// again after releaseTracker. Any thread may take a copy of the handle and
// track through it; creation and release come from the UI thread.

#include <memory>

#include "tracking/beacon_tracker_wrapper.h"
#include "tracking/vl_types.h"

namespace volen {
namespace beacon {

// Releases a tracker published before, then builds, initialises and
// publishes a new one; a failed initialisation is swallowed (the tracker is
// published all the same and records nothing). Never throws.
void createTracker(const BeaconTrackerConfig& config);
// Empties the handle; the last reference ends the tracker's work (which may
// wait for uploads). Never throws.
void releaseTracker();
// The published tracker, or null.
std::shared_ptr<BeaconTrackerWrapper> currentTracker();

}  // namespace beacon
}  // namespace volen
