#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "collect/properties_node.h"
#include "tracking/beacon_tracker.h"
#include "tracking/native_track_logger.h"
#include "tracking/tracker_state.h"

namespace volen {
namespace beacon {

// The tracker itself: checks each event record, builds its property set,
// records it through the collection core and delivers. Operations throw
// VlException on bad input (BeaconTrackerWrapper swallows it).
//
// Ownership: always held by a shared_ptr. A delivery that runs on a detached
// thread holds its own reference, so the object outlives every sender; the
// owner ends the tracker's work with shutdown() (saves the state, flushes,
// stops the core, closes the log) without waiting for those threads.
//
// Threads: tracking operations from any thread; init, trackLogin,
// trackPayment and shutdown touch the state file and belong to one thread
// at a time (the installer's UI thread).
class BeaconTrackerImpl : public BeaconTracker, public std::enable_shared_from_this<BeaconTrackerImpl> {
 public:
  explicit BeaconTrackerImpl(const BeaconTrackerConfig& config);
  ~BeaconTrackerImpl() override;
  BeaconTrackerImpl(const BeaconTrackerImpl&) = delete;
  BeaconTrackerImpl& operator=(const BeaconTrackerImpl&) = delete;

  // Validates the record, resolves and reconciles the persisted identity,
  // opens the log and starts the collection core. Throws VlException.
  void init();
  // The end of the tracker's work; idempotent, also run by the destructor.
  void shutdown();

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

  // The last step of every tracking operation. Deferred events only count
  // as pending; an immediate one flushes what is pending, on the caller's
  // thread once an upload has succeeded, on a detached thread before that.
  void deliverAfterEvent(bool immediate);

  int pendingCount() const { return m_PendingCount.load(); }
  const TrackerState& state() const { return *m_State; }

 private:
  // Up to 3 flushes while something is pending; one delivery at a time.
  void sendPending();
  beacon_analytics::PropertiesNode presetSuperProperties() const;
  void registerLocalisation();

  std::string m_ServerUrl;
  std::string m_AppName;
  std::string m_AppVersion;
  std::string m_AppStore;
  std::string m_DlAppId;
  std::string m_DlAppVersion;
  std::unique_ptr<NativeTrackLogger> m_Logger;
  int m_Edition;
  std::unique_ptr<TrackerState> m_State;
  std::atomic<int> m_PendingCount{0};
  // This tracker started the collection core and stops it in shutdown().
  bool m_OwnsCore = false;
  bool m_ShutDown = false;
};

}  // namespace beacon
}  // namespace volen
