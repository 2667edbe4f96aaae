#pragma once
// The fonts of one window, by id as the layout numbers them. A family the
// system does not have is replaced by the default UI font family (keeping size
// and style), so that text never silently disappears.
#include <windows.h>

#include <map>
#include <string>

#include "uiframework/gdi_handles.h"

namespace SkinUI {

struct FontSpec {
  std::wstring Family;
  int Size = 12;  // pixels
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
};

class CFontTable {
 public:
  // The first font added, or the one added with makeDefault, is the default.
  void Add(int id, const FontSpec& style, bool makeDefault);
  // The font with that id, else the default font, else one made from the
  // default UI font. Never null.
  HFONT Get(int id);
  // Pixel height of a line (tmHeight) of that font.
  int LineHeight(int id);
  // The family actually used for id (after fallback).
  std::wstring FamilyOf(int id);

 private:
  struct Entry {
    FontSpec Style;
    UniqueFont Font;
    int LineHeight = 0;
  };
  Entry& Resolve(int id);
  void Realize(Entry& entry);

  std::map<int, Entry> m_Fonts;
  int m_DefaultId = -1;
  Entry m_Fallback;  // when the layout defines no fonts at all
};

// Whether GDI can enumerate the family (substitutes included).
bool IsFontFamilyAvailable(const std::wstring& family);
// The system's message font family ("Tahoma" under Wine, "Segoe UI"/"Microsoft
// YaHei" on Windows).
std::wstring DefaultUiFontFamily();

}  // namespace SkinUI
