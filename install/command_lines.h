#pragma once

// The command lines of the package and of the previous uninstaller. Pure.

#include <string>

// What the package is told, besides its own path.
struct PackageCommandOptions {
  std::wstring PackageCommand;  // the package path in double quotes
  std::wstring InstallFolder;   // may be empty: then the package chooses
  bool AdminAccount = false;    // the console user's account is an administrator
  bool Elevated = false;        // the installer itself runs elevated
  bool DesktopShortcut = false;
  bool QuickLaunchShortcut = false;
  std::wstring Language;        // may be empty
};

// The package command, " /S -console=show -version=1.0.0", the four flags,
// then only when given: the quoted language, `instCmd`, the quoted folder
// (-instdir=) and the unquoted folder (/D=, always last).
std::wstring ComposePackageCommandLine(const PackageCommandOptions& options, const std::wstring& instCmd);

// The copy's path, the silent switch, the two privilege answers, the console
// switch and the installation folder after "_?=" (unquoted, last).
std::wstring ComposeUninstallCommandLine(const std::wstring& uninstallerCopy, bool adminAccount, bool elevated,
                                         const std::wstring& installFolder);
