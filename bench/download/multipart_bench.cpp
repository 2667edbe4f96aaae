// Times the multi-part downloader against the single-stream downloader on the
// same package from the loopback download server, once with every connection
// limited to a fixed rate and once without a limit. Prints key=value lines;
// the last one is the ratio multi-part / single-stream on the limited server.
//
//   multipart_bench.exe [--size BYTES] [--rate BYTES_PER_S] [--rounds N]

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "download/curl_downloader.h"
#include "download/mt_curl_downloader.h"
#include "download/package_digest.h"
#include "download_recorder.h"
#include "download_test_support.h"
#include "test_paths.h"

namespace {

struct Options {
  long long size = 100LL * 1024 * 1024;
  long long rate = 8000000;
  int rounds = 3;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!strcmp(argv[i], "--size")) options.size = atoll(argv[i + 1]);
    if (!strcmp(argv[i], "--rate")) options.rate = atoll(argv[i + 1]);
    if (!strcmp(argv[i], "--rounds")) options.rounds = std::max(1, atoi(argv[i + 1]));
  }
  return options;
}

// Seconds from Start to the outcome; negative when the download failed or
// delivered the wrong bytes.
template <typename Downloader>
double TimeOne(DownloadServer& server, const std::string& md5) {
  testing_support::ScratchDir folder;
  const std::wstring destination = folder.File("package.exe");
  DownloadRecorder recorder;
  Downloader downloader(recorder.Callback(), server.PackageUrl(), destination);
  const auto began = std::chrono::steady_clock::now();
  downloader.Start();
  if (!recorder.WaitForEnd(std::chrono::seconds(600))) return -1.0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  const auto reports = recorder.Reports();
  if (reports.empty() || reports.back().code != DL_CODE_SUCCESS) return -1.0;
  if (Utils::GetFileMd5(destination) != md5) return -1.0;
  DeleteFileW(destination.c_str());
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Single-stream and multi-part alternately, `rounds` times each; the medians.
std::pair<double, double> Compare(DownloadServer& server, const std::string& config, int rounds) {
  const auto info = server.Configure(config);
  const std::string md5 = info["md5"].asString();
  std::vector<double> single, multi;
  for (int i = 0; i < rounds; ++i) {
    single.push_back(TimeOne<CCurlDownloader>(server, md5));
    multi.push_back(TimeOne<CMTCurlDownloader>(server, md5));
  }
  return {Median(single), Median(multi)};
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  DownloadServer server;
  const std::string size = std::to_string(options.size);

  const auto open = Compare(server, "{\"size\": " + size + "}", options.rounds);
  // The limited runs are long; one round of each is enough to see the ratio.
  const auto limited =
      Compare(server, "{\"size\": " + size + ", \"rate\": " + std::to_string(options.rate) + "}", 1);

  printf("size_bytes=%lld\n", options.size);
  printf("unlimited_rounds=%d\n", options.rounds);
  printf("unlimited_single_s=%.3f\n", open.first);
  printf("unlimited_multi_s=%.3f\n", open.second);
  printf("unlimited_ratio=%.3f\n", open.second / open.first);
  printf("rate_bytes_per_s=%lld\n", options.rate);
  printf("limited_single_s=%.3f\n", limited.first);
  printf("limited_multi_s=%.3f\n", limited.second);
  printf("ratio=%.3f\n", limited.second / limited.first);
  fflush(stdout);
  const bool failed = open.first < 0 || open.second < 0 || limited.first < 0 || limited.second < 0;
  return failed ? 1 : 0;
}
