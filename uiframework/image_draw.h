#pragma once
// Drawing of an ImageSpec into a control's rectangle: destination and source
// parts, nine-grid corners, hole, tiling and fade. Images come from
// CImageCache; a missing image draws nothing.
#include <windows.h>

#include "uiframework/image_spec.h"

namespace SkinUI {

// Returns false when the image could not be loaded.
bool DrawImage(HDC dc, const RECT& controlRect, const ImageSpec& imageSpec);

}  // namespace SkinUI
