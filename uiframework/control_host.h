#pragma once
// CControlHost: everything one window does for its windowless controls. It
// owns the control tree, the layout's window attributes and fonts; lays the
// tree out; paints it double-buffered; turns mouse, keyboard, timer and
// native-child messages into control events; carries notifications to the
// window's listeners, synchronously or through the window's message queue; and
// keeps focus. One host per window, used on the window's (UI) thread, except
// PostNotify, which any thread may call.
#include <windows.h>

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uiframework/control.h"
#include "uiframework/font_table.h"
#include "uiframework/gdi_handles.h"
#include "uiframework/layout_builder.h"
#include "uiframework/notify.h"
#include "uiframework/window_attributes.h"

namespace SkinUI {

class CControlHost {
 public:
  CControlHost();
  ~CControlHost();
  CControlHost(const CControlHost&) = delete;
  CControlHost& operator=(const CControlHost&) = delete;

  // The window whose messages come through HandleMessage. A host without a
  // window still lays out, paints into any DC and notifies synchronously.
  void Attach(HWND hwnd);
  void Detach();
  HWND GetHwnd() const { return m_Hwnd; }

  // Takes the built layout: window attributes, fonts and the root, then
  // initialises every control (DoInit) in tree order.
  void SetDocument(LayoutDocument document);
  CControlUI* GetRoot() const { return m_Root.get(); }
  CControlUI* FindControl(const std::wstring& name) const;
  const WindowAttributes& GetWindowAttributes() const { return m_Window; }

  HFONT GetFont(int id) { return m_Fonts.Get(id); }
  int GetFontHeight(int id) { return m_Fonts.LineHeight(id); }
  CFontTable& Fonts() { return m_Fonts; }
  // Size of a single line of text in the font; texts are measured as given.
  SIZE MeasureText(int fontId, const std::wstring& text);

  // Layout and painting.
  void NeedUpdate();
  void Invalidate(const RECT& rect);
  void InvalidateAll();
  // Lays the tree out in rect now (the client area for a window).
  void Layout(const RECT& rect);
  // Lays out again if something asked for it since the last pass.
  void UpdateLayout();
  // Paints the controls that intersect clip into dc (a window's back buffer,
  // or any off-screen bitmap).
  void Render(HDC dc, const RECT& clip);
  // Focus rectangles appear once the keyboard has been used.
  bool ShowsFocusCues() const { return m_FocusCues; }

  // Notifications. A synchronous one reaches the listeners before the call
  // returns; an asynchronous one waits in the window's message queue, behind
  // what is already there.
  void AddNotifier(INotifyListener* listener);
  void RemoveNotifier(INotifyListener* listener);
  void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0, bool async = false);
  void SendNotify(Notification& notification, bool async = false);
  // Thread-safe form of an asynchronous SendNotify, for worker threads.
  void PostNotify(Notification notification);

  void AddMessageFilter(IMessageFilter* filter);
  void RemoveMessageFilter(IMessageFilter* filter);

  // Per-control timers, delivered to the control as Timer events (the base
  // control turns them into "timer" notifications). Setting a timer that runs
  // already keeps it as it is.
  bool SetTimer(CControlUI* control, UINT id, UINT elapseMs);
  bool KillTimer(CControlUI* control, UINT id);
  void KillTimers(CControlUI* control);
  bool HasTimer(const CControlUI* control, UINT id) const;

  // Focus among the focusable controls (buttons, check boxes, edits, combos).
  void SetFocus(CControlUI* control);
  CControlUI* GetFocus() const { return m_Focus; }
  // Tab order is tree order; wraps around. False when nothing can take focus.
  bool MoveFocus(bool forward);
  // A native child took the focus by itself (clicked).
  void NativeFocusChanged(CControlUI* control);

  // Messages of the window. True when handled, with its result.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // For message loops: offers msg to the message filters and the keyboard
  // handling of the host whose window (or a child of it) it is for. True when
  // it was consumed and must not be dispatched.
  static bool TranslateMessage(const MSG& msg);

  // Control life cycle: drops every reference the host keeps to the control
  // (or, when hidden or disabled, to it and its descendants).
  void ControlDestroyed(CControlUI* control);
  void ControlHidden(CControlUI* control);

 private:
  bool PreTranslate(const MSG& msg);
  void DeliverNotify(Notification& notification);
  CControlUI* FindNativeOwner(HWND child) const;
  void SetHot(CControlUI* control, POINT point);
  void OnPaint();

  HWND m_Hwnd = nullptr;
  WindowAttributes m_Window;
  CFontTable m_Fonts;
  std::unique_ptr<CControlUI> m_Root;
  bool m_NeedUpdate = true;

  CControlUI* m_Hot = nullptr;
  CControlUI* m_Captured = nullptr;
  CControlUI* m_Focus = nullptr;
  bool m_TrackingMouse = false;
  bool m_FocusCues = false;

  std::vector<INotifyListener*> m_Notifiers;
  std::vector<IMessageFilter*> m_Filters;

  struct TimerEntry {
    CControlUI* Control;
    UINT Id;
    UINT_PTR NativeId;
  };
  std::vector<TimerEntry> m_Timers;
  UINT_PTR m_NextNativeTimer = 0x5100;

  std::mutex m_QueueLock;  // guards m_Queue: workers post, the UI thread drains
  std::deque<Notification> m_Queue;

  UniqueBitmap m_BackBuffer;
  SIZE m_BackSize{};
};

}  // namespace SkinUI
