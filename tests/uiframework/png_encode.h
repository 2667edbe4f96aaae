#pragma once
// PNG images made in memory, for the UI framework tests and benchmarks. Kept
// apart from ui_test_support (which needs GoogleTest) so that programs
// without a test framework can use it too.
#include <windows.h>

#include <functional>

#include "uiframework/resource_archive.h"

namespace uiframework_test {

// A PNG of the given size whose pixel (x, y) is pixel(x, y) as 0xAARRGGBB;
// empty when GDI+ cannot encode it. GDI+ must be started by the caller.
SkinUI::ByteBuffer EncodePng(int width, int height, const std::function<DWORD(int, int)>& pixel);

}  // namespace uiframework_test
