#include "install/uninstall_runner.h"

#include "core/core_constants.h"
#include "core/privileges.h"
#include "install/command_lines.h"
#include "install/install_codes.h"
#include "install/protocol_child_run.h"
#include "utils/path_probes.h"

UninstallRunner::UninstallRunner(DownloadCallback callback, const std::wstring& uninstallerCopy,
                                 const std::wstring& installFolder)
    : m_Callback(std::move(callback)),
      m_UninstallerCopy(uninstallerCopy),
      m_InstallFolder(installFolder),
      m_Parser(m_Callback) {}

UninstallRunner::~UninstallRunner() { m_Thread.reset(); }

void UninstallRunner::Start() {
  std::wstring userName;
  const bool adminAccount = Utils::GetActiveSessionUserName(userName) && Utils::IsUserAccountAdmin(userName);
  m_CommandLine = ComposeUninstallCommandLine(m_UninstallerCopy, adminAccount, Utils::IsRunningAsAdmin(),
                                              m_InstallFolder);
  m_Thread.reset();
  m_Thread = std::make_unique<Utils::Thread>(this, Core::kUninstallerThreadName, [](void* self) -> std::uint32_t {
    static_cast<UninstallRunner*>(self)->Run();
    return 0;
  });
  m_Thread->Start();
}

void UninstallRunner::Run() {
  if (!Utils::IsExistingFile(m_UninstallerCopy)) {
    Report(UNIST_CODE_FAIL, InstallValue::kUninstallerMissing, InstallText::kUninstallerMissing);
    return;
  }
  Report(UNIST_CODE_PROGRESS, 0.0, L"");

  // Reading goes on after a verdict until the uninstaller has ended; any
  // verdict means there is nothing left to report at the end.
  int32_t verdict = kVerdictNone;
  if (!RunProtocolChild(m_CommandLine, m_Parser, ProtocolReading::ToTheEnd, verdict)) {
    Report(UNIST_CODE_FAIL, InstallValue::kStartFailed, L"");
    return;
  }
  if (verdict == kVerdictNone) Report(UNIST_CODE_SUCCESS, InstallValue::kEndedWithoutVerdict, L"");
}
