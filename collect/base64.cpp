#include "collect/base64.h"

namespace beacon_analytics {

std::string Base64Encode(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned value = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(value >> 18) & 0x3F];
    out += kAlphabet[(value >> 12) & 0x3F];
    out += kAlphabet[(value >> 6) & 0x3F];
    out += kAlphabet[value & 0x3F];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[(value >> 18) & 0x3F];
    out += kAlphabet[(value >> 12) & 0x3F];
    out += rest == 2 ? kAlphabet[(value >> 6) & 0x3F] : '=';
    out += '=';
  }
  return out;
}

}  // namespace beacon_analytics
