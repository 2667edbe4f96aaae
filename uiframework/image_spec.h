#pragma once
// The image syntax of layouts: either a bare file name, or key='value' pairs
//   file='res\a.png' dest='l,t,r,b' source='l,t,r,b' corner='l,t,r,b'
//   mask='#FFFF0000' fade='0..255' hole='true|false' xtiled='..' ytiled='..'
// dest is relative to the control (default: the whole control); source is a
// part of the image (default: all of it); corner gives the unstretched borders
// of a nine-grid; mask is a colour drawn transparent; fade is a constant
// opacity; hole leaves the nine-grid's centre out; the tiling flags repeat the
// centre instead of stretching it. Pure data, parsed once per attribute.
#include <windows.h>

#include <string>

namespace SkinUI {

struct ImageSpec {
  std::wstring File;
  bool HasDest = false;
  RECT Dest{};
  bool HasSource = false;
  RECT Source{};
  RECT Corner{};
  bool HasMask = false;
  DWORD Mask = 0;  // ARGB; only RGB is compared
  BYTE Fade = 255;
  bool Hole = false;
  bool TileX = false;
  bool TileY = false;

  bool Empty() const { return File.empty(); }
};

// Never fails: unknown keys are ignored, malformed values keep defaults, and
// text without any "key=" is taken as a bare file name.
ImageSpec ParseImageSpec(const std::wstring& text);

}  // namespace SkinUI
