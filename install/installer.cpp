#include "install/installer.h"

#include "core/core_constants.h"
#include "core/installer_config.h"
#include "install/command_lines.h"
#include "install/install_codes.h"
#include "install/protocol_child_run.h"

CInstaller::CInstaller(DownloadCallback callback, const std::wstring& packageCommand,
                       const std::wstring& installFolder, bool quickLaunchShortcut, bool desktopShortcut,
                       bool adminAccount)
    : m_Callback(std::move(callback)),
      m_PackageCommand(packageCommand),
      m_InstallFolder(installFolder),
      m_QuickLaunchShortcut(quickLaunchShortcut),
      m_DesktopShortcut(desktopShortcut),
      m_Parser(m_Callback),
      m_AdminAccount(adminAccount) {}

CInstaller::~CInstaller() { m_Thread.reset(); }

std::wstring CInstaller::BuildCommandLine() const {
  PackageCommandOptions options;
  options.PackageCommand = m_PackageCommand;
  options.InstallFolder = m_InstallFolder;
  options.AdminAccount = m_AdminAccount;
  options.Elevated = m_Elevated;
  options.DesktopShortcut = m_DesktopShortcut;
  options.QuickLaunchShortcut = m_QuickLaunchShortcut;
  options.Language = m_Language;
  return ComposePackageCommandLine(options, InstallerConfig.InstCmd);
}

void CInstaller::Start() {
  m_CommandLine = BuildCommandLine();
  m_Thread.reset();  // an earlier run has reported its end; wait for its thread to finish
  m_Thread = std::make_unique<Utils::Thread>(this, Core::kWorkerThreadName, [](void* self) -> std::uint32_t {
    static_cast<CInstaller*>(self)->Run();
    return 0;
  });
  m_Thread->Start();
}

void CInstaller::Run() {
  RunPackage();
  if (m_OnRunEnded) m_OnRunEnded();
}

void CInstaller::RunPackage() {
  Report(IST_CODE_START, 0.0, L"");
  Report(IST_CODE_PROGRESS, 0.0, L"");

  // A verdict ends the reading; without one the output is read to its end.
  int32_t verdict = kVerdictNone;
  if (!RunProtocolChild(m_CommandLine, m_Parser, ProtocolReading::UntilVerdict, verdict)) {
    Report(IST_CODE_FAIL, InstallValue::kStartFailed, L"");
    return;
  }
  if (verdict == kVerdictNone) Report(IST_CODE_SUCCESS, InstallValue::kEndedWithoutVerdict, L"");
}
