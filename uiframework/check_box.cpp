#include "uiframework/check_box.h"

#include "uiframework/attribute_parse.h"
#include "uiframework/control_host.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {

std::wstring CCheckBoxUI::GetClass() const { return L"CheckBox"; }

void* CCheckBoxUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"CheckBox") ? this : CButtonUI::GetInterface(name);
}

void CCheckBoxUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  DWORD color = 0;
  if (EqualsNoCase(name, L"selected")) {
    SetCheck(ParseBool(value, m_Selected), false);
  } else if (EqualsNoCase(name, L"selectedimage")) {
    SetImage(m_SelectedImage, value);
  } else if (EqualsNoCase(name, L"selectedhotimage")) {
    SetImage(m_SelectedHotImage, value);
  } else if (EqualsNoCase(name, L"selectedtextcolor")) {
    if (ParseColor(value, color)) m_SelectedTextColor = color;
  } else {
    CButtonUI::SetAttribute(name, value);
  }
}

void CCheckBoxUI::SetCheck(bool selected, bool notify) {
  if (selected == m_Selected) return;
  m_Selected = selected;
  Invalidate();
  if (notify && m_Host) m_Host->SendNotify(this, kNotifySelectChanged);
}

bool CCheckBoxUI::Activate() {
  if (!m_Enabled || !m_Host) return false;
  SetCheck(!m_Selected, true);
  return CButtonUI::Activate();
}

DWORD CCheckBoxUI::CurrentTextColor() const {
  if (m_Selected && m_Enabled && (m_SelectedTextColor >> 24)) return m_SelectedTextColor;
  return CButtonUI::CurrentTextColor();
}

void CCheckBoxUI::PaintStatusImage(HDC dc) {
  if (m_Selected && m_Enabled && !m_SelectedImage.Empty()) {
    if (m_Hot || m_Pushed)
      DrawFirst(dc, {&m_SelectedHotImage, &m_SelectedImage});
    else
      DrawFirst(dc, {&m_SelectedImage});
    return;
  }
  CButtonUI::PaintStatusImage(dc);
}

}  // namespace SkinUI
