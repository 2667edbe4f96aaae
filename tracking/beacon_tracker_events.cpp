// The builders of the product-lifecycle events: activity, launch, login,
// click, view, task, file, uninstall, crash and update.
#include "collect/sdk.h"
#include "tracking/beacon_tracker_impl.h"
#include "tracking/native_user_tracker.h"
#include "tracking/property_helpers.h"
#include "tracking/system_facts.h"
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
  SetIfNotEmpty(properties, "vl_app_store", m_AppStore);
  if (!m_AppName.empty()) {
    properties.SetString("vl_app_id", m_AppName);
    properties.SetString("$app_id", m_AppName);
  }
  SetIfNotEmpty(properties, "$app_version", m_AppVersion);
  properties.SetString("$ios_install_source", texts::kInstallSource);
  const std::string osVersion = CurrentOsVersion();
  SetIfNotEmpty(properties, "$user_agent", UserAgentText(osVersion, IsOn64BitSystem()));
  SetFirstTime(properties);
  properties.SetString("$os", texts::kOsName);
  properties.SetString("$os_version", osVersion);
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
    properties.SetString("vl_user_id", login.userId);
    properties.SetString("vl_login_id", login.userId);
  }
  properties.SetString("vl_type", toString(login.userType));
  properties.SetString("vl_result", success ? "Success" : "Fail");
  SetIfNotEmpty(properties, "vl_reason", reason);
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
    userId.SetString("vl_user_id", login.userId);
    Sdk::RegisterSuperProperties(userId);
  }
  if (!state.statePath.empty()) SaveState(state);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackClick(const VlEventClick& event, const VlContextProperties& context) {
  if (event.name.empty()) throw ImplError("trackClick", 776, "vlEventClick.name is empty");
  PropertiesNode properties;
  properties.SetString("vl_name", event.name);
  properties.SetString("vl_click_type", toString(event.clickType));
  SetIfNotEmpty(properties, "vl_aname", event.aname);
  SetIfNotEmpty(properties, "vl_title", event.title);
  SetIfNotEmpty(properties, "vl_position", event.position);
  SetIfNotEmpty(properties, "vl_module", event.module);
  SetIfNotEmpty(properties, "vl_tab_name", event.tabName);
  SetIfGiven(properties, "vl_tab_index", event.tabIndex);
  SetIfNotEmpty(properties, "vl_banner_name", event.bannerName);
  SetIfGiven(properties, "vl_banner_index", event.bannerIndex);
  SetFirstTime(properties);
  copyContextProperties(KindClick, properties, context);
  Sdk::Track(texts::kEventClick, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackView(const VlEventView& event, const VlContextProperties& context) {
  if (event.name.empty()) throw ImplError("trackView", 865, "vlEventView.name is empty");
  PropertiesNode properties;
  properties.SetString("vl_name", event.name);
  SetIfNotEmpty(properties, "vl_aname", event.aname);
  SetIfNotEmpty(properties, "vl_title", event.title);
  SetIfNotEmpty(properties, "vl_position", event.position);
  SetFirstTime(properties);
  copyContextProperties(KindView, properties, context);
  Sdk::Track(texts::kEventView, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackTask(const VlEventTask& event, const VlContextProperties& context) {
  if (event.name.empty()) throw ImplError("trackTask", 1016, "vlEventTask.name is empty");
  PropertiesNode properties;
  properties.SetString("vl_task_name", event.name);
  SetIfGiven(properties, "vl_task_elapsed", event.elapsed);
  SetOutcome(properties, "vl_task_result", event.result);
  SetIfNotEmpty(properties, "vl_aname", event.aname);
  SetIfNotEmpty(properties, "vl_reason", event.reason);
  SetFirstTime(properties);
  copyContextProperties(KindTask, properties, context);
  Sdk::Track(texts::kEventTask, properties);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackFile(const VlEventFile& event, const VlContextProperties& context) {
  if (event.aname.empty()) throw ImplError("trackFile", 1092, "vlEventFile.aname is empty");
  PropertiesNode properties;
  properties.SetString("vl_aname", event.aname);
  if (event.io) properties.SetString("vl_io", toString(*event.io));
  SetOutcome(properties, "vl_result", event.result);
  SetIfNotEmpty(properties, "vl_name", event.name);
  SetIfNotEmpty(properties, "vl_ext", event.ext);
  SetIfGiven(properties, "vl_size", event.size);
  SetIfGiven(properties, "vl_duration", event.duration);
  SetIfGiven(properties, "vl_fps", event.fps);
  SetIfGiven(properties, "vl_bps", event.bps);
  SetIfGiven(properties, "vl_width", event.width);
  SetIfGiven(properties, "vl_height", event.height);
  SetIfGiven(properties, "vl_depth", event.depth);
  SetFirstTime(properties);
  copyContextProperties(KindFile, properties, context);
  Sdk::Track(texts::kEventFile, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackUninstall(const std::string& reason, const VlContextProperties& context) {
  PropertiesNode properties;
  SetIfNotEmpty(properties, "vl_uninstall_reason", reason);
  copyContextProperties(KindUninstall, properties, context);
  Sdk::Track(texts::kEventUninstall, properties);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackCrash(const std::string& reason) {
  PropertiesNode properties;
  SetIfNotEmpty(properties, "app_crashed_reason", reason);
  Sdk::Track(texts::kEventCrashed, properties);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackUpdate(const VlEventUpdate& event, const VlContextProperties& context) {
  const std::string op = toString(event.op);
  const std::string result = event.result ? toString(*event.result) : std::string();
  PropertiesNode properties;
  properties.SetString("vl_update_op", op);
  switch (event.op) {
    case UpdateCheck:
      properties.SetString("vl_update_result", result);
      break;
    case DownloadEnd:
      if (result.empty()) throw ImplError("trackUpdate", 1629, "Unknown updateResultInfo info");
      properties.SetString("vl_update_result", result);
      if (!event.elapsed) throw ImplError("trackUpdate", 1637, "invalid elapsed info");
      properties.SetNumber("vl_elapsed", static_cast<double>(*event.elapsed));
      break;
    case UpgrateEnd:
      if (result.empty()) throw ImplError("trackUpdate", 1651, "Unknown updateResultInfo info");
      properties.SetString("vl_update_result", result);
      SetFirstTime(properties);
      if (!event.elapsed) throw ImplError("trackUpdate", 1660, "invalid elapsed info");
      properties.SetNumber("vl_elapsed", static_cast<double>(*event.elapsed));
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
