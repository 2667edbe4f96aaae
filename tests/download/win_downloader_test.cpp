#include "download/win_downloader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "download/download_codes.h"
#include "download/package_digest.h"
#include "download_recorder.h"
#include "download_test_support.h"
#include "test_paths.h"

namespace {

using testing_support::ScratchDir;

const std::wstring kSystem = DownloadText::kUrlDownloadToFile;
const Report kStart{DL_CODE_START, 1.0, L""};
const Report kSuccess{DL_CODE_SUCCESS, 0.0, kSystem};

bool WaitForReports(DownloadRecorder& recorder, size_t count) {
  for (int i = 0; i < 300 && recorder.Reports().size() < count; ++i) Sleep(50);
  return recorder.Reports().size() >= count;
}

TEST(CBindCallback, ReportsEveryNotificationWithAKnownMaximum) {
  DownloadRecorder recorder;
  CWinDownloader::CBindCallback bridge;
  bridge.SetCallback(recorder.Callback());

  EXPECT_EQ(bridge.OnProgress(5, 0, BINDSTATUS_DOWNLOADINGDATA, L""), S_OK);  // maximum 0: nothing
  EXPECT_EQ(bridge.OnProgress(5, 10, BINDSTATUS_DOWNLOADINGDATA, L""), S_OK);
  EXPECT_EQ(bridge.OnProgress(30, 10, BINDSTATUS_DOWNLOADINGDATA, L""), S_OK);  // passed on unchecked
  EXPECT_EQ(bridge.OnProgress(4000000000u, 4000000000u, BINDSTATUS_DOWNLOADINGDATA, L""), S_OK);
  EXPECT_EQ(recorder.Progress(), (std::vector<double>{0.5, 3.0, 1.0}));

  BINDINFO info{};
  info.cbSize = sizeof(info);
  DWORD flags = 0;
  bridge.GetBindInfo(&flags, &info);
  EXPECT_EQ(info.dwCodePage, 65001u);

  bridge.Abort();
  EXPECT_EQ(bridge.OnProgress(6, 10, BINDSTATUS_DOWNLOADINGDATA, L""), E_ABORT);
  EXPECT_EQ(recorder.Progress().size(), 3u);
}

TEST(CWinDownloader, PreparesTheUrlForTheService) {
  EXPECT_EQ(CWinDownloader::PrepareUrl(L"http://h/a b/包.exe"), L"http://h/a+b/%E5%8C%85.exe");
  EXPECT_EQ(CWinDownloader::PrepareUrl(L"file:///C:/a b/包.exe"), L"file:///C:/a b/包.exe");
}

class CWinDownloaderTest : public ::testing::Test {
 protected:
  std::wstring Destination() const { return m_Folder.File("package.exe"); }

  ScratchDir m_Folder;
  DownloadRecorder m_Recorder;
};

TEST_F(CWinDownloaderTest, DownloadsAndRunsAgainOnASecondStart) {
  DownloadServer server;
  const auto info = server.Configure(R"({"size": 1500000})");
  CWinDownloader downloader(m_Recorder.Callback(), server.PackageUrl(), Destination());
  downloader.Start();
  ASSERT_TRUE(m_Recorder.WaitForEnd());
  EXPECT_EQ(m_Recorder.Reports(), (std::vector<Report>{kStart, kSuccess}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
  EXPECT_FALSE(m_Recorder.Progress().empty());
  for (DWORD thread : m_Recorder.ReportingThreads()) EXPECT_NE(thread, GetCurrentThreadId());

  // A later installation attempt gets a download of its own.
  DeleteFileW(Destination().c_str());
  downloader.Start();
  ASSERT_TRUE(WaitForReports(m_Recorder, 4));
  EXPECT_EQ(m_Recorder.Reports(), (std::vector<Report>{kStart, kSuccess, kStart, kSuccess}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
}

TEST_F(CWinDownloaderTest, HttpUrlReachesTheServerEncoded) {
  DownloadServer server;
  // The path as the server must see it: UTF-8 bytes percent-encoded, the
  // space as "+".
  const auto info = server.Configure(R"({"size": 300000, "package_path": "/my+%E5%8C%85/340"})");
  const std::wstring url = DownloadServer::Widen(server.Server().BaseUrl()) + L"/my 包/340";
  CWinDownloader downloader(m_Recorder.Callback(), url, Destination());
  downloader.Start();
  ASSERT_TRUE(m_Recorder.WaitForEnd());
  EXPECT_EQ(m_Recorder.Reports(), (std::vector<Report>{kStart, kSuccess}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
}

TEST_F(CWinDownloaderTest, FileUrlReachesTheServiceUnchanged) {
  ScratchDir source;
  const std::string bytes(200000, 'x');
  std::ofstream(source.File("a b.exe").c_str(), std::ios::binary) << bytes;
  const std::wstring url = L"file:///Z:" + DownloadServer::Widen(source.UnixPath()) + L"/a b.exe";
  CWinDownloader downloader(m_Recorder.Callback(), url, Destination());
  downloader.Start();
  ASSERT_TRUE(m_Recorder.WaitForEnd());
  EXPECT_EQ(m_Recorder.Reports(), (std::vector<Report>{kStart, kSuccess}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), Utils::GetFileMd5(source.File("a b.exe")));
}

TEST_F(CWinDownloaderTest, ServerThatIsDownGetsThreeAttemptsASecondApart) {
  std::string downUrl;
  {
    DownloadServer gone;
    downUrl = gone.Server().BaseUrl() + "/software/340";
  }  // nothing listens on its port any more
  // The package URL redirects to the server that is down, so each attempt
  // shows up here first.
  DownloadServer server;
  server.Configure(R"({"location": ")" + downUrl + "\"}");
  CWinDownloader downloader(m_Recorder.Callback(), server.PackageUrl(), Destination());
  const auto began = std::chrono::steady_clock::now();
  downloader.Start();
  ASSERT_TRUE(m_Recorder.WaitForEnd());
  const auto took = std::chrono::steady_clock::now() - began;

  const auto reports = m_Recorder.Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], kStart);
  EXPECT_EQ(reports[1].code, DL_CODE_FAIL);
  EXPECT_LT(reports[1].value, 0.0) << "a COM failure code";
  EXPECT_EQ(reports[1].text, kSystem);
  // Each of the three attempts is followed by its one-second pause.
  EXPECT_GE(took, std::chrono::milliseconds(2900));
  EXPECT_LT(took, std::chrono::seconds(8));
  std::vector<double> attempts;
  for (const auto& entry : server.Log()) {
    if (entry["method"].asString() == "GET" && entry["path"].asString() == "/software/340") {
      attempts.push_back(entry["time"].asDouble());
    }
  }
  ASSERT_EQ(attempts.size(), 3u);
  for (size_t i = 1; i < attempts.size(); ++i) {
    EXPECT_GE(attempts[i] - attempts[i - 1], 0.9) << "attempt " << i;
    EXPECT_LT(attempts[i] - attempts[i - 1], 2.5) << "attempt " << i;
  }
}

TEST_F(CWinDownloaderTest, TransferCutShortIsAFailedAttempt) {
  DownloadServer server;
  const auto info = server.Configure(R"({"size": 300000, "drop_after": 1000, "drop_times": 10})");
  CWinDownloader downloader(m_Recorder.Callback(), server.PackageUrl(), Destination());
  downloader.Start();
  ASSERT_TRUE(m_Recorder.WaitForEnd());
  EXPECT_EQ(m_Recorder.Reports(),
            (std::vector<Report>{kStart, {DL_CODE_FAIL, static_cast<double>(INET_E_DOWNLOAD_FAILURE), kSystem}}));
  EXPECT_EQ(server.FileGets(info["final_path"].asString()).size(), 3u);
}

TEST_F(CWinDownloaderTest, DestructionStopsASlowDownloadPromptly) {
  DownloadServer server;
  server.Configure(R"({"size": 4000000, "rate": 200000})");
  auto downloader = std::make_unique<CWinDownloader>(m_Recorder.Callback(), server.PackageUrl(), Destination());
  downloader->Start();
  ASSERT_TRUE(m_Recorder.WaitForProgress()) << "the download never progressed";

  const auto began = std::chrono::steady_clock::now();
  downloader.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(3));
  EXPECT_TRUE(m_Recorder.StaysQuietFor(std::chrono::milliseconds(500)));
  EXPECT_EQ(m_Recorder.Reports(), (std::vector<Report>{kStart}));
}

}  // namespace
