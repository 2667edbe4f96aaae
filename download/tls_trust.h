#pragma once

#include <string>

#include <curl/curl.h>

// Certificate trust for every download request. Verification of the peer and
// of the host name is always on (libcurl's defaults): the package runs with
// administrator rights, so a connection anyone on the path could answer must
// never deliver it. The product uses the system's certificate store; tests
// name a CA file instead, because Wine's Schannel does not check chains in its
// automatic mode.
namespace DownloadTls {

// Empty (the default) means the system store. Set before any download starts.
void SetCaFileForTesting(const std::string& caFile);

// Applies the trust settings to a handle; returns the option-setting result.
CURLcode Apply(CURL* handle);

}  // namespace DownloadTls
