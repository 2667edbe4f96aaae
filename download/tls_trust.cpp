#include "download/tls_trust.h"

#include <mutex>

namespace DownloadTls {

namespace {
std::mutex g_Lock;
std::string g_CaFile;
}  // namespace

void SetCaFileForTesting(const std::string& caFile) {
  std::lock_guard<std::mutex> hold(g_Lock);
  g_CaFile = caFile;
}

CURLcode Apply(CURL* handle) {
  std::lock_guard<std::mutex> hold(g_Lock);
  if (g_CaFile.empty()) return CURLE_OK;
  return curl_easy_setopt(handle, CURLOPT_CAINFO, g_CaFile.c_str());
}

}  // namespace DownloadTls
