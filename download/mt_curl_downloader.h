#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <curl/curl.h>

#include "download/download_part_node.h"
#include "download/download_workers.h"
#include "download/downloader.h"

// The multi-part downloader: probes the package once, fetches at most two
// byte ranges in parallel into "<destination>_0" and "_1", joins them and
// checks the digest carried in the final URL.
//
// Threads of a run: the worker "ABDEF" (probe, split, starts the others and
// ends), one detached thread per part still to fetch, and one detached
// waiting thread that joins the parts and sends the outcome. Progress comes
// from the part threads, serialised by m_ProgressLock. Part files survive a
// failed run that reported progress, so the run after DL_CODE_RETRY resumes
// them.
class CMTCurlDownloader : public CDownloader {
 public:
  CMTCurlDownloader(DownloadCallback callback, const std::wstring& url, const std::wstring& filePath);
  // Aborts running transfers at their next progress notification, waits for
  // every thread of the downloader and removes the part files; nothing is
  // reported once destruction began. Never destroy it from inside its own
  // callback.
  ~CMTCurlDownloader() override;

  void Start() override;

  // Attempts of one part: a partial-file failure costs 1, any other 2.
  static constexpr int kRetryBudget = 12;
  // A part that receives less than this many bytes per second for
  // kLowSpeedSeconds ends its attempt.
  static constexpr long kLowSpeedBytes = 1;
  static constexpr long kLowSpeedSeconds = 5;

 private:
  void Start_Down();
  bool getRealDownloadUrl(const std::string& url);
  void downloadThreadFun(DownloadPartNode* part);
  int32_t downloadExe(DownloadPartNode* part);
  void waitForFinishThreadFun();
  // Joins the part files into the destination; false when any step failed.
  bool joinParts(size_t partCount);
  // After a failed run: DL_CODE_RETRY the first time, DL_CODE_FAIL after.
  void RetryOnceOrFail(double value);
  void clearParts();
  void deletePartFiles();
  std::wstring PartPath(int index) const;
  void PartEnded();
  void Report(int32_t code, double value, const wchar_t* text);

  static size_t partWriteCallback(char* data, size_t size, size_t count, void* part);
  static int progressCallback(void* self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow);
  static int probeProgressCallback(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

  std::vector<std::unique_ptr<DownloadPartNode>> m_Parts;
  DownloadCallback m_Callback;
  std::wstring m_FilePath;
  std::wstring m_Url;
  std::string m_RealUrl;
  int32_t m_FileLength = -1;
  std::string m_Md5;
  double m_LastPercent = 0.0;
  std::atomic<int32_t> m_RunningParts{0};
  int64_t m_LastProgressTime = 0;
  bool m_Retried = false;

  std::mutex m_ProgressLock;
  // Signalled by each part thread as it ends; the waiting thread waits on it.
  std::mutex m_PartsLock;
  std::condition_variable m_PartsEnded;
  // Every thread that may still use this object: workers, and through its
  // Threads() the parts and waiters.
  DownloadWorkers m_Workers;
};
