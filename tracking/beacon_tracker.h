#pragma once

// The tracker interface that the installer calls. Operations may be called
// from any thread; the process-wide tracker (tracker_registry.h) is a
// BeaconTrackerWrapper, whose operations never throw.

#include <string>

#include "tracking/track_logger.h"
#include "tracking/vl_context_properties.h"
#include "tracking/vl_types.h"

namespace volen {
namespace beacon {

class BeaconTracker {
 public:
  virtual ~BeaconTracker() = default;
  virtual void trackActivity(const VlContextProperties& context) = 0;
  virtual void trackLaunch(const VlContextProperties& context) = 0;
  virtual void trackLogin(const VlEventLogin& login, bool success, const std::string& reason,
                          const VlContextProperties& context) = 0;
  virtual void trackClick(const VlEventClick& event, const VlContextProperties& context) = 0;
  virtual void trackView(const VlEventView& event, const VlContextProperties& context) = 0;
  virtual void trackCashier(const VlEventCashier& event, const VlContextProperties& context) = 0;
  virtual void trackShare(const VlEventShare& event, const VlContextProperties& context) = 0;
  virtual void trackTask(const VlEventTask& event, const VlContextProperties& context) = 0;
  virtual void trackFile(const VlEventFile& event, const VlContextProperties& context) = 0;
  virtual void trackOrder(const VlEventOrder& event, const VlContextProperties& context) = 0;
  virtual void trackPayment(const VlEventPayment& event, const VlContextProperties& context) = 0;
  virtual void trackUninstall(const std::string& reason, const VlContextProperties& context) = 0;
  virtual void trackCrash(const std::string& reason) = 0;
  virtual void trackUpdate(const VlEventUpdate& event, const VlContextProperties& context) = 0;
  virtual void trackAppOpenNotification(const VlAppOpenNotification* notification,
                                        const VlContextProperties& context) = 0;
  virtual void setLocale(const std::string& locale) = 0;
  virtual std::string getPrimaryDistinctId() = 0;
  virtual TrackLogger* getLogger() = 0;
};

}  // namespace beacon
}  // namespace volen
