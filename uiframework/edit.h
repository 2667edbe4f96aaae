#pragma once
// CEditUI: a text box. The editing itself is a borderless native EDIT child
// placed inside the control's text padding and vertically centred; the
// control draws the frame (background colour or image) around it.
#include "uiframework/label.h"
#include "uiframework/native_child.h"
#include "uiframework/gdi_handles.h"

namespace SkinUI {

class CEditUI : public CLabelUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  std::wstring GetText() const override;
  void SetText(const std::wstring& text) override;
  bool IsFocusable() const override { return true; }
  void SyncNative() override;
  HWND GetNativeWindow() const override { return m_Edit.Get(); }
  void OnNativeCommand(UINT code) override;
  HBRUSH OnNativeColor(HDC dc) override;
  void PaintText(HDC dc) override;

  void SetMaxChars(int count);
  void SetReadOnly(bool readOnly);

 private:
  CNativeChild m_Edit;
  DWORD m_NativeBkColor = 0xFFFFFFFF;
  UniqueBrush m_NativeBrush;
  int m_MaxChars = 260;
  bool m_ReadOnly = false;
  bool m_Updating = false;  // our own SetWindowText, not the user's typing
};

}  // namespace SkinUI
