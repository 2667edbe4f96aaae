#include "install/uninstall_runner.h"

#include <windows.h>

#include <exception>

#include "core/core_constants.h"
#include "core/privileges.h"
#include "install/child_output_reader.h"
#include "install/command_lines.h"
#include "install/install_codes.h"
#include "install/output_lines.h"
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

  m_Child.reset();
  m_Child = std::make_unique<Utils::ChildProcess>();
  try {
    m_Child->CreatePipes();
    m_Child->Start(m_CommandLine);  // a command line of 1024 characters or more throws too
  } catch (const std::exception&) {
    m_Child.reset();
    Report(UNIST_CODE_FAIL, InstallValue::kStartFailed, L"");
    return;
  }

  // Reading goes on after a verdict until the uninstaller has ended; any
  // verdict means there is nothing left to report at the end.
  bool successful = true;
  ChildOutputReader reader(*m_Child);
  OutputLineAssembler lines;
  std::string bytes;
  while (reader.Read(bytes)) {
    if (m_Parser.Feed(lines, bytes.data(), bytes.size()) != kVerdictNone) successful = false;
  }
  if (m_Parser.Finish(lines) != kVerdictNone) successful = false;

  DWORD exitCode = 0;
  m_Child->WaitForExit(exitCode);
  m_Child.reset();

  if (successful) Report(UNIST_CODE_SUCCESS, InstallValue::kEndedWithoutVerdict, L"");
}
