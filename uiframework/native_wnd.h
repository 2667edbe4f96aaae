#pragma once
// CNativeWnd: one top-level Win32 window and its procedure. Owns nothing but
// the window it creates; the object must outlive the window, or be deleted by
// OnFinalMessage. Modal loops, centring and close requests live here. UI thread
// only.
#include <windows.h>

#include <string>

namespace SkinUI {

class CNativeWnd {
 public:
  CNativeWnd() = default;
  virtual ~CNativeWnd();
  CNativeWnd(const CNativeWnd&) = delete;
  CNativeWnd& operator=(const CNativeWnd&) = delete;

  HWND GetHWND() const { return m_Hwnd; }
  operator HWND() const { return m_Hwnd; }

  // Registers the window class (once) and creates the window; null on failure.
  HWND Create(HWND owner, const std::wstring& title, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int width = CW_USEDEFAULT, int height = CW_USEDEFAULT);

  // Shows the window, disables its owner and dispatches the thread's messages
  // until the window is gone. WM_CLOSE for this window re-enables the owner
  // and gives it the focus before it is dispatched. A WM_QUIT ends the loop
  // and is posted again for the enclosing loop. Returns the wParam of the
  // last close request (Close).
  UINT ShowModal();
  // Posts WM_CLOSE with result as wParam: the window closes once the loop
  // dispatches it.
  void Close(UINT result = IDOK);
  void ShowWindow(bool show = true, bool activate = true);
  // Centres over the owner, or over the work area of the window's monitor when
  // the owner is missing or minimised, keeping the window inside that work
  // area. Neither activates nor resizes.
  void CenterWindow();
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // One pass of a message loop for windows of this framework: the message
  // filters and keyboard handling first, then translate and dispatch.
  static void DispatchOne(MSG& msg);

 protected:
  virtual std::wstring GetWindowClassName() const = 0;
  virtual UINT GetClassStyle() const { return CS_DBLCLKS; }
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // After WM_NCDESTROY; the handle is already cleared. May delete this.
  virtual void OnFinalMessage(HWND hwnd);

  HWND m_Hwnd = nullptr;
  UINT m_CloseResult = 0;

 private:
  bool RegisterWindowClass();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Work area of the monitor nearest to the window (the primary one for null).
RECT WorkAreaOf(HWND hwnd);
// Where a window of size sits centred over anchor, moved to stay inside area.
POINT CenteredPosition(const RECT& anchor, SIZE size, const RECT& area);

}  // namespace SkinUI
