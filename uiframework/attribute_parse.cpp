#include "uiframework/attribute_parse.h"

#include <cwctype>
#include <vector>

namespace SkinUI {
namespace {

std::wstring Trim(const std::wstring& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::iswspace(text[begin])) ++begin;
  while (end > begin && std::iswspace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool ParseIntList(const std::wstring& text, std::vector<int>& values, size_t most) {
  values.clear();
  size_t start = 0;
  while (start <= text.size() && values.size() < most) {
    const size_t comma = text.find(L',', start);
    int value = 0;
    if (!ParseInt(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start), value))
      return false;
    values.push_back(value);
    if (comma == std::wstring::npos) return true;
    start = comma + 1;
  }
  return !values.empty();
}

}  // namespace

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return i == a.size() && b[i] == 0;
}

bool ParseInt(const std::wstring& text, int& value) {
  const std::wstring t = Trim(text);
  if (t.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (t[0] == L'-' || t[0] == L'+') {
    negative = t[0] == L'-';
    i = 1;
  }
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < L'0' || t[i] > L'9') return false;
    v = v * 10 + (t[i] - L'0');
    if (v > 0x7FFFFFFF) return false;
  }
  value = static_cast<int>(negative ? -v : v);
  return true;
}

bool ParseColor(const std::wstring& text, DWORD& argb) {
  std::wstring t = Trim(text);
  if (!t.empty() && t[0] == L'#') {
    t.erase(0, 1);
  } else if (t.size() > 2 && t[0] == L'0' && (t[1] == L'x' || t[1] == L'X')) {
    t.erase(0, 2);
  } else {
    return false;
  }
  if (t.size() != 6 && t.size() != 8) return false;
  DWORD value = 0;
  for (wchar_t c : t) {
    const int digit = std::iswdigit(c) ? c - L'0'
                      : (c >= L'a' && c <= L'f') ? c - L'a' + 10
                      : (c >= L'A' && c <= L'F') ? c - L'A' + 10
                                                 : -1;
    if (digit < 0) return false;
    value = (value << 4) | static_cast<DWORD>(digit);
  }
  argb = t.size() == 6 ? (0xFF000000u | value) : value;
  return true;
}

bool ParseRect(const std::wstring& text, RECT& rect) {
  std::vector<int> v;
  if (!ParseIntList(text, v, 4)) return false;
  v.resize(4, 0);
  rect = RECT{v[0], v[1], v[2], v[3]};
  return true;
}

bool ParseSize(const std::wstring& text, SIZE& size) {
  std::vector<int> v;
  if (!ParseIntList(text, v, 2) || v.size() != 2) return false;
  size = SIZE{v[0], v[1]};
  return true;
}

bool ParseBool(const std::wstring& text, bool fallback) {
  const std::wstring t = Trim(text);
  if (EqualsNoCase(t, L"true") || t == L"1") return true;
  if (EqualsNoCase(t, L"false") || t == L"0") return false;
  return fallback;
}

}  // namespace SkinUI
