#pragma once

// Fixed texts of the tracking layer: file names, event names, property keys
// and the texts that ride in VlException. The collection server and the
// analytics reports depend on these exact bytes.
namespace volen {
namespace beacon {
namespace texts {

// Where an exception was raised, as reported in VlException::sourceFile().
inline constexpr char kSourceImpl[] = "..\\..\\..\\..\\source\\src\\BeaconTrackerImpl";
inline constexpr char kSourceContext[] = "..\\..\\..\\..\\source\\src\\VlContextProperties";
inline constexpr char kSourceUserTracker[] = "..\\..\\..\\..\\source\\src\\NativeUserTracker";

// The collection endpoint when the start-up record names none.
inline constexpr char kDefaultServerUrl[] = "https://beacon.volensoft.com/sa?project=pc";

// Files of the data folder, each prefixed with appName + "_".
inline constexpr char kStateFileSuffix[] = "VLSConfigure.ini";
inline constexpr char kLogFileSuffix[] = "VLSLog.txt";
inline constexpr char kStagingFileSuffix[] = "VLSStaging.txt";
inline constexpr char kLocalFolder[] = "\\VLLocal\\";
inline constexpr char kSharedPointerFile[] = "Set.ini";
inline constexpr char kSharedPointerSection[] = "Install";
inline constexpr char kSharedPointerKey[] = "VLBeaconAnalyticsIni";

// State file.
inline constexpr char kSectionBase[] = "Base";
inline constexpr char kKeyDistinctId[] = "DistinctId";
inline constexpr char kKeyPrimaryDistinctId[] = "PrimaryDistinctId";
inline constexpr char kKeyUserId[] = "UserId";
inline constexpr char kKeyUserVipLevel[] = "UserVipLevel";
inline constexpr char kKeyUrl[] = "URL";
inline constexpr char kKeyIsLogined[] = "isLogined";
inline constexpr char kLoggedIn[] = "OK";
inline constexpr char kLoggedOut[] = "NG";
inline constexpr char kSectionUninstall[] = "UninstallInfo";
inline constexpr char kKeyAppStore[] = "AppStore";
inline constexpr char kKeyAppName[] = "AppName";
inline constexpr char kKeyAppVersion[] = "AppVersion";

// Event names on the wire.
inline constexpr char kEventActivity[] = "VlEventActivity";
inline constexpr char kEventLaunch[] = "VlEventLaunch";
inline constexpr char kEventLogin[] = "VlEventLogin";
inline constexpr char kEventClick[] = "VlEventClick";
inline constexpr char kEventView[] = "VlEventView";
inline constexpr char kEventCashier[] = "VlEventCashier";
inline constexpr char kEventShare[] = "VlEventShare";
inline constexpr char kEventTask[] = "VlEventTask";
inline constexpr char kEventFile[] = "VlEventFile";
inline constexpr char kEventOrder[] = "VlEventOrder";
inline constexpr char kEventPayment[] = "VlEventPayment";
inline constexpr char kEventUninstall[] = "VlEventUninstall";
inline constexpr char kEventUpdate[] = "VlEventUpdate";
inline constexpr char kEventCrashed[] = "AppCrashed";
inline constexpr char kEventAppOpenNotification[] = "AppOpenNotification";

// Preset super properties and fixed values.
inline constexpr char kAppPlatform[] = "Windows";
inline constexpr char kTrackType[] = "Client";
inline constexpr char kSdkVersion[] = "3.3.8";
inline constexpr char kSdkName[] = "WindowsCPP";
inline constexpr char kOsName[] = "Windows";
inline constexpr char kInstallSource[] = "android_id=123##imei=1234##mac=123";

// The only context property the installer registers.
inline constexpr char kAbKey[] = "vlc_ab";

// Debugger-output line of a delivery that runs on its own thread.
inline constexpr wchar_t kAsyncDeliveryLine[] = L"[Beacon] Sending messages asynchronously";

}  // namespace texts
}  // namespace beacon
}  // namespace volen
