#include "uiframework/edit.h"

#include <vector>

#include "uiframework/attribute_parse.h"
#include "uiframework/control_host.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {

std::wstring CEditUI::GetClass() const { return L"Edit"; }

void* CEditUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Edit") ? this : CLabelUI::GetInterface(name);
}

void CEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  int number = 0;
  DWORD color = 0;
  if (EqualsNoCase(name, L"nativebkcolor")) {
    if (ParseColor(value, color)) {
      m_NativeBkColor = color;
      m_NativeBrush.Reset();
    }
  } else if (EqualsNoCase(name, L"maxchar")) {
    if (ParseInt(value, number) && number > 0) SetMaxChars(number);
  } else if (EqualsNoCase(name, L"readonly")) {
    SetReadOnly(ParseBool(value, m_ReadOnly));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

std::wstring CEditUI::GetText() const {
  HWND hwnd = m_Edit.Get();
  if (!hwnd) return m_Text;
  const int length = ::GetWindowTextLengthW(hwnd);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  ::GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::wstring(buffer.data());
}

void CEditUI::SetText(const std::wstring& text) {
  m_Text = text;
  if (HWND hwnd = m_Edit.Get()) {
    m_Updating = true;
    ::SetWindowTextW(hwnd, text.c_str());
    m_Updating = false;
  }
  Invalidate();
}

void CEditUI::SetMaxChars(int count) {
  m_MaxChars = count;
  if (HWND hwnd = m_Edit.Get()) ::SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(count), 0);
}

void CEditUI::SetReadOnly(bool readOnly) {
  m_ReadOnly = readOnly;
  if (HWND hwnd = m_Edit.Get()) ::SendMessageW(hwnd, EM_SETREADONLY, readOnly, 0);
}

void CEditUI::SyncNative() {
  if (!m_Host || !m_Host->GetHwnd()) return;
  if (!m_Edit.Get()) {
    if (!m_Edit.Create(m_Host->GetHwnd(), L"EDIT", ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP)) return;
    ::SendMessageW(m_Edit.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(m_Host->GetFont(m_Font)), FALSE);
    ::SendMessageW(m_Edit.Get(), EM_SETLIMITTEXT, static_cast<WPARAM>(m_MaxChars), 0);
    ::SendMessageW(m_Edit.Get(), EM_SETREADONLY, m_ReadOnly, 0);
    SetText(m_Text);
  }
  RECT box{m_Pos.left + m_TextPadding.left, m_Pos.top + m_TextPadding.top, m_Pos.right - m_TextPadding.right,
           m_Pos.bottom - m_TextPadding.bottom};
  // One line of the font, centred in the box: an EDIT draws its text at the top.
  const int lineHeight = m_Host->GetFontHeight(m_Font) + 2;
  if (box.bottom - box.top > lineHeight) {
    box.top += (box.bottom - box.top - lineHeight) / 2;
    box.bottom = box.top + lineHeight;
  }
  m_Edit.Place(box, IsVisibleInTree(), m_Enabled);
}

void CEditUI::OnNativeCommand(UINT code) {
  if (code == EN_CHANGE && !m_Updating) {
    m_Text = GetText();
    if (m_Host) m_Host->SendNotify(this, kNotifyTextChanged);
  } else if (code == EN_SETFOCUS && m_Host) {
    m_Host->NativeFocusChanged(this);
  }
}

HBRUSH CEditUI::OnNativeColor(HDC dc) {
  if (!m_NativeBrush) m_NativeBrush.Reset(::CreateSolidBrush(ToColorRef(m_NativeBkColor)));
  ::SetTextColor(dc, ToColorRef(m_TextColor));
  ::SetBkColor(dc, ToColorRef(m_NativeBkColor));
  return m_NativeBrush.Get();
}

void CEditUI::PaintText(HDC dc) {
  // The native window draws the text once it exists (off-screen renders have
  // none).
  if (!m_Edit.Get()) CLabelUI::PaintText(dc);
}

}  // namespace SkinUI
