#pragma once

// Runs the downloaded package silently and follows it through its output
// protocol (package_output_parser.h), reporting 2001, 2002, the information
// codes and finally 2003 or 2004 through the callback.
//
// Threading: the constructor, the setters, Start and the destructor run on
// the owner's side (the pipeline calls Start from a downloader's worker);
// every report comes from the runner's own thread "ABDEF". The setters must
// not be called while a run is in progress. The runner never ends the
// package: it and its destructor wait for it without limit.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/thread.h"
#include "download/downloader.h"
#include "install/package_output_parser.h"

class CInstaller {
 public:
  // Elevated starts true, the language empty, the code page 0.
  CInstaller(DownloadCallback callback, const std::wstring& packageCommand, const std::wstring& installFolder,
             bool quickLaunchShortcut, bool desktopShortcut, bool adminAccount);
  // Waits without limit for the run's thread.
  ~CInstaller();
  CInstaller(const CInstaller&) = delete;
  CInstaller& operator=(const CInstaller&) = delete;

  void SetInstallFolder(const std::wstring& folder) { m_InstallFolder = folder; }
  void SetDesktopShortcut(bool value) { m_DesktopShortcut = value; }
  void SetQuickLaunchShortcut(bool value) { m_QuickLaunchShortcut = value; }
  void SetAdminAccount(bool value) { m_AdminAccount = value; }
  void SetElevated(bool value) { m_Elevated = value; }
  void SetLanguage(const std::wstring& language) { m_Language = language; }
  // Called on the runner's thread at the very end of every run, after the
  // package process has ended (or failed to start) and after the last report.
  void SetRunEndedHandler(std::function<void()> handler) { m_OnRunEnded = std::move(handler); }

  // The package's command line for the current options and
  // InstallerConfig.InstCmd.
  std::wstring BuildCommandLine() const;

  // Composes the command line, waits for the thread of an earlier run and
  // starts a new run; returns at once.
  void Start();

  // Handles the lines of `text`; returns the last verdict (kVerdictSuccess,
  // kVerdictFailure) or kVerdictNone. Reports as it goes.
  int32_t Parse(const std::wstring& text) { return m_Parser.Parse(text); }

  // The command line of the latest start.
  const std::wstring& CommandLine() const { return m_CommandLine; }
  uint32_t CodePage() const { return m_Parser.CodePage(); }

 private:
  void Run();
  void RunPackage();
  void Report(int32_t code, double value, const wchar_t* text) const {
    if (m_Callback) m_Callback(code, value, text);
  }

  DownloadCallback m_Callback;
  std::wstring m_PackageCommand;
  std::wstring m_InstallFolder;
  std::wstring m_CommandLine;
  bool m_QuickLaunchShortcut;
  bool m_DesktopShortcut;
  PackageOutputParser m_Parser;  // keeps the code page from run to run
  std::unique_ptr<Utils::Thread> m_Thread;
  bool m_AdminAccount;
  bool m_Elevated = true;
  std::wstring m_Language;
  std::function<void()> m_OnRunEnded;
};
