#include "tracking/beacon_tracker_wrapper.h"

#include <cstdio>

namespace volen {
namespace beacon {

BeaconTrackerWrapper::BeaconTrackerWrapper(std::shared_ptr<BeaconTrackerImpl> impl) : m_Impl(std::move(impl)) {}

BeaconTrackerWrapper::~BeaconTrackerWrapper() {
  if (!m_Impl) return;
  try {
    m_Impl->shutdown();
  } catch (...) {
  }
  m_Impl.reset();
}

template <typename Call>
void BeaconTrackerWrapper::Guarded(const char* operation, Call call) {
  if (!m_Impl) return;
  try {
    call(*m_Impl);
  } catch (...) {
    try {
      if (m_Impl->getLogger()) {
        std::fprintf(stdout, "Failed to %s\n", operation);
        std::fflush(stdout);
      }
    } catch (...) {
    }
  }
}

void BeaconTrackerWrapper::trackActivity(const VlContextProperties& context) {
  Guarded("trackActivity", [&](BeaconTrackerImpl& impl) { impl.trackActivity(context); });
}
void BeaconTrackerWrapper::trackLaunch(const VlContextProperties& context) {
  Guarded("trackLaunch", [&](BeaconTrackerImpl& impl) { impl.trackLaunch(context); });
}
void BeaconTrackerWrapper::trackLogin(const VlEventLogin& login, bool success, const std::string& reason,
                                      const VlContextProperties& context) {
  Guarded("trackLogin", [&](BeaconTrackerImpl& impl) { impl.trackLogin(login, success, reason, context); });
}
void BeaconTrackerWrapper::trackClick(const VlEventClick& event, const VlContextProperties& context) {
  Guarded("trackClick", [&](BeaconTrackerImpl& impl) { impl.trackClick(event, context); });
}
void BeaconTrackerWrapper::trackView(const VlEventView& event, const VlContextProperties& context) {
  Guarded("trackView", [&](BeaconTrackerImpl& impl) { impl.trackView(event, context); });
}
void BeaconTrackerWrapper::trackCashier(const VlEventCashier& event, const VlContextProperties& context) {
  Guarded("trackCashier", [&](BeaconTrackerImpl& impl) { impl.trackCashier(event, context); });
}
void BeaconTrackerWrapper::trackShare(const VlEventShare& event, const VlContextProperties& context) {
  Guarded("trackShare", [&](BeaconTrackerImpl& impl) { impl.trackShare(event, context); });
}
void BeaconTrackerWrapper::trackTask(const VlEventTask& event, const VlContextProperties& context) {
  Guarded("trackTask", [&](BeaconTrackerImpl& impl) { impl.trackTask(event, context); });
}
void BeaconTrackerWrapper::trackFile(const VlEventFile& event, const VlContextProperties& context) {
  Guarded("trackFile", [&](BeaconTrackerImpl& impl) { impl.trackFile(event, context); });
}
void BeaconTrackerWrapper::trackOrder(const VlEventOrder& event, const VlContextProperties& context) {
  Guarded("trackOrder", [&](BeaconTrackerImpl& impl) { impl.trackOrder(event, context); });
}
void BeaconTrackerWrapper::trackPayment(const VlEventPayment& event, const VlContextProperties& context) {
  Guarded("trackPayment", [&](BeaconTrackerImpl& impl) { impl.trackPayment(event, context); });
}
void BeaconTrackerWrapper::trackUninstall(const std::string& reason, const VlContextProperties& context) {
  Guarded("trackUninstall", [&](BeaconTrackerImpl& impl) { impl.trackUninstall(reason, context); });
}
void BeaconTrackerWrapper::trackCrash(const std::string& reason) {
  Guarded("trackCrash", [&](BeaconTrackerImpl& impl) { impl.trackCrash(reason); });
}
void BeaconTrackerWrapper::trackUpdate(const VlEventUpdate& event, const VlContextProperties& context) {
  Guarded("trackUpdate", [&](BeaconTrackerImpl& impl) { impl.trackUpdate(event, context); });
}
void BeaconTrackerWrapper::trackAppOpenNotification(const VlAppOpenNotification* notification,
                                                    const VlContextProperties& context) {
  Guarded("trackAppOpenNotification",
          [&](BeaconTrackerImpl& impl) { impl.trackAppOpenNotification(notification, context); });
}

void BeaconTrackerWrapper::setLocale(const std::string& locale) {
  if (m_Impl) m_Impl->setLocale(locale);
}

std::string BeaconTrackerWrapper::getPrimaryDistinctId() {
  return m_Impl ? m_Impl->getPrimaryDistinctId() : std::string();
}

TrackLogger* BeaconTrackerWrapper::getLogger() { return nullptr; }

}  // namespace beacon
}  // namespace volen
