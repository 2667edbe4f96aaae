#pragma once

#include <cstdint>
#include <ostream>
#include <string>

// One DownloadCallback call (code, value, text) as tests compare them; the
// runners and the pipeline report through the same callback.
struct Report {
  int32_t code;
  double value;
  std::wstring text;
  bool operator==(const Report& other) const {
    return code == other.code && value == other.value && text == other.text;
  }
};

// Prints the text's ASCII characters as they are and others as \uXXXX, so a
// failure message shows which Chinese text was sent.
inline std::ostream& operator<<(std::ostream& out, const Report& report) {
  out << "{" << report.code << ", " << report.value << ", \"";
  for (wchar_t c : report.text) {
    if (c >= 32 && c < 127) {
      out << static_cast<char>(c);
    } else {
      out << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
    }
  }
  return out << "\"}";
}
