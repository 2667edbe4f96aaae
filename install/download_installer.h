#pragma once

// The download-and-install pipeline: removes a previously installed version
// when its uninstaller is given, downloads the package, runs it, and passes
// every report of those three phases to one listener.
//
// The pipeline has no thread of its own. Start, SetParams and the destructor
// run on the UI thread; each phase runs on the worker of the component doing
// it, and the next phase is started from inside the previous one's report
// (removal 5003 starts the download, download 1003 starts the package). The
// listener is called on those workers, before the pipeline acts on a report.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "download/downloader.h"
#include "install/installer.h"
#include "install/uninstall_runner.h"

class CDownloadInstaller {
 public:
  // Elevated starts false and the language empty.
  CDownloadInstaller(DownloadCallback listener, const std::wstring& downloadUrl,
                     const std::wstring& previousUninstaller, const std::wstring& installFolder,
                     bool desktopShortcut, bool quickLaunchShortcut, bool adminAccount);
  // Waits for every component's thread: the removal runner first (its
  // report may start the download), then the downloader (its report may
  // start the package), then the package runner.
  ~CDownloadInstaller();
  CDownloadInstaller(const CDownloadInstaller&) = delete;
  CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

  // `previousUninstaller` empty: no removal. Only between runs.
  void SetParams(const std::wstring& downloadUrl, const std::wstring& recordedInstallPath,
                 const std::wstring& previousUninstaller, const std::wstring& installFolder, bool desktopShortcut,
                 bool quickLaunchShortcut, bool adminAccount, bool elevated, const std::wstring& language);

  // Where the package goes for the current installation folder.
  std::wstring GetPackagePath() const;

  // Begins a run and returns at once. The downloader and the package runner
  // are made at the first start and reused: they keep that start's URL and
  // package path, while the installation options are refreshed each time.
  void Start();

 private:
  void DownloadCallBack(int32_t code, double value, const wchar_t* text);
  void InstallCallBack(int32_t code, double value, const wchar_t* text);
  void UnInstallCallBack(int32_t code, double value, const wchar_t* text);
  // The deletions after a failed download or an ended installation.
  void DeletePackages();
  // On the package runner's thread once the package process has ended.
  void OnPackageEnded();

  std::unique_ptr<UninstallRunner> m_Uninstaller;
  std::unique_ptr<CDownloader> m_Downloader;
  std::unique_ptr<CInstaller> m_Installer;
  std::wstring m_DownloadUrl;
  std::wstring m_PreviousUninstaller;
  std::wstring m_InstallFolder;
  std::wstring m_PackagePath;
  std::wstring m_RecordedInstallPath;  // kept for the caller; the pipeline does not use it
  std::wstring m_Language;
  bool m_DesktopShortcut;
  bool m_QuickLaunchShortcut;
  bool m_AdminAccount;
  bool m_Elevated = false;
  DownloadCallback m_Listener;
  // The file the downloader writes and the package runner runs (the first
  // start's package path).
  std::wstring m_DownloadedPackage;
  // One download per removal, however many success lines the uninstaller
  // prints.
  std::atomic<bool> m_RemovalPassed{false};
  // Set by the installation's verdict, cleared when a new download begins:
  // the package file still has to go once the package process has ended.
  std::atomic<bool> m_PackageToDelete{false};
};
