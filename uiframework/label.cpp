#include "uiframework/label.h"

#include "uiframework/attribute_parse.h"
#include "uiframework/control_host.h"
#include "uiframework/gdi_handles.h"
#include "uiframework/language_table.h"

namespace SkinUI {

std::wstring CLabelUI::GetClass() const { return L"Label"; }

void* CLabelUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Label") ? this : CControlUI::GetInterface(name);
}

void CLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  int number = 0;
  DWORD color = 0;
  RECT rect{};
  if (EqualsNoCase(name, L"font")) {
    if (ParseInt(value, number)) SetFont(number);
  } else if (EqualsNoCase(name, L"textcolor")) {
    if (ParseColor(value, color)) SetTextColor(color);
  } else if (EqualsNoCase(name, L"disabledtextcolor")) {
    if (ParseColor(value, color)) m_DisabledTextColor = color;
  } else if (EqualsNoCase(name, L"textpadding")) {
    if (ParseRect(value, rect)) SetTextPadding(rect);
  } else if (EqualsNoCase(name, L"align")) {
    m_TextStyle &= ~static_cast<UINT>(DT_LEFT | DT_CENTER | DT_RIGHT);
    m_TextStyle |= EqualsNoCase(value, L"center") ? DT_CENTER : EqualsNoCase(value, L"right") ? DT_RIGHT : DT_LEFT;
  } else if (EqualsNoCase(name, L"valign")) {
    m_TextStyle &= ~static_cast<UINT>(DT_TOP | DT_VCENTER | DT_BOTTOM);
    m_TextStyle |= EqualsNoCase(value, L"top") ? DT_TOP : EqualsNoCase(value, L"bottom") ? DT_BOTTOM : DT_VCENTER;
  } else if (EqualsNoCase(name, L"multiline")) {
    m_MultiLine = ParseBool(value, m_MultiLine);
  } else if (EqualsNoCase(name, L"endellipsis")) {
    m_EndEllipsis = ParseBool(value, m_EndEllipsis);
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

void CLabelUI::SetFont(int fontId) {
  m_Font = fontId;
  Invalidate();
}

void CLabelUI::SetTextColor(DWORD argb) {
  m_TextColor = argb;
  Invalidate();
}

void CLabelUI::SetTextPadding(const RECT& padding) {
  m_TextPadding = padding;
  Invalidate();
}

DWORD CLabelUI::CurrentTextColor() const {
  if (!m_Enabled && (m_DisabledTextColor >> 24) != 0) return m_DisabledTextColor;
  return m_TextColor;
}

void CLabelUI::PaintText(HDC dc) {
  const std::wstring text = GetText();
  if (text.empty()) return;
  const RECT rect{m_Pos.left + m_TextPadding.left, m_Pos.top + m_TextPadding.top, m_Pos.right - m_TextPadding.right,
                  m_Pos.bottom - m_TextPadding.bottom};
  DrawTextIn(dc, rect, CLanguageTable::Instance().Apply(text), CurrentTextColor());
}

void CLabelUI::DrawTextIn(HDC dc, const RECT& rect, const std::wstring& text, DWORD argb) const {
  if (!m_Host || text.empty() || rect.right <= rect.left || rect.bottom <= rect.top || (argb >> 24) == 0) return;
  ScopedSelectObject selectFont(dc, m_Host->GetFont(m_Font));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, ToColorRef(argb));
  const int length = static_cast<int>(text.size());
  UINT format = DT_NOPREFIX | (m_TextStyle & (DT_LEFT | DT_CENTER | DT_RIGHT));
  RECT box = rect;
  if (m_MultiLine) {
    // DrawText centres single lines only; place the wrapped block ourselves.
    format |= DT_WORDBREAK | DT_EDITCONTROL;
    RECT measured = rect;
    ::DrawTextW(dc, text.c_str(), length, &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    const int spare = (rect.bottom - rect.top) - height;
    if (spare > 0 && (m_TextStyle & DT_VCENTER)) box.top += spare / 2;
    if (spare > 0 && (m_TextStyle & DT_BOTTOM)) box.top += spare;
  } else {
    format |= DT_SINGLELINE | (m_TextStyle & (DT_TOP | DT_VCENTER | DT_BOTTOM));
    if (m_EndEllipsis) format |= DT_END_ELLIPSIS;
  }
  ::DrawTextW(dc, text.c_str(), length, &box, format);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

SIZE CLabelUI::MeasureText(const std::wstring& text) const {
  if (!m_Host) return SIZE{};
  return m_Host->MeasureText(m_Font, CLanguageTable::Instance().Apply(text));
}

}  // namespace SkinUI
