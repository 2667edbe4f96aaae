#include "uiframework/window_attributes.h"

#include <cwctype>

#include "uiframework/attribute_parse.h"

namespace SkinUI {
namespace {

std::wstring Lower(const std::wstring& text) {
  std::wstring lower = text;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

}  // namespace

void WindowAttributes::Set(const std::wstring& name, const std::wstring& value) {
  const std::wstring key = Lower(name);
  m_Values[key] = value;
  SIZE size{};
  RECT rect{};
  if (key == L"size") {
    if (ParseSize(value, size) && size.cx >= 0 && size.cy >= 0) m_Size = size;
  } else if (key == L"caption") {
    if (ParseRect(value, rect)) m_Caption = rect;
  } else if (key == L"roundcorner") {
    if (ParseSize(value, size) && size.cx >= 0 && size.cy >= 0) {
      m_RoundCorner = size;
      m_HasRoundCorner = true;
    }
  }
}

std::wstring WindowAttributes::Get(const std::wstring& name) const {
  const auto it = m_Values.find(Lower(name));
  return it == m_Values.end() ? std::wstring() : it->second;
}

bool WindowAttributes::Has(const std::wstring& name) const { return m_Values.count(Lower(name)) != 0; }

bool InCaption(const RECT& caption, SIZE client, POINT point) {
  if (caption.bottom <= 0) return false;
  const LONG right = caption.right > 0 ? client.cx - caption.right : client.cx;
  return point.x >= caption.left && point.x < right && point.y >= caption.top && point.y < caption.bottom;
}

}  // namespace SkinUI
