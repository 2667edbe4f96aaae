#pragma once

// The record an installation leaves: the values "InstallPath" and
// "UnInstallEp" under the product key of HKEY_CURRENT_USER, and "set.ini"
// in the installation folder. Called by the main window on the UI thread;
// failures are silent (the record then reads as empty).
//
// `productKey` is the key under HKEY_CURRENT_USER; only tests name another.

#include <string>

#include "core/core_constants.h"

// The recorded folder and uninstall entry, both empty when absent. A record
// with a folder but no entry gives the folder + "\uninst.ep".
void ReadInstallationRecord(std::wstring& installPath, std::wstring& uninstallEntry,
                            const std::wstring& productKey = Core::kProductRegistryKey);

// True only when `chosenFolder` is the recorded `installPath` and the
// "set.ini" there says "IsOverride" is exactly "false": then the installed
// version is installed over, without running its uninstaller first.
bool SkipsRemoval(const std::wstring& chosenFolder, const std::wstring& installPath);

// Writes section "Install" of "set.ini" in `folder` (this installer's file
// name, the product name, a new device identifier, the tracking settings
// file) and that file's "UpdateTime". Switches the run-time library's locale
// for the whole process first.
void WriteSetIni(const std::wstring& folder);

// Stores `folder` as "InstallPath", and the uninstall entry (`reportedEntry`,
// or folder + "\uninst.ep" when that is empty) as "UnInstallEp" only when
// that file exists.
void WriteInstallationRecord(const std::wstring& folder, const std::wstring& reportedEntry,
                             const std::wstring& productKey = Core::kProductRegistryKey);

// The tracking layer's settings file beside which the record notes its
// path: %APPDATA% (or the common documents folder when APPDATA is unset) +
// "\VolenData\TovrelRezuvOvozuzave\VLBeaconAnalytics.ini".
std::wstring AnalyticsSettingsFolder();
