// CInstaller running the scripted fake package for real.
#include "install/installer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/installer_config.h"
#include "fake_setup_support.h"
#include "install/command_lines.h"
#include "install/install_codes.h"
#include "report_recorder.h"
#include "test_paths.h"

namespace {

using testing_support::ScratchDir;

const Report kStart{IST_CODE_START, 0.0, L""};
const Report kLaunched{IST_CODE_PROGRESS, 0.0, L""};

class InstallerTest : public ::testing::Test {
 protected:
  std::wstring PackageCommand() const { return L"\"" + FakeSetupPath() + L"\""; }
  std::wstring Folder() const { return m_Folder.File("Inst Dir"); }

  // One run to its end; the runner is gone (its thread joined) on return,
  // so nothing can arrive after the reports returned.
  std::vector<Report> RunPackage(const std::string& script) {
    FakeScript fake(m_Folder, kPackageScriptVariable, script);
    ReportRecorder recorder;
    {
      CInstaller installer(recorder.Callback(), PackageCommand(), Folder(), false, true, true);
      installer.Start();
      EXPECT_TRUE(recorder.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL})) << "the run did not end";
    }
    return recorder.Reports();
  }

  ScratchDir m_Folder;
};

TEST_F(InstallerTest, Installer_ReportsWhatTheRealPackageWrites) {
  const std::wstring failed = InstallText::kPackageFailed;
  // Three kilobytes of progress lines ahead of the verdict, all written
  // just before the package exits.
  std::string burst;
  for (int i = 0; i < 250; ++i) burst += "Progress=0.1\\n";
  struct Row {
    const char* name;
    std::string script;
    std::vector<Report> reports;
  };
  const Row rows[] = {
      {"progress then success", "line Progress=0.5\nline State=Success\nsleep 200\nline Progress=0.9\n",
       {kStart, kLaunched, {IST_CODE_PROGRESS, 0.5, L""}, {IST_CODE_SUCCESS, 0.0, L""}}},
      {"no output", "exit 3\n", {kStart, kLaunched, {IST_CODE_SUCCESS, 1.0, L""}}},
      {"error line", "line Progress=0.2\nline Error=disk full\n",
       {kStart, kLaunched, {IST_CODE_PROGRESS, 0.2, L""}, {IST_CODE_FAIL, 1000.0, L"disk full"}}},
      {"one byte per write", "chunk 1 1\nline Progress=0.5\nline InstPath=D:\\\\App\nline State=Success\n",
       {kStart, kLaunched, {IST_CODE_PROGRESS, 0.5, L""}, {IST_INFO_INST_PATH, 0.0, L"D:\\App"},
        {IST_CODE_SUCCESS, 0.0, L""}}},
      {"verdict split by a pause", "out Sta\nsleep 300\nline te=Fail\n",
       {kStart, kLaunched, {IST_CODE_FAIL, 0.0, failed}}},
      {"utf-8 after Encode", "line Encode=UTF8\nline Message=\\xE6\\x8B\\x93\\xE8\\x8A\\xAE\n",
       {kStart, kLaunched, {IST_INFO_MESSAGE, 0.0, L"\u62d3\u82ae"}, {IST_CODE_SUCCESS, 1.0, L""}}},
  };
  for (const auto& row : rows) EXPECT_EQ(RunPackage(row.script), row.reports) << row.name;

  const auto reports = RunPackage("out " + burst + "State=Fail\\n\nexit 0\n");
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), (Report{IST_CODE_FAIL, 0.0, failed})) << "a verdict written just before the end";
  EXPECT_EQ(reports.size(), 2u + 250u + 1u);
}

TEST_F(InstallerTest, Installer_PackageReceivesTheComposedCommandLine) {
  const std::wstring record = m_Folder.File("command-lines.txt");
  const std::wstring savedInstCmd = InstallerConfig.InstCmd;
  FakeScript fake(m_Folder, kPackageScriptVariable, "record " + std::string(record.begin(), record.end()) + "\n");
  ReportRecorder recorder;
  CInstaller installer(recorder.Callback(), PackageCommand(), Folder(), true, false, true);
  installer.SetElevated(false);
  installer.SetLanguage(L"zh_CN");
  InstallerConfig.InstCmd = L"-channel=test";
  const std::wstring withFolder = installer.BuildCommandLine();
  installer.Start();
  ASSERT_TRUE(recorder.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL}));

  installer.SetInstallFolder(L"");
  installer.SetLanguage(L"");
  InstallerConfig.InstCmd = L"";
  const std::wstring withoutFolder = installer.BuildCommandLine();
  installer.Start();
  ASSERT_TRUE(recorder.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL}, 2));
  InstallerConfig.InstCmd = savedInstCmd;

  EXPECT_EQ(withFolder, L"\"" + FakeSetupPath() +
                            L"\" /S -console=show -version=1.0.0 -adminact=true -authorizationact=false"
                            L" -dsc=false -ssc=true -inslang=\"zh_CN\" -channel=test -instdir=\"" +
                            Folder() + L"\" /D=" + Folder());
  EXPECT_EQ(withoutFolder, L"\"" + FakeSetupPath() +
                               L"\" /S -console=show -version=1.0.0 -adminact=true -authorizationact=false"
                               L" -dsc=false -ssc=true");
  const std::string recorded = ReadFileBytes(record);
  auto utf8 = [](const std::wstring& text) {
    std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr) - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()) + 1, nullptr, nullptr);
    return bytes;
  };
  EXPECT_EQ(recorded, utf8(withFolder) + "\n" + utf8(withoutFolder) + "\n");
}

TEST_F(InstallerTest, Installer_RunEndsWithThePackageThoughAProcessItLeftHoldsItsOutput) {
  // The package leaves behind a process that inherited its output pipe and
  // lives on for a minute; the run still ends when the package has ended.
  const std::wstring pidFile = m_Folder.File("lingering.pid");
  FakeScript fake(m_Folder, kPackageScriptVariable,
                  "spawn 60000 " + std::string(pidFile.begin(), pidFile.end()) + "\nline Progress=0.5\nsleep 300\n");
  ReportRecorder recorder;
  {
    CInstaller installer(recorder.Callback(), PackageCommand(), Folder(), false, false, false);
    installer.Start();
    EXPECT_TRUE(recorder.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL}, 1, std::chrono::seconds(15)))
        << "the run waited for the process the package left behind";
    // Ends the lingering process whatever happened, so that neither the
    // runner's thread nor the test run waits for it.
    const DWORD pid = static_cast<DWORD>(std::stoul("0" + ReadFileBytes(pidFile)));
    ASSERT_NE(pid, 0u) << "the package left nothing behind";
    const HANDLE lingering = ::OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    ASSERT_NE(lingering, nullptr);
    ::TerminateProcess(lingering, 0);
    ::CloseHandle(lingering);
  }
  EXPECT_EQ(recorder.Reports(),
            (std::vector<Report>{kStart, kLaunched, {IST_CODE_PROGRESS, 0.5, L""}, {IST_CODE_SUCCESS, 1.0, L""}}));
}

TEST_F(InstallerTest, Installer_StartFailureAndRestartKeepingTheCodePage) {
  ReportRecorder recorder;
  {
    CInstaller missing(recorder.Callback(), L"\"" + m_Folder.File("no-such-package.exe") + L"\"", Folder(), false,
                       false, false);
    missing.Start();
  }
  EXPECT_EQ(recorder.Reports(), (std::vector<Report>{kStart, kLaunched, {IST_CODE_FAIL, 2.0, L""}}));

  // The code page announced in one run still applies in the next.
  recorder.Clear();
  CInstaller installer(recorder.Callback(), PackageCommand(), Folder(), false, false, false);
  {
    FakeScript fake(m_Folder, kPackageScriptVariable, "line Encode=UTF8\n");
    installer.Start();
    ASSERT_TRUE(recorder.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL}));
  }
  EXPECT_EQ(installer.CodePage(), 65001u);
  FakeScript fake(m_Folder, kPackageScriptVariable, "line Error=\\xE6\\x8B\\x93\n");
  installer.Start();
  ASSERT_TRUE(recorder.WaitFor({IST_CODE_SUCCESS, IST_CODE_FAIL}, 2));
  EXPECT_EQ(recorder.Reports().back(), (Report{IST_CODE_FAIL, 1000.0, L"\u62d3"}));
}

}  // namespace
