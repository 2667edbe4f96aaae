#include "uiframework/native_wnd.h"

#include "uiframework/control_host.h"

namespace SkinUI {

CNativeWnd::~CNativeWnd() {
  // A window still alive must not call back into a destroyed object.
  if (m_Hwnd && ::IsWindow(m_Hwnd)) {
    ::SetWindowLongPtrW(m_Hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_Hwnd);
  }
}

bool CNativeWnd::RegisterWindowClass() {
  const std::wstring name = GetWindowClassName();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name.c_str(), &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &CNativeWnd::WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  return ::RegisterClassExW(&wc) != 0;
}

HWND CNativeWnd::Create(HWND owner, const std::wstring& title, DWORD style, DWORD exStyle, int x, int y, int width,
                        int height) {
  if (m_Hwnd || !RegisterWindowClass()) return nullptr;
  const std::wstring name = GetWindowClassName();
  ::CreateWindowExW(exStyle, name.c_str(), title.c_str(), style, x, y, width, height, owner, nullptr,
                    ::GetModuleHandleW(nullptr), this);
  return m_Hwnd;
}

LRESULT CALLBACK CNativeWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CNativeWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<CNativeWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->m_Hwnd = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CNativeWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->m_Hwnd = nullptr;
    self->OnFinalMessage(hwnd);
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT CNativeWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) m_CloseResult = static_cast<UINT>(wParam);
  return ::DefWindowProcW(m_Hwnd, message, wParam, lParam);
}

void CNativeWnd::OnFinalMessage(HWND) {}

void CNativeWnd::DispatchOne(MSG& msg) {
  if (CControlHost::TranslateMessage(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

UINT CNativeWnd::ShowModal() {
  if (!m_Hwnd) return 0;
  HWND window = m_Hwnd;
  HWND owner = ::GetWindow(window, GW_OWNER);
  ShowWindow(true, true);
  if (owner) ::EnableWindow(owner, FALSE);
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg{};
  while (::IsWindow(window)) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    if (msg.message == WM_CLOSE && msg.hwnd == window && owner) {
      ::EnableWindow(owner, TRUE);
      ::SetFocus(owner);
    }
    DispatchOne(msg);
  }
  if (owner) ::EnableWindow(owner, TRUE);
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return m_CloseResult;
}

void CNativeWnd::Close(UINT result) {
  if (m_Hwnd) ::PostMessageW(m_Hwnd, WM_CLOSE, result, 0);
}

void CNativeWnd::ShowWindow(bool show, bool activate) {
  if (m_Hwnd) ::ShowWindow(m_Hwnd, show ? (activate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

RECT WorkAreaOf(HWND hwnd) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
  if (monitor && ::GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

POINT CenteredPosition(const RECT& anchor, SIZE size, const RECT& area) {
  LONG x = anchor.left + ((anchor.right - anchor.left) - size.cx) / 2;
  LONG y = anchor.top + ((anchor.bottom - anchor.top) - size.cy) / 2;
  if (x + size.cx > area.right) x = area.right - size.cx;
  if (y + size.cy > area.bottom) y = area.bottom - size.cy;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  return POINT{x, y};
}

void CNativeWnd::CenterWindow() {
  if (!m_Hwnd) return;
  RECT window{};
  ::GetWindowRect(m_Hwnd, &window);
  const SIZE size{window.right - window.left, window.bottom - window.top};
  const RECT area = WorkAreaOf(m_Hwnd);
  RECT anchor = area;
  HWND owner = ::GetWindow(m_Hwnd, GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &anchor);
  const POINT at = CenteredPosition(anchor, size, area);
  ::SetWindowPos(m_Hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CNativeWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(m_Hwnd, message, wParam, lParam);
}

BOOL CNativeWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(m_Hwnd, message, wParam, lParam);
}

}  // namespace SkinUI
