#include "uiframework/combo.h"

#include "uiframework/attribute_parse.h"
#include "uiframework/control_host.h"
#include "uiframework/language_table.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {

std::wstring CComboUI::GetClass() const { return L"Combo"; }

void* CComboUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Combo") ? this : CLabelUI::GetInterface(name);
}

void CComboUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  int number = 0;
  if (EqualsNoCase(name, L"dropheight")) {
    if (ParseInt(value, number) && number > 0) m_DropHeight = number;
  } else if (EqualsNoCase(name, L"selectedid")) {
    // A layout lists the items after the attributes: an index beyond the
    // items so far is selected when its item arrives.
    if (ParseInt(value, number) && !SelectItem(number, false, false) && number >= GetCount()) m_PendingSel = number;
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

std::wstring CComboUI::GetText() const {
  return (m_CurSel >= 0 && m_CurSel < GetCount()) ? m_Items[static_cast<size_t>(m_CurSel)] : std::wstring();
}

void CComboUI::AddItem(const std::wstring& text) {
  m_Items.push_back(text);
  if (HWND hwnd = m_Combo.Get()) {
    const std::wstring shown = CLanguageTable::Instance().Apply(text);
    ::SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  if (m_PendingSel == GetCount() - 1) SelectItem(m_PendingSel, false, false);
}

bool CComboUI::SelectItem(int index, bool takeFocus, bool notify) {
  m_PendingSel = -1;  // the latest request wins
  if (index < -1 || index >= GetCount() || index == m_CurSel) return false;
  const int previous = m_CurSel;
  m_CurSel = index;
  if (HWND hwnd = m_Combo.Get()) ::SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Invalidate();
  if (takeFocus) SetFocus();
  if (notify && m_Host) m_Host->SendNotify(this, kNotifyItemSelect, static_cast<WPARAM>(index), previous);
  return true;
}

void CComboUI::FillNative() {
  HWND hwnd = m_Combo.Get();
  ::SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : m_Items) {
    const std::wstring shown = CLanguageTable::Instance().Apply(item);
    ::SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  ::SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(m_CurSel), 0);
}

void CComboUI::SyncNative() {
  if (!m_Host || !m_Host->GetHwnd()) return;
  if (!m_Combo.Get()) {
    if (!m_Combo.Create(m_Host->GetHwnd(), L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)) return;
    ::SendMessageW(m_Combo.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(m_Host->GetFont(m_Font)), FALSE);
    FillNative();
  }
  // A combo box's window height includes its dropped list.
  RECT box = m_Pos;
  box.bottom = box.top + (m_Pos.bottom - m_Pos.top) + m_DropHeight;
  m_Combo.Place(m_Pos.bottom > m_Pos.top ? box : m_Pos, IsVisibleInTree(), m_Enabled);
}

void CComboUI::OnNativeCommand(UINT code) {
  if (code == CBN_SELCHANGE) {
    const int index = static_cast<int>(::SendMessageW(m_Combo.Get(), CB_GETCURSEL, 0, 0));
    if (index == m_CurSel || index < 0 || index >= GetCount()) return;
    const int previous = m_CurSel;
    m_CurSel = index;
    if (m_Host) m_Host->SendNotify(this, kNotifyItemSelect, static_cast<WPARAM>(index), previous);
  } else if (code == CBN_SETFOCUS && m_Host) {
    m_Host->NativeFocusChanged(this);
  }
}

void CComboUI::PaintText(HDC dc) {
  if (m_Combo.Get()) return;
  const std::wstring text = GetText();
  if (text.empty()) return;
  const RECT rect{m_Pos.left + m_TextPadding.left, m_Pos.top + m_TextPadding.top, m_Pos.right - m_TextPadding.right,
                  m_Pos.bottom - m_TextPadding.bottom};
  DrawTextIn(dc, rect, CLanguageTable::Instance().Apply(text), CurrentTextColor());
}

}  // namespace SkinUI
