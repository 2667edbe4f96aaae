#pragma once
// CButtonUI: a label that takes mouse and keyboard input. Its look follows its
// state (normal, hot, pushed, disabled) through state images, text colours
// and background colours; a press released over it raises "click".
#include "uiframework/label.h"

namespace SkinUI {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void DoEvent(ControlEvent& event) override;
  bool IsMouseTarget() const override { return true; }
  bool IsFocusable() const override { return true; }
  // Raises "click" (enabled buttons only).
  bool Activate() override;
  void PaintBkColor(HDC dc) override;
  void PaintStatusImage(HDC dc) override;
  void PaintBorder(HDC dc) override;

  void SetNormalImage(const std::wstring& image) { SetImage(m_NormalImage, image); }
  void SetHotImage(const std::wstring& image) { SetImage(m_HotImage, image); }
  void SetPushedImage(const std::wstring& image) { SetImage(m_PushedImage, image); }
  void SetDisabledImage(const std::wstring& image) { SetImage(m_DisabledImage, image); }

 protected:
  DWORD CurrentTextColor() const override;
  void SetImage(ImageSpec& slot, const std::wstring& text);
  // Draws the first non-empty image of the list.
  void DrawFirst(HDC dc, std::initializer_list<const ImageSpec*> images);

  ImageSpec m_NormalImage;
  ImageSpec m_HotImage;
  ImageSpec m_PushedImage;
  ImageSpec m_DisabledImage;
  DWORD m_HotTextColor = 0;
  DWORD m_PushedTextColor = 0;
  DWORD m_HotBkColor = 0;
  DWORD m_PushedBkColor = 0;
};

}  // namespace SkinUI
