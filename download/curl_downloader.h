#pragma once

#include <string>

#include "download/curl_client.h"
#include "download/download_workers.h"
#include "download/downloader.h"

// The default downloader: one libcurl stream through CurlClient, resumed from
// the part file after a failed attempt, checked against the digest in the
// final URL. Each Start runs on a new worker thread named "ABDEF"; every
// callback comes from that worker.
class CCurlDownloader : public CDownloader {
 public:
  CCurlDownloader(DownloadCallback callback, const std::wstring& url, const std::wstring& filePath);
  // Stops a running transfer promptly (at its next progress notification)
  // and waits for the workers; no callback is sent after destruction began.
  ~CCurlDownloader() override;

  void Start() override;

  // Transfer attempts of one run: a partial-file failure costs 1, any other 2.
  static constexpr int kRetryBudget = 12;

 private:
  void dlThreadFun();
  static void OnProgress(void* owner, double speed, double reserved, double percent);
  void Report(int32_t code, double value, const wchar_t* text);

  DownloadCallback m_Callback;
  std::wstring m_FilePath;
  std::wstring m_Url;
  CurlClient m_Client;
  bool m_Retried = false;
  DownloadWorkers m_Workers;
};
