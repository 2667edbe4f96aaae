#pragma once
// CSkinWindowBase: a frameless window whose content is built from an XML
// layout of the resource archive. It is the listener of its controls'
// notifications, the filter of its thread's messages for it, and the builder
// callback for custom layout tags; derived windows override what they need.
// UI thread only.
#include <string>

#include "uiframework/control_host.h"
#include "uiframework/native_wnd.h"
#include "uiframework/notify.h"

namespace SkinUI {

class CSkinWindowBase : public CNativeWnd, public INotifyListener, public IMessageFilter, public IBuilderCallback {
 public:
  CSkinWindowBase();
  ~CSkinWindowBase() override;

  CControlHost& Host() { return m_Host; }
  CControlUI* FindControl(const std::wstring& name) const { return m_Host.FindControl(name); }
  const WindowAttributes& GetWindowAttributes() const { return m_Host.GetWindowAttributes(); }

  // Default handling: "click" on "closebtn" closes the window, "minbtn"
  // minimises, "maxbtn" maximises and "restorebtn" restores it.
  void Notify(Notification& notification) override;
  LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  CControlUI* CreateControl(const std::wstring& tag) override;

 protected:
  // Where the layout comes from: the file (in the folder) of the resource
  // archive; type and id name the archive for the archive factory.
  virtual std::wstring GetSkinFolder() const { return std::wstring(); }
  virtual std::wstring GetSkinFile() const = 0;
  virtual int GetResourceType() const { return 0; }
  virtual int GetResourceID() const { return 0; }

  // Called during WM_CREATE once the layout is built and attached; a
  // "windowinit" notification follows through the message queue.
  virtual void InitWindow() {}
  // A layout that cannot be read or built: by default the load-failure
  // message box and the end of the process with exit code 1.
  virtual void OnLoadFailure(const std::wstring& reason);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

 private:
  bool BuildContent(std::wstring& error);
  void ApplyRegion();
  LRESULT HitTest(LPARAM lParam);

  CControlHost m_Host;
};

}  // namespace SkinUI
