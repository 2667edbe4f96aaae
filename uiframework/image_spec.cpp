#include "uiframework/image_spec.h"

#include <cwctype>

#include "uiframework/attribute_parse.h"

namespace SkinUI {

ImageSpec ParseImageSpec(const std::wstring& text) {
  ImageSpec imageSpec;
  if (text.find(L'=') == std::wstring::npos) {
    imageSpec.File = text;
    return imageSpec;
  }
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::iswspace(text[i])) ++i;
    const size_t keyStart = i;
    while (i < text.size() && text[i] != L'=' && !std::iswspace(text[i])) ++i;
    const std::wstring key = text.substr(keyStart, i - keyStart);
    while (i < text.size() && std::iswspace(text[i])) ++i;
    if (i >= text.size() || text[i] != L'=') {
      if (key.empty()) break;
      continue;
    }
    ++i;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    std::wstring value;
    if (i < text.size() && (text[i] == L'\'' || text[i] == L'"')) {
      const wchar_t quote = text[i++];
      const size_t end = text.find(quote, i);
      value = text.substr(i, end == std::wstring::npos ? std::wstring::npos : end - i);
      i = end == std::wstring::npos ? text.size() : end + 1;
    } else {
      const size_t start = i;
      while (i < text.size() && !std::iswspace(text[i])) ++i;
      value = text.substr(start, i - start);
    }
    int number = 0;
    if (EqualsNoCase(key, L"file")) {
      imageSpec.File = value;
    } else if (EqualsNoCase(key, L"dest")) {
      imageSpec.HasDest = ParseRect(value, imageSpec.Dest);
    } else if (EqualsNoCase(key, L"source")) {
      imageSpec.HasSource = ParseRect(value, imageSpec.Source);
    } else if (EqualsNoCase(key, L"corner")) {
      if (!ParseRect(value, imageSpec.Corner)) imageSpec.Corner = RECT{};
    } else if (EqualsNoCase(key, L"mask")) {
      imageSpec.HasMask = ParseColor(value, imageSpec.Mask);
    } else if (EqualsNoCase(key, L"fade")) {
      if (ParseInt(value, number) && number >= 0 && number <= 255) imageSpec.Fade = static_cast<BYTE>(number);
    } else if (EqualsNoCase(key, L"hole")) {
      imageSpec.Hole = ParseBool(value, false);
    } else if (EqualsNoCase(key, L"xtiled")) {
      imageSpec.TileX = ParseBool(value, false);
    } else if (EqualsNoCase(key, L"ytiled")) {
      imageSpec.TileY = ParseBool(value, false);
    }
  }
  return imageSpec;
}

}  // namespace SkinUI
