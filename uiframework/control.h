#pragma once
// CControlUI: the windowless control every layout element becomes. It owns its
// look (colours, background image, border) and its box (position, fixed size,
// padding); the hosting window's CControlHost lays it out, paints it, routes
// mouse, keyboard and timer events to it and carries its notifications.
// UI thread only.
#include <windows.h>

#include <functional>
#include <string>

#include "uiframework/image_spec.h"

namespace SkinUI {

class CControlHost;
class CContainerUI;

enum class ControlEventType { MouseEnter, MouseLeave, ButtonDown, ButtonUp, Timer, SetFocus, KillFocus };

struct ControlEvent {
  ControlEventType Type;
  POINT Point{};     // client coordinates, for mouse events
  WPARAM wParam = 0;  // timer id for Timer
  LPARAM lParam = 0;
  DWORD Timestamp = 0;
};

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // Class name as layouts and the application see it ("Control", "Button"...).
  virtual std::wstring GetClass() const;
  // This object as the named class, or null: lets callers check a control's
  // kind by name ("SequenceLabel") without RTTI across modules.
  virtual void* GetInterface(const std::wstring& name);
  // Called once the whole layout is built and attached to a host.
  virtual void DoInit();
  virtual void DoEvent(ControlEvent& event);
  // Layout attributes; unknown names are ignored.
  virtual void SetAttribute(const std::wstring& name, const std::wstring& value);

  // Box and layout.
  virtual void SetPos(const RECT& rect);
  const RECT& GetPos() const { return m_Pos; }
  int GetFixedWidth() const { return m_FixedWidth; }
  int GetFixedHeight() const { return m_FixedHeight; }
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  const RECT& GetPadding() const { return m_Padding; }
  void SetPadding(const RECT& padding);
  bool IsCentered() const { return m_Centered; }

  // Tree.
  virtual void SetHost(CControlHost* host, CContainerUI* parent);
  CControlHost* GetHost() const { return m_Host; }
  CContainerUI* GetParent() const { return m_Parent; }
  virtual CControlUI* FindByName(const std::wstring& name);
  // The deepest visible control at the point that takes mouse input.
  virtual CControlUI* FindControlAt(POINT point);
  // Visits this control and, for containers, every descendant in tree order.
  virtual void ForEach(const std::function<void(CControlUI&)>& visit);

  // State.
  const std::wstring& GetName() const { return m_Name; }
  void SetName(const std::wstring& name) { m_Name = name; }
  virtual std::wstring GetText() const { return m_Text; }
  virtual void SetText(const std::wstring& text);
  const std::wstring& GetUserData() const { return m_UserData; }
  void SetUserData(const std::wstring& data) { m_UserData = data; }
  bool IsVisible() const { return m_Visible; }
  virtual void SetVisible(bool visible);
  // Visible and on the selected page of every enclosing tab layout.
  bool IsVisibleInTree() const;
  bool IsEnabled() const { return m_Enabled; }
  virtual void SetEnabled(bool enabled);
  bool IsFocused() const;
  void SetFocus();
  bool IsHot() const { return m_Hot; }
  bool IsPushed() const { return m_Pushed; }

  // Look.
  DWORD GetBkColor() const { return m_BkColor; }
  void SetBkColor(DWORD argb);
  const std::wstring& GetBkImage() const { return m_BkImageText; }
  // Keeps the current image when the text is unchanged.
  void SetBkImage(const std::wstring& image);

  // Per-control timers of the hosting window; an active timer is not re-armed.
  bool SetTimer(UINT id, UINT elapseMs);
  bool KillTimer(UINT id);

  // Input: whether mouse and keyboard input reach this control, and the
  // reaction to a click or to Enter/Space while focused.
  virtual bool IsMouseTarget() const { return false; }
  virtual bool IsFocusable() const { return false; }
  virtual bool Activate() { return false; }
  // Controls backed by a native child window (edit, combo box): positions
  // and shows it after a layout pass, and receives its WM_COMMAND codes and
  // WM_CTLCOLOR* requests through the host.
  virtual void SyncNative() {}
  virtual HWND GetNativeWindow() const { return nullptr; }
  virtual void OnNativeCommand(UINT) {}
  virtual HBRUSH OnNativeColor(HDC) { return nullptr; }

  void Invalidate();
  // Asks the host for a new layout pass (size or visibility changed).
  void NeedUpdate();

  // Painting, in this order; clip is the area to repaint.
  virtual void Paint(HDC dc, const RECT& clip);
  virtual void PaintBkColor(HDC dc);
  virtual void PaintBkImage(HDC dc);
  virtual void PaintStatusImage(HDC dc);
  virtual void PaintText(HDC dc);
  virtual void PaintBorder(HDC dc);

  // Used by the host for hot and pushed tracking.
  void SetHotState(bool hot);
  void SetPushedState(bool pushed);
  // Set by the host when focus moves.
  void SetFocusState(bool focused) { m_Focused = focused; }

 protected:
  bool DrawImageSpec(HDC dc, const ImageSpec& imageSpec);

  CControlHost* m_Host = nullptr;
  CContainerUI* m_Parent = nullptr;
  std::wstring m_Name;
  std::wstring m_Text;
  std::wstring m_UserData;
  RECT m_Pos{};
  int m_FixedWidth = 0;   // 0: takes what the layout leaves
  int m_FixedHeight = 0;
  RECT m_Padding{};       // outer margins inside the parent
  bool m_Centered = false;
  bool m_Visible = true;
  bool m_Enabled = true;
  bool m_Focused = false;
  bool m_Hot = false;
  bool m_Pushed = false;
  DWORD m_BkColor = 0;    // ARGB, alpha 0 = none
  DWORD m_BorderColor = 0;
  int m_BorderSize = 0;
  SIZE m_BorderRound{};
  std::wstring m_BkImageText;
  ImageSpec m_BkImage;
};

// Fills rect with an ARGB colour (alpha 0 draws nothing), rounded when round
// is not zero.
void FillColor(HDC dc, const RECT& rect, DWORD argb, SIZE round = SIZE{});
COLORREF ToColorRef(DWORD argb);

}  // namespace SkinUI
