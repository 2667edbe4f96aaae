#pragma once

#include <memory>
#include <string>

#include "tracking/beacon_tracker.h"
#include "tracking/beacon_tracker_impl.h"

namespace volen {
namespace beacon {

// The facade that callers hold. Forwards every operation to its
// implementation (if any) and swallows every exception of the tracking
// operations, so tracking never disturbs the installer; while the
// implementation has a log, each swallowed failure prints "Failed to " + the
// operation's name on standard output. Destroying the wrapper ends the
// implementation's work (state saved, pending records flushed, core
// stopped); detached senders may keep the object itself alive a little
// longer.
class BeaconTrackerWrapper : public BeaconTracker {
 public:
  explicit BeaconTrackerWrapper(std::shared_ptr<BeaconTrackerImpl> impl);
  ~BeaconTrackerWrapper() override;
  BeaconTrackerWrapper(const BeaconTrackerWrapper&) = delete;
  BeaconTrackerWrapper& operator=(const BeaconTrackerWrapper&) = delete;

  void trackActivity(const VlContextProperties& context) override;
  void trackLaunch(const VlContextProperties& context) override;
  void trackLogin(const VlEventLogin& login, bool success, const std::string& reason,
                  const VlContextProperties& context) override;
  void trackClick(const VlEventClick& event, const VlContextProperties& context) override;
  void trackView(const VlEventView& event, const VlContextProperties& context) override;
  void trackCashier(const VlEventCashier& event, const VlContextProperties& context) override;
  void trackShare(const VlEventShare& event, const VlContextProperties& context) override;
  void trackTask(const VlEventTask& event, const VlContextProperties& context) override;
  void trackFile(const VlEventFile& event, const VlContextProperties& context) override;
  void trackOrder(const VlEventOrder& event, const VlContextProperties& context) override;
  void trackPayment(const VlEventPayment& event, const VlContextProperties& context) override;
  void trackUninstall(const std::string& reason, const VlContextProperties& context) override;
  void trackCrash(const std::string& reason) override;
  void trackUpdate(const VlEventUpdate& event, const VlContextProperties& context) override;
  void trackAppOpenNotification(const VlAppOpenNotification* notification,
                                const VlContextProperties& context) override;
  void setLocale(const std::string& locale) override;
  std::string getPrimaryDistinctId() override;
  TrackLogger* getLogger() override;

  // The implementation, for tests that look at its state.
  const std::shared_ptr<BeaconTrackerImpl>& impl() const { return m_Impl; }

 private:
  template <typename Call>
  void Guarded(const char* operation, Call call);

  std::shared_ptr<BeaconTrackerImpl> m_Impl;
};

}  // namespace beacon
}  // namespace volen
