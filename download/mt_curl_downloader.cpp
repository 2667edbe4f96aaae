#include "download/mt_curl_downloader.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>

#include "core/debug_log.h"
#include "core/installer_config.h"
#include "download/download_codes.h"
#include "download/package_digest.h"
#include "download/part_split.h"
#include "download/tls_trust.h"
#include "utils/text_convert.h"

namespace {

constexpr long kConnectTimeoutSeconds = 60;
// Larger receive blocks than libcurl's 16 KiB default mean fewer writes and
// callbacks per megabyte; the bytes written are the same.
constexpr long kReceiveBufferBytes = 256 * 1024;
// A length below this cannot be the package (the probe hit an error page).
constexpr int32_t kMinUsableLength = 256;
constexpr DWORD kAttemptPauseMs = 400;
// Joining copies the later part in large blocks: on a fast link the join is
// a visible share of the whole download.
constexpr size_t kJoinBlockBytes = 1024 * 1024;

// Size of an existing file, 0 when it is missing or unreadable.
int64_t ExistingSize(const std::wstring& path) {
  struct _stat64 status;
  if (_wstat64(path.c_str(), &status) != 0 || status.st_size < 0) return 0;
  return static_cast<int64_t>(status.st_size);
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(DownloadCallback callback, const std::wstring& url, const std::wstring& filePath)
    : m_Callback(std::move(callback)), m_FilePath(filePath), m_Url(url) {
  // Nothing of an earlier program run is resumed: only this object's own
  // runs continue each other's part files.
  DeleteFileW(m_FilePath.c_str());
  deletePartFiles();
}

CMTCurlDownloader::~CMTCurlDownloader() {
  m_Workers.Stop();
  m_Workers.Wait();
  clearParts();
  deletePartFiles();
}

void CMTCurlDownloader::Start() {
  m_Workers.Launch(this, [this] { Start_Down(); });
}

void CMTCurlDownloader::Report(int32_t code, double value, const wchar_t* text) {
  if (!m_Workers.Stopping()) m_Callback(code, value, text);
}

std::wstring CMTCurlDownloader::PartPath(int index) const { return m_FilePath + L"_" + std::to_wstring(index); }

void CMTCurlDownloader::deletePartFiles() {
  DeleteFileW(PartPath(0).c_str());
  DeleteFileW(PartPath(1).c_str());
}

void CMTCurlDownloader::clearParts() { m_Parts.clear(); }

void CMTCurlDownloader::Start_Down() {
  Report(DL_CODE_START, 1.0, L"");
  LOG_LINE(L"CMTCurlDownloader::Start_Down", L"start download\r\n");
  const bool fileUrl = m_Url.compare(0, 8, L"file:///") == 0;
  const std::string url = Utils::WideToMultiByte(m_Url, fileUrl ? CP_ACP : CP_UTF8);

  DeleteFileW(m_FilePath.c_str());
  // A run that follows one with progress keeps the part files and resumes.
  if (m_LastPercent == 0.0) deletePartFiles();

  const bool probed = !m_RealUrl.empty() && m_FileLength >= kMinUsableLength;
  if (!probed && !getRealDownloadUrl(url)) {
    Report(DL_CODE_FAIL, 0.0, DownloadText::kLibCurl);
    return;
  }

  const std::vector<PartRange> ranges = SplitPackage(m_FileLength);
  for (size_t i = 0; i < ranges.size(); ++i) {
    auto part = std::make_unique<DownloadPartNode>();
    part->partPath = PartPath(static_cast<int>(i));
    int64_t present = ExistingSize(part->partPath);
    const int64_t partLength = static_cast<int64_t>(ranges[i].last) - ranges[i].first + 1;
    if (present > partLength) {
      // Longer than its range: not a prefix of it, so nothing to resume.
      DeleteFileW(part->partPath.c_str());
      present = 0;
    }
    part->downloaded = present;
    part->writePos = static_cast<int32_t>(ranges[i].first + present);
    part->endPos = ranges[i].last;
    part->curl.reset(curl_easy_init());
    part->url = m_RealUrl;
    if (part->writePos > part->endPos) {
      part->state = 0;
    } else {
      part->state = -1;
      part->file.reset(_wfopen(part->partPath.c_str(), L"ab+"));
      if (!part->file) part->state = -2;
    }
    m_Parts.push_back(std::move(part));
  }

  // Every part exists before the first part thread starts; the list stays
  // unchanged until the waiting thread clears it after all of them ended.
  for (auto& part : m_Parts) {
    if (part->state != -1) continue;
    if (m_Workers.Stopping()) break;
    ++m_RunningParts;
    DownloadPartNode* node = part.get();
    if (!m_Workers.Threads().Launch([this, node] { downloadThreadFun(node); })) {
      LOG_LINE(L"CMTCurlDownloader::Start_Down", L"no thread for part %s\r\n", node->partPath.c_str());
      node->file.reset();
      PartEnded();
    }
    // The parts start together: a pause between them would only hold back
    // the later range, which then ends the run that much later.
  }
  // Without a thread of its own the run still ends, here on the worker.
  if (!m_Workers.Threads().Launch([this] { waitForFinishThreadFun(); })) waitForFinishThreadFun();
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& url) {
  m_RealUrl.clear();
  m_Md5.clear();
  m_FileLength = 0;
  if (!InstallerConfig.CurlReady) return false;

  UniqueCurl handle(curl_easy_init());
  if (!handle) return false;
  CURL* curl = handle.get();
  UniqueCurlSlist headers;
  CURLcode result = AppendHeader(headers, "Connection: keep-alive") ? CURLE_OK : CURLE_OUT_OF_MEMORY;
  auto set = [&result](CURLcode optionResult) { result = static_cast<CURLcode>(result | optionResult); };
  set(curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get()));
  set(curl_easy_setopt(curl, CURLOPT_URL, url.c_str()));
  set(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L));
  set(curl_easy_setopt(curl, CURLOPT_NOBODY, 1L));
  set(DownloadTls::Apply(curl));
  set(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, DiscardBody));
  set(curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds));
  // Lets destruction end a probe that waits on a slow server.
  set(curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L));
  set(curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CMTCurlDownloader::probeProgressCallback));
  set(curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this));
  if (result != CURLE_OK) return false;

  result = curl_easy_perform(curl);
  if (result != CURLE_OK) {
    LOG_LINE(L"CMTCurlDownloader::getRealDownloadUrl", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
    return false;
  }

  char* effective = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective && *effective) {
    m_RealUrl = effective;
    LOG_LINE(L"CMTCurlDownloader::getRealDownloadUrl", L"Download File real url %S\r\n", m_RealUrl.c_str());
    m_Md5 = Utils::GetMd5FromUrl(m_RealUrl);
  }
  curl_off_t length = -1;
  long status = 0;
  if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
      curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399) {
    // Offsets are 32-bit: a longer package is refused rather than truncated
    // to a length that would look usable.
    m_FileLength = length > INT32_MAX ? -1 : static_cast<int32_t>(length);
    LOG_LINE(L"CMTCurlDownloader::getRealDownloadUrl", L"Download File Length %I64d\r\n",
             static_cast<long long>(length));
  }
  return !m_RealUrl.empty() && m_FileLength >= kMinUsableLength;
}

int CMTCurlDownloader::probeProgressCallback(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<CMTCurlDownloader*>(self)->m_Workers.Stopping() ? 1 : 0;
}

void CMTCurlDownloader::downloadThreadFun(DownloadPartNode* part) {
  int budget = kRetryBudget;
  int32_t result = downloadExe(part);
  while (result != 0 && budget > 0 && !m_Workers.Stopping()) {
    budget -= result == CURLE_PARTIAL_FILE ? 1 : 2;
    LOG_LINE(L"CMTCurlDownloader::downloadThreadFun", L"CurlDownLoader Code=%d\r\n", result);
    Sleep(kAttemptPauseMs);
    if (m_Workers.Stopping()) break;
    result = downloadExe(part);
  }
  part->file.reset();
  PartEnded();
}

void CMTCurlDownloader::PartEnded() {
  std::lock_guard<std::mutex> hold(m_PartsLock);
  --m_RunningParts;
  m_PartsEnded.notify_all();
}

int32_t CMTCurlDownloader::downloadExe(DownloadPartNode* part) {
  // A part already full (its server sent more than the range) needs no
  // request; asking for an empty range would only be refused.
  if (part->writePos > part->endPos) {
    part->file.reset();
    part->state = 0;
    return 0;
  }
  CURL* curl = part->curl.get();
  if (!curl) return CURLE_FAILED_INIT;

  char range[64];
  snprintf(range, sizeof(range), "%ld-%ld", static_cast<long>(part->writePos), static_cast<long>(part->endPos));
  CURLcode result = CURLE_OK;
  auto set = [&result](CURLcode optionResult) { result = static_cast<CURLcode>(result | optionResult); };
  set(curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L));
  set(curl_easy_setopt(curl, CURLOPT_URL, part->url.c_str()));
  set(curl_easy_setopt(curl, CURLOPT_TIMEOUT, 0L));
  set(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L));
  set(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CMTCurlDownloader::partWriteCallback));
  set(curl_easy_setopt(curl, CURLOPT_WRITEDATA, part));
  set(curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L));
  set(curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CMTCurlDownloader::progressCallback));
  set(curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this));
  set(curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L));
  set(curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds));
  set(DownloadTls::Apply(curl));
  set(curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes));
  set(curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds));
  set(curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes));
  set(curl_easy_setopt(curl, CURLOPT_RANGE, range));
  if (result != CURLE_OK) return result;

  part->responseChecked = false;
  result = curl_easy_perform(curl);
  // The write function stops a server that sends past the range; the part
  // then has every byte it asked for.
  if (result == CURLE_WRITE_ERROR && part->writePos > part->endPos) result = CURLE_OK;
  if (result != CURLE_OK) {
    LOG_LINE(L"CMTCurlDownloader::downloadExe", L"error:%d:%s\r\n", result, CurlErrorText(result).c_str());
  } else {
    LOG_LINE(L"CMTCurlDownloader::downloadExe", L"curl_easy_cleanup\r\n");
  }
  curl_easy_reset(curl);
  if (result == CURLE_OK) part->file.reset();
  part->state = result;
  return result;
}

size_t CMTCurlDownloader::partWriteCallback(char* data, size_t size, size_t count, void* partPointer) {
  auto* part = static_cast<DownloadPartNode*>(partPointer);
  if (!part->file || part->writePos > part->endPos) return 0;
  if (!part->responseChecked) {
    // A server that ignores the range answers 200 with the package from its
    // first byte; only part 0 at its very beginning may take that.
    long status = 0;
    curl_easy_getinfo(part->curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status != 206 && part->writePos != 0) {
      LOG_LINE(L"CMTCurlDownloader::partWriteCallback", L"range refused, status %ld\r\n", status);
      return 0;
    }
    part->responseChecked = true;
  }
  const int64_t wanted = BytesWithinPart(part->writePos, part->endPos, static_cast<int64_t>(size * count));
  const size_t written = fwrite(data, 1, static_cast<size_t>(wanted), part->file.get());
  part->writePos += static_cast<int32_t>(written);
  part->downloaded += static_cast<int64_t>(written);
  return written;
}

int CMTCurlDownloader::progressCallback(void* selfPointer, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* self = static_cast<CMTCurlDownloader*>(selfPointer);
  if (self->m_Workers.Stopping()) return 1;
  std::lock_guard<std::mutex> hold(self->m_ProgressLock);
  const int64_t now = static_cast<int64_t>(time(nullptr));
  if (now <= self->m_LastProgressTime) return 0;
  self->m_LastProgressTime = now;

  double percent = 0.0;
  if (self->m_FileLength >= kMinUsableLength) {
    for (const auto& part : self->m_Parts) {
      const int64_t downloaded = part->downloaded;
      if (downloaded > 0) percent += static_cast<double>(downloaded) * 100.0 / self->m_FileLength;
    }
    if (percent > 100.0) return 0;
  }
  if (percent - self->m_LastPercent >= 1.0) {
    self->m_LastPercent = percent;
    self->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
  }
  return 0;
}

void CMTCurlDownloader::waitForFinishThreadFun() {
  {
    std::unique_lock<std::mutex> hold(m_PartsLock);
    m_PartsEnded.wait(hold, [this] { return m_RunningParts <= 0; });
  }
  if (m_Workers.Stopping()) {
    clearParts();
    return;
  }

  int32_t firstError = 0;
  for (const auto& part : m_Parts) {
    if (part->state != 0) {
      firstError = part->state;
      break;
    }
  }
  if (firstError != 0) {
    clearParts();
    // Without progress the part files are not worth resuming.
    if (m_LastPercent == 0.0) deletePartFiles();
    RetryOnceOrFail(static_cast<double>(firstError));
    return;
  }

  m_LastPercent = 0.0;
  const size_t partCount = m_Parts.size();
  clearParts();
  if (!joinParts(partCount)) {
    LOG_LINE(L"CMTCurlDownloader::waitForFinishThreadFun", L"finish recv, join failed.\r\n");
    deletePartFiles();
    RetryOnceOrFail(0.0);
    return;
  }
  if (m_Md5.size() == 32) {
    const std::string actual = Utils::GetFileMd5(m_FilePath);
    if (actual.size() == 32 && actual != m_Md5) {
      Report(DL_CODE_REASON, 0.0, DownloadText::kMtDigestMismatch);
      DeleteFileW(m_FilePath.c_str());
      LOG_LINE(L"CMTCurlDownloader::waitForFinishThreadFun", L"finish recv, md5 chaek failed.\r\n");
      RetryOnceOrFail(0.0);
      return;
    }
  } else {
    Report(DL_CODE_REASON, 0.0, DownloadText::kMtDigestMissing);
  }
  LOG_LINE(L"CMTCurlDownloader::waitForFinishThreadFun", L"finish recv\r\n");
  Report(DL_CODE_SUCCESS, 0.0, DownloadText::kLibCurl);
}

void CMTCurlDownloader::RetryOnceOrFail(double value) {
  if (m_Retried) {
    m_LastPercent = 0.0;
    Report(DL_CODE_FAIL, value, DownloadText::kLibCurl);
  } else {
    m_Retried = true;
    Report(DL_CODE_RETRY, value, DownloadText::kLibCurl);
  }
}

bool CMTCurlDownloader::joinParts(size_t partCount) {
  bool joined = true;
  {
    UniquePartFile first(_wfopen(PartPath(0).c_str(), L"ab+"));
    joined = first != nullptr;
    std::vector<char> block(kJoinBlockBytes);
    for (size_t i = 1; i < partCount; ++i) {
      const std::wstring path = PartPath(static_cast<int>(i));
      UniquePartFile next(joined ? _wfopen(path.c_str(), L"rb") : nullptr);
      joined = joined && next != nullptr;
      size_t read = 0;
      while (joined && (read = fread(block.data(), 1, block.size(), next.get())) > 0) {
        joined = fwrite(block.data(), 1, read, first.get()) == read;
      }
      if (joined) joined = !ferror(next.get());
      LOG_LINE(L"CMTCurlDownloader::waitForFinishThreadFun", L"partPath::%s\r\n", path.c_str());
    }
    // Closing flushes the last block: a failure there is a short file too.
    if (first && fclose(first.release()) != 0) joined = false;
  }
  // A destination that cannot be replaced leaves no package behind.
  if (joined && !MoveFileW(PartPath(0).c_str(), m_FilePath.c_str())) joined = false;
  deletePartFiles();
  return joined;
}
