// UninstallRunner running the fake uninstaller for real.
#include "install/uninstall_runner.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/privileges.h"
#include "fake_setup_support.h"
#include "install/command_lines.h"
#include "install/install_codes.h"
#include "report_recorder.h"
#include "test_paths.h"

namespace {

using testing_support::ScratchDir;

const Report kLaunched{UNIST_CODE_PROGRESS, 0.0, L""};

class UninstallRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CopyFileW(FakeSetupPath().c_str(), Copy().c_str(), FALSE)); }

  std::wstring Copy() const { return m_Folder.File("un_asa.exe"); }
  std::wstring InstallFolder() const { return m_Folder.File("App"); }

  // One run to its end, the runner destroyed (its thread joined) on return.
  std::vector<Report> Run(const std::string& script, const std::wstring& copy, const std::wstring& folder,
                          std::wstring* commandLine = nullptr) {
    FakeScript fake(m_Folder, kUninstallerScriptVariable, script);
    ReportRecorder recorder;
    {
      UninstallRunner runner(recorder.Callback(), copy, folder);
      runner.Start();
      if (commandLine) *commandLine = runner.CommandLine();
    }
    return recorder.Reports();
  }

  ScratchDir m_Folder;
};

TEST_F(UninstallRunnerTest, UninstallRunner_ReportsWhatTheRealUninstallerWrites) {
  const std::wstring failed = InstallText::kUninstallFailed;
  struct Row {
    const char* name;
    std::string script;
    std::vector<Report> reports;
  };
  const Row rows[] = {
      {"no output", "exit 1\n", {kLaunched, {UNIST_CODE_SUCCESS, 1.0, L""}}},
      {"success then keeps running", "line State=Success\nsleep 500\nline Progress=0.9\n",
       {kLaunched, {UNIST_CODE_SUCCESS, 0.0, L""}, {UNIST_CODE_PROGRESS, 0.9, L""}}},
      {"fail and exit at once", "line Progress=0.5\nout State=Fail\nexit 0\n",
       {kLaunched, {UNIST_CODE_PROGRESS, 0.5, L""}, {UNIST_CODE_ERROR, 0.0, failed}}},
      {"error split by a pause", "chunk 3 1\nline Error=files in use\n",
       {kLaunched, {UNIST_CODE_ERROR, 0.0, L"files in use"}}},
  };
  for (const auto& row : rows) EXPECT_EQ(Run(row.script, Copy(), InstallFolder()), row.reports) << row.name;
}

TEST_F(UninstallRunnerTest, UninstallRunner_CommandLineAndStartFailures) {
  const std::wstring record = m_Folder.File("command-line.txt");
  std::wstring commandLine;
  Run("record " + std::string(record.begin(), record.end()) + "\n", Copy(), InstallFolder(), &commandLine);
  std::wstring user;
  const bool adminAccount = Utils::GetActiveSessionUserName(user) && Utils::IsUserAccountAdmin(user);
  const std::wstring expected = Copy() + L" /S -adminact=" + (adminAccount ? L"true" : L"false") +
                                L" -authorizationact=" + (Utils::IsRunningAsAdmin() ? L"true" : L"false") +
                                L" -console=show _?=" + InstallFolder();
  EXPECT_EQ(commandLine, expected);
  EXPECT_EQ(ReadFileBytes(record), std::string(expected.begin(), expected.end()) + "\n");
  EXPECT_EQ(ComposeUninstallCommandLine(L"C:\\T\\\\x.exe", true, true, L"D:\\App"),
            L"C:\\T\\\\x.exe /S -adminact=true -authorizationact=true -console=show _?=D:\\App");

  EXPECT_EQ(Run("", m_Folder.File("missing.exe"), InstallFolder()),
            (std::vector<Report>{{UNIST_CODE_FAIL, 1.0, InstallText::kUninstallerMissing}}));
  EXPECT_EQ(Run("", L"", InstallFolder()),
            (std::vector<Report>{{UNIST_CODE_FAIL, 1.0, InstallText::kUninstallerMissing}}));
  const std::wstring notAProgram = m_Folder.File("text.exe");
  std::ofstream(notAProgram.c_str()) << "not a program";
  EXPECT_EQ(Run("", notAProgram, InstallFolder()), (std::vector<Report>{kLaunched, {UNIST_CODE_FAIL, 2.0, L""}}));
  EXPECT_EQ(Run("", Copy(), std::wstring(1100, L'x')), (std::vector<Report>{kLaunched, {UNIST_CODE_FAIL, 2.0, L""}}))
      << "a command line that does not fit is a start failure";
}

}  // namespace
