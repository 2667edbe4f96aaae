#include "tracking/tracker_registry.h"

#include <mutex>

namespace volen {
namespace beacon {

namespace {

// Never destroyed: tracking calls from other threads may come while the
// process exits.
std::mutex& HandleLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

std::shared_ptr<BeaconTrackerWrapper>& Handle() {
  static auto* handle = new std::shared_ptr<BeaconTrackerWrapper>();
  return *handle;
}

}  // namespace

void createTracker(const BeaconTrackerConfig& config) {
  try {
    // The collection core is one per process: the old tracker must stop it
    // before the new one starts its own, not after.
    releaseTracker();
    auto impl = std::make_shared<BeaconTrackerImpl>(config);
    try {
      impl->init();
    } catch (...) {
    }
    auto wrapper = std::make_shared<BeaconTrackerWrapper>(std::move(impl));
    std::shared_ptr<BeaconTrackerWrapper> previous;
    {
      std::lock_guard<std::mutex> hold(HandleLock());
      previous = std::move(Handle());
      Handle() = std::move(wrapper);
    }
  } catch (...) {
  }
}

void releaseTracker() {
  try {
    std::shared_ptr<BeaconTrackerWrapper> released;
    {
      std::lock_guard<std::mutex> hold(HandleLock());
      released = std::move(Handle());
      Handle().reset();
    }
    // Destroyed here, outside the lock: the release may wait for uploads.
    released.reset();
  } catch (...) {
  }
}

std::shared_ptr<BeaconTrackerWrapper> currentTracker() {
  std::lock_guard<std::mutex> hold(HandleLock());
  return Handle();
}

}  // namespace beacon
}  // namespace volen
