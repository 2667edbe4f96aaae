#include "download/curl_downloader.h"

#include <windows.h>

#include "core/debug_log.h"
#include "download/download_codes.h"
#include "download/package_digest.h"

CCurlDownloader::CCurlDownloader(DownloadCallback callback, const std::wstring& url, const std::wstring& filePath)
    : m_Callback(std::move(callback)),
      m_FilePath(filePath),
      m_Url(url),
      m_Client(url, filePath, this, &CCurlDownloader::OnProgress) {
  // A part file of an earlier program run is never resumed: only attempts of
  // this object's own runs continue each other.
  DeleteFileW(m_Client.GetFilePath(true).c_str());
}

CCurlDownloader::~CCurlDownloader() {
  m_Workers.Stop();
  m_Client.Abort();
  m_Workers.Wait();
}

void CCurlDownloader::Start() {
  m_Workers.Launch(this, [this] { dlThreadFun(); });
}

void CCurlDownloader::Report(int32_t code, double value, const wchar_t* text) {
  if (!m_Workers.Stopping()) m_Callback(code, value, text);
}

void CCurlDownloader::OnProgress(void* owner, double speed, double, double percent) {
  if (speed > 0.0 && percent <= 100.0) {
    static_cast<CCurlDownloader*>(owner)->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
  }
}

void CCurlDownloader::dlThreadFun() {
  Report(DL_CODE_START, 1.0, L"");
  // A worker launched from a callback while destruction began.
  if (m_Workers.Stopping()) return;
  if (m_FilePath.empty()) {
    Report(DL_CODE_FAIL, 1.0, L"");
    return;
  }

  int budget = kRetryBudget;
  int32_t result = m_Client.Start();
  while (result != 0) {
    budget -= result == CURLE_PARTIAL_FILE ? 1 : 2;
    if (budget <= 0) {
      Report(DL_CODE_FAIL, static_cast<double>(result), DownloadText::kLibCurl);
      return;
    }
    LOG_LINE(L"CCurlDownloader::dlThreadFun", L"CurlDownLoader Code=%d\r\n", result);
    Sleep(500);
    if (m_Workers.Stopping()) return;
    result = m_Client.Start();
  }

  const std::string expected = Utils::GetMd5FromUrl(m_Client.RealUrl());
  if (expected.size() == 32) {
    const std::string actual = Utils::GetFileMd5(m_FilePath);
    if (actual.size() == 32 && actual != expected) {
      Report(DL_CODE_REASON, 0.0, DownloadText::kDigestMismatch);
      if (m_Retried) {
        Report(DL_CODE_FAIL, 0.0, DownloadText::kLibCurl);
      } else {
        m_Retried = true;
        Report(DL_CODE_RETRY, 0.0, DownloadText::kLibCurl);
      }
      return;
    }
  } else {
    Report(DL_CODE_REASON, 0.0, DownloadText::kDigestMissing);
  }
  Report(DL_CODE_SUCCESS, 0.0, DownloadText::kLibCurl);
}
