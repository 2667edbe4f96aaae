#include "collect/uploader.h"

#include <exception>

#include "collect/batch_encoding.h"
#include "collect/diagnostics.h"
#include "collect/http_request.h"
#include "collect/protocol.h"
#include "collect/upload_status.h"

namespace beacon_analytics {

Uploader::Uploader(std::string serverUrl) : m_ServerUrl(std::move(serverUrl)) {}

bool Uploader::Send(const std::string& batch) {
  std::string body;
  if (!BuildUploadBody(batch, body)) return false;

  HttpResponse response;
  try {
    HttpRequest request("");
    request.SetTimeoutSeconds(protocol::kUploadTimeoutSeconds);
    if (!m_CaFile.empty()) request.SetCaFile(m_CaFile);
    response = request.Post(m_ServerUrl, body, protocol::kUserAgent);
  } catch (const std::exception& e) {
    diagnostics::WriteErrorLine(e.what());
    response.status = -1;
    response.body = e.what();
  }

  const bool ok = response.status == protocol::kHttpOk;
  if (!ok) {
    diagnostics::WriteDebugger(protocol::kDebugSendFailed);
    diagnostics::WriteErrorLine(protocol::kMsgSendFailed + response.body);
  }
  SetLastSendOk(ok);
  return ok;
}

}  // namespace beacon_analytics
