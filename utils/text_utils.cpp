#include "utils/text_utils.h"

namespace Utils {
namespace {

bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

std::wstring TrimLeft(const std::wstring& text) {
  size_t begin = 0;
  while (begin < text.size() && IsCSpace(text[begin])) ++begin;
  return text.substr(begin);
}

std::wstring TrimRight(const std::wstring& text) {
  size_t end = text.size();
  while (end > 0 && IsCSpace(text[end - 1])) --end;
  return text.substr(0, end);
}

std::wstring Trim(const std::wstring& text) { return TrimLeft(TrimRight(text)); }

std::wstring ReplaceAll(const std::wstring& text, const std::wstring& pattern,
                        const std::wstring& replacement) {
  std::wstring result = text;
  if (pattern.empty()) return result;

  if (replacement.find(pattern) != std::wstring::npos) {
    for (size_t pos = result.find(pattern); pos != std::wstring::npos;
         pos = result.find(pattern, pos + replacement.size())) {
      result.replace(pos, pattern.size(), replacement);
    }
    return result;
  }

  // Searching again from the start after every replacement finds the same
  // occurrence as searching from just before the replaced span: the text in
  // front of it held no occurrence and did not change.
  size_t from = 0;
  for (size_t pos = result.find(pattern); pos != std::wstring::npos; pos = result.find(pattern, from)) {
    result.replace(pos, pattern.size(), replacement);
    from = pos >= pattern.size() - 1 ? pos - (pattern.size() - 1) : 0;
  }
  return result;
}

std::wstring ToWString(std::uint32_t value) { return std::to_wstring(value); }

}  // namespace Utils
