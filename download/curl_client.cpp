#include "download/curl_client.h"

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/stat.h>

#include "core/debug_log.h"
#include "download/download_codes.h"
#include "download/length_probe_report.h"
#include "download/tls_trust.h"
#include "utils/text_convert.h"

namespace {

constexpr long kConnectTimeoutSeconds = 60;
// Larger receive blocks than libcurl's 16 KiB default mean fewer writes and
// callbacks per megabyte; the bytes written are the same.
constexpr long kReceiveBufferBytes = 256 * 1024;

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, wcslen(prefix), prefix) == 0;
}

// Common options of the probe requests; the OR of the setting results.
CURLcode SetProbeOptions(CURL* handle, const std::string& url, bool followRedirects) {
  CURLcode result = curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  if (followRedirects) result = static_cast<CURLcode>(result | curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L));
  result = static_cast<CURLcode>(result | curl_easy_setopt(handle, CURLOPT_NOBODY, 1L));
  result = static_cast<CURLcode>(result | curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DiscardBody));
  result = static_cast<CURLcode>(result | curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds));
  return static_cast<CURLcode>(result | DownloadTls::Apply(handle));
}

int64_t FileSize(const std::wstring& path) {
  struct _stat64 status;
  return _wstat64(path.c_str(), &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
}

}  // namespace

CurlClient::CurlClient(const std::wstring& url, const std::wstring& filePath, void* owner, ProgressHook hook)
    : m_Url(url), m_FilePath(filePath), m_Owner(owner), m_ProgressHook(hook) {}

CurlClient::~CurlClient() {
  m_Abort = true;
  DeleteFileW(GetFilePath(true).c_str());
}

std::wstring CurlClient::GetFilePath(bool partFile) const {
  return partFile ? m_FilePath + L".part" : m_FilePath;
}

UniqueCurl CurlClient::Head(const std::string& url) {
  UniqueCurl handle(curl_easy_init());
  CURLcode result = CURLE_OK;
  if (handle) {
    result = SetProbeOptions(handle.get(), url, true);
    if (result == CURLE_OK) {
      result = curl_easy_perform(handle.get());
      if (result != CURLE_OK) {
        LOG_LINE(L"CurlClient::Head", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
      }
    }
  }
  LOG_LINE(L"CurlClient::Head", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
  return handle;
}

std::string CurlClient::GetEffectiveUrl(CURL* handle) {
  if (!handle) return {};
  char* url = nullptr;
  if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &url) != CURLE_OK || !url) return {};
  return url;
}

double CurlClient::GetDownloadFileLength(CURL* handle) {
  if (!handle) return -1.0;
  curl_off_t length = -1;
  const CURLcode lengthResult = curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  LOG_LINE(L"CurlClient::GetDownloadFileLength", L"error:%d:%s\r\n", lengthResult,
           CurlErrorText(lengthResult).c_str());
  long status = 0;
  if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399) {
    return lengthResult == CURLE_OK ? static_cast<double>(length) : -1.0;
  }
  ReportLengthProbeStatus(status);
  return -1.0;
}

std::string CurlClient::GetRealUrl_Str(const std::string& url) {
  std::string realUrl;
  UniqueCurl handle(curl_easy_init());
  if (handle && SetProbeOptions(handle.get(), url, true) == CURLE_OK) {
    const CURLcode result = curl_easy_perform(handle.get());
    if (result != CURLE_OK) {
      LOG_LINE(L"CurlClient::GetRealUrl_Str", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
    } else {
      realUrl = GetEffectiveUrl(handle.get());
    }
  }
  return realUrl.empty() ? url : realUrl;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& url) {
  double length = -1.0;
  UniqueCurl handle(curl_easy_init());
  if (!handle) return length;
  // Redirects are not followed here: the URL is already the final one.
  CURLcode result = static_cast<CURLcode>(SetProbeOptions(handle.get(), url, false) |
                                          curl_easy_setopt(handle.get(), CURLOPT_HEADER, 1L));
  if (result == CURLE_OK) {
    curl_easy_perform(handle.get());
    curl_off_t contentLength = -1;
    if (curl_easy_getinfo(handle.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &contentLength) == CURLE_OK) {
      length = static_cast<double>(contentLength);
    }
    long status = 0;
    result = curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
    if (result != CURLE_OK || status < 200 || status > 400) ReportLengthProbeStatus(status);
  }
  LOG_LINE(L"CurlClient::GetDownloadFileLength_Str", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
  return length;
}

void CurlClient::Probe() {
  const std::string url = Utils::WideToMultiByte(m_Url, StartsWith(m_Url, L"file:///") ? CP_ACP : CP_UTF8);
  if (m_RealUrl.empty() || m_FileLength < kMinPackageLength) {
    UniqueCurl head = Head(url);
    m_RealUrl = GetEffectiveUrl(head.get());
    m_FileLength = GetDownloadFileLength(head.get());
  }
  if (m_RealUrl.empty() || m_FileLength < kMinPackageLength) {
    m_RealUrl = GetRealUrl_Str(url);
    if (!m_RealUrl.empty()) m_FileLength = GetDownloadFileLength_Str(m_RealUrl);
  }
}

int32_t CurlClient::Start() {
  LOG_LINE(L"CurlClient::Start", L"start download\r\n");
  const std::wstring partPath = GetFilePath(true);
  int32_t result = 0;
  Probe();

  if (m_FileLength < kMinPackageLength) {
    result = kNoUsableLength;
  } else {
    // A part file longer than the package cannot be resumed; one exactly as
    // long is complete and needs no request (a server answers 416 to a range
    // that starts at the end).
    int64_t partSize = FileSize(partPath);
    if (partSize > static_cast<int64_t>(m_FileLength)) {
      DeleteFileW(partPath.c_str());
      partSize = -1;
    }
    if (partSize == static_cast<int64_t>(m_FileLength)) {
      m_ResumeFrom = partSize;
    } else {
      result = Transfer();
    }
  }

  LOG_LINE(L"CurlClient::Start", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
  if (result == 0) {
    DeleteFileW(m_FilePath.c_str());
    // The part file stays for the next attempt when the destination cannot
    // be replaced: a complete download is no package until it is in place.
    if (!MoveFileW(partPath.c_str(), m_FilePath.c_str())) result = kDestinationUnwritable;
  }
  LOG_LINE(L"CurlClient::Start", L"end download\r\n");
  return result;
}

int32_t CurlClient::Transfer() {
  UniqueCurl handle(curl_easy_init());
  if (!handle) return kNoCurlHandle;
  UniqueFile part(_wfopen(GetFilePath(true).c_str(), L"ab+"));
  if (!part) return kPartFileUnopenable;

  CURL* curl = handle.get();
  UniqueCurlSlist headers;
  CURLcode result = CURLE_OK;
  auto set = [&result](CURLcode optionResult) { result = static_cast<CURLcode>(result | optionResult); };
  if (!AppendHeader(headers, "Connection: keep-alive") || !AppendHeader(headers, "Accept-Encoding: gzip, deflate")) {
    result = CURLE_OUT_OF_MEMORY;
  }
  set(curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get()));
  set(curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L));
  set(curl_easy_setopt(curl, CURLOPT_TCP_KEEPIDLE, 10L));
  set(curl_easy_setopt(curl, CURLOPT_TCP_KEEPINTVL, 10L));
  set(curl_easy_setopt(curl, CURLOPT_TIMEOUT, 0L));
  set(curl_easy_setopt(curl, CURLOPT_URL, m_RealUrl.c_str()));
  set(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L));
  set(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, fwrite));
  set(curl_easy_setopt(curl, CURLOPT_WRITEDATA, part.get()));
  set(curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L));
  set(curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProgressCallback));
  set(curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this));
  set(curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L));
  set(curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds));
  set(curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes));
  set(DownloadTls::Apply(curl));

  m_ResumeFrom = FileSize(GetFilePath(true));
  if (m_ResumeFrom > 0) {
    set(curl_easy_setopt(curl, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(m_ResumeFrom)));
  }
  if (result != CURLE_OK) return result;

  m_Curl = curl;
  result = curl_easy_perform(curl);
  m_Curl = nullptr;
  return result;
}

int CurlClient::ProgressCallback(void* clientPointer, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t, curl_off_t) {
  auto* client = static_cast<CurlClient*>(clientPointer);
  if (client->m_Abort) return 1;

  const int64_t now = static_cast<int64_t>(time(nullptr));
  if (now <= client->m_LastProgressTime) return 0;
  client->m_LastProgressTime = now;

  curl_off_t averageSpeed = 0;
  if (client->m_Curl) curl_easy_getinfo(client->m_Curl, CURLINFO_SPEED_DOWNLOAD_T, &averageSpeed);
  const double speed = static_cast<double>(averageSpeed);

  double percent = 0.0;
  if (client->m_FileLength > kMinPackageLength) {
    percent = (static_cast<double>(dlNow) + static_cast<double>(client->m_ResumeFrom)) / client->m_FileLength * 100.0;
  } else {
    if (dlNow <= 0 || dlTotal <= 0) return 0;
    percent = static_cast<double>(dlNow) * 100.0 / static_cast<double>(dlTotal);
  }
  if (percent == 0.0) return 0;

  if (client->m_ProgressHook) client->m_ProgressHook(client->m_Owner, speed, 0.0, percent);
  if (dlTotal != 0) {
    LOG_LINE(L"CurlClient::ProgressCallback", L" %dM %dM   progress:%f%%  speed:%f \n",
             static_cast<int>(dlNow / 1048576), static_cast<int>(dlTotal / 1048576),
             static_cast<double>(static_cast<float>(percent)), static_cast<double>(static_cast<float>(speed / 1024)));
  }
  return 0;
}
