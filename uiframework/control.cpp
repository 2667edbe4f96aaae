#include "uiframework/control.h"

#include "uiframework/attribute_parse.h"
#include "uiframework/container.h"
#include "uiframework/control_host.h"
#include "uiframework/gdi_handles.h"
#include "uiframework/image_draw.h"

namespace SkinUI {

COLORREF ToColorRef(DWORD argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

void FillColor(HDC dc, const RECT& rect, DWORD argb, SIZE round) {
  const BYTE alpha = static_cast<BYTE>(argb >> 24);
  if (alpha == 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (alpha != 255 && round.cx == 0 && round.cy == 0) {
    // One premultiplied pixel stretched over the rectangle.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap pixel(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!pixel || !bits) return;
    const DWORD r = ((argb >> 16) & 0xFF) * alpha / 255, g = ((argb >> 8) & 0xFF) * alpha / 255,
                b = (argb & 0xFF) * alpha / 255;
    *static_cast<DWORD*>(bits) = (static_cast<DWORD>(alpha) << 24) | (r << 16) | (g << 8) | b;
    UniqueMemoryDC memory(dc);
    ScopedSelectObject select(memory.Get(), pixel.Get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory.Get(), 0, 0, 1, 1,
                 blend);
    return;
  }
  UniqueBrush brush(::CreateSolidBrush(ToColorRef(argb)));
  if (round.cx == 0 && round.cy == 0) {
    ::FillRect(dc, &rect, brush.Get());
    return;
  }
  ScopedSelectObject selectBrush(dc, brush.Get());
  ScopedSelectObject selectPen(dc, ::GetStockObject(NULL_PEN));
  // A null pen leaves the right and bottom edges out; widen by one.
  ::RoundRect(dc, rect.left, rect.top, rect.right + 1, rect.bottom + 1, round.cx, round.cy);
}

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (m_Host) m_Host->ControlDestroyed(this);
}

std::wstring CControlUI::GetClass() const { return L"Control"; }

void* CControlUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Control") ? this : nullptr;
}

void CControlUI::DoInit() {}

void CControlUI::DoEvent(ControlEvent& event) {
  switch (event.Type) {
    case ControlEventType::MouseEnter:
      SetHotState(true);
      break;
    case ControlEventType::MouseLeave:
      SetHotState(false);
      break;
    case ControlEventType::Timer:
      if (m_Host) m_Host->SendNotify(this, L"timer", event.wParam, event.lParam);
      break;
    case ControlEventType::SetFocus:
    case ControlEventType::KillFocus:
      Invalidate();
      break;
    default:
      break;
  }
}

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  int number = 0;
  RECT rect{};
  SIZE size{};
  DWORD color = 0;
  if (EqualsNoCase(name, L"name")) {
    m_Name = value;
  } else if (EqualsNoCase(name, L"text")) {
    SetText(value);
  } else if (EqualsNoCase(name, L"userdata")) {
    m_UserData = value;
  } else if (EqualsNoCase(name, L"width")) {
    if (ParseInt(value, number) && number >= 0) SetFixedWidth(number);
  } else if (EqualsNoCase(name, L"height")) {
    if (ParseInt(value, number) && number >= 0) SetFixedHeight(number);
  } else if (EqualsNoCase(name, L"size")) {
    if (ParseSize(value, size) && size.cx >= 0 && size.cy >= 0) {
      SetFixedWidth(size.cx);
      SetFixedHeight(size.cy);
    }
  } else if (EqualsNoCase(name, L"padding")) {
    if (ParseRect(value, rect)) SetPadding(rect);
  } else if (EqualsNoCase(name, L"centered")) {
    m_Centered = ParseBool(value, m_Centered);
  } else if (EqualsNoCase(name, L"visible")) {
    SetVisible(ParseBool(value, m_Visible));
  } else if (EqualsNoCase(name, L"enabled")) {
    SetEnabled(ParseBool(value, m_Enabled));
  } else if (EqualsNoCase(name, L"bkcolor")) {
    if (ParseColor(value, color)) SetBkColor(color);
  } else if (EqualsNoCase(name, L"bkimage")) {
    SetBkImage(value);
  } else if (EqualsNoCase(name, L"bordercolor")) {
    if (ParseColor(value, color)) m_BorderColor = color;
  } else if (EqualsNoCase(name, L"bordersize")) {
    if (ParseInt(value, number) && number >= 0) m_BorderSize = number;
  } else if (EqualsNoCase(name, L"borderround")) {
    if (ParseSize(value, size)) m_BorderRound = size;
  }
}

void CControlUI::SetPos(const RECT& rect) { m_Pos = rect; }

void CControlUI::SetFixedWidth(int width) {
  if (width < 0 || width == m_FixedWidth) return;
  m_FixedWidth = width;
  NeedUpdate();
}

void CControlUI::SetFixedHeight(int height) {
  if (height < 0 || height == m_FixedHeight) return;
  m_FixedHeight = height;
  NeedUpdate();
}

void CControlUI::SetPadding(const RECT& padding) {
  m_Padding = padding;
  NeedUpdate();
}

void CControlUI::SetHost(CControlHost* host, CContainerUI* parent) {
  m_Host = host;
  m_Parent = parent;
}

CControlUI* CControlUI::FindByName(const std::wstring& name) {
  return (!name.empty() && name == m_Name) ? this : nullptr;
}

CControlUI* CControlUI::FindControlAt(POINT point) {
  if (!m_Visible || !::PtInRect(&m_Pos, point)) return nullptr;
  return IsMouseTarget() ? this : nullptr;
}

void CControlUI::ForEach(const std::function<void(CControlUI&)>& visit) { visit(*this); }

void CControlUI::SetText(const std::wstring& text) {
  if (text == m_Text) return;
  m_Text = text;
  Invalidate();
}

void CControlUI::SetVisible(bool visible) {
  if (visible == m_Visible) return;
  m_Visible = visible;
  if (!visible && m_Host) m_Host->ControlHidden(this);
  NeedUpdate();
}

bool CControlUI::IsVisibleInTree() const {
  if (!m_Visible) return false;
  return m_Parent == nullptr || (m_Parent->IsChildShown(this) && m_Parent->IsVisibleInTree());
}

void CControlUI::SetEnabled(bool enabled) {
  if (enabled == m_Enabled) return;
  m_Enabled = enabled;
  if (!enabled) {
    m_Hot = m_Pushed = false;
    if (m_Host) m_Host->ControlHidden(this);
  }
  Invalidate();
}

bool CControlUI::IsFocused() const { return m_Focused; }

void CControlUI::SetFocus() {
  if (m_Host) m_Host->SetFocus(this);
}

void CControlUI::SetBkColor(DWORD argb) {
  m_BkColor = argb;
  Invalidate();
}

void CControlUI::SetBkImage(const std::wstring& image) {
  if (image == m_BkImageText) return;
  m_BkImageText = image;
  m_BkImage = ParseImageSpec(image);
  Invalidate();
}

bool CControlUI::SetTimer(UINT id, UINT elapseMs) { return m_Host && m_Host->SetTimer(this, id, elapseMs); }

bool CControlUI::KillTimer(UINT id) { return m_Host && m_Host->KillTimer(this, id); }

void CControlUI::Invalidate() {
  if (m_Host) m_Host->Invalidate(m_Pos);
}

void CControlUI::NeedUpdate() {
  if (m_Host) m_Host->NeedUpdate();
}

void CControlUI::SetHotState(bool hot) {
  if (hot == m_Hot) return;
  m_Hot = hot;
  Invalidate();
}

void CControlUI::SetPushedState(bool pushed) {
  if (pushed == m_Pushed) return;
  m_Pushed = pushed;
  Invalidate();
}

void CControlUI::Paint(HDC dc, const RECT& clip) {
  RECT visible{};
  if (!::IntersectRect(&visible, &clip, &m_Pos)) return;
  PaintBkColor(dc);
  PaintBkImage(dc);
  PaintStatusImage(dc);
  PaintText(dc);
  PaintBorder(dc);
}

void CControlUI::PaintBkColor(HDC dc) { FillColor(dc, m_Pos, m_BkColor, m_BorderRound); }

void CControlUI::PaintBkImage(HDC dc) { DrawImageSpec(dc, m_BkImage); }

void CControlUI::PaintStatusImage(HDC) {}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC dc) {
  if (m_BorderSize <= 0 || (m_BorderColor >> 24) == 0) return;
  UniquePen pen(::CreatePen(PS_INSIDEFRAME, m_BorderSize, ToColorRef(m_BorderColor)));
  ScopedSelectObject selectPen(dc, pen.Get());
  ScopedSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
  if (m_BorderRound.cx || m_BorderRound.cy)
    ::RoundRect(dc, m_Pos.left, m_Pos.top, m_Pos.right, m_Pos.bottom, m_BorderRound.cx, m_BorderRound.cy);
  else
    ::Rectangle(dc, m_Pos.left, m_Pos.top, m_Pos.right, m_Pos.bottom);
}

bool CControlUI::DrawImageSpec(HDC dc, const ImageSpec& imageSpec) {
  if (imageSpec.Empty()) return false;
  return DrawImage(dc, m_Pos, imageSpec);
}

}  // namespace SkinUI
