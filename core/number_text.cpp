#include "core/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "utils/text_utils.h"

namespace Settings {
namespace {

// The text after leading white space, as ASCII; any other character ends it
// (no digit, sign, point or exponent outside ASCII can continue a number).
std::string AsciiAfterSpace(const std::wstring& text) {
  std::string ascii;
  for (const wchar_t c : Utils::TrimLeft(text)) {
    if (c == L'\0' || c >= 128) break;
    ascii.push_back(static_cast<char>(c));
  }
  return ascii;
}

}  // namespace

bool ParseLeadingInt(const std::wstring& text, int& value) {
  const std::string ascii = AsciiAfterSpace(text);
  size_t i = 0;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
  if (i >= ascii.size() || ascii[i] < '0' || ascii[i] > '9') return false;
  long long magnitude = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (ascii[i] - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
  }
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT_MAX || signedValue < INT_MIN) return false;
  value = static_cast<int>(signedValue);
  return true;
}

bool ParseLeadingDouble(const std::wstring& text, double& value) {
  const std::string ascii = AsciiAfterSpace(text);
  const char* begin = ascii.data();
  const char* end = begin + ascii.size();
  bool negative = false;
  if (begin < end && (*begin == '+' || *begin == '-')) {
    negative = *begin == '-';
    ++begin;
  }
  // from_chars never consults the locale; a second sign is not allowed.
  if (begin < end && (*begin == '+' || *begin == '-')) return false;
  double parsed = 0.0;
  const std::from_chars_result result = std::from_chars(begin, end, parsed, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace Settings
