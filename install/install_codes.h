#pragma once

// Status codes and fixed texts of the installation subsystem: the package
// runner (2xxx, 3xxx), the previous-version removal (5xxx), the line
// protocols both programs speak, and the names of the files and registry
// values the installation leaves. The 1xxx codes of the downloaders are in
// download/download_codes.h; all of them travel through DownloadCallback.

#include <cstdint>

enum : int32_t {
  IST_CODE_START = 2001,
  IST_CODE_PROGRESS = 2002,
  IST_CODE_SUCCESS = 2003,
  IST_CODE_FAIL = 2004,

  IST_INFO_INST_PATH = 3000,
  IST_INFO_EXE_PATH = 3001,
  IST_INFO_UNINST_EXE = 3002,
  IST_INFO_UNINST_EP = 3003,
  IST_INFO_START_URL = 3004,
  IST_INFO_STARTUP_STYLE = 3005,
  // 3006 is not used.
  IST_INFO_TOP_DETENTION = 3007,
  IST_INFO_CLOSE_DETENTION = 3008,
  IST_INFO_MESSAGE = 3009,

  UNIST_CODE_START = 5001,  // reserved, never sent
  UNIST_CODE_PROGRESS = 5002,
  UNIST_CODE_SUCCESS = 5003,
  UNIST_CODE_FAIL = 5004,
  UNIST_CODE_ERROR = 5005,
};

// Values that go with some of the codes.
namespace InstallValue {
inline constexpr double kVerdictLine = 0.0;        // 2003/2004/5003 after a "State=" line
inline constexpr double kEndedWithoutVerdict = 1.0;  // 2003/5003 when the program just ended
inline constexpr double kErrorLine = 1000.0;       // 2004 after an "Error=" line
inline constexpr double kUninstallerMissing = 1.0;  // 5004
inline constexpr double kStartFailed = 2.0;         // 2004/5004: pipe or process not created
}  // namespace InstallValue

// Verdicts of one parse (CInstaller::Parse, UninstallRunner::Parse).
enum : int32_t {
  kVerdictNone = 0,
  kVerdictSuccess = 1,
  kVerdictFailure = 1000,
};

// Texts shown to the user with the failure codes.
namespace InstallText {
inline constexpr const wchar_t* kPackageFailed = L"安装包安装失败";
inline constexpr const wchar_t* kUninstallerMissing = L"可执行卸载文件不存在";
inline constexpr const wchar_t* kUninstallFailed = L"安装包卸载失败";
}  // namespace InstallText

// Keys of the output protocols, matched at the start of a line, case-sensitively.
namespace ProtocolKey {
inline constexpr const wchar_t* kProgress = L"Progress=";
inline constexpr const wchar_t* kInstPath = L"InstPath=";
inline constexpr const wchar_t* kState = L"State=";
inline constexpr const wchar_t* kInstallVersion = L"InstallVersion=";
inline constexpr const wchar_t* kExePath = L"ExePath=";
inline constexpr const wchar_t* kStartExe = L"StartExe=";
inline constexpr const wchar_t* kUninstExePath = L"UninstExePath=";
inline constexpr const wchar_t* kUninstExe = L"UninstExe=";
inline constexpr const wchar_t* kUninstEp = L"UninstEp=";
inline constexpr const wchar_t* kError = L"Error=";
inline constexpr const wchar_t* kTopShowDetention = L"TopShowDetention=";
inline constexpr const wchar_t* kFinishCloseDetention = L"FinsihCloseDetention=";  // spelled so by the packages
inline constexpr const wchar_t* kStartUrl = L"StartUrl=";
inline constexpr const wchar_t* kStartupStyle = L"StartupStyle=";
inline constexpr const wchar_t* kEncode = L"Encode=";
inline constexpr const wchar_t* kMessage = L"Message=";
}  // namespace ProtocolKey

// Values of the protocol lines.
namespace ProtocolValue {
inline constexpr const wchar_t* kSuccess = L"Success";
inline constexpr const wchar_t* kFail = L"Fail";
inline constexpr const wchar_t* kUtf8 = L"UTF8";
inline constexpr const wchar_t* kAnsi = L"ACP";
inline constexpr const wchar_t* kNonStartup = L"NonStartup";
inline constexpr const wchar_t* kAutoStartup = L"AutoStartup";
inline constexpr const wchar_t* kUserStartup = L"UserStartup";
}  // namespace ProtocolValue

// Longest text value of a protocol line; a longer one is reported as empty.
inline constexpr size_t kMaxProtocolText = 771;

// Files and registry values of an installation.
namespace InstallNames {
// The product name as the pipeline spells it in the package file name.
inline constexpr const wchar_t* kPackageFilePrefix = L"\\__Package_";
inline constexpr const wchar_t* kPackageProductName = L"Tovrel Rezuv Ovozuzave";
inline constexpr const wchar_t* kPackageFileSuffix = L".exe";
// Appended to the installer's temporary folder, which already ends with a
// backslash; Windows accepts the doubled separator.
inline constexpr const wchar_t* kUninstallerCopyName = L"\\TovrelRezuvOvozuzave_un_asa.exe";
inline constexpr const wchar_t* kDefaultUninstallEntry = L"\\uninst.ep";

inline constexpr const wchar_t* kInstallPathValue = L"InstallPath";
inline constexpr const wchar_t* kUninstallEntryValue = L"UnInstallEp";

inline constexpr const wchar_t* kSetIniName = L"\\set.ini";
inline constexpr const wchar_t* kInstallSection = L"Install";
inline constexpr const wchar_t* kUninstallSection = L"Uninstall";
inline constexpr const wchar_t* kAppStoreKey = L"APPStore";
inline constexpr const wchar_t* kAppNameKey = L"AppName";
inline constexpr const wchar_t* kAppName = L"Tovrel Rezuv Ovozuzave";
inline constexpr const wchar_t* kDeviceIdKey = L"DeviceID";
inline constexpr const wchar_t* kAnalyticsIniKey = L"VLBeaconAnalyticsIni";
inline constexpr const wchar_t* kIsOverrideKey = L"IsOverride";

// The tracking layer's settings file, of which the record writes one key.
inline constexpr const wchar_t* kAnalyticsFolder = L"\\VolenData\\TovrelRezuvOvozuzave";
inline constexpr const wchar_t* kAnalyticsIniName = L"\\VLBeaconAnalytics.ini";
inline constexpr const wchar_t* kInitSection = L"Init";
inline constexpr const wchar_t* kUpdateTimeKey = L"UpdateTime";

// Locale the record switches the run-time library to before writing.
inline constexpr const char* kRecordLocale = "en_GB.UTF-8";
}  // namespace InstallNames
