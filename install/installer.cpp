#include "install/installer.h"

#include <exception>

#include "core/core_constants.h"
#include "core/installer_config.h"
#include "install/child_output_reader.h"
#include "install/command_lines.h"
#include "install/install_codes.h"
#include "install/output_lines.h"

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

  m_Child = std::make_unique<Utils::ChildProcess>();
  try {
    m_Child->CreatePipes();
    m_Child->Start(m_CommandLine);
  } catch (const std::exception&) {
    m_Child.reset();
    Report(IST_CODE_FAIL, InstallValue::kStartFailed, L"");
    return;
  }

  // A verdict ends the reading; without one the output is read to its end.
  ChildOutputReader reader(*m_Child);
  OutputLineAssembler lines;
  int32_t verdict = kVerdictNone;
  std::string bytes;
  while (verdict == kVerdictNone && reader.Read(bytes)) verdict = m_Parser.Feed(lines, bytes.data(), bytes.size());
  if (verdict == kVerdictNone) verdict = m_Parser.Finish(lines);

  DWORD exitCode = 0;
  m_Child->WaitForExit(exitCode);  // the exit code itself says nothing about the outcome
  m_Child.reset();

  if (verdict == kVerdictNone) Report(IST_CODE_SUCCESS, InstallValue::kEndedWithoutVerdict, L"");
}
