#include "download/package_digest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "test_paths.h"

namespace {

struct UrlCase {
  const char* url;
  const char* expected;
};

TEST(PackageDigest_GetMd5FromUrl, TakesTheSecondToLastSegment) {
  const UrlCase cases[] = {
      {"http://dl.example.com/0cc175b9c0f1b6a831c399e269772661/setup.exe", "0cc175b9c0f1b6a831c399e269772661"},
      {"http://dl.example.com/a/b.exe", "a"},
      {"http://dl.example.com/b.exe", "dl.example.com"},  // single segment: the host
      {"http://dl.example.com/", "dl.example.com"},
      {"http://host/dir/", "dir"},
      {"a/b", ""},       // one slash
      {"/b.exe", ""},
      {"setup.exe", ""},  // no slash
      {"", ""},
      {"file:///C:/pkgs/ABCDEF/setup.exe", "ABCDEF"},  // the form is not checked here
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utils::GetMd5FromUrl(c.url), c.expected) << "url: " << c.url;
  }
}

TEST(PackageDigest_GetFileMd5, HashesFilesAndGivesEmptyOnFailure) {
  testing_support::ScratchDir dir;
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir.File(name).c_str(), std::ios::binary) << bytes;
    return "Z:" + dir.UnixPath() + "/" + name;
  };
  // RFC 1321 test suite, and a file larger than one read block.
  EXPECT_EQ(Utils::GetFileMd5(write("empty", "")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Utils::GetFileMd5(write("abc", "abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Utils::GetFileMd5(write("digits", "12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
            "57edf4a22be3c955ac49da2e2107b67a");
  EXPECT_EQ(Utils::GetFileMd5(write("big", std::string(3 * 1024 * 1024 + 17, 'a'))).size(), 32u);

  EXPECT_EQ(Utils::GetFileMd5(""), "");
  EXPECT_EQ(Utils::GetFileMd5("Z:" + dir.UnixPath() + "/missing"), "");
}

}  // namespace

#include "download/downloader_selection.h"

TEST(DownloaderSelection, MapsDownloadTypes) {
  const struct {
    int32_t type;
    DownloaderKind kind;
  } cases[] = {{1, DownloaderKind::SingleStream}, {0, DownloaderKind::SingleStream},
               {4, DownloaderKind::SingleStream}, {-3, DownloaderKind::SingleStream},
               {2, DownloaderKind::System},       {3, DownloaderKind::MultiPart}};
  for (const auto& c : cases) EXPECT_EQ(DownloaderKindFor(c.type), c.kind) << "type " << c.type;
}

#include "download/curl_downloader.h"
#include "download/downloader_factory.h"
#include "download/mt_curl_downloader.h"
#include "download/win_downloader.h"

TEST(DownloaderFactory, BuildsTheSelectedDownloader) {
  const auto noReports = [](int32_t, double, const wchar_t*) {};
  const std::wstring url = L"http://127.0.0.1:9/software/340";
  const std::wstring path = L"C:\\nonexistent-folder\\package.exe";
  EXPECT_NE(dynamic_cast<CWinDownloader*>(CreateDownloader(2, noReports, url, path).get()), nullptr);
  EXPECT_NE(dynamic_cast<CMTCurlDownloader*>(CreateDownloader(3, noReports, url, path).get()), nullptr);
  EXPECT_NE(dynamic_cast<CCurlDownloader*>(CreateDownloader(1, noReports, url, path).get()), nullptr);
}
