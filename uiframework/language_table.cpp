#include "uiframework/language_table.h"

namespace SkinUI {

CLanguageTable& CLanguageTable::Instance() {
  static CLanguageTable table;
  return table;
}

bool CLanguageTable::Find(int id, std::wstring& text) const {
  const auto it = m_Texts.find(id);
  if (it == m_Texts.end()) return false;
  text = it->second;
  return true;
}

std::wstring CLanguageTable::Apply(const std::wstring& text) const {
  if (m_Texts.empty() || text.find(L"%{") == std::wstring::npos) return text;
  std::wstring result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == L'%' && i + 1 < text.size() && text[i + 1] == L'{') {
      size_t j = i + 2;
      long long id = 0;
      while (j < text.size() && text[j] >= L'0' && text[j] <= L'9' && j - i < 12) {
        id = id * 10 + (text[j] - L'0');
        ++j;
      }
      if (j > i + 2 && j < text.size() && text[j] == L'}' && id <= 0x7FFFFFFF) {
        const auto it = m_Texts.find(static_cast<int>(id));
        if (it != m_Texts.end()) {
          result += it->second;
          i = j + 1;
          continue;
        }
      }
    }
    result += text[i++];
  }
  return result;
}

}  // namespace SkinUI
