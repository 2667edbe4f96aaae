#include "uiframework/skin_window_base.h"

#include <windowsx.h>

#include "uiframework/gdi_handles.h"
#include "uiframework/layout_builder.h"
#include "uiframework/load_failure.h"
#include "uiframework/resource_archive.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {

CSkinWindowBase::CSkinWindowBase() = default;

CSkinWindowBase::~CSkinWindowBase() {
  // A window outliving its object would call into a half-destroyed one while
  // the controls (and their native children) are torn down: end it first.
  if (m_Hwnd && ::IsWindow(m_Hwnd)) {
    ::SetWindowLongPtrW(m_Hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_Hwnd);
    m_Hwnd = nullptr;
  }
  m_Host.RemoveNotifier(this);
  m_Host.RemoveMessageFilter(this);
}

void CSkinWindowBase::Notify(Notification& notification) {
  if (notification.Type != kNotifyClick || !notification.Sender || !m_Hwnd) return;
  const std::wstring& name = notification.Sender->GetName();
  if (name == kCloseButton) {
    Close(IDCLOSE);
  } else if (name == kMinimizeButton) {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == kMaximizeButton) {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == kRestoreButton) {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

LRESULT CSkinWindowBase::MessageFilter(UINT, WPARAM, LPARAM, bool&) { return 0; }

CControlUI* CSkinWindowBase::CreateControl(const std::wstring&) { return nullptr; }

void CSkinWindowBase::OnLoadFailure(const std::wstring& reason) { ExitWithLoadFailure(reason); }

bool CSkinWindowBase::BuildContent(std::wstring& error) {
  EnsureResourceArchive(GetResourceType(), GetResourceID());
  std::wstring path = GetSkinFolder();
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += GetSkinFile();
  ByteBuffer xml;
  if (!ReadResource(path, xml)) {
    error = L"layout not found: " + path;
    return false;
  }
  LayoutDocument document;
  if (!BuildLayout(xml, this, document, error)) return false;
  m_Host.SetDocument(std::move(document));
  return true;
}

void CSkinWindowBase::ApplyRegion() {
  const WindowAttributes& attributes = m_Host.GetWindowAttributes();
  if (!attributes.HasRoundCorner() || ::IsZoomed(m_Hwnd)) return;
  RECT window{};
  ::GetWindowRect(m_Hwnd, &window);
  const SIZE round = attributes.RoundCorner();
  UniqueRegion region(::CreateRoundRectRgn(0, 0, window.right - window.left + 1, window.bottom - window.top + 1,
                                           round.cx, round.cy));
  // The window owns the region once it is set.
  if (region && ::SetWindowRgn(m_Hwnd, region.Get(), TRUE)) region.Release();
}

LRESULT CSkinWindowBase::HitTest(LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(m_Hwnd, &point);
  RECT client{};
  ::GetClientRect(m_Hwnd, &client);
  const WindowAttributes& attributes = m_Host.GetWindowAttributes();
  if (InCaption(attributes.Caption(), SIZE{client.right, client.bottom}, point)) {
    m_Host.UpdateLayout();
    CControlUI* root = m_Host.GetRoot();
    CControlUI* target = root ? root->FindControlAt(point) : nullptr;
    if (!target) return HTCAPTION;
  }
  return HTCLIENT;
}

LRESULT CSkinWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      m_Host.Attach(m_Hwnd);
      m_Host.AddNotifier(this);
      m_Host.AddMessageFilter(this);
      std::wstring error;
      if (!BuildContent(error)) {
        OnLoadFailure(error);
        return -1;
      }
      const SIZE size = m_Host.GetWindowAttributes().InitialSize();
      if (size.cx > 0 && size.cy > 0)
        ::SetWindowPos(m_Hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyRegion();
      InitWindow();
      if (m_Hwnd) m_Host.SendNotify(m_Host.GetRoot(), kNotifyWindowInit, 0, 0, true);
      return 0;
    }
    case WM_NCCALCSIZE:
      // No system frame: the client area is the whole window.
      if (wParam) return 0;
      break;
    case WM_NCPAINT:
      return 0;
    case WM_NCACTIVATE:
      // Keep the system from painting an active or inactive caption.
      return ::IsIconic(m_Hwnd) ? ::DefWindowProcW(m_Hwnd, message, wParam, lParam) : TRUE;
    case WM_NCHITTEST:
      return HitTest(lParam);
    case WM_SIZE: {
      ApplyRegion();
      LRESULT ignored = 0;
      m_Host.HandleMessage(message, wParam, lParam, ignored);
      return 0;
    }
    case WM_NCDESTROY:
      m_Host.Detach();
      break;
    default: {
      LRESULT result = 0;
      if (m_Host.HandleMessage(message, wParam, lParam, result)) return result;
      break;
    }
  }
  return CNativeWnd::HandleMessage(message, wParam, lParam);
}

void CSkinWindowBase::OnFinalMessage(HWND hwnd) { CNativeWnd::OnFinalMessage(hwnd); }

}  // namespace SkinUI
