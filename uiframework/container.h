#pragma once
// Containers own their children and place them:
//  - CContainerUI ("Container"): every child fills the inner area;
//  - CVerticalLayoutUI / CHorizontalLayoutUI: children one after another;
//    a child with a fixed size along the line keeps it, the others ("flexible
//    gaps") share what is left equally; across the line a child takes its
//    fixed size, placed at the start or centred ("centered"), or all of it;
//  - CTabLayoutUI: all pages fill the inner area, only the selected one shows.
// Padding (a child's outer margins) and inset (a container's inner margins)
// come off before placement. Invisible children take no space.
#include <memory>
#include <vector>

#include "uiframework/control.h"

namespace SkinUI {

class CContainerUI : public CControlUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void SetPos(const RECT& rect) override;
  void SetHost(CControlHost* host, CContainerUI* parent) override;
  CControlUI* FindByName(const std::wstring& name) override;
  CControlUI* FindControlAt(POINT point) override;
  void ForEach(const std::function<void(CControlUI&)>& visit) override;
  void Paint(HDC dc, const RECT& clip) override;

  // Takes ownership.
  void Add(std::unique_ptr<CControlUI> child);
  int GetCount() const { return static_cast<int>(m_Children.size()); }
  CControlUI* GetItemAt(int index) const;
  int GetItemIndex(const CControlUI* child) const;
  // Whether the child is shown by this container (tab pages hide the others).
  virtual bool IsChildShown(const CControlUI* child) const;

  const RECT& GetInset() const { return m_Inset; }
  void SetInset(const RECT& inset);

 protected:
  RECT InnerRect() const;

  std::vector<std::unique_ptr<CControlUI>> m_Children;
  RECT m_Inset{};
};

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetPos(const RECT& rect) override;
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetPos(const RECT& rect) override;
};

class CTabLayoutUI : public CContainerUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  bool IsChildShown(const CControlUI* child) const override;

  int GetCurSel() const { return m_CurSel; }
  // Shows page index; with notify, raises "tabselect" (wParam new page,
  // lParam previous). Selecting the current page does nothing and returns
  // false, so handlers that re-select cannot loop.
  bool SelectItem(int index, bool notify = true);

 private:
  int m_CurSel = 0;
};

// Places sizes one after another along a line of the given length: fixed
// entries (size > 0) keep theirs, flexible ones (0) share the rest equally,
// the remainder going to the last ones. Returns the start of each entry
// relative to the line with its size; each item carries its own leading and
// trailing margins. Pure; used by the linear layouts and their tests.
struct LineItem {
  int Size = 0;        // 0: flexible
  int LeadMargin = 0;
  int TrailMargin = 0;
};
std::vector<std::pair<int, int>> DistributeLine(int length, const std::vector<LineItem>& items);

}  // namespace SkinUI
