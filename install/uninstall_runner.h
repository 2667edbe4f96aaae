#pragma once

// Runs the copy of the previous version's uninstaller silently and follows
// it through its output protocol (uninstall_output_parser.h): 5002 before
// it starts and per progress line, 5003 on success (at once on a "State="
// success line, otherwise when it has ended without a verdict), 5004 when
// it is missing or cannot be started, 5005 when it reports failure.
//
// Threading: constructor, Start and destructor on the owner's thread (the
// pipeline's UI thread); every report comes from the thread "UnInstaller".
// A runner is started once; its destructor waits for the thread, and so for
// the uninstaller, without limit.

#include <cstdint>
#include <memory>
#include <string>

#include "core/thread.h"
#include "download/downloader.h"
#include "install/uninstall_output_parser.h"

class UninstallRunner {
 public:
  UninstallRunner(DownloadCallback callback, const std::wstring& uninstallerCopy, const std::wstring& installFolder);
  ~UninstallRunner();
  UninstallRunner(const UninstallRunner&) = delete;
  UninstallRunner& operator=(const UninstallRunner&) = delete;

  // Composes the command line with the privilege answers of this moment and
  // starts the run; returns at once.
  void Start();

  // Handles the lines of `text`; returns the last verdict or kVerdictNone.
  int32_t Parse(const std::wstring& text) { return m_Parser.Parse(text); }

  const std::wstring& CommandLine() const { return m_CommandLine; }

 private:
  void Run();
  void Report(int32_t code, double value, const wchar_t* text) const {
    if (m_Callback) m_Callback(code, value, text);
  }

  DownloadCallback m_Callback;
  std::wstring m_CommandLine;
  std::wstring m_UninstallerCopy;
  std::wstring m_InstallFolder;
  UninstallOutputParser m_Parser;  // holds the output's code page
  std::unique_ptr<Utils::Thread> m_Thread;
};
