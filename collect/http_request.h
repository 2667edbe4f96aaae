#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

typedef void CURL;

namespace beacon_analytics {

struct HttpResponse {
  int32_t status = -1;  // -1 when no HTTP status was obtained
  std::string body;
  // Header lines split at their first colon, trimmed; a line without a colon
  // is kept as a name with the value "present".
  std::map<std::string, std::string> headers;
};

// Adds one raw header line (as libcurl hands it over) to headers.
void AddHeaderLine(const std::string& line, std::map<std::string, std::string>& headers);

// One POST exchange over one libcurl easy handle. Redirects are not
// followed. Certificate checks stay on: the records carry the user's
// identifiers. Blocking; run it on a delivery thread, never under a lock that
// record producers take.
class HttpRequest {
 public:
  // Throws std::runtime_error("Couldn't initialize curl handle") when no
  // easy handle can be had.
  explicit HttpRequest(std::string baseUrl);
  ~HttpRequest();
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;

  void SetTimeoutSeconds(long seconds) { m_TimeoutSeconds = seconds; }
  // Trusted certificates for this exchange instead of the system store.
  void SetCaFile(std::string caFile) { m_CaFile = std::move(caFile); }

  HttpResponse Post(const std::string& url, const std::string& body, const std::string& userAgent);

 private:
  struct CurlCleanup {
    void operator()(CURL* handle) const;
  };

  std::string m_BaseUrl;
  std::unique_ptr<CURL, CurlCleanup> m_Handle;
  long m_TimeoutSeconds = 0;
  std::string m_CaFile;
};

}  // namespace beacon_analytics
