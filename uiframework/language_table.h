#pragma once
// The process-wide language text table: numeric id -> text. Texts drawn or
// measured by the framework have every "%{n}" replaced by text n when the table
// holds it. UI thread only.
#include <map>
#include <string>

namespace SkinUI {

class CLanguageTable {
 public:
  static CLanguageTable& Instance();

  // An entry for an id already present is replaced.
  void Set(int id, const std::wstring& text) { m_Texts[id] = text; }
  bool Find(int id, std::wstring& text) const;
  void Clear() { m_Texts.clear(); }
  bool Empty() const { return m_Texts.empty(); }

  // Replaces "%{n}" (n decimal digits) by text n when present; anything else,
  // including ids the table lacks, stays as written.
  std::wstring Apply(const std::wstring& text) const;

 private:
  std::map<int, std::wstring> m_Texts;
};

}  // namespace SkinUI
