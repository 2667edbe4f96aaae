#include "install/protocol_values.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "core/number_text.h"
#include "install/install_codes.h"
#include "utils/text_convert.h"
#include "utils/text_utils.h"

namespace InstallProtocol {

bool StartsWithKey(const std::wstring& line, const wchar_t* key) {
  const size_t length = std::wcslen(key);
  return line.size() >= length && line.compare(0, length, key) == 0;
}

std::wstring TextValue(const std::wstring& line, const wchar_t* key) {
  const size_t length = std::wcslen(key);
  if (line.size() <= length) return std::wstring();
  std::wstring value = line.substr(length);
  if (value.size() > kMaxProtocolText) return std::wstring();
  return value;
}

std::wstring TrimmedValue(const std::wstring& line, const wchar_t* key) {
  return Utils::Trim(TextValue(line, key));
}

double NumberValue(const std::wstring& line, const wchar_t* key) {
  double value = 0.0;
  if (!Settings::ParseLeadingDouble(line.substr(std::min(line.size(), std::wcslen(key))), value)) return 0.0;
  return value;
}

int32_t IntegerValue(const std::wstring& line, const wchar_t* key) {
  int value = 0;
  if (!Settings::ParseLeadingInt(line.substr(std::min(line.size(), std::wcslen(key))), value)) return 0;
  return value;
}

uint32_t PackageCodePage(const std::wstring& value) {
  if (value == ProtocolValue::kUtf8) return CP_UTF8;
  if (value == ProtocolValue::kAnsi) return 0;
  uint64_t number = 0;
  size_t digits = 0;
  for (wchar_t c : value) {
    if (c < L'0' || c > L'9') break;
    number = number * 10 + static_cast<uint64_t>(c - L'0');
    if (number > 0x7FFFFFFFu) return 0;
    ++digits;
  }
  return digits == 0 ? 0 : static_cast<uint32_t>(number);
}

uint32_t UninstallerCodePage(const std::wstring& value) {
  return value == ProtocolValue::kUtf8 ? CP_UTF8 : 0;
}

std::wstring DecodeProtocolBytes(const std::string& bytes, uint32_t codePage) {
  const UINT usable = codePage != 0 && ::IsValidCodePage(codePage) ? codePage : CP_ACP;
  return Utils::MultiByteToWide(bytes, usable);
}

}  // namespace InstallProtocol
