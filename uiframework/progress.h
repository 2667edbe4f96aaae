#pragma once
// CProgressUI: a bar showing value between min and max: the background image
// ("bkimage") under the fore image ("foreimage") drawn over the filled part.
#include "uiframework/label.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void PaintStatusImage(HDC dc) override;

  int GetValue() const { return m_Value; }
  // Clamped to [min, max].
  void SetValue(int value);
  int GetMinValue() const { return m_Min; }
  int GetMaxValue() const { return m_Max; }
  void SetRange(int minValue, int maxValue);
  const std::wstring& GetForeImage() const { return m_ForeImageText; }
  void SetForeImage(const std::wstring& image);
  // The part of the bar drawn with the fore image.
  RECT FilledRect() const;

 private:
  int m_Min = 0;
  int m_Max = 100;
  int m_Value = 0;
  std::wstring m_ForeImageText;
  ImageSpec m_ForeImage;
};

}  // namespace SkinUI
