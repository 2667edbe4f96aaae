#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "download/curl_handles.h"

// libcurl for the single-stream downloader: stateless probes that find the
// package's final URL and length, and one resumable transfer into
// "<destination>.part", renamed to the destination once complete.
//
// One thread at a time uses an object (its owner's worker); the progress
// callback runs inside Start on that thread. m_Abort may be set from any thread.
class CurlClient {
 public:
  // (owner, average speed in bytes/s, reserved, percent done)
  using ProgressHook = void (*)(void* owner, double speed, double reserved, double percent);

  // Own results of Start besides libcurl's CURLcode values.
  static constexpr int32_t kDestinationUnwritable = -995;
  static constexpr int32_t kPartFileUnopenable = -996;
  static constexpr int32_t kNoCurlHandle = -997;
  static constexpr int32_t kNoUsableLength = -998;

  CurlClient(const std::wstring& url, const std::wstring& filePath, void* owner, ProgressHook hook);
  // Stops a running transfer at its next progress notification and deletes the
  // part file.
  ~CurlClient();
  CurlClient(const CurlClient&) = delete;
  CurlClient& operator=(const CurlClient&) = delete;

  // One transfer attempt: 0 when the file is complete at the destination, else
  // a CURLcode or one of the own results. A failed attempt leaves the part
  // file for the next call to resume.
  int32_t Start();

  // The part file (true) or the destination (false).
  std::wstring GetFilePath(bool partFile) const;
  // The URL after redirects as the last probe found it.
  const std::string& RealUrl() const { return m_RealUrl; }
  double FileLength() const { return m_FileLength; }
  void Abort() { m_Abort = true; }

  // Probes; each uses and releases its own handle except Head, whose handle
  // (also after a failed request) goes to the caller.
  static UniqueCurl Head(const std::string& url);
  static std::string GetEffectiveUrl(CURL* handle);
  static double GetDownloadFileLength(CURL* handle);
  static std::string GetRealUrl_Str(const std::string& url);
  static double GetDownloadFileLength_Str(const std::string& url);

  // libcurl transfer-info callback: 0 continues, 1 aborts.
  static int ProgressCallback(void* client, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal,
                              curl_off_t ulNow);

 private:
  // Fills m_RealUrl and m_FileLength while either is missing.
  void Probe();
  // One request into the part file; the CURLcode or an own result.
  int32_t Transfer();

  std::wstring m_Url;
  std::wstring m_FilePath;
  void* m_Owner;
  CURL* m_Curl = nullptr;  // the running transfer's handle, owned by Start
  ProgressHook m_ProgressHook;
  double m_FileLength = -1.0;
  int64_t m_ResumeFrom = -1;
  int64_t m_LastProgressTime = 0;
  std::atomic<bool> m_Abort{false};
  std::string m_RealUrl;
};
