// The installer's tracking helpers over the process-wide tracker: wide
// strings to UTF-8, fixed event defaults, the A/B group as a context
// property. Each helper does nothing while InstallerConfig.IsEnableAppBeacon
// is false or no tracker is published, and none throws. Called from the UI
// thread, the downloader threads and the crash filter.
#include "core/installer_tracking.h"

#include "core/installer_config.h"
#include "tracking/tracker_registry.h"
#include "tracking/vl_context_properties.h"
#include "tracking/vl_exception.h"
#include "tracking/tracking_constants.h"
#include "utils/text_convert.h"

namespace {

using namespace volen::beacon;

constexpr unsigned int kUtf8CodePage = 65001;
constexpr wchar_t kAbExtraKey[] = L"AB";
constexpr wchar_t kViewName[] = L"安装中";
constexpr wchar_t kCrashReason[] = L"崩溃";

std::string Utf8(const wchar_t* text) { return text ? Utils::WideToMultiByte(text, kUtf8CodePage) : std::string(); }
std::string Utf8(const std::wstring& text) { return Utils::WideToMultiByte(text, kUtf8CodePage); }

// The A/B group rides as "vlc_ab" on the event of `kind`. A value that
// fails the check (it can come from the settings file) is left off instead
// of failing the whole event.
void ApplyExtraProperties(const TrackingExtraProperties& extra, int kind, VlContextProperties& context) {
  const auto found = extra.find(kAbExtraKey);
  if (found == extra.end()) return;
  const std::string value = Utf8(found->second);
  try {
    if (VlContextProperties::isValidABValue(value)) context.setProperty(texts::kAbKey, value, {kind});
  } catch (const VlException&) {
  }
}

// The published tracker when tracking is on.
std::shared_ptr<BeaconTrackerWrapper> ActiveTracker() {
  if (!InstallerConfig.IsEnableAppBeacon) return nullptr;
  return currentTracker();
}

}  // namespace

void StartTracking() {
  if (!InstallerConfig.IsEnableAppBeacon) return;
  try {
    BeaconTrackerConfig config;
    config.appName = Utf8(InstallerConfig.ProductName + InstallerConfig.DlAppNameSuffix);
    config.appVersion = Utf8(InstallerConfig.ProductVersion);
    config.appStore = Utf8(InstallerConfig.ExeName);
    config.dlAppId = Utf8(InstallerConfig.ProductName);
    config.dlAppVersion = Utf8(InstallerConfig.DlAppVersion);
    config.edition = china;
    createTracker(config);
  } catch (...) {
  }
}

void StopTracking() {
  if (!InstallerConfig.IsEnableAppBeacon) return;
  releaseTracker();
}

void TrackTaskEvent(const wchar_t* name, const wchar_t* reason, float elapsed, TrackingExtraProperties extra) {
  try {
    const std::shared_ptr<BeaconTrackerWrapper> tracker = ActiveTracker();
    if (!tracker) return;
    VlContextProperties context;
    ApplyExtraProperties(extra, KindTask, context);
    VlEventTask event;
    event.name = Utf8(name);
    event.reason = Utf8(reason);
    event.elapsed = std::make_shared<float>(elapsed);
    event.result = std::make_shared<VlResult>(Success);
    tracker->trackTask(event, context);
  } catch (...) {
  }
}

void TrackClickEvent(const wchar_t* name, TrackingExtraProperties extra) {
  try {
    const std::shared_ptr<BeaconTrackerWrapper> tracker = ActiveTracker();
    if (!tracker) return;
    VlContextProperties context;
    ApplyExtraProperties(extra, KindClick, context);
    VlEventClick event;
    event.name = Utf8(name);
    event.clickType = Button;
    tracker->trackClick(event, context);
  } catch (...) {
  }
}

void TrackViewEvent(TrackingExtraProperties extra) {
  try {
    const std::shared_ptr<BeaconTrackerWrapper> tracker = ActiveTracker();
    if (!tracker) return;
    VlContextProperties context;
    ApplyExtraProperties(extra, KindView, context);
    VlEventView event;
    event.name = Utf8(kViewName);
    tracker->trackView(event, context);
  } catch (...) {
  }
}

void TrackCrashEvent() {
  try {
    std::shared_ptr<BeaconTrackerWrapper> tracker = ActiveTracker();
    if (!tracker) return;
    tracker->trackCrash(Utf8(kCrashReason));
    // The process ends when the crash filter returns, without the normal
    // shutdown: release the tracker now, so that what cannot be sent is
    // kept in the staging file for the next run.
    tracker.reset();
    releaseTracker();
  } catch (...) {
  }
}
