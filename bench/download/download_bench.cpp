// Downloads one package with CCurlDownloader and prints how long it took and
// the process's peak memory, as key=value lines. Run by run-single.sh.
#include <windows.h>
#include <psapi.h>

#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

#include "download/curl_downloader.h"
#include "download/download_codes.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    fwprintf(stderr, L"usage: download_bench URL DESTINATION\n");
    return 2;
  }
  curl_global_init(CURL_GLOBAL_ALL);
  std::mutex lock;
  std::condition_variable ended;
  int32_t outcome = 0;
  double value = 0.0;

  const auto began = std::chrono::steady_clock::now();
  {
    CCurlDownloader downloader(
        [&](int32_t code, double codeValue, const wchar_t*) {
          if (code != DL_CODE_SUCCESS && code != DL_CODE_FAIL) return;
          std::lock_guard<std::mutex> hold(lock);
          outcome = code;
          value = codeValue;
          ended.notify_all();
        },
        argv[1], argv[2]);
    downloader.Start();
    std::unique_lock<std::mutex> hold(lock);
    ended.wait(hold, [&] { return outcome != 0; });
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  printf("outcome=%d\nvalue=%g\nseconds=%.3f\npeak_working_set_mib=%.1f\npeak_private_mib=%.1f\n", outcome, value,
         seconds, memory.PeakWorkingSetSize / 1048576.0, memory.PeakPagefileUsage / 1048576.0);
  curl_global_cleanup();
  return outcome == DL_CODE_SUCCESS ? 0 : 1;
}
