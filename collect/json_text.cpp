#include "collect/json_text.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace beacon_analytics {
namespace json_text {

void AppendQuoted(std::string& out, const std::string& value) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : value) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\f': out += "\\f"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default:
        // A raw control byte would make the record invalid JSON, and the
        // server would refuse every batch that carries it.
        if (byte < 0x20) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

std::string FormatNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  std::string text = buffer;
  // Some C run-times write three exponent digits ("1.23457e+006").
  const size_t e = text.find('e');
  if (e != std::string::npos && e + 2 < text.size()) {
    const size_t digits = e + 2;
    while (text.size() - digits > 2 && text[digits] == '0') text.erase(digits, 1);
  }
  return text;
}

std::string FormatLocalDateTime(int64_t seconds, int32_t milliseconds) {
  std::tm local{};
  const __time64_t time = static_cast<__time64_t>(seconds);
  if (_localtime64_s(&local, &time) != 0) {
    local = std::tm{};
    local.tm_year = -1900;
    local.tm_mon = -1;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(milliseconds));
  return buffer;
}

}  // namespace json_text
}  // namespace beacon_analytics
