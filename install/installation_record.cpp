#include "install/installation_record.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <clocale>
#include <cwchar>

#include "core/installer_config.h"
#include "core/registry_access.h"
#include "install/install_codes.h"
#include "utils/directories.h"
#include "utils/guid_string.h"
#include "utils/path_probes.h"

namespace {

std::wstring LocalTimeText() {
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  wchar_t text[64] = {};
  std::swprintf(text, 64, L"%d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                now.wSecond);
  return text;
}

}  // namespace

void ReadInstallationRecord(std::wstring& installPath, std::wstring& uninstallEntry, const std::wstring& productKey) {
  installPath.clear();
  uninstallEntry.clear();
  Utils::ReadRegistryStringAt(HKEY_CURRENT_USER, productKey, InstallNames::kInstallPathValue, installPath);
  Utils::ReadRegistryStringAt(HKEY_CURRENT_USER, productKey, InstallNames::kUninstallEntryValue, uninstallEntry);
  if (uninstallEntry.empty() && !installPath.empty()) uninstallEntry = installPath + InstallNames::kDefaultUninstallEntry;
}

bool SkipsRemoval(const std::wstring& chosenFolder, const std::wstring& installPath) {
  wchar_t relative[MAX_PATH] = {};
  if (!::PathRelativePathToW(relative, installPath.c_str(), FILE_ATTRIBUTE_DIRECTORY, chosenFolder.c_str(),
                             FILE_ATTRIBUTE_DIRECTORY) ||
      std::wcscmp(relative, L".") != 0) {
    return false;
  }
  wchar_t isOverride[20] = {};
  const std::wstring setIni = chosenFolder + InstallNames::kSetIniName;
  ::GetPrivateProfileStringW(InstallNames::kUninstallSection, InstallNames::kIsOverrideKey, L"true", isOverride, 20,
                             setIni.c_str());
  return std::wcscmp(isOverride, L"false") == 0;
}

std::wstring AnalyticsSettingsFolder() {
  wchar_t appData[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    appData[0] = L'\0';
    if (!::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_COMMON_DOCUMENTS, FALSE)) return std::wstring();
  }
  return std::wstring(appData) + InstallNames::kAnalyticsFolder;
}

void WriteSetIni(const std::wstring& folder) {
  std::setlocale(LC_ALL, InstallNames::kRecordLocale);

  const std::wstring setIni = folder + InstallNames::kSetIniName;
  using namespace InstallNames;
  ::WritePrivateProfileStringW(kInstallSection, kAppStoreKey, InstallerConfig.ExeName.c_str(), setIni.c_str());
  ::WritePrivateProfileStringW(kInstallSection, kAppNameKey, kAppName, setIni.c_str());
  ::WritePrivateProfileStringW(kInstallSection, kDeviceIdKey, Utils::CreateGuidString().c_str(), setIni.c_str());

  const std::wstring analyticsFolder = AnalyticsSettingsFolder();
  if (analyticsFolder.empty() || !Utils::CreateDirectories(analyticsFolder)) return;
  const std::wstring analyticsIni = analyticsFolder + kAnalyticsIniName;
  ::WritePrivateProfileStringW(kInstallSection, kAnalyticsIniKey, analyticsIni.c_str(), setIni.c_str());
  ::WritePrivateProfileStringW(kInitSection, kUpdateTimeKey, LocalTimeText().c_str(), analyticsIni.c_str());
}

void WriteInstallationRecord(const std::wstring& folder, const std::wstring& reportedEntry,
                             const std::wstring& productKey) {
  Utils::WriteRegistryStringAt(HKEY_CURRENT_USER, productKey, InstallNames::kInstallPathValue, folder);
  const std::wstring entry = reportedEntry.empty() ? folder + InstallNames::kDefaultUninstallEntry : reportedEntry;
  if (Utils::IsExistingFile(entry)) {
    Utils::WriteRegistryStringAt(HKEY_CURRENT_USER, productKey, InstallNames::kUninstallEntryValue, entry);
  }
}
