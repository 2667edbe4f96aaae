#pragma once

#include <string>

namespace beacon_analytics {

// RFC 4648 Base64, standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(const std::string& bytes);

}  // namespace beacon_analytics
