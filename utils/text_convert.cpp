#include "utils/text_convert.h"

#include <windows.h>

#include <climits>
#include <new>

namespace Utils {

std::wstring MultiByteToWide(const std::string& text, unsigned int codePage) {
  if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int needed = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return std::wstring();
  try {
    std::wstring result(static_cast<size_t>(needed), L'\0');
    const int written = ::MultiByteToWideChar(codePage, 0, text.data(), length, &result[0], needed);
    if (written <= 0) return std::wstring();
    result.resize(static_cast<size_t>(written));
    return result;
  } catch (const std::bad_alloc&) {
    return std::wstring();
  }
}

std::string WideToMultiByte(const std::wstring& text, unsigned int codePage) {
  if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::string();
  const int length = static_cast<int>(text.size());
  const int needed = ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  try {
    std::string result(static_cast<size_t>(needed), '\0');
    const int written =
        ::WideCharToMultiByte(codePage, 0, text.data(), length, &result[0], needed, nullptr, nullptr);
    if (written <= 0) return std::string();
    result.resize(static_cast<size_t>(written));
    return result;
  } catch (const std::bad_alloc&) {
    return std::string();
  }
}

std::string Utf8ToAnsi(const std::string& utf8) {
  return WideToMultiByte(MultiByteToWide(utf8, CP_UTF8), CP_ACP);
}

}  // namespace Utils
