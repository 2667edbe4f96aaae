#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "uiframework/gdi_handles.h"
#include "png_encode.h"
#include "uiframework/layout_builder.h"

namespace uiframework_test {

void EnsureGdiplus() {
  static SkinUI::GdiplusSession session;
  ASSERT_TRUE(session.Ok());
}

SkinUI::ByteBuffer MakePng(int width, int height, const std::function<DWORD(int, int)>& pixel) {
  EnsureGdiplus();
  return EncodePng(width, height, pixel);
}

SkinUI::ByteBuffer MakeSolidPng(int width, int height, DWORD argb) {
  return MakePng(width, height, [argb](int, int) { return argb; });
}

std::shared_ptr<SkinUI::CMemoryArchive> InstallArchive() {
  EnsureGdiplus();
  auto archive = std::make_shared<SkinUI::CMemoryArchive>();
  SkinUI::SetResourceArchive(archive);
  return archive;
}

Canvas::Canvas(int width, int height) : m_Width(width), m_Height(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  m_Bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_Bits = static_cast<DWORD*>(bits);
  m_DC = ::CreateCompatibleDC(nullptr);
  m_Previous = ::SelectObject(m_DC, m_Bitmap);
}

Canvas::~Canvas() {
  ::SelectObject(m_DC, m_Previous);
  ::DeleteDC(m_DC);
  ::DeleteObject(m_Bitmap);
}

void Canvas::Render(SkinUI::CControlHost& host) {
  const RECT all{0, 0, m_Width, m_Height};
  ::FillRect(m_DC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  host.Layout(all);
  host.Render(m_DC, all);
  ::GdiFlush();
}

DWORD Canvas::Pixel(int x, int y) const { return m_Bits[y * m_Width + x] & 0x00FFFFFF; }

int Canvas::CountDifferent(const RECT& rect, DWORD background) const {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const DWORD p = Pixel(x, y);
      const int dr = std::abs(static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((background >> 16) & 0xFF));
      const int dg = std::abs(static_cast<int>((p >> 8) & 0xFF) - static_cast<int>((background >> 8) & 0xFF));
      const int db = std::abs(static_cast<int>(p & 0xFF) - static_cast<int>(background & 0xFF));
      if (dr + dg + db > 96) ++count;
    }
  }
  return count;
}

bool BuildInto(SkinUI::CControlHost& host, const std::string& xml, SkinUI::IBuilderCallback* callback) {
  SkinUI::LayoutDocument document;
  std::wstring error;
  if (!SkinUI::BuildLayout(SkinUI::ByteBuffer(xml.begin(), xml.end()), callback, document, error)) {
    ADD_FAILURE() << "layout did not build: " << std::string(error.begin(), error.end());
    return false;
  }
  host.SetDocument(std::move(document));
  return true;
}

void RecordingWindow::Notify(SkinUI::Notification& notification) {
  Recorded.push_back({notification.Type, notification.Sender ? notification.Sender->GetName() : L"",
                      notification.wParam, notification.lParam});
  if (OnNotify) OnNotify(notification);
  SkinUI::CSkinWindowBase::Notify(notification);
}

void PumpMessages(DWORD ms, const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  MSG msg{};
  while (::GetTickCount() - start < ms) {
    if (done && done()) return;
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      SkinUI::CNativeWnd::DispatchOne(msg);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
}

LPARAM CenterOf(const SkinUI::CControlUI& control) {
  const RECT& r = control.GetPos();
  return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace uiframework_test
