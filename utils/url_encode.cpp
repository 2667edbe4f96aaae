#include "utils/url_encode.h"

#include <windows.h>

#include "utils/text_convert.h"

namespace Utils {

std::string UrlEncode(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size());
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 33 && byte <= 126) {
      encoded.push_back(c);
    } else if (byte == ' ') {
      encoded.push_back('+');
    } else {
      encoded.push_back('%');
      encoded.push_back(kHex[byte >> 4]);
      encoded.push_back(kHex[byte & 0x0F]);
    }
  }
  return encoded;
}

std::wstring UrlEncodeWide(const std::wstring& text) {
  return MultiByteToWide(UrlEncode(WideToMultiByte(text, CP_UTF8)), CP_UTF8);
}

}  // namespace Utils
