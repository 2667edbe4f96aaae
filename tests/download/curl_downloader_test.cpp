#include "download/curl_downloader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <thread>

#include "download/download_codes.h"
#include "download/length_probe_report.h"
#include "download/package_digest.h"
#include "download/tls_trust.h"
#include "download_recorder.h"
#include "download_test_support.h"
#include "test_paths.h"

namespace {

using testing_support::ScratchDir;

const std::wstring kLibCurl = DownloadText::kLibCurl;

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::mutex g_ProbeReportsLock;
std::vector<std::wstring> g_ProbeReports;
void RecordProbeReport(const std::wstring& reason) {
  std::lock_guard<std::mutex> hold(g_ProbeReportsLock);
  g_ProbeReports.push_back(reason);
}

class CurlDownloaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLengthProbeReporterForTesting(&RecordProbeReport);
    std::lock_guard<std::mutex> hold(g_ProbeReportsLock);
    g_ProbeReports.clear();
  }
  void TearDown() override { SetLengthProbeReporterForTesting(nullptr); }

  std::wstring Destination() const { return m_Folder.File("package.exe"); }

  // Runs one download to its end, restarting once from inside DL_CODE_RETRY
  // as the pipeline does.
  std::vector<Report> Download(const std::wstring& url) {
    m_Downloader = std::make_unique<CCurlDownloader>(m_Recorder->Callback(), url, Destination());
    m_Recorder->m_OnRetry = [this] { m_Downloader->Start(); };
    m_Downloader->Start();
    EXPECT_TRUE(m_Recorder->WaitForEnd()) << "the download did not end";
    return m_Recorder->Reports();
  }

  ScratchDir m_Folder;
  DownloadServer m_Server;
  std::unique_ptr<DownloadRecorder> m_Recorder = std::make_unique<DownloadRecorder>();
  std::unique_ptr<CCurlDownloader> m_Downloader;
};

TEST_F(CurlDownloaderTest, ResumesAfterDroppedConnectionsAndChecksTheDigest) {
  const auto info = m_Server.Configure(R"({"size": 3000000, "drop_after": 700000, "drop_times": 3})");
  LogCapture log;

  const auto reports = Download(m_Server.PackageUrl());

  EXPECT_EQ(reports, (std::vector<Report>{{DL_CODE_START, 1.0, L""}, {DL_CODE_SUCCESS, 0.0, kLibCurl}}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
  EXPECT_FALSE(FileExists(Destination() + L".part"));
  EXPECT_EQ(LogCapture::Count(L"CurlDownLoader Code=18"), 3u);
  // Each resumed attempt asks only for the bytes still missing.
  const auto gets = m_Server.FileGets(info["final_path"].asString());
  ASSERT_EQ(gets.size(), 4u);
  EXPECT_TRUE(gets[0]["range"].isNull());
  EXPECT_EQ(gets[1]["range"].asString(), "bytes=700000-");
  EXPECT_EQ(gets[2]["range"].asString(), "bytes=1400000-");
  EXPECT_EQ(gets[3]["range"].asString(), "bytes=2100000-");
  for (double fraction : m_Recorder->Progress()) {
    EXPECT_GT(fraction, 0.0);
    EXPECT_LE(fraction, 1.0);
  }
  // Every report came from the downloader's worker, not from this thread.
  for (DWORD thread : m_Recorder->ReportingThreads()) EXPECT_NE(thread, GetCurrentThreadId());
}

TEST_F(CurlDownloaderTest, FailureSequences) {
  struct Case {
    const char* name;
    const char* config;
    std::vector<Report> expected;
    size_t retryLogLines;  // "CurlDownLoader Code=" lines
    size_t fileGets;       // transfer requests for the package file
  };
  const Case cases[] = {
      {"404 on every probe: no usable length", R"({"status": 404})",
       {{DL_CODE_START, 1.0, L""}, {DL_CODE_FAIL, -998.0, kLibCurl}}, 5, 0},
      {"404 on the transfer", R"({"get_status": 404})",
       {{DL_CODE_START, 1.0, L""}, {DL_CODE_FAIL, 22.0, kLibCurl}}, 5, 6},
      {"package under 1 MiB is never fetched", R"({"size": 1048575})",
       {{DL_CODE_START, 1.0, L""}, {DL_CODE_FAIL, -998.0, kLibCurl}}, 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    m_Recorder = std::make_unique<DownloadRecorder>();
    const auto info = m_Server.Configure(c.config);
    LogCapture log;
    const size_t before = LogCapture::Count(L"CurlDownLoader Code=");
    EXPECT_EQ(Download(m_Server.PackageUrl()), c.expected);
    EXPECT_EQ(LogCapture::Count(L"CurlDownLoader Code=") - before, c.retryLogLines);
    EXPECT_EQ(m_Server.FileGets(info["final_path"].asString()).size(), c.fileGets);
    EXPECT_FALSE(FileExists(Destination()));
    m_Downloader.reset();
  }
  // The length probes told tracking about the 404s.
  std::lock_guard<std::mutex> hold(g_ProbeReportsLock);
  EXPECT_NE(std::find(g_ProbeReports.begin(), g_ProbeReports.end(), LengthProbeReason(404)), g_ProbeReports.end());
}

TEST_F(CurlDownloaderTest, DigestOutcomes) {
  const std::wstring missing = DownloadText::kDigestMissing;
  const std::wstring mismatch = DownloadText::kDigestMismatch;
  struct Case {
    const char* digest;
    std::vector<Report> expected;
  };
  const Case cases[] = {
      {"none", {{DL_CODE_START, 1.0, L""}, {DL_CODE_REASON, 0.0, missing}, {DL_CODE_SUCCESS, 0.0, kLibCurl}}},
      // A mismatch asks for one retry; the second mismatch fails for good.
      {"wrong",
       {{DL_CODE_START, 1.0, L""}, {DL_CODE_REASON, 0.0, mismatch}, {DL_CODE_RETRY, 0.0, kLibCurl},
        {DL_CODE_START, 1.0, L""}, {DL_CODE_REASON, 0.0, mismatch}, {DL_CODE_FAIL, 0.0, kLibCurl}}},
      // Digests compare case-sensitively: an upper-case one never matches.
      {"upper",
       {{DL_CODE_START, 1.0, L""}, {DL_CODE_REASON, 0.0, mismatch}, {DL_CODE_RETRY, 0.0, kLibCurl},
        {DL_CODE_START, 1.0, L""}, {DL_CODE_REASON, 0.0, mismatch}, {DL_CODE_FAIL, 0.0, kLibCurl}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digest);
    m_Recorder = std::make_unique<DownloadRecorder>();
    m_Server.Configure(std::string(R"({"size": 1500000, "digest": ")") + c.digest + "\"}");
    EXPECT_EQ(Download(m_Server.PackageUrl()), c.expected);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));  // no third run follows
    EXPECT_EQ(m_Recorder->Reports().size(), c.expected.size());
    m_Downloader.reset();
  }
}

TEST_F(CurlDownloaderTest, DestinationThatCannotBeReplacedFailsTheDownload) {
  const auto info = m_Server.Configure(R"({"size": 1100000})");
  ASSERT_TRUE(CreateDirectoryW(Destination().c_str(), nullptr));
  const double unwritable = CurlClient::kDestinationUnwritable;
  EXPECT_EQ(Download(m_Server.PackageUrl()),
            (std::vector<Report>{{DL_CODE_START, 1.0, L""}, {DL_CODE_FAIL, unwritable, kLibCurl}}));
  // Later attempts find the part file complete and only try to put it in place.
  EXPECT_EQ(m_Server.FileGets(info["final_path"].asString()).size(), 1u);
}

TEST_F(CurlDownloaderTest, DownloadsAFileUrl) {
  const auto info = m_Server.Configure(R"({"size": 1200000})");
  const std::string md5 = info["md5"].asString();
  // The file's folder is named by its digest, as on the download server.
  ScratchDir source;
  CreateDirectoryW(source.File(md5).c_str(), nullptr);
  const std::string bytes = m_Server.Server().Get(info["final_path"].asString()).body;
  ASSERT_EQ(bytes.size(), 1200000u);
  std::ofstream(source.File(md5 + "\\setup.exe").c_str(), std::ios::binary) << bytes;

  const std::wstring url = L"file:///Z:" + DownloadServer::Widen(source.UnixPath() + "/" + md5 + "/setup.exe");
  EXPECT_EQ(Download(url), (std::vector<Report>{{DL_CODE_START, 1.0, L""}, {DL_CODE_SUCCESS, 0.0, kLibCurl}}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), md5);
}

TEST_F(CurlDownloaderTest, DestructionStopsASlowDownloadPromptly) {
  m_Server.Configure(R"({"size": 8000000, "rate": 400000})");
  m_Downloader = std::make_unique<CCurlDownloader>(m_Recorder->Callback(), m_Server.PackageUrl(), Destination());
  m_Downloader->Start();
  ASSERT_TRUE(m_Recorder->WaitForProgress()) << "the download never progressed";

  const auto began = std::chrono::steady_clock::now();
  m_Downloader.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(5));
  EXPECT_TRUE(m_Recorder->StaysQuietFor(std::chrono::milliseconds(700)));
  EXPECT_FALSE(FileExists(Destination() + L".part"));
  EXPECT_FALSE(FileExists(Destination()));
}

TEST_F(CurlDownloaderTest, DestructionDuringARetryCallbackStartsNoFurtherRun) {
  const auto info = m_Server.Configure(R"({"size": 1500000, "digest": "wrong"})");
  m_Downloader = std::make_unique<CCurlDownloader>(m_Recorder->Callback(), m_Server.PackageUrl(), Destination());
  CCurlDownloader* downloader = m_Downloader.get();
  std::promise<void> retrying;
  // The pipeline's answer to DL_CODE_RETRY, late: destruction has begun.
  m_Recorder->m_OnRetry = [&] {
    retrying.set_value();
    Sleep(300);
    downloader->Start();
  };
  m_Downloader->Start();
  ASSERT_EQ(retrying.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);

  m_Downloader.reset();
  Sleep(700);
  EXPECT_EQ(m_Recorder->Reports().back().code, DL_CODE_RETRY);
  EXPECT_EQ(m_Server.FileGets(info["final_path"].asString()).size(), 1u);
  EXPECT_FALSE(FileExists(Destination() + L".part"));
}

class CurlDownloaderTlsTest : public ::testing::Test {
 protected:
  void TearDown() override { DownloadTls::SetCaFileForTesting(""); }
};

TEST_F(CurlDownloaderTlsTest, VerifiesTheServerCertificate) {
  DownloadServer server({"--tls"});
  const auto info = server.Configure(R"({"size": 1100000})");
  ScratchDir folder;
  const std::wstring destination = folder.File("package.exe");
  const std::string certificates = "Z:" + server.Server().Folder().UnixPath();

  // A certificate from a CA the client does not trust: refused, nothing kept.
  DownloadTls::SetCaFileForTesting(certificates + "/unrelated-ca.pem");
  {
    DownloadRecorder recorder;
    CCurlDownloader downloader(recorder.Callback(), server.PackageUrl(), destination);
    downloader.Start();
    ASSERT_TRUE(recorder.WaitForEnd());
    const auto reports = recorder.Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports.back().code, DL_CODE_FAIL);
  }
  EXPECT_FALSE(FileExists(destination));
  EXPECT_FALSE(FileExists(destination + L".part"));
  EXPECT_EQ(server.FileGets(info["final_path"].asString()).size(), 0u);

  // The same server, trusted: the transfer goes through.
  DownloadTls::SetCaFileForTesting(certificates + "/server-ca.pem");
  DownloadRecorder recorder;
  CCurlDownloader downloader(recorder.Callback(), server.PackageUrl(), destination);
  downloader.Start();
  ASSERT_TRUE(recorder.WaitForEnd());
  EXPECT_EQ(recorder.Reports().back(), (Report{DL_CODE_SUCCESS, 0.0, kLibCurl}));
  EXPECT_EQ(Utils::GetFileMd5(destination), info["md5"].asString());
}

}  // namespace
