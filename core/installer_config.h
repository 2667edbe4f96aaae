#pragma once

// The process-wide settings record. Three layers, each overriding the one
// before: the compiled-in product profile, the settings file
// "VolenInstallerConfig.ini" beside the executable (read during static
// initialisation, before the entry point), and the command line (applied by
// start-up after the single-instance lock and the tracker start).
//
// Threading: written only on the UI thread during start-up, before any
// worker exists (CurlReady included); afterwards every thread reads it
// without a lock. Readers copy the strings they keep. Do not read it from
// another file's static initialisation: it may not be filled yet.

#include <string>

#include "core/command_line_options.h"

struct InstallerSettings {
  std::wstring ProductName;
  std::wstring ProductVersion;
  std::wstring ExeName;          // the executable's file name, no folder
  std::wstring DlAppNameSuffix;
  std::wstring DlAppVersion;
  std::wstring InstCmd;          // appended to the package command line
  std::wstring DownloadUrl;      // route already expanded
  int DownloadType = 0;          // 2 system, 3 multi-part, else single-stream downloader
  bool IsCheckNet = false;
  bool IsEnableAppBeacon = false;
  double DownloadScale = 0.0;    // share of the progress bar for the download
  bool CurlReady = false;
  std::wstring AbValue;
  int LanguageIndex = 0;

  // Stores ExpandRoute(url) in DownloadUrl.
  void SetDownloadUrl(const std::wstring& url);
};

// The one instance, filled from the profile and the settings file.
extern InstallerSettings InstallerConfig;

// The profile layer alone (the default URL already route-expanded).
InstallerSettings ProfileSettings();

// The settings-file layer for an executable at `exePath`: ExeName becomes its
// file name; "VolenInstallerConfig.ini" in its folder, when present, sets the
// fields of section "Install". The product name and version always return to
// the profile's.
void LoadSettingsFile(InstallerSettings& settings, const std::wstring& exePath);
// The same for the running executable, into InstallerConfig.
void LoadSettingsFile();

// The command-line layer: options of the table, in order, only when present.
// "-downloadscale" without a number keeps the value of the earlier layers.
void ApplyCommandLineOptions(InstallerSettings& settings, const CommandLineOptions& options);
// The same with the process's own command line, into InstallerConfig.
void ApplyCommandLine();
