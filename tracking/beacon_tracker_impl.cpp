#include "tracking/beacon_tracker_impl.h"

#include <windows.h>

#include <chrono>
#include <mutex>
#include <system_error>
#include <thread>

#include "collect/sdk.h"
#include "collect/upload_status.h"
#include "tracking/system_facts.h"
#include "tracking/tracker_environment.h"
#include "tracking/property_keys.h"
#include "tracking/tracking_constants.h"
#include "tracking/vl_enum_text.h"
#include "tracking/vl_exception.h"

namespace volen {
namespace beacon {

namespace {

using beacon_analytics::PropertiesNode;
using beacon_analytics::Sdk;

// Serialises every delivery of the process, so at most one flush of the
// tracking layer runs at a time. Never destroyed: a detached sender may still
// wait for it while the process exits.
std::mutex& DeliveryLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

constexpr int kFlushAttempts = 3;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace

BeaconTrackerImpl::BeaconTrackerImpl(const BeaconTrackerConfig& config)
    : m_ServerUrl(config.serverUrl),
      m_AppName(config.appName),
      m_AppVersion(config.appVersion),
      m_AppStore(config.appStore),
      m_DlAppId(config.dlAppId),
      m_DlAppVersion(config.dlAppVersion),
      m_Edition(config.edition),
      m_State(std::make_unique<TrackerState>()) {
  m_State->logPath = config.logPath;
}

BeaconTrackerImpl::~BeaconTrackerImpl() { shutdown(); }

void BeaconTrackerImpl::init() {
  if (m_AppName.empty()) throw VlException(texts::kSourceImpl, "init", 310, "appName is empty");
  if (m_AppVersion.empty()) throw VlException(texts::kSourceImpl, "init", 314, "appVersion is empty");
  if (m_AppStore.empty()) throw VlException(texts::kSourceImpl, "init", 318, "appStore is empty");
  m_PendingCount = 0;

  const TrackerEnvironment& environment = CurrentTrackerEnvironment();
  TrackerState& state = *m_State;
  const std::string sharedPointer =
      environment.exeFolder ? ReadSharedStatePointer(environment.exeFolder()) : std::string();
  ResolveStatePaths(state, m_AppName, sharedPointer, environment.baseFolder ? environment.baseFolder() : "");
  if (m_ServerUrl.empty()) m_ServerUrl = environment.defaultServerUrl;
  LoadState(state);
  ReconcileState(state, m_ServerUrl);
  if (state.loginId.empty()) state.isLogined = false;
  if (state.logPath.empty()) state.logPath = state.dataFolder + m_AppName + "_" + texts::kLogFileSuffix;

  m_Logger = std::make_unique<NativeTrackLogger>();
  m_Logger->open(state.logPath);

  // Unsent records wait in the data folder, so a run whose uploads failed
  // hands them to the next run.
  const std::string stagingPath = state.dataFolder + m_AppName + "_" + texts::kStagingFileSuffix;
  if (state.isLogined) {
    if (!Sdk::Init(stagingPath, m_ServerUrl, state.loginId, true, environment.sdkOptions))
      throw VlException(texts::kSourceImpl, "init", 407, "beacon_analytics::Sdk::Init is failed");
  } else {
    if (!Sdk::Init(stagingPath, m_ServerUrl, state.distinctId, false, environment.sdkOptions))
      throw VlException(texts::kSourceImpl, "init", 415, "beacon_analytics::Sdk::Init is failed");
  }
  m_OwnsCore = true;
  Sdk::RegisterSuperProperties(presetSuperProperties());
  SaveAppFacts(state, m_AppStore, m_AppName, m_AppVersion);
}

PropertiesNode BeaconTrackerImpl::presetSuperProperties() const {
  const std::string osVersion = CurrentOsVersion();
  const Localisation localisation = CurrentLocalisation(m_State->locale);
  PropertiesNode properties;
  properties.SetString(keys::kVlAppId, m_AppName);
  properties.SetString(keys::kPresetAppVersion, m_AppVersion);
  properties.SetString(keys::kPresetAppId, m_AppName);
  properties.SetString(keys::kVlAppStore, m_AppStore);
  properties.SetString(keys::kVlEdition, toString(static_cast<VlEdition>(m_Edition)));
  if (!m_DlAppId.empty()) properties.SetString(keys::kVlDlappId, m_DlAppId);
  if (!m_DlAppVersion.empty()) properties.SetString(keys::kVlDlappVersion, m_DlAppVersion);
  properties.SetString(keys::kVlAppPlatform, texts::kAppPlatform);
  properties.SetString(keys::kVlTrackType, texts::kTrackType);
  properties.SetString(keys::kVlSdkVersion, texts::kSdkVersion);
  properties.SetString(keys::kVlSdk, texts::kSdkName);
  properties.SetString(keys::kPresetOs, texts::kOsName);
  properties.SetString(keys::kPresetOsVersion, osVersion);
  properties.SetString(keys::kVlL10nLocale, localisation.locale);
  properties.SetString(keys::kVlL10nLanguage, localisation.language);
  properties.SetString(keys::kVlL10nCountry, localisation.country);
  properties.SetNumber(keys::kPresetScreenHeight, static_cast<int32_t>(ScreenHeight()));
  properties.SetNumber(keys::kPresetScreenWidth, static_cast<int32_t>(ScreenWidth()));
  if (!m_State->loginId.empty()) properties.SetString(keys::kVlUserId, m_State->loginId);
  return properties;
}

void BeaconTrackerImpl::setLocale(const std::string& locale) {
  m_State->locale = locale;
  registerLocalisation();
}

void BeaconTrackerImpl::registerLocalisation() {
  const Localisation localisation = CurrentLocalisation(m_State->locale);
  PropertiesNode properties;
  properties.SetString(keys::kVlL10nLocale, localisation.locale);
  properties.SetString(keys::kVlL10nLanguage, localisation.language);
  properties.SetString(keys::kVlL10nCountry, localisation.country);
  if (m_OwnsCore && !m_ShutDown) Sdk::RegisterSuperProperties(properties);
}

std::string BeaconTrackerImpl::getPrimaryDistinctId() { return m_State->primaryDistinctId; }

TrackLogger* BeaconTrackerImpl::getLogger() { return m_Logger.get(); }

void BeaconTrackerImpl::deliverAfterEvent(bool immediate) {
  // A deferred event only has to be counted. Counting it here rather than
  // on a sender thread means a flush that follows at once (the next
  // immediate event, or the release) always sees it.
  if (!immediate) {
    m_PendingCount.fetch_add(1);
    return;
  }
  if (beacon_analytics::lastSendOk()) {
    sendPending();
    return;
  }
  // Until an upload has succeeded the server may be slow or away: the
  // caller (often the UI thread) must not wait for it.
  ::OutputDebugStringW(texts::kAsyncDeliveryLine);
  std::shared_ptr<BeaconTrackerImpl> self = weak_from_this().lock();
  if (!self) {
    sendPending();
    return;
  }
  try {
    std::thread([self] {
      try {
        self->sendPending();
      } catch (...) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: what is pending stays counted and goes out with
    // a later delivery or the release.
  }
}

void BeaconTrackerImpl::sendPending() {
  std::lock_guard<std::mutex> hold(DeliveryLock());
  for (int attempt = 0; attempt < kFlushAttempts && m_PendingCount.load() > 0; ++attempt) {
    if (Sdk::Flush()) {
      m_PendingCount.exchange(0);
      return;
    }
    Pause();
  }
}

void BeaconTrackerImpl::shutdown() {
  if (m_ShutDown) return;
  m_ShutDown = true;
  // A tracker whose init stopped before the paths were known has no state
  // file to write (an empty path would land in the Windows folder).
  if (!m_State->statePath.empty()) SaveState(*m_State);
  if (m_OwnsCore) {
    if (m_PendingCount.load() > 0) {
      for (int attempt = 0; attempt < kFlushAttempts; ++attempt) {
        if (Sdk::Flush()) {
          m_PendingCount.exchange(0);
          break;
        }
      }
    }
    // Waits for a flush still running on a sender thread, then keeps what
    // is left in the staging file for the next run.
    Sdk::Shutdown();
  }
  if (m_Logger) {
    m_Logger->close();
    m_Logger.reset();
  }
}

}  // namespace beacon
}  // namespace volen
