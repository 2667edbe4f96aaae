#pragma once
// CComboUI: a drop-down list of texts with a current index. The list is a
// native COMBOBOX (drop-down list style) placed over the control; the items
// and the current index also live here, so they work before the window exists.
#include <string>
#include <vector>

#include "uiframework/label.h"
#include "uiframework/native_child.h"

namespace SkinUI {

class CComboUI : public CLabelUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  std::wstring GetText() const override;
  bool IsFocusable() const override { return true; }
  void SyncNative() override;
  HWND GetNativeWindow() const override { return m_Combo.Get(); }
  void OnNativeCommand(UINT code) override;
  void PaintText(HDC dc) override;

  void AddItem(const std::wstring& text);
  int GetCount() const { return static_cast<int>(m_Items.size()); }
  int GetCurSel() const { return m_CurSel; }
  // Selects item index (-1 clears); with notify a change raises "itemselect"
  // (wParam new index, lParam previous). Selecting the current item does
  // nothing and returns false.
  bool SelectItem(int index, bool takeFocus = false, bool notify = true);

 private:
  void FillNative();

  CNativeChild m_Combo;
  std::vector<std::wstring> m_Items;
  int m_CurSel = -1;
  int m_PendingSel = -1;  // "selectedid" waiting for its item (-1: none)
  int m_DropHeight = 160;
};

}  // namespace SkinUI
