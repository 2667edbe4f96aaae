#pragma once
// The attributes of a layout's root <Window> element. The framework uses
// size, caption (drag area) and roundcorner itself; every attribute, known or
// not (the shadow's, for instance), stays readable by the window.
#include <windows.h>

#include <map>
#include <string>

namespace SkinUI {

class WindowAttributes {
 public:
  // Names are compared without regard to case.
  void Set(const std::wstring& name, const std::wstring& value);
  // The attribute's text, or empty when absent.
  std::wstring Get(const std::wstring& name) const;
  bool Has(const std::wstring& name) const;
  const std::map<std::wstring, std::wstring>& All() const { return m_Values; }

  SIZE InitialSize() const { return m_Size; }
  // Drag area: left, top, right, bottom insets from the window's edges, where
  // a bottom of b means "the top b pixels" (right 0: full width).
  const RECT& Caption() const { return m_Caption; }
  // Rounding of the window's region (ellipse width and height); 0,0: none.
  SIZE RoundCorner() const { return m_RoundCorner; }
  bool HasRoundCorner() const { return m_HasRoundCorner; }

 private:
  std::map<std::wstring, std::wstring> m_Values;  // lower-case names
  SIZE m_Size{};
  RECT m_Caption{};
  SIZE m_RoundCorner{};
  bool m_HasRoundCorner = false;
};

// Whether a point of a client area of that size lies in the drag area.
bool InCaption(const RECT& caption, SIZE client, POINT point);

}  // namespace SkinUI
