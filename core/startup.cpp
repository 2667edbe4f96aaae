#include "core/startup.h"

#include <curl/curl.h>

#include "core/core_constants.h"
#include "core/crash_filter.h"
#include "core/debug_log.h"
#include "core/dll_search_path.h"
#include "core/installer_config.h"
#include "core/installer_tracking.h"
#include "core/library_versions.h"
#include "core/named_mutex.h"

int RunInstaller(HINSTANCE instance, MainWindowFactory makeMainWindow) {
  HardenDllSearchPath();
  ::SetUnhandledExceptionFilter(&CrashFilter);

  const bool curlReady = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
  if (!curlReady) {
    InstallerConfig.CurlReady = false;
    TrackTaskEvent(L"libcurl初始化失败", L"", 0.0f, {{L"AB", L"IN"}});
  }

  Utils::NamedMutex singleInstance(Core::kSingleInstanceName);
  singleInstance.Acquire();
  if (!singleInstance.IsHeld()) return Core::kExitAlreadyRunning;
  LOG_LINE(L"RunInstaller", L"%s\r\n", LibraryVersions().c_str());

  // Decided before the command line: the tracker starts with the profile's
  // and the settings file's values only.
  if (InstallerConfig.IsEnableAppBeacon) StartTracking();
  ApplyCommandLine();

  std::unique_ptr<MainWindowStep> mainWindow = makeMainWindow ? makeMainWindow() : nullptr;
  if (mainWindow) mainWindow->Run(instance);

  if (InstallerConfig.IsEnableAppBeacon) StopTracking();
  // The window's pipeline joins its download threads here; libcurl is cleaned
  // up only once no thread can still be inside a transfer.
  mainWindow.reset();
  if (curlReady) curl_global_cleanup();
  singleInstance.Release();
  return Core::kExitOk;
}
