#pragma once

// The compiled-in product profile: the first layer of InstallerConfig.

namespace Profile {

constexpr wchar_t kProductName[] = L"Tovrel Rezuv Ovozuzave";
constexpr wchar_t kProductVersion[] = L"1.7.9";
constexpr wchar_t kExeNamePlaceholder[] = L"NULL";  // replaced while loading
constexpr wchar_t kDlAppNameSuffix[] = L".downloader";
constexpr wchar_t kDownloadUrl[] = L"http://dlinfo.volensoft.com/software/340";
constexpr int kDownloadType = 1;
constexpr bool kIsCheckNet = false;
constexpr bool kIsEnableAppBeacon = true;
constexpr double kDownloadScale = 0.7;
constexpr wchar_t kAbValue[] = L"IN";
constexpr int kLanguageIndex = 0;

// Route choice for "${ROUTE}" in the package URL.
constexpr int kProductId = 549;
constexpr int k64BitProductIds[] = {267, 385, 257, 335, 318};

// The settings file beside the executable and its section.
constexpr wchar_t kSettingsFileName[] = L"VolenInstallerConfig.ini";
constexpr wchar_t kSettingsSection[] = L"Install";

}  // namespace Profile
