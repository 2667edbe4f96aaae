#include "uiframework/progress.h"

#include <algorithm>

#include "uiframework/attribute_parse.h"
#include "uiframework/image_draw.h"

namespace SkinUI {

std::wstring CProgressUI::GetClass() const { return L"Progress"; }

void* CProgressUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Progress") ? this : CLabelUI::GetInterface(name);
}

void CProgressUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  int number = 0;
  if (EqualsNoCase(name, L"min")) {
    if (ParseInt(value, number)) SetRange(number, m_Max);
  } else if (EqualsNoCase(name, L"max")) {
    if (ParseInt(value, number)) SetRange(m_Min, number);
  } else if (EqualsNoCase(name, L"value")) {
    if (ParseInt(value, number)) SetValue(number);
  } else if (EqualsNoCase(name, L"foreimage")) {
    SetForeImage(value);
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

void CProgressUI::SetRange(int minValue, int maxValue) {
  if (maxValue < minValue) return;
  m_Min = minValue;
  m_Max = maxValue;
  SetValue(m_Value);
  Invalidate();
}

void CProgressUI::SetValue(int value) {
  value = std::clamp(value, m_Min, m_Max);
  if (value == m_Value) return;
  m_Value = value;
  Invalidate();
}

void CProgressUI::SetForeImage(const std::wstring& image) {
  if (image == m_ForeImageText) return;
  m_ForeImageText = image;
  m_ForeImage = ParseImageSpec(image);
  Invalidate();
}

RECT CProgressUI::FilledRect() const {
  RECT filled = m_Pos;
  const long long range = static_cast<long long>(m_Max) - m_Min;
  const long long width = m_Pos.right - m_Pos.left;
  filled.right = m_Pos.left + static_cast<LONG>(range > 0 ? width * (m_Value - m_Min) / range : 0);
  return filled;
}

void CProgressUI::PaintStatusImage(HDC dc) {
  const RECT filled = FilledRect();
  if (filled.right <= filled.left || m_ForeImage.Empty()) return;
  DrawImage(dc, filled, m_ForeImage);
}

}  // namespace SkinUI
