#pragma once
// Owner of one native child window (EDIT, COMBOBOX) that a windowless control
// puts in its place. Destroyed with the control, or earlier with its parent.
#include <windows.h>

namespace SkinUI {

class CNativeChild {
 public:
  CNativeChild() = default;
  ~CNativeChild() { Destroy(); }
  CNativeChild(const CNativeChild&) = delete;
  CNativeChild& operator=(const CNativeChild&) = delete;

  bool Create(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);
  void Destroy();
  // The handle while the window exists (the parent may have destroyed it).
  HWND Get() const { return (m_Hwnd && ::IsWindow(m_Hwnd)) ? m_Hwnd : nullptr; }
  // Moves, shows or hides, and enables in one step; only what changed.
  void Place(const RECT& rect, bool visible, bool enabled);

 private:
  HWND m_Hwnd = nullptr;
};

}  // namespace SkinUI
