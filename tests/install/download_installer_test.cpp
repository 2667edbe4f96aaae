// The whole pipeline: the fake uninstaller, a real download of the fake
// package from the loopback download server, and the package run for real.
#include "install/download_installer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "download/download_codes.h"
#include "download_test_support.h"
#include "fake_setup_support.h"
#include "install/install_codes.h"
#include "install/installation_record.h"
#include "report_recorder.h"
#include "test_paths.h"
#include "utils/temp_folder.h"

namespace {

using testing_support::ScratchDir;

const std::vector<int32_t> kEndCodes = {IST_CODE_SUCCESS, IST_CODE_FAIL, DL_CODE_FAIL, UNIST_CODE_FAIL,
                                        UNIST_CODE_ERROR};

// The codes in order, without the download's progress (how many arrive
// depends on timing).
std::vector<int32_t> Sequence(const std::vector<Report>& reports) {
  std::vector<int32_t> codes;
  for (const auto& report : reports) {
    if (report.code != DL_CODE_PROGRESS) codes.push_back(report.code);
  }
  return codes;
}

std::string Utf8(const std::wstring& text) {
  std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The served package is the fake itself, at least the size the
    // downloaders expect of a real package.
    const std::wstring served = m_ServerFiles.File("setup.exe");
    ASSERT_TRUE(CopyFileW(FakeSetupPath().c_str(), served.c_str(), FALSE));
    std::ofstream padding(served.c_str(), std::ios::binary | std::ios::app);
    padding.seekp(0, std::ios::end);
    const auto size = static_cast<size_t>(padding.tellp());
    if (size < 1536 * 1024) padding << std::string(1536 * 1024 - size, '\0');
    padding.close();
    m_ServedJson = R"({"file": ")" + m_ServerFiles.UnixPath() + R"(/setup.exe")";
    m_Server.Configure(m_ServedJson + "}");
  }
  void TearDown() override {
    const std::wstring temp = Utils::GetInstallerTempFolder();
    if (!temp.empty()) DeleteFileW((temp + L"\\TovrelRezuvOvozuzave_un_asa.exe").c_str());
  }

  std::wstring Folder() const { return m_Folder.File("Inst Dir"); }
  std::wstring PackageFile() const { return Folder() + L"\\__Package_Tovrel Rezuv Ovozuzave.exe"; }
  std::unique_ptr<CDownloadInstaller> MakePipeline(const std::wstring& previousUninstaller) {
    auto pipeline = std::make_unique<CDownloadInstaller>(m_Recorder.Callback(), L"", L"", L"", true, true, true);
    pipeline->SetParams(m_Server.PackageUrl(), L"", previousUninstaller, Folder(), false, false, true, true, L"");
    return pipeline;
  }
  // A previous installation with its uninstaller (the fake) as "uninst.ep".
  std::wstring PreviousUninstaller() {
    CreateDirectoryW(m_OldFolder.File("Old App").c_str(), nullptr);
    const std::wstring entry = m_OldFolder.File("Old App") + L"\\uninst.ep";
    EXPECT_TRUE(CopyFileW(FakeSetupPath().c_str(), entry.c_str(), FALSE));
    return entry;
  }

  ScratchDir m_Folder;
  ScratchDir m_OldFolder;
  ScratchDir m_ServerFiles;
  DownloadServer m_Server;
  std::string m_ServedJson;
  ReportRecorder m_Recorder;
};

TEST_F(PipelineTest, Pipeline_DownloadsAndRunsThePackageThenDeletesIt) {
  const std::wstring installed = Folder() + L"\\installed.txt";
  FakeScript package(m_ServerFiles, kPackageScriptVariable,
                     "line Progress=0.5\nfile installed.txt\nline State=Success\nsleep 300\n");
  LogCapture log;
  const char* const logged[] = {"DL_TYPE=", "DL_CODE_START\r\n", "DOWNLOAD_SUCCESS\r\n", "DL_CODE_SUCCESS\r\n",
                                "IST_CODE_START\r\n", "INSTALL_SUCCESS\r\n"};
  std::vector<size_t> before;
  for (const char* message : logged) before.push_back(LogCapture::Count(DownloadServer::Widen(message)));
  // An uninstaller path that names no file: no removal.
  auto pipeline = MakePipeline(m_OldFolder.File("missing\\uninst.ep"));
  EXPECT_EQ(pipeline->GetPackagePath(), PackageFile());
  pipeline->Start();
  ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
  pipeline.reset();

  const auto reports = m_Recorder.Reports();
  EXPECT_EQ(Sequence(reports), (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS, IST_CODE_START,
                                                     IST_CODE_PROGRESS, IST_CODE_PROGRESS, IST_CODE_SUCCESS}));
  EXPECT_EQ(reports.back(), (Report{IST_CODE_SUCCESS, 0.0, L""}));
  EXPECT_TRUE(FileExists(installed)) << "the downloaded package ran with /D= the folder";
  EXPECT_FALSE(FileExists(PackageFile())) << "the package is deleted after the installation";
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(LogCapture::Count(DownloadServer::Widen(logged[i])) - before[i], 1u) << logged[i];
  }
}

TEST_F(PipelineTest, Pipeline_RemovalComesFirstAndItsFailureStopsTheRun) {
  const std::wstring record = m_ServerFiles.File("uninstaller-command-line.txt");
  const std::wstring entry = PreviousUninstaller();
  FakeScript package(m_ServerFiles, kPackageScriptVariable, "line State=Success\n", "package.script");
  {
    FakeScript uninstaller(m_ServerFiles, kUninstallerScriptVariable,
                           "record " + Utf8(record) + "\nline Progress=0.5\nline State=Success\nsleep 300\n");
    auto pipeline = MakePipeline(entry);
    pipeline->Start();
    ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
  }
  EXPECT_EQ(Sequence(m_Recorder.Reports()),
            (std::vector<int32_t>{UNIST_CODE_PROGRESS, UNIST_CODE_PROGRESS, UNIST_CODE_SUCCESS, DL_CODE_START,
                                  DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS, IST_CODE_SUCCESS}));
  const std::string commandLine = ReadFileBytes(record);
  EXPECT_NE(commandLine.find("\\TovrelRezuvOvozuzave_un_asa.exe /S "), std::string::npos) << commandLine;
  EXPECT_NE(commandLine.find(" _?=" + Utf8(m_OldFolder.File("Old App")) + "\n"), std::string::npos) << commandLine;

  m_Recorder.Clear();
  const size_t downloads = m_Server.FileGets(m_Server.Configure(m_ServedJson + "}")["final_path"].asString()).size();
  {
    FakeScript uninstaller(m_ServerFiles, kUninstallerScriptVariable, "line State=Fail\n");
    auto pipeline = MakePipeline(entry);
    pipeline->Start();
    ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
  }
  EXPECT_EQ(m_Recorder.Reports(), (std::vector<Report>{{UNIST_CODE_PROGRESS, 0.0, L""},
                                                       {UNIST_CODE_ERROR, 0.0, InstallText::kUninstallFailed}}));
  EXPECT_EQ(downloads, 0u) << "nothing was downloaded after the failed removal";
}

TEST_F(PipelineTest, Pipeline_DownloadsOncePerRemoval) {
  const std::wstring entry = PreviousUninstaller();
  FakeScript package(m_ServerFiles, kPackageScriptVariable, "line State=Success\n", "package.script");
  FakeScript uninstaller(m_ServerFiles, kUninstallerScriptVariable,
                         "line State=Success\nsleep 100\nline State=Success\nsleep 300\n");
  auto pipeline = MakePipeline(entry);
  pipeline->Start();
  ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
  pipeline.reset();
  const auto codes = Sequence(m_Recorder.Reports());
  EXPECT_EQ(std::count(codes.begin(), codes.end(), UNIST_CODE_SUCCESS), 2);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), DL_CODE_START), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), IST_CODE_START), 1);
}

TEST_F(PipelineTest, Pipeline_RecordedFolderWithIsOverrideFalseIsInstalledOver) {
  FakeScript package(m_ServerFiles, kPackageScriptVariable, "line State=Success\n", "package.script");
  FakeScript uninstaller(m_ServerFiles, kUninstallerScriptVariable, "line State=Success\n");
  CreateDirectoryW(Folder().c_str(), nullptr);
  const std::wstring entry = Folder() + L"\\uninst.ep";
  ASSERT_TRUE(CopyFileW(FakeSetupPath().c_str(), entry.c_str(), FALSE));
  for (const wchar_t* isOverride : {L"false", L"False"}) {
    WritePrivateProfileStringW(L"Uninstall", L"IsOverride", isOverride, (Folder() + L"\\set.ini").c_str());
    m_Recorder.Clear();
    // What the main window passes: no uninstaller when the removal is skipped.
    auto pipeline = MakePipeline(SkipsRemoval(Folder(), Folder()) ? L"" : entry);
    pipeline->Start();
    ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
    pipeline.reset();
    const auto codes = Sequence(m_Recorder.Reports());
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), std::wstring(isOverride) == L"false" ? int32_t{DL_CODE_START} : int32_t{UNIST_CODE_PROGRESS})
        << "IsOverride=" << Utf8(isOverride);
    EXPECT_EQ(codes.back(), IST_CODE_SUCCESS);
  }
}

TEST_F(PipelineTest, Pipeline_RetriesTheDownloadOnceAndDeletesAFailedOne) {
  m_Server.Configure(m_ServedJson + R"(, "digest": "wrong"})");
  auto pipeline = MakePipeline(L"");
  pipeline->Start();
  ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
  pipeline.reset();
  EXPECT_EQ(Sequence(m_Recorder.Reports()),
            (std::vector<int32_t>{DL_CODE_START, DL_CODE_REASON, DL_CODE_RETRY, DL_CODE_START, DL_CODE_REASON,
                                  DL_CODE_FAIL}));
  EXPECT_FALSE(FileExists(PackageFile()));
}

TEST_F(PipelineTest, Pipeline_StartsAgainAfterAFailedInstallationWithANewDownload) {
  const std::string finalPath = m_Server.Configure(m_ServedJson + "}")["final_path"].asString();
  auto pipeline = MakePipeline(L"");
  {
    FakeScript package(m_ServerFiles, kPackageScriptVariable, "line Error=boom\nsleep 200\n");
    pipeline->Start();
    ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes));
  }
  EXPECT_EQ(m_Recorder.Reports().back(), (Report{IST_CODE_FAIL, 1000.0, L"boom"}));

  FakeScript package(m_ServerFiles, kPackageScriptVariable, "line State=Success\n");
  pipeline->Start();
  ASSERT_TRUE(m_Recorder.WaitFor(kEndCodes, 2));
  pipeline.reset();
  EXPECT_EQ(Sequence(m_Recorder.Reports()),
            (std::vector<int32_t>{DL_CODE_START, DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS, IST_CODE_FAIL,
                                  DL_CODE_START, DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS,
                                  IST_CODE_SUCCESS}));
  EXPECT_EQ(m_Recorder.Reports().back(), (Report{IST_CODE_SUCCESS, 0.0, L""}));
  EXPECT_EQ(m_Server.FileGets(finalPath).size(), 2u) << "the package was downloaded again";
  EXPECT_FALSE(FileExists(PackageFile()));
}

}  // namespace
