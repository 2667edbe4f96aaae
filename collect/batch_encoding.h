#pragma once

#include <string>

// Turning a batch text into the upload's form body. Pure, any thread.
namespace beacon_analytics {

// gzip stream (RFC 1952) of text: deflate level 9, window bits 31, memory
// level 8, default strategy. Returns false after writing the reason to
// standard error.
bool GzipCompress(const std::string& text, std::string& compressed);

// "data_list=" + percent-encoded Base64 of the gzip stream + "&gzip=1".
// Returns false when compression failed (nothing is to be sent then).
bool BuildUploadBody(const std::string& batch, std::string& body);

}  // namespace beacon_analytics
