#pragma once
// CLabelUI: a control that draws a text in one of the window's fonts. Texts
// pass through the language table ("%{n}") when drawn and measured.
#include "uiframework/control.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void PaintText(HDC dc) override;

  int GetFont() const { return m_Font; }
  void SetFont(int fontId);
  DWORD GetTextColor() const { return m_TextColor; }
  void SetTextColor(DWORD argb);
  const RECT& GetTextPadding() const { return m_TextPadding; }
  void SetTextPadding(const RECT& padding);
  // DT_* flags for alignment: DT_LEFT/DT_CENTER/DT_RIGHT and
  // DT_TOP/DT_VCENTER/DT_BOTTOM.
  UINT GetTextStyle() const { return m_TextStyle; }
  bool IsMultiLine() const { return m_MultiLine; }

  // The size of text (after the language replacement) in this label's font.
  SIZE MeasureText(const std::wstring& text) const;
  SIZE MeasureText() const { return MeasureText(GetText()); }

 protected:
  // The colour for the current state; buttons vary it with hot and pushed.
  virtual DWORD CurrentTextColor() const;
  void DrawTextIn(HDC dc, const RECT& rect, const std::wstring& text, DWORD argb) const;

  int m_Font = -1;  // -1: the window's default font
  DWORD m_TextColor = 0xFF000000;
  DWORD m_DisabledTextColor = 0;
  RECT m_TextPadding{};
  UINT m_TextStyle = DT_LEFT | DT_VCENTER;
  bool m_MultiLine = false;
  bool m_EndEllipsis = false;
};

}  // namespace SkinUI
