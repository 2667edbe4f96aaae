#include "uiframework/image_draw.h"

#include <algorithm>

#include "uiframework/gdi_handles.h"
#include "uiframework/image_cache.h"

namespace SkinUI {
namespace {

struct Blitter {
  HDC Target;
  HDC Source;
  const CImage& Image;
  BYTE Fade;

  void Piece(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) const {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (!Image.HasAlpha && Fade == 255) {
      ::StretchBlt(Target, dx, dy, dw, dh, Source, sx, sy, sw, sh, SRCCOPY);
      return;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, Fade, AC_SRC_ALPHA};
    ::AlphaBlend(Target, dx, dy, dw, dh, Source, sx, sy, sw, sh, blend);
  }

  // Repeats the source along the flagged axes instead of stretching it.
  void Tiled(const RECT& d, const RECT& s, bool tileX, bool tileY) const {
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    if (sw <= 0 || sh <= 0) return;
    const int stepX = tileX ? sw : d.right - d.left;
    const int stepY = tileY ? sh : d.bottom - d.top;
    if (stepX <= 0 || stepY <= 0) return;
    for (int y = d.top; y < d.bottom; y += stepY) {
      const int h = std::min(stepY, static_cast<int>(d.bottom - y));
      const int srcH = tileY ? h : sh;
      for (int x = d.left; x < d.right; x += stepX) {
        const int w = std::min(stepX, static_cast<int>(d.right - x));
        const int srcW = tileX ? w : sw;
        Piece(x, y, w, h, s.left, s.top, srcW, srcH);
      }
    }
  }
};

}  // namespace

bool DrawImage(HDC dc, const RECT& controlRect, const ImageSpec& imageSpec) {
  if (imageSpec.Empty()) return true;
  const CImage* image = CImageCache::Instance().Get(imageSpec.File, imageSpec.HasMask, imageSpec.Mask);
  if (!image) return false;

  RECT dest = controlRect;
  if (imageSpec.HasDest) {
    dest = RECT{controlRect.left + imageSpec.Dest.left, controlRect.top + imageSpec.Dest.top,
                controlRect.left + imageSpec.Dest.right, controlRect.top + imageSpec.Dest.bottom};
    dest.right = std::min(dest.right, controlRect.right);
    dest.bottom = std::min(dest.bottom, controlRect.bottom);
  }
  RECT source{0, 0, image->Width, image->Height};
  if (imageSpec.HasSource) {
    source.left = std::clamp(imageSpec.Source.left, 0L, static_cast<LONG>(image->Width));
    source.top = std::clamp(imageSpec.Source.top, 0L, static_cast<LONG>(image->Height));
    source.right = std::clamp(imageSpec.Source.right, source.left, static_cast<LONG>(image->Width));
    source.bottom = std::clamp(imageSpec.Source.bottom, source.top, static_cast<LONG>(image->Height));
  }
  if (dest.right <= dest.left || dest.bottom <= dest.top || source.right <= source.left ||
      source.bottom <= source.top)
    return true;

  UniqueMemoryDC memory(dc);
  ScopedSelectObject select(memory.Get(), image->Bitmap.Get());
  const Blitter blit{dc, memory.Get(), *image, imageSpec.Fade};

  // Corners never exceed half of either rectangle, so pieces never overlap.
  const LONG dw = dest.right - dest.left, dh = dest.bottom - dest.top;
  const LONG sw = source.right - source.left, sh = source.bottom - source.top;
  const LONG l = std::clamp(imageSpec.Corner.left, 0L, std::min(dw, sw) / 2);
  const LONG r = std::clamp(imageSpec.Corner.right, 0L, std::min(dw, sw) / 2);
  const LONG t = std::clamp(imageSpec.Corner.top, 0L, std::min(dh, sh) / 2);
  const LONG b = std::clamp(imageSpec.Corner.bottom, 0L, std::min(dh, sh) / 2);

  const LONG dx[4] = {dest.left, dest.left + l, dest.right - r, dest.right};
  const LONG dy[4] = {dest.top, dest.top + t, dest.bottom - b, dest.bottom};
  const LONG sx[4] = {source.left, source.left + l, source.right - r, source.right};
  const LONG sy[4] = {source.top, source.top + t, source.bottom - b, source.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (row == 1 && col == 1 && imageSpec.Hole) continue;
      const RECT d{dx[col], dy[row], dx[col + 1], dy[row + 1]};
      const RECT s{sx[col], sy[row], sx[col + 1], sy[row + 1]};
      blit.Tiled(d, s, imageSpec.TileX && col == 1, imageSpec.TileY && row == 1);
    }
  }
  return true;
}

}  // namespace SkinUI
