#include "collect/http_request.h"

#include <curl/curl.h>

#include <stdexcept>

#include "collect/protocol.h"

namespace beacon_analytics {

namespace {

std::string Trim(const std::string& text) {
  const char* kSpace = " \t\r\n";
  const size_t first = text.find_first_not_of(kSpace);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

size_t CollectBody(char* data, size_t size, size_t count, void* context) {
  static_cast<HttpResponse*>(context)->body.append(data, size * count);
  return size * count;
}

size_t CollectHeader(char* data, size_t size, size_t count, void* context) {
  AddHeaderLine(std::string(data, size * count), static_cast<HttpResponse*>(context)->headers);
  return size * count;
}

// Owns the (possibly empty) header list handed to libcurl.
struct HeaderList {
  curl_slist* list = nullptr;
  ~HeaderList() { curl_slist_free_all(list); }
};

}  // namespace

void AddHeaderLine(const std::string& line, std::map<std::string, std::string>& headers) {
  const size_t colon = line.find(':');
  if (colon == std::string::npos) {
    const std::string name = Trim(line);
    if (!name.empty()) headers[name] = "present";
    return;
  }
  headers[Trim(line.substr(0, colon))] = Trim(line.substr(colon + 1));
}

void HttpRequest::CurlCleanup::operator()(CURL* handle) const { curl_easy_cleanup(handle); }

HttpRequest::HttpRequest(std::string baseUrl) : m_BaseUrl(std::move(baseUrl)), m_Handle(curl_easy_init()) {
  if (!m_Handle) throw std::runtime_error(protocol::kMsgCurlInit);
}

HttpRequest::~HttpRequest() = default;

HttpResponse HttpRequest::Post(const std::string& url, const std::string& body, const std::string& userAgent) {
  HttpResponse response;
  CURL* curl = m_Handle.get();
  HeaderList headers;
  const std::string fullUrl = m_BaseUrl + url;
  curl_easy_setopt(curl, CURLOPT_URL, fullUrl.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CollectHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.list);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.c_str());
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, m_TimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!m_CaFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, m_CaFile.c_str());
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_POST, 1L);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));

  const CURLcode result = curl_easy_perform(curl);
  if (result != CURLE_OK) {
    response.status = -1;
    response.body = curl_easy_strerror(result);
  } else {
    long status = -1;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int32_t>(status);
  }
  // The options point at locals of this call; forget them before they go.
  curl_easy_reset(curl);
  return response;
}

}  // namespace beacon_analytics
