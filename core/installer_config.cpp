#include "core/installer_config.h"

#include <windows.h>

#include "core/download_route.h"
#include "core/number_text.h"
#include "core/product_profile.h"
#include "utils/path_probes.h"

namespace {

constexpr DWORD kValueCapacity = MAX_PATH;

std::wstring ReadProfileString(const std::wstring& file, const wchar_t* key, const wchar_t* fallback) {
  wchar_t buffer[kValueCapacity] = {};
  ::GetPrivateProfileStringW(Profile::kSettingsSection, key, fallback, buffer, kValueCapacity, file.c_str());
  return buffer;
}

bool IsExactlyTrue(const std::wstring& text) { return text == L"true"; }

std::wstring RunningExecutablePath() {
  wchar_t exePath[MAX_PATH] = {};
  // A longer path comes back cut at the buffer size; the settings file is
  // then looked for beside the cut path, which finds nothing.
  ::GetModuleFileNameW(nullptr, exePath, MAX_PATH);
  return exePath;
}

InstallerSettings InitialInstallerConfig() {
  InstallerSettings settings = ProfileSettings();
  LoadSettingsFile(settings, RunningExecutablePath());
  return settings;
}

}  // namespace

InstallerSettings InstallerConfig = InitialInstallerConfig();

void InstallerSettings::SetDownloadUrl(const std::wstring& url) { DownloadUrl = ExpandRoute(url); }

InstallerSettings ProfileSettings() {
  InstallerSettings settings;
  settings.ProductName = Profile::kProductName;
  settings.ProductVersion = Profile::kProductVersion;
  settings.ExeName = Profile::kExeNamePlaceholder;
  settings.DlAppNameSuffix = Profile::kDlAppNameSuffix;
  settings.DlAppVersion.clear();
  settings.InstCmd.clear();
  settings.SetDownloadUrl(Profile::kDownloadUrl);
  settings.DownloadType = Profile::kDownloadType;
  settings.IsCheckNet = Profile::kIsCheckNet;
  settings.IsEnableAppBeacon = Profile::kIsEnableAppBeacon;
  settings.DownloadScale = Profile::kDownloadScale;
  settings.CurlReady = true;
  settings.AbValue = Profile::kAbValue;
  settings.LanguageIndex = Profile::kLanguageIndex;
  return settings;
}

void LoadSettingsFile(InstallerSettings& settings, const std::wstring& exePath) {
  const size_t slash = exePath.find_last_of(L'\\');
  settings.ExeName = slash == std::wstring::npos ? exePath : exePath.substr(slash + 1);
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : exePath.substr(0, slash);
  const std::wstring file = folder + L"\\" + Profile::kSettingsFileName;

  if (Utils::IsExistingFile(file)) {
    settings.SetDownloadUrl(ReadProfileString(file, L"DownloadUrl", Profile::kDownloadUrl));
    int downloadType = 0;
    settings.DownloadType = Settings::ParseLeadingInt(ReadProfileString(file, L"DownloadType", L"1"), downloadType)
                                ? downloadType
                                : 0;
    settings.IsCheckNet = IsExactlyTrue(ReadProfileString(file, L"IsCheckNet", L"true"));
    settings.IsEnableAppBeacon = IsExactlyTrue(ReadProfileString(file, L"IsEnableAppBeacon", L"true"));
    settings.DlAppNameSuffix = ReadProfileString(file, L"DlAppNameSuffix", Profile::kDlAppNameSuffix);
    settings.DlAppVersion = ReadProfileString(file, L"m_DlAppVersion", L"");
    double scale = 0.0;
    settings.DownloadScale =
        Settings::ParseLeadingDouble(ReadProfileString(file, L"DownloadScale", L"0.7"), scale) ? scale : 0.0;
    settings.InstCmd = ReadProfileString(file, L"InstCmd", L"");
  }

  settings.ProductName = Profile::kProductName;
  settings.ProductVersion = Profile::kProductVersion;
}

void LoadSettingsFile() { LoadSettingsFile(InstallerConfig, RunningExecutablePath()); }

void ApplyCommandLineOptions(InstallerSettings& settings, const CommandLineOptions& options) {
  if (options.Has(L"-downloadurl")) settings.SetDownloadUrl(options.GetString(L"-downloadurl"));
  if (options.Has(L"-downloadtype")) settings.DownloadType = options.GetInt(L"-downloadtype");
  if (options.Has(L"-downloadscale")) {
    settings.DownloadScale = options.GetDouble(L"-downloadscale", settings.DownloadScale);
  }
  if (options.Has(L"-ischecknet")) settings.IsCheckNet = options.GetBool(L"-ischecknet");
  if (options.Has(L"-isenableappbeacon")) settings.IsEnableAppBeacon = options.GetBool(L"-isenableappbeacon");
  if (options.Has(L"-dlappnamesuffix")) settings.DlAppNameSuffix = options.GetString(L"-dlappnamesuffix");
  if (options.Has(L"-dlappversion")) settings.DlAppVersion = options.GetString(L"-dlappversion");
  if (options.Has(L"-instcmd")) settings.InstCmd = options.GetString(L"-instcmd");
  if (options.Has(L"-language")) settings.LanguageIndex = options.GetInt(L"-language");
}

void ApplyCommandLine() {
  const wchar_t* commandLine = ::GetCommandLineW();
  ApplyCommandLineOptions(InstallerConfig, ParseCommandLine(commandLine ? commandLine : L""));
}
