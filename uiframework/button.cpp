#include "uiframework/button.h"

#include "uiframework/attribute_parse.h"
#include "uiframework/control_host.h"
#include "uiframework/gdi_handles.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {

CButtonUI::CButtonUI() { m_TextStyle = DT_CENTER | DT_VCENTER; }

std::wstring CButtonUI::GetClass() const { return L"Button"; }

void* CButtonUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Button") ? this : CLabelUI::GetInterface(name);
}

void CButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  DWORD color = 0;
  if (EqualsNoCase(name, L"normalimage")) {
    SetNormalImage(value);
  } else if (EqualsNoCase(name, L"hotimage")) {
    SetHotImage(value);
  } else if (EqualsNoCase(name, L"pushedimage")) {
    SetPushedImage(value);
  } else if (EqualsNoCase(name, L"disabledimage")) {
    SetDisabledImage(value);
  } else if (EqualsNoCase(name, L"hottextcolor")) {
    if (ParseColor(value, color)) m_HotTextColor = color;
  } else if (EqualsNoCase(name, L"pushedtextcolor")) {
    if (ParseColor(value, color)) m_PushedTextColor = color;
  } else if (EqualsNoCase(name, L"hotbkcolor")) {
    if (ParseColor(value, color)) m_HotBkColor = color;
  } else if (EqualsNoCase(name, L"pushedbkcolor")) {
    if (ParseColor(value, color)) m_PushedBkColor = color;
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CButtonUI::SetImage(ImageSpec& slot, const std::wstring& text) {
  slot = ParseImageSpec(text);
  Invalidate();
}

void CButtonUI::DoEvent(ControlEvent& event) {
  switch (event.Type) {
    case ControlEventType::ButtonDown:
      if (m_Enabled) SetPushedState(true);
      return;
    case ControlEventType::ButtonUp: {
      const bool wasPushed = m_Pushed;
      SetPushedState(false);
      if (wasPushed && m_Enabled && ::PtInRect(&m_Pos, event.Point)) Activate();
      return;
    }
    default:
      CLabelUI::DoEvent(event);
  }
}

bool CButtonUI::Activate() {
  if (!m_Enabled || !m_Host) return false;
  m_Host->SendNotify(this, kNotifyClick);
  return true;
}

DWORD CButtonUI::CurrentTextColor() const {
  if (m_Enabled) {
    if (m_Pushed && (m_PushedTextColor >> 24)) return m_PushedTextColor;
    if ((m_Hot || m_Pushed) && (m_HotTextColor >> 24)) return m_HotTextColor;
  }
  return CLabelUI::CurrentTextColor();
}

void CButtonUI::PaintBkColor(HDC dc) {
  DWORD color = m_BkColor;
  if (m_Enabled && m_Pushed && (m_PushedBkColor >> 24)) {
    color = m_PushedBkColor;
  } else if (m_Enabled && (m_Hot || m_Pushed) && (m_HotBkColor >> 24)) {
    color = m_HotBkColor;
  }
  FillColor(dc, m_Pos, color, m_BorderRound);
}

void CButtonUI::DrawFirst(HDC dc, std::initializer_list<const ImageSpec*> images) {
  for (const ImageSpec* image : images) {
    if (!image->Empty()) {
      DrawImageSpec(dc, *image);
      return;
    }
  }
}

void CButtonUI::PaintStatusImage(HDC dc) {
  if (!m_Enabled) {
    // A missing disabled image is simply not drawn.
    DrawFirst(dc, {&m_DisabledImage});
  } else if (m_Pushed) {
    DrawFirst(dc, {&m_PushedImage, &m_HotImage, &m_NormalImage});
  } else if (m_Hot) {
    DrawFirst(dc, {&m_HotImage, &m_NormalImage});
  } else {
    DrawFirst(dc, {&m_NormalImage});
  }
}

void CButtonUI::PaintBorder(HDC dc) {
  CLabelUI::PaintBorder(dc);
  if (m_Focused && m_Host && m_Host->ShowsFocusCues()) {
    RECT focus = m_Pos;
    ::InflateRect(&focus, -1, -1);
    ::DrawFocusRect(dc, &focus);
  }
}

}  // namespace SkinUI
