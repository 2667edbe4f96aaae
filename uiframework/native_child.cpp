#include "uiframework/native_child.h"

namespace SkinUI {

bool CNativeChild::Create(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle) {
  Destroy();
  m_Hwnd = ::CreateWindowExW(exStyle, windowClass, L"", style | WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  return m_Hwnd != nullptr;
}

void CNativeChild::Destroy() {
  if (HWND hwnd = Get()) ::DestroyWindow(hwnd);
  m_Hwnd = nullptr;
}

void CNativeChild::Place(const RECT& rect, bool visible, bool enabled) {
  HWND hwnd = Get();
  if (!hwnd) return;
  RECT current{};
  ::GetWindowRect(hwnd, &current);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&current), 2);
  if (!::EqualRect(&current, &rect))
    ::SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  const bool show = visible && rect.right > rect.left && rect.bottom > rect.top;
  // The style bit, not IsWindowVisible: the parent may be hidden itself.
  const bool shown = (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != show) ::ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE);
  if ((::IsWindowEnabled(hwnd) != FALSE) != enabled) ::EnableWindow(hwnd, enabled);
}

}  // namespace SkinUI
