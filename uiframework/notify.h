#pragma once
// The interfaces between controls, the window that hosts them and the
// application: notifications by type string, the keyboard/message filter and
// the builder callback for the application's own layout tags.
#include <windows.h>

#include <string>

namespace SkinUI {

class CControlUI;

struct Notification {
  std::wstring Type;             // "click", "selectchanged", or any custom type
  CControlUI* Sender = nullptr;  // may be null for window-level notifications
  DWORD Timestamp = 0;           // GetTickCount() when raised
  POINT Point{};                 // cursor in client coordinates, when known
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class INotifyListener {
 public:
  virtual void Notify(Notification& notification) = 0;

 protected:
  ~INotifyListener() = default;
};

// Sees every message of a window's thread addressed to the window or one of
// its children before it is dispatched; setting handled swallows it.
class IMessageFilter {
 public:
  virtual LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

 protected:
  ~IMessageFilter() = default;
};

// Asked for every layout tag the framework does not know itself; returns a new
// control (owned by the tree from then on) or null to skip the element.
class IBuilderCallback {
 public:
  virtual CControlUI* CreateControl(const std::wstring& tag) = 0;

 protected:
  ~IBuilderCallback() = default;
};

}  // namespace SkinUI
