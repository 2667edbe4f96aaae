#include "download/mt_curl_downloader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "download/download_codes.h"
#include "download/package_digest.h"
#include "download/part_split.h"
#include "download/tls_trust.h"
#include "download_recorder.h"
#include "download_test_support.h"
#include "test_paths.h"

namespace {

using testing_support::ScratchDir;

const std::wstring kLibCurl = DownloadText::kLibCurl;
const Report kStart{DL_CODE_START, 1.0, L""};
const Report kSuccess{DL_CODE_SUCCESS, 0.0, kLibCurl};
constexpr int32_t kTwentyMiB = 20971520;

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(PartSplit, AtMostTwoRangesTheLastTakingTheRemainder) {
  struct Case {
    int32_t length;
    std::vector<std::pair<int32_t, int32_t>> ranges;
  };
  const Case cases[] = {
      {300, {{0, 299}}},
      {kTwentyMiB - 1, {{0, kTwentyMiB - 2}}},
      {kTwentyMiB, {{0, 10485759}, {10485760, kTwentyMiB - 1}}},
      {kTwentyMiB + 1, {{0, 10485759}, {10485760, kTwentyMiB}}},  // odd: part 1 one byte more
      {104857600, {{0, 52428799}, {52428800, 104857599}}},
      {0, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<int32_t, int32_t>> actual;
    for (const auto& range : SplitPackage(c.length)) actual.emplace_back(range.first, range.last);
    EXPECT_EQ(actual, c.ranges) << "length " << c.length;
  }
}

TEST(PartSplit, BytesWithinPart) {
  EXPECT_EQ(BytesWithinPart(0, 9, 10), 10);   // last byte exactly the part's last: whole block
  EXPECT_EQ(BytesWithinPart(9, 9, 1), 1);     // a final block of one byte
  EXPECT_EQ(BytesWithinPart(5, 9, 10), 5);    // past the end: only what belongs
  EXPECT_EQ(BytesWithinPart(10, 9, 10), 0);   // already full
}

class MTCurlDownloaderTest : public ::testing::Test {
 protected:
  std::wstring Destination() const { return m_Folder.File("package.exe"); }
  std::wstring PartFile(int index) const { return Destination() + L"_" + std::to_wstring(index); }

  void Begin() {
    m_Downloader = std::make_unique<CMTCurlDownloader>(m_Recorder->Callback(), m_Server.PackageUrl(), Destination());
    if (!m_Recorder->m_OnRetry) m_Recorder->m_OnRetry = [this] { m_Downloader->Start(); };
    m_Downloader->Start();
  }
  // Runs one download to its end, restarting from inside DL_CODE_RETRY as
  // the pipeline does.
  std::vector<Report> Download() {
    Begin();
    EXPECT_TRUE(m_Recorder->WaitForEnd()) << "the download did not end";
    return m_Recorder->Reports();
  }
  void Reset() {
    m_Downloader.reset();
    m_Recorder = std::make_unique<DownloadRecorder>();
  }
  std::vector<std::string> FileRanges(const Json::Value& info) {
    std::vector<std::string> ranges;
    for (const auto& get : m_Server.FileGets(info["final_path"].asString())) ranges.push_back(get["range"].asString());
    std::sort(ranges.begin(), ranges.end());
    return ranges;
  }

  ScratchDir m_Folder;
  DownloadServer m_Server;
  std::unique_ptr<DownloadRecorder> m_Recorder = std::make_unique<DownloadRecorder>();
  std::unique_ptr<CMTCurlDownloader> m_Downloader;
};

TEST_F(MTCurlDownloaderTest, FetchesEachRangeOnceAndJoinsThem) {
  struct Case {
    int32_t size;
    std::vector<std::string> ranges;
  };
  const Case cases[] = {
      {kTwentyMiB, {"bytes=0-10485759", "bytes=10485760-20971519"}},
      {kTwentyMiB - 1, {"bytes=0-20971518"}},
      {kTwentyMiB + 1, {"bytes=0-10485759", "bytes=10485760-20971520"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    Reset();
    const auto info = m_Server.Configure("{\"size\": " + std::to_string(c.size) + "}");
    EXPECT_EQ(Download(), (std::vector<Report>{kStart, kSuccess}));
    EXPECT_EQ(FileRanges(info), c.ranges);
    EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
    EXPECT_FALSE(FileExists(PartFile(0)));
    EXPECT_FALSE(FileExists(PartFile(1)));
    for (double fraction : m_Recorder->Progress()) EXPECT_TRUE(fraction > 0.0 && fraction <= 1.0) << fraction;
    for (DWORD thread : m_Recorder->ReportingThreads()) EXPECT_NE(thread, GetCurrentThreadId());
  }
}

TEST_F(MTCurlDownloaderTest, RunAfterAFailureWithProgressFetchesOnlyTheMissingRange) {
  // Part 0 arrives slowly enough for progress to be reported; part 1 breaks
  // after 3 MB and then fails every attempt.
  const std::string size = std::to_string(kTwentyMiB + 1);
  m_Server.Configure("{\"size\": " + size + R"(, "range_rules": [
      {"to": 10485760, "rate": 4000000},
      {"from": 10485760, "drop_after": 3000000, "times": 1},
      {"from": 10485760, "status": 500}]})");
  int64_t part0 = -1, part1 = -1;
  Json::Value info;
  m_Recorder->m_OnRetry = [&] {
    part0 = FileSize(PartFile(0));
    part1 = FileSize(PartFile(1));
    info = m_Server.Configure("{\"size\": " + size + "}");  // the server recovers; its log starts anew
    m_Downloader->Start();
  };

  EXPECT_EQ(Download(), (std::vector<Report>{kStart, {DL_CODE_RETRY, 22.0, kLibCurl}, kStart, kSuccess}));
  EXPECT_FALSE(m_Recorder->Progress().empty());
  EXPECT_EQ(part0, 10485760);
  ASSERT_GT(part1, 0);
  // Part 0 was complete and is not asked for again; part 1 continues.
  EXPECT_EQ(FileRanges(info), (std::vector<std::string>{"bytes=" + std::to_string(10485760 + part1) + "-" +
                                                        std::to_string(kTwentyMiB)}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
  EXPECT_FALSE(FileExists(PartFile(0)));
  EXPECT_FALSE(FileExists(PartFile(1)));
}

TEST_F(MTCurlDownloaderTest, RunAfterAFailureWithoutProgressStartsAfresh) {
  // Part 1 receives a few bytes (well under one percent) before both parts
  // fail for good.
  const std::string size = std::to_string(kTwentyMiB + 1);
  m_Server.Configure("{\"size\": " + size + R"(, "range_rules": [
      {"to": 10485760, "status": 500},
      {"from": 10485760, "drop_after": 50000, "times": 1},
      {"from": 10485760, "status": 500}]})");
  bool partFilesLeft = true;
  Json::Value info;
  m_Recorder->m_OnRetry = [&] {
    partFilesLeft = FileExists(PartFile(0)) || FileExists(PartFile(1));
    info = m_Server.Configure("{\"size\": " + size + "}");
    m_Downloader->Start();
  };

  EXPECT_EQ(Download(), (std::vector<Report>{kStart, {DL_CODE_RETRY, 22.0, kLibCurl}, kStart, kSuccess}));
  EXPECT_FALSE(partFilesLeft);
  EXPECT_EQ(FileRanges(info), (std::vector<std::string>{"bytes=0-10485759", "bytes=10485760-20971520"}));
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
}

TEST_F(MTCurlDownloaderTest, DigestOutcomes) {
  const std::wstring missing = DownloadText::kMtDigestMissing;
  const std::wstring mismatch = DownloadText::kMtDigestMismatch;
  struct Case {
    const char* digest;
    std::vector<Report> expected;
    size_t fileGets;
  };
  const Case cases[] = {
      {"none", {kStart, {DL_CODE_REASON, 0.0, missing}, kSuccess}, 1},
      // A mismatch asks for one retry, which downloads everything again; the
      // second mismatch fails for good.
      {"wrong",
       {kStart, {DL_CODE_REASON, 0.0, mismatch}, {DL_CODE_RETRY, 0.0, kLibCurl}, kStart,
        {DL_CODE_REASON, 0.0, mismatch}, {DL_CODE_FAIL, 0.0, kLibCurl}},
       2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digest);
    Reset();
    const auto info = m_Server.Configure(std::string(R"({"size": 300000, "digest": ")") + c.digest + "\"}");
    EXPECT_EQ(Download(), c.expected);
    Sleep(600);  // no further run follows
    EXPECT_EQ(m_Recorder->Reports().size(), c.expected.size());
    EXPECT_EQ(FileRanges(info), std::vector<std::string>(c.fileGets, "bytes=0-299999"));
    EXPECT_EQ(FileExists(Destination()), c.expected.back().code == DL_CODE_SUCCESS);
    EXPECT_FALSE(FileExists(PartFile(0)));
  }
}

TEST_F(MTCurlDownloaderTest, DestinationThatCannotBeReplacedFailsTheDownload) {
  const auto info = m_Server.Configure(R"({"size": 300000, "digest": "none"})");
  ASSERT_TRUE(CreateDirectoryW(Destination().c_str(), nullptr));
  const Report retry{DL_CODE_RETRY, 0.0, kLibCurl};
  const Report fail{DL_CODE_FAIL, 0.0, kLibCurl};
  EXPECT_EQ(Download(), (std::vector<Report>{kStart, retry, kStart, fail}));
  EXPECT_EQ(FileRanges(info), std::vector<std::string>(2, "bytes=0-299999"));
  EXPECT_FALSE(FileExists(PartFile(0)));
}

TEST_F(MTCurlDownloaderTest, ProbeWithoutUsableLengthFailsAtOnce) {
  const Report fail{DL_CODE_FAIL, 0.0, kLibCurl};
  const char* configs[] = {R"({"status": 404})", R"({"size": 255})", R"({"no_length": true})"};
  for (const char* config : configs) {
    SCOPED_TRACE(config);
    Reset();
    const auto info = m_Server.Configure(config);
    EXPECT_EQ(Download(), (std::vector<Report>{kStart, fail}));
    EXPECT_TRUE(FileRanges(info).empty());
  }
}

TEST_F(MTCurlDownloaderTest, ServersThatDoNotKeepToTheRange) {
  struct Case {
    const char* name;
    const char* config;
    std::vector<Report> expected;
  };
  const Case cases[] = {
      // Part 0 receives 1000 bytes past its end: it keeps its own bytes and
      // counts as complete.
      {"more than the range", R"({"size": 20971521, "extra_bytes": 1000})", {kStart, kSuccess}},
      // Every answer is the whole package from byte 0: part 1 must not store
      // it as its range, even with no digest to catch the damage.
      {"ranges ignored", R"({"size": 20971521, "no_ranges": true, "digest": "none"})",
       {kStart, {DL_CODE_RETRY, 23.0, kLibCurl}, kStart, {DL_CODE_FAIL, 23.0, kLibCurl}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    const auto info = m_Server.Configure(c.config);
    EXPECT_EQ(Download(), c.expected);
    if (c.expected.back().code == DL_CODE_SUCCESS) {
      EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
      EXPECT_EQ(FileRanges(info).size(), 2u);
    } else {
      EXPECT_FALSE(FileExists(Destination()));
    }
  }
}

TEST_F(MTCurlDownloaderTest, StalledPartEndsItsAttemptAndResumes) {
  const auto info = m_Server.Configure(R"({"size": 300000, "stall_after": 100000, "stall_times": 1, "stall_seconds": 30})");
  LogCapture log;
  const size_t before = LogCapture::Count(L"CurlDownLoader Code=28");
  const auto began = std::chrono::steady_clock::now();
  EXPECT_EQ(Download(), (std::vector<Report>{kStart, kSuccess}));
  const auto took = std::chrono::steady_clock::now() - began;
  // libcurl measures the speed over the last few seconds, so the burst
  // before the stall delays the limit by about that long.
  EXPECT_GE(took, std::chrono::seconds(5));
  EXPECT_LT(took, std::chrono::seconds(20));
  EXPECT_EQ(LogCapture::Count(L"CurlDownLoader Code=28") - before, 1u);
  const auto ranges = FileRanges(info);
  EXPECT_NE(std::find(ranges.begin(), ranges.end(), "bytes=100000-299999"), ranges.end());
  EXPECT_EQ(Utils::GetFileMd5(Destination()), info["md5"].asString());
}

TEST_F(MTCurlDownloaderTest, DestructionStopsASlowDownloadPromptly) {
  m_Server.Configure(R"({"size": 20971521, "rate": 2000000})");
  Begin();
  ASSERT_TRUE(m_Recorder->WaitForProgress()) << "the download never progressed";

  const auto began = std::chrono::steady_clock::now();
  m_Downloader.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(3));
  EXPECT_TRUE(m_Recorder->StaysQuietFor(std::chrono::milliseconds(700)));
  EXPECT_FALSE(FileExists(PartFile(0)));
  EXPECT_FALSE(FileExists(PartFile(1)));
  EXPECT_FALSE(FileExists(Destination()));
}

class MTCurlDownloaderTlsTest : public ::testing::Test {
 protected:
  void TearDown() override { DownloadTls::SetCaFileForTesting(""); }
};

TEST_F(MTCurlDownloaderTlsTest, VerifiesTheServerCertificate) {
  DownloadServer server({"--tls"});
  const auto info = server.Configure(R"({"size": 300000})");
  ScratchDir folder;
  const std::wstring destination = folder.File("package.exe");
  const std::string certificates = "Z:" + server.Server().Folder().UnixPath();
  struct Case {
    const char* caFile;
    int32_t outcome;
  };
  const Case cases[] = {{"/unrelated-ca.pem", DL_CODE_FAIL}, {"/server-ca.pem", DL_CODE_SUCCESS}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caFile);
    DownloadTls::SetCaFileForTesting(certificates + c.caFile);
    DownloadRecorder recorder;
    CMTCurlDownloader downloader(recorder.Callback(), server.PackageUrl(), destination);
    downloader.Start();
    ASSERT_TRUE(recorder.WaitForEnd());
    EXPECT_EQ(recorder.Reports().back().code, c.outcome);
  }
  EXPECT_EQ(Utils::GetFileMd5(destination), info["md5"].asString());
  EXPECT_EQ(server.FileGets(info["final_path"].asString()).size(), 1u);
}

}  // namespace
