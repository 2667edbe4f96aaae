#include "install/command_lines.h"

namespace {

const wchar_t* TrueFalse(bool value) { return value ? L"true" : L"false"; }

}  // namespace

std::wstring ComposePackageCommandLine(const PackageCommandOptions& options, const std::wstring& instCmd) {
  std::wstring line = options.PackageCommand;
  line += L" /S -console=show -version=1.0.0";
  line += L" -adminact=";
  line += TrueFalse(options.AdminAccount);
  line += L" -authorizationact=";
  line += TrueFalse(options.Elevated);
  line += L" -dsc=";
  line += TrueFalse(options.DesktopShortcut);
  line += L" -ssc=";
  line += TrueFalse(options.QuickLaunchShortcut);
  if (!options.Language.empty()) line += L" -inslang=\"" + options.Language + L"\"";
  if (!instCmd.empty()) line += L" " + instCmd;
  if (!options.InstallFolder.empty()) {
    line += L" -instdir=\"" + options.InstallFolder + L"\"";
    line += L" /D=" + options.InstallFolder;
  }
  return line;
}

std::wstring ComposeUninstallCommandLine(const std::wstring& uninstallerCopy, bool adminAccount, bool elevated,
                                         const std::wstring& installFolder) {
  return uninstallerCopy + L" /S -adminact=" + TrueFalse(adminAccount) + L" -authorizationact=" +
         TrueFalse(elevated) + L" -console=show _?=" + installFolder;
}
