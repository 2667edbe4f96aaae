#pragma once
// CCheckBoxUI: a button with a selected state. A click toggles it and raises
// "selectchanged" before "click"; with no check images and a link colour it
// serves as a text link.
#include "uiframework/button.h"

namespace SkinUI {

class CCheckBoxUI : public CButtonUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  bool Activate() override;
  void PaintStatusImage(HDC dc) override;

  bool IsSelected() const { return m_Selected; }
  // With notify, a change raises "selectchanged" synchronously.
  void SetCheck(bool selected, bool notify = true);

 protected:
  DWORD CurrentTextColor() const override;

 private:
  bool m_Selected = false;
  ImageSpec m_SelectedImage;
  ImageSpec m_SelectedHotImage;
  DWORD m_SelectedTextColor = 0;
};

}  // namespace SkinUI
