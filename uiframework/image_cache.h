#pragma once
// Decoded images by name, process-wide on the UI thread. Each image is read
// from the resource archive and decoded once (PNG and the other GDI+ formats)
// into a premultiplied 32-bit DIB, so that swapping a control's background 33
// times a second costs a map look-up, not a decode. Names that cannot be read
// or decoded are remembered too.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "uiframework/gdi_handles.h"

namespace SkinUI {

struct CImage {
  UniqueBitmap Bitmap;  // 32-bit top-down DIB, premultiplied alpha
  int Width = 0;
  int Height = 0;
  bool HasAlpha = false;  // some pixel is not fully opaque
};

class CImageCache {
 public:
  static CImageCache& Instance();

  // The image decoded from the named resource with the mask colour (RGB) made
  // transparent when hasMask; null when it cannot be loaded.
  const CImage* Get(const std::wstring& name, bool hasMask = false, DWORD mask = 0);
  void Clear() { m_Images.clear(); }
  // How many decodes were attempted since start (for tests and benchmarks).
  unsigned DecodeCount() const { return m_Decodes; }

 private:
  std::map<std::wstring, std::unique_ptr<CImage>> m_Images;  // null: failed
  unsigned m_Decodes = 0;
};

// Decodes image bytes (PNG, BMP, JPEG...) with GDI+; null on failure.
std::unique_ptr<CImage> DecodeImage(const unsigned char* bytes, size_t size, bool hasMask, DWORD mask);

}  // namespace SkinUI
