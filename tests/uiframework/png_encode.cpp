#include "png_encode.h"

#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cwchar>
#include <vector>

namespace uiframework_test {

SkinUI::ByteBuffer EncodePng(int width, int height, const std::function<DWORD(int, int)>& pixel) {
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, Gdiplus::Color(pixel(x, y)));
  // The PNG encoder's class id, as GDI+ lists it.
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<unsigned char> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, encoders);
  CLSID png{};
  for (UINT i = 0; i < count; ++i)
    if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) png = encoders[i].Clsid;
  IStream* stream = ::SHCreateMemStream(nullptr, 0);
  if (!stream) return SkinUI::ByteBuffer();
  SkinUI::ByteBuffer bytes;
  STATSTG stat{};
  if (bitmap.Save(stream, &png, nullptr) == Gdiplus::Ok && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    ULONG read = 0;
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
  }
  stream->Release();
  return bytes;
}

}  // namespace uiframework_test
