// The builders of the product-lifecycle events: activity, launch, login,
// click, view, task, file, uninstall, crash and update.
#include "collect/sdk.h"
#include "tracking/beacon_tracker_impl.h"
#include "tracking/native_user_tracker.h"
#include "tracking/property_helpers.h"
#include "tracking/system_facts.h"
#include "tracking/property_keys.h"
#include "tracking/tracking_constants.h"
#include "tracking/vl_enum_text.h"
#include "tracking/vl_exception.h"

namespace volen {
namespace beacon {

namespace {

using beacon_analytics::PropertiesNode;
using beacon_analytics::Sdk;

VlException ImplError(const char* function, int line, const char* message) {
  return VlException(texts::kSourceImpl, function, line, message);
}

// Results that a task or file event reports; "Unknown" and values outside
// the table are left out.
void SetOutcome(PropertiesNode& properties, const char* key, const std::shared_ptr<VlResult>& result) {
  if (result && *result >= Success && *result <= Fail) properties.SetString(key, toString(*result));
}

}  // namespace

void BeaconTrackerImpl::trackActivity(const VlContextProperties& context) {
  PropertiesNode properties;
  copyContextProperties(KindActivity, properties, context);
  SetIfNotEmpty(properties, keys::kVlAppStore, m_AppStore);
  if (!m_AppName.empty()) {
    properties.SetString(keys::kVlAppId, m_AppName);
    properties.SetString(keys::kPresetAppId, m_AppName);
  }
  SetIfNotEmpty(properties, keys::kPresetAppVersion, m_AppVersion);
  properties.SetString(keys::kPresetIosInstallSource, texts::kInstallSource);
  const std::string osVersion = CurrentOsVersion();
  SetIfNotEmpty(properties, keys::kPresetUserAgent, UserAgentText(osVersion, IsOn64BitSystem()));
  SetFirstTime(properties);
  properties.SetString(keys::kPresetOs, texts::kOsName);
  properties.SetString(keys::kPresetOsVersion, osVersion);
  Sdk::TrackInstallation(texts::kEventActivity, properties);
  NativeUserTracker::activityFollowUp(osVersion, m_AppStore, m_AppName, m_AppVersion);
  m_PendingCount.fetch_add(9);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackLaunch(const VlContextProperties& context) {
  PropertiesNode properties;
  copyContextProperties(KindLaunch, properties, context);
  Sdk::Track(texts::kEventLaunch, properties);
  if (!m_State->loginId.empty()) {
    NativeUserTracker::visitDatesFollowUp();
    m_PendingCount.fetch_add(4);
  }
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackLogin(const VlEventLogin& login, bool success, const std::string& reason,
                                   const VlContextProperties& context) {
  PropertiesNode properties;
  if (!login.userId.empty()) {
    properties.SetString(keys::kVlUserId, login.userId);
    properties.SetString(keys::kVlLoginId, login.userId);
  }
  properties.SetString(keys::kVlType, toString(login.userType));
  properties.SetString(keys::kVlResult, success ? "Success" : "Fail");
  SetIfNotEmpty(properties, keys::kVlReason, reason);
  if (login.userId.empty()) {
    copyContextProperties(KindLogin, properties, context);
    Sdk::Track(texts::kEventLogin, properties);
    deliverAfterEvent(true);
    return;
  }
  SetFirstTime(properties);
  copyContextProperties(KindLogin, properties, context);
  Sdk::Track(texts::kEventLogin, properties);

  TrackerState& state = *m_State;
  state.vipLevel = login.vipLevel;
  if (!state.isLogined || state.loginId.empty()) {
    Sdk::Login(login.userId);
    state.isLogined = true;
    state.loginId = login.userId;
    state.distinctId = login.userId;
    Sdk::SetIdentity(login.userId, true);
    PropertiesNode userId;
    userId.SetString(keys::kVlUserId, login.userId);
    Sdk::RegisterSuperProperties(userId);
  }
  if (!state.statePath.empty()) SaveState(state);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackClick(const VlEventClick& event, const VlContextProperties& context) {
  if (event.name.empty()) throw ImplError("trackClick", 776, "vlEventClick.name is empty");
  PropertiesNode properties;
  properties.SetString(keys::kVlName, event.name);
  properties.SetString(keys::kVlClickType, toString(event.clickType));
  SetIfNotEmpty(properties, keys::kVlAname, event.aname);
  SetIfNotEmpty(properties, keys::kVlTitle, event.title);
  SetIfNotEmpty(properties, keys::kVlPosition, event.position);
  SetIfNotEmpty(properties, keys::kVlModule, event.module);
  SetIfNotEmpty(properties, keys::kVlTabName, event.tabName);
  SetIfGiven(properties, keys::kVlTabIndex, event.tabIndex);
  SetIfNotEmpty(properties, keys::kVlBannerName, event.bannerName);
  SetIfGiven(properties, keys::kVlBannerIndex, event.bannerIndex);
  SetFirstTime(properties);
  copyContextProperties(KindClick, properties, context);
  Sdk::Track(texts::kEventClick, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackView(const VlEventView& event, const VlContextProperties& context) {
  if (event.name.empty()) throw ImplError("trackView", 865, "vlEventView.name is empty");
  PropertiesNode properties;
  properties.SetString(keys::kVlName, event.name);
  SetIfNotEmpty(properties, keys::kVlAname, event.aname);
  SetIfNotEmpty(properties, keys::kVlTitle, event.title);
  SetIfNotEmpty(properties, keys::kVlPosition, event.position);
  SetFirstTime(properties);
  copyContextProperties(KindView, properties, context);
  Sdk::Track(texts::kEventView, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackTask(const VlEventTask& event, const VlContextProperties& context) {
  if (event.name.empty()) throw ImplError("trackTask", 1016, "vlEventTask.name is empty");
  PropertiesNode properties;
  properties.SetString(keys::kVlTaskName, event.name);
  SetIfGiven(properties, keys::kVlTaskElapsed, event.elapsed);
  SetOutcome(properties, keys::kVlTaskResult, event.result);
  SetIfNotEmpty(properties, keys::kVlAname, event.aname);
  SetIfNotEmpty(properties, keys::kVlReason, event.reason);
  SetFirstTime(properties);
  copyContextProperties(KindTask, properties, context);
  Sdk::Track(texts::kEventTask, properties);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackFile(const VlEventFile& event, const VlContextProperties& context) {
  if (event.aname.empty()) throw ImplError("trackFile", 1092, "vlEventFile.aname is empty");
  PropertiesNode properties;
  properties.SetString(keys::kVlAname, event.aname);
  if (event.io) properties.SetString(keys::kVlIo, toString(*event.io));
  SetOutcome(properties, keys::kVlResult, event.result);
  SetIfNotEmpty(properties, keys::kVlName, event.name);
  SetIfNotEmpty(properties, keys::kVlExt, event.ext);
  SetIfGiven(properties, keys::kVlSize, event.size);
  SetIfGiven(properties, keys::kVlDuration, event.duration);
  SetIfGiven(properties, keys::kVlFps, event.fps);
  SetIfGiven(properties, keys::kVlBps, event.bps);
  SetIfGiven(properties, keys::kVlWidth, event.width);
  SetIfGiven(properties, keys::kVlHeight, event.height);
  SetIfGiven(properties, keys::kVlDepth, event.depth);
  SetFirstTime(properties);
  copyContextProperties(KindFile, properties, context);
  Sdk::Track(texts::kEventFile, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackUninstall(const std::string& reason, const VlContextProperties& context) {
  PropertiesNode properties;
  SetIfNotEmpty(properties, keys::kVlUninstallReason, reason);
  copyContextProperties(KindUninstall, properties, context);
  Sdk::Track(texts::kEventUninstall, properties);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackCrash(const std::string& reason) {
  PropertiesNode properties;
  SetIfNotEmpty(properties, keys::kAppCrashedReason, reason);
  Sdk::Track(texts::kEventCrashed, properties);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackUpdate(const VlEventUpdate& event, const VlContextProperties& context) {
  const std::string op = toString(event.op);
  const std::string result = event.result ? toString(*event.result) : std::string();
  PropertiesNode properties;
  properties.SetString(keys::kVlUpdateOp, op);
  switch (event.op) {
    case UpdateCheck:
      properties.SetString(keys::kVlUpdateResult, result);
      break;
    case DownloadEnd:
      if (result.empty()) throw ImplError("trackUpdate", 1629, "Unknown updateResultInfo info");
      properties.SetString(keys::kVlUpdateResult, result);
      if (!event.elapsed) throw ImplError("trackUpdate", 1637, "invalid elapsed info");
      properties.SetNumber(keys::kVlElapsed, static_cast<double>(*event.elapsed));
      break;
    case UpgrateEnd:
      if (result.empty()) throw ImplError("trackUpdate", 1651, "Unknown updateResultInfo info");
      properties.SetString(keys::kVlUpdateResult, result);
      SetFirstTime(properties);
      if (!event.elapsed) throw ImplError("trackUpdate", 1660, "invalid elapsed info");
      properties.SetNumber(keys::kVlElapsed, static_cast<double>(*event.elapsed));
      break;
    default:
      break;
  }
  copyContextProperties(KindUpdate, properties, context);
  Sdk::Track(texts::kEventUpdate, properties);
  deliverAfterEvent(true);
}

}  // namespace beacon
}  // namespace volen
