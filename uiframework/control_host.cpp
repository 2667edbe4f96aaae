#include "uiframework/control_host.h"

#include <windowsx.h>

#include <algorithm>

#include "uiframework/container.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {
namespace {

// Hosts with a window, for message loops to find the host of a message.
// UI thread only.
std::vector<CControlHost*>& AttachedHosts() {
  static std::vector<CControlHost*> hosts;
  return hosts;
}

bool IsSelfOrDescendant(const CControlUI* control, const CControlUI* ancestor) {
  for (const CControlUI* c = control; c; c = c->GetParent())
    if (c == ancestor) return true;
  return false;
}

}  // namespace

CControlHost::CControlHost() = default;

CControlHost::~CControlHost() {
  // Controls report their destruction here; tear them down while the rest of
  // the host still exists.
  m_Root.reset();
  Detach();
}

void CControlHost::Attach(HWND hwnd) {
  Detach();
  {
    // PostNotify reads the handle on worker threads.
    std::lock_guard<std::mutex> lock(m_QueueLock);
    m_Hwnd = hwnd;
  }
  if (hwnd) AttachedHosts().push_back(this);
}

void CControlHost::Detach() {
  auto& hosts = AttachedHosts();
  hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
  HWND hwnd = nullptr;
  {
    std::lock_guard<std::mutex> lock(m_QueueLock);
    hwnd = m_Hwnd;
    m_Hwnd = nullptr;
    m_Queue.clear();
  }
  // The native timers belong to the window, which may outlive the host's use of it.
  for (const TimerEntry& entry : m_Timers) ::KillTimer(hwnd, entry.NativeId);
  m_Timers.clear();
  m_TrackingMouse = false;
}

void CControlHost::SetDocument(LayoutDocument document) {
  m_Root.reset();
  m_Window = std::move(document.Window);
  m_Fonts = CFontTable();
  for (const FontDefinition& font : document.Fonts) m_Fonts.Add(font.Id, font.Style, font.IsDefault);
  m_Root = std::move(document.Root);
  if (!m_Root) return;
  m_Root->SetHost(this, nullptr);
  m_Root->ForEach([](CControlUI& control) { control.DoInit(); });
  NeedUpdate();
}

CControlUI* CControlHost::FindControl(const std::wstring& name) const {
  return m_Root ? m_Root->FindByName(name) : nullptr;
}

SIZE CControlHost::MeasureText(int fontId, const std::wstring& text) {
  if (text.empty()) return SIZE{};
  ScopedScreenDC screen;
  UniqueMemoryDC memory(screen.Get());
  ScopedSelectObject select(memory.Get(), GetFont(fontId));
  RECT box{0, 0, 0, 0};
  ::DrawTextW(memory.Get(), text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

void CControlHost::NeedUpdate() {
  m_NeedUpdate = true;
  if (m_Hwnd) ::InvalidateRect(m_Hwnd, nullptr, FALSE);
}

void CControlHost::Invalidate(const RECT& rect) {
  if (m_Hwnd) ::InvalidateRect(m_Hwnd, &rect, FALSE);
}

void CControlHost::InvalidateAll() {
  if (m_Hwnd) ::InvalidateRect(m_Hwnd, nullptr, FALSE);
}

void CControlHost::Layout(const RECT& rect) {
  m_NeedUpdate = false;
  if (!m_Root) return;
  m_Root->SetPos(rect);
  m_Root->ForEach([](CControlUI& control) { control.SyncNative(); });
  InvalidateAll();
}

void CControlHost::UpdateLayout() {
  if (!m_NeedUpdate || !m_Root) return;
  if (!m_Hwnd) {
    // Off-screen: lay out again in the area used last time.
    Layout(m_Root->GetPos());
    return;
  }
  RECT client{};
  ::GetClientRect(m_Hwnd, &client);
  Layout(client);
}

void CControlHost::Render(HDC dc, const RECT& clip) {
  if (m_Root && m_Root->IsVisible()) m_Root->Paint(dc, clip);
}

void CControlHost::OnPaint() {
  // Lay out before BeginPaint: a layout pass invalidates the window, and an
  // invalidation inside the paint would survive it and paint everything twice.
  UpdateLayout();
  ScopedPaint paint(m_Hwnd);
  RECT client{};
  ::GetClientRect(m_Hwnd, &client);
  const SIZE size{client.right, client.bottom};
  if (size.cx <= 0 || size.cy <= 0) return;
  // Everything is drawn into a back buffer and copied once: no flicker.
  if (!m_BackBuffer || m_BackSize.cx != size.cx || m_BackSize.cy != size.cy) {
    m_BackBuffer.Reset(::CreateCompatibleBitmap(paint.DC(), size.cx, size.cy));
    m_BackSize = size;
  }
  UniqueMemoryDC memory(paint.DC());
  ScopedSelectObject select(memory.Get(), m_BackBuffer.Get());
  const RECT& area = paint.PaintRect();
  ::FillRect(memory.Get(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  {
    ScopedSaveDC state(memory.Get());
    ::IntersectClipRect(memory.Get(), area.left, area.top, area.right, area.bottom);
    Render(memory.Get(), area);
  }
  ::BitBlt(paint.DC(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(), area.left,
           area.top, SRCCOPY);
}

void CControlHost::AddNotifier(INotifyListener* listener) {
  if (listener && std::find(m_Notifiers.begin(), m_Notifiers.end(), listener) == m_Notifiers.end())
    m_Notifiers.push_back(listener);
}

void CControlHost::RemoveNotifier(INotifyListener* listener) {
  m_Notifiers.erase(std::remove(m_Notifiers.begin(), m_Notifiers.end(), listener), m_Notifiers.end());
}

void CControlHost::SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam, bool async) {
  Notification notification;
  notification.Type = type;
  notification.Sender = sender;
  notification.wParam = wParam;
  notification.lParam = lParam;
  SendNotify(notification, async);
}

void CControlHost::SendNotify(Notification& notification, bool async) {
  if (notification.Timestamp == 0) notification.Timestamp = ::GetTickCount();
  if (m_Hwnd) {
    POINT cursor{};
    if (::GetCursorPos(&cursor) && ::ScreenToClient(m_Hwnd, &cursor)) notification.Point = cursor;
  }
  if (async) {
    PostNotify(notification);
    return;
  }
  DeliverNotify(notification);
}

void CControlHost::PostNotify(Notification notification) {
  if (notification.Timestamp == 0) notification.Timestamp = ::GetTickCount();
  HWND hwnd = nullptr;
  {
    std::lock_guard<std::mutex> lock(m_QueueLock);
    m_Queue.push_back(std::move(notification));
    hwnd = m_Hwnd;
  }
  // One message per notification keeps them in order with other messages.
  if (hwnd) ::PostMessageW(hwnd, kMsgAsyncNotify, 0, 0);
}

void CControlHost::DeliverNotify(Notification& notification) {
  // A listener may remove itself (or others) while being notified.
  const std::vector<INotifyListener*> listeners = m_Notifiers;
  for (INotifyListener* listener : listeners) {
    if (std::find(m_Notifiers.begin(), m_Notifiers.end(), listener) != m_Notifiers.end())
      listener->Notify(notification);
  }
}

void CControlHost::AddMessageFilter(IMessageFilter* filter) {
  if (filter && std::find(m_Filters.begin(), m_Filters.end(), filter) == m_Filters.end())
    m_Filters.push_back(filter);
}

void CControlHost::RemoveMessageFilter(IMessageFilter* filter) {
  m_Filters.erase(std::remove(m_Filters.begin(), m_Filters.end(), filter), m_Filters.end());
}

bool CControlHost::SetTimer(CControlUI* control, UINT id, UINT elapseMs) {
  if (!m_Hwnd || !control) return false;
  if (HasTimer(control, id)) return true;
  const UINT_PTR nativeId = m_NextNativeTimer++;
  if (!::SetTimer(m_Hwnd, nativeId, elapseMs, nullptr)) return false;
  m_Timers.push_back({control, id, nativeId});
  return true;
}

bool CControlHost::KillTimer(CControlUI* control, UINT id) {
  for (auto it = m_Timers.begin(); it != m_Timers.end(); ++it) {
    if (it->Control == control && it->Id == id) {
      if (m_Hwnd) ::KillTimer(m_Hwnd, it->NativeId);
      m_Timers.erase(it);
      return true;
    }
  }
  return false;
}

void CControlHost::KillTimers(CControlUI* control) {
  for (auto it = m_Timers.begin(); it != m_Timers.end();) {
    if (it->Control == control) {
      if (m_Hwnd) ::KillTimer(m_Hwnd, it->NativeId);
      it = m_Timers.erase(it);
    } else {
      ++it;
    }
  }
}

bool CControlHost::HasTimer(const CControlUI* control, UINT id) const {
  return std::any_of(m_Timers.begin(), m_Timers.end(),
                     [&](const TimerEntry& entry) { return entry.Control == control && entry.Id == id; });
}

void CControlHost::SetFocus(CControlUI* control) {
  if (control && (!control->IsFocusable() || !control->IsEnabled() || !control->IsVisibleInTree())) return;
  if (control != m_Focus) {
    CControlUI* previous = m_Focus;
    m_Focus = control;
    if (previous) {
      previous->SetFocusState(false);
      ControlEvent event{ControlEventType::KillFocus};
      previous->DoEvent(event);
    }
    if (control) {
      control->SetFocusState(true);
      ControlEvent event{ControlEventType::SetFocus};
      control->DoEvent(event);
    }
  }
  if (!m_Hwnd) return;
  HWND target = (control && control->GetNativeWindow()) ? control->GetNativeWindow() : m_Hwnd;
  if (::GetFocus() != target) ::SetFocus(target);
}

bool CControlHost::MoveFocus(bool forward) {
  if (!m_Root) return false;
  UpdateLayout();
  std::vector<CControlUI*> order;
  m_Root->ForEach([&order](CControlUI& control) {
    if (control.IsFocusable() && control.IsEnabled() && control.IsVisibleInTree()) order.push_back(&control);
  });
  if (order.empty()) return false;
  const auto current = std::find(order.begin(), order.end(), m_Focus);
  size_t next = 0;
  if (current == order.end()) {
    next = forward ? 0 : order.size() - 1;
  } else {
    const size_t index = static_cast<size_t>(current - order.begin());
    next = forward ? (index + 1) % order.size() : (index + order.size() - 1) % order.size();
  }
  m_FocusCues = true;
  SetFocus(order[next]);
  InvalidateAll();
  return true;
}

void CControlHost::NativeFocusChanged(CControlUI* control) {
  if (control == m_Focus) return;
  if (m_Focus) {
    m_Focus->SetFocusState(false);
    m_Focus->Invalidate();
  }
  m_Focus = control;
  if (control) control->SetFocusState(true);
}

CControlUI* CControlHost::FindNativeOwner(HWND child) const {
  CControlUI* owner = nullptr;
  if (m_Root && child) {
    m_Root->ForEach([&](CControlUI& control) {
      if (!owner && control.GetNativeWindow() == child) owner = &control;
    });
  }
  return owner;
}

void CControlHost::SetHot(CControlUI* control, POINT point) {
  if (control == m_Hot) return;
  if (m_Hot) {
    ControlEvent leave{ControlEventType::MouseLeave, point};
    CControlUI* previous = m_Hot;
    m_Hot = nullptr;
    previous->DoEvent(leave);
  }
  m_Hot = control;
  if (control) {
    ControlEvent enter{ControlEventType::MouseEnter, point};
    control->DoEvent(enter);
  }
}

bool CControlHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!m_Hwnd) return false;
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_SIZE:
      NeedUpdate();
      return false;
    case WM_TIMER:
      for (const TimerEntry& entry : m_Timers) {
        if (entry.NativeId == wParam) {
          ControlEvent event{ControlEventType::Timer};
          event.wParam = entry.Id;
          event.Timestamp = ::GetTickCount();
          // The handler may kill or add timers; do not touch the list after.
          entry.Control->DoEvent(event);
          result = 0;
          return true;
        }
      }
      return false;
    case kMsgAsyncNotify: {
      Notification notification;
      {
        std::lock_guard<std::mutex> lock(m_QueueLock);
        if (m_Queue.empty()) return true;
        notification = std::move(m_Queue.front());
        m_Queue.pop_front();
      }
      DeliverNotify(notification);
      result = 0;
      return true;
    }
    case WM_MOUSEMOVE: {
      UpdateLayout();
      if (!m_TrackingMouse) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_Hwnd;
        m_TrackingMouse = ::TrackMouseEvent(&track) != FALSE;
      }
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      CControlUI* target = m_Root ? m_Root->FindControlAt(point) : nullptr;
      if (target && !target->IsEnabled()) target = nullptr;
      if (m_Captured) target = (target == m_Captured) ? target : nullptr;
      SetHot(target, point);
      if (m_Captured) m_Captured->SetPushedState(target == m_Captured);
      return false;
    }
    case WM_MOUSELEAVE:
      m_TrackingMouse = false;
      if (!m_Captured) SetHot(nullptr, POINT{-1, -1});
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      UpdateLayout();
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      CControlUI* target = m_Root ? m_Root->FindControlAt(point) : nullptr;
      if (!target || !target->IsEnabled()) return false;
      m_Captured = target;
      ::SetCapture(m_Hwnd);
      SetHot(target, point);
      if (target->IsFocusable()) SetFocus(target);
      ControlEvent event{ControlEventType::ButtonDown, point};
      event.Timestamp = ::GetTickCount();
      target->DoEvent(event);
      result = 0;
      return true;
    }
    case WM_LBUTTONUP: {
      CControlUI* target = m_Captured;
      m_Captured = nullptr;
      if (::GetCapture() == m_Hwnd) ::ReleaseCapture();
      if (!target) return false;
      ControlEvent event{ControlEventType::ButtonUp, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
      event.Timestamp = ::GetTickCount();
      target->DoEvent(event);
      result = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (m_Captured && reinterpret_cast<HWND>(lParam) != m_Hwnd) {
        m_Captured->SetPushedState(false);
        m_Captured = nullptr;
      }
      return false;
    case WM_COMMAND:
      if (lParam != 0) {
        if (CControlUI* owner = FindNativeOwner(reinterpret_cast<HWND>(lParam))) {
          owner->OnNativeCommand(HIWORD(wParam));
          result = 0;
          return true;
        }
      }
      return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (CControlUI* owner = FindNativeOwner(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = owner->OnNativeColor(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

bool CControlHost::TranslateMessage(const MSG& msg) {
  if (!msg.hwnd) return false;
  for (HWND hwnd = msg.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    for (CControlHost* host : AttachedHosts()) {
      if (host->m_Hwnd == hwnd) return host->PreTranslate(msg);
    }
    if (!(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

bool CControlHost::PreTranslate(const MSG& msg) {
  const std::vector<IMessageFilter*> filters = m_Filters;
  for (IMessageFilter* filter : filters) {
    bool handled = false;
    filter->MessageFilter(msg.message, msg.wParam, msg.lParam, handled);
    if (handled) return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_TAB:
      return MoveFocus(::GetKeyState(VK_SHIFT) >= 0);
    case VK_RETURN:
    case VK_SPACE:
      // Native children (edit, combo) keep their own keys.
      if (m_Focus && !m_Focus->GetNativeWindow() && msg.hwnd == m_Hwnd) {
        m_FocusCues = true;
        return m_Focus->Activate();
      }
      return false;
    default:
      return false;
  }
}

void CControlHost::ControlDestroyed(CControlUI* control) {
  KillTimers(control);
  if (m_Hot == control) m_Hot = nullptr;
  if (m_Captured == control) m_Captured = nullptr;
  if (m_Focus == control) m_Focus = nullptr;
  std::lock_guard<std::mutex> lock(m_QueueLock);
  for (Notification& queued : m_Queue)
    if (queued.Sender == control) queued.Sender = nullptr;
}

void CControlHost::ControlHidden(CControlUI* control) {
  if (m_Hot && IsSelfOrDescendant(m_Hot, control)) {
    CControlUI* hot = m_Hot;
    m_Hot = nullptr;
    hot->SetHotState(false);
  }
  if (m_Captured && IsSelfOrDescendant(m_Captured, control)) {
    m_Captured->SetPushedState(false);
    m_Captured = nullptr;
  }
  if (m_Focus && IsSelfOrDescendant(m_Focus, control)) {
    m_Focus->SetFocusState(false);
    m_Focus = nullptr;
  }
}

}  // namespace SkinUI
