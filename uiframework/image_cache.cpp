#include "uiframework/image_cache.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ headers expect min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "uiframework/resource_archive.h"

namespace SkinUI {
namespace {

struct StreamRelease {
  void operator()(IStream* stream) const { stream->Release(); }
};

}  // namespace

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&m_Token, &input, nullptr) != Gdiplus::Ok) m_Token = 0;
}

GdiplusSession::~GdiplusSession() {
  // Cached bitmaps are plain GDI objects; they survive GDI+ shut-down.
  if (m_Token) Gdiplus::GdiplusShutdown(m_Token);
}

std::unique_ptr<CImage> DecodeImage(const unsigned char* bytes, size_t size, bool hasMask, DWORD mask) {
  if (!bytes || size == 0 || size > 0x7FFFFFFF) return nullptr;
  std::unique_ptr<IStream, StreamRelease> stream(::SHCreateMemStream(bytes, static_cast<UINT>(size)));
  if (!stream) return nullptr;
  Gdiplus::Bitmap source(stream.get());
  if (source.GetLastStatus() != Gdiplus::Ok) return nullptr;
  const int width = static_cast<int>(source.GetWidth());
  const int height = static_cast<int>(source.GetHeight());
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;

  Gdiplus::Rect all(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (source.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  auto image = std::make_unique<CImage>();
  image->Bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!image->Bitmap || !bits) {
    source.UnlockBits(&data);
    return nullptr;
  }
  const DWORD maskRgb = mask & 0x00FFFFFF;
  for (int y = 0; y < height; ++y) {
    const DWORD* in = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
    DWORD* out = static_cast<DWORD*>(bits) + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      DWORD pixel = in[x];
      if (hasMask && (pixel & 0x00FFFFFF) == maskRgb) pixel = 0;
      const DWORD alpha = pixel >> 24;
      if (alpha != 255) {
        image->HasAlpha = true;
        const DWORD r = ((pixel >> 16) & 0xFF) * alpha / 255;
        const DWORD g = ((pixel >> 8) & 0xFF) * alpha / 255;
        const DWORD b = (pixel & 0xFF) * alpha / 255;
        pixel = (alpha << 24) | (r << 16) | (g << 8) | b;
      }
      out[x] = pixel;
    }
  }
  source.UnlockBits(&data);
  image->Width = width;
  image->Height = height;
  return image;
}

CImageCache& CImageCache::Instance() {
  static CImageCache cache;
  return cache;
}

const CImage* CImageCache::Get(const std::wstring& name, bool hasMask, DWORD mask) {
  if (name.empty()) return nullptr;
  std::wstring key = NormalizeResourceName(name);
  if (hasMask) {
    wchar_t suffix[16];
    wsprintfW(suffix, L"|%06X", static_cast<unsigned>(mask & 0x00FFFFFF));
    key += suffix;
  }
  const auto found = m_Images.find(key);
  if (found != m_Images.end()) return found->second.get();
  ++m_Decodes;
  ByteBuffer bytes;
  std::unique_ptr<CImage> image;
  if (ReadResource(name, bytes)) image = DecodeImage(bytes.data(), bytes.size(), hasMask, mask);
  return m_Images.emplace(std::move(key), std::move(image)).first->second.get();
}

}  // namespace SkinUI
