// How much CPU a frame animation costs through the framework: a control's
// background switches between 60 cached 200 x 200 images 33 times a second
// (timer, image change, double-buffered repaint), side by side with a bare
// Win32 reference that paints pre-decoded bitmaps on its own timer. Both run
// at once on their own UI threads; each thread's CPU time is read with
// GetThreadTimes. Prints key=value lines, the ratio last.
//   uiframework_animation_bench.exe [seconds]   (default 10)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "png_encode.h"
#include "uiframework/gdi_handles.h"
#include "uiframework/image_cache.h"
#include "uiframework/resource_archive.h"
#include "uiframework/skin_constants.h"
#include "uiframework/skin_window_base.h"

namespace {

constexpr int kFrames = 60;
constexpr int kSide = 200;
constexpr UINT kSpanMs = 30;
constexpr UINT kTimerId = 2100;

struct RunResult {
  double CpuMs = 0;
  unsigned Ticks = 0;
  unsigned Paints = 0;
};

double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  auto toMs = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return toMs(kernel) + toMs(user);
}

std::wstring FrameName(int frame) {
  wchar_t name[260];
  swprintf(name, 260, L"res\\anim\\%.3d.png", frame);
  return name;
}

// A frame with a soft alpha edge, so that drawing blends like the real art.
SkinUI::ByteBuffer EncodeFrame(int frame) {
  const DWORD colour = (static_cast<DWORD>(frame * 4) << 16) | (0x80u << 8) | static_cast<DWORD>(255 - frame * 4);
  return uiframework_test::EncodePng(kSide, kSide, [colour](int x, int y) {
    const int dx = x - kSide / 2, dy = y - kSide / 2;
    const int distance = dx * dx + dy * dy;
    const DWORD alpha = distance < 80 * 80 ? 255 : distance < 100 * 100 ? 128 : 0;
    return (alpha << 24) | colour;
  });
}

// --- the framework side ---------------------------------------------------

class AnimationWindow : public SkinUI::CSkinWindowBase {
 public:
  void Notify(SkinUI::Notification& notification) override {
    if (notification.Type == SkinUI::kNotifyTimer && notification.Sender == m_Anim) {
      ++Ticks;
      m_Anim->SetBkImage(FrameName(static_cast<int>(Ticks % kFrames)));
    }
    SkinUI::CSkinWindowBase::Notify(notification);
  }
  unsigned Ticks = 0;

 protected:
  std::wstring GetSkinFile() const override { return L"anim.xml"; }
  std::wstring GetWindowClassName() const override { return L"BenchFrameworkWnd"; }
  void InitWindow() override {
    m_Anim = FindControl(L"anim");
    m_Anim->SetTimer(kTimerId, kSpanMs);
  }

 private:
  SkinUI::CControlUI* m_Anim = nullptr;
};

RunResult RunFramework(DWORD durationMs) {
  RunResult result;
  AnimationWindow window;
  if (!window.Create(nullptr, L"framework", WS_POPUP | WS_VISIBLE, 0, 20, 20)) return result;
  const DWORD start = ::GetTickCount();
  const double cpuStart = ThreadCpuMs();
  MSG msg{};
  while (::GetTickCount() - start < durationMs) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_PAINT) ++result.Paints;
      SkinUI::CNativeWnd::DispatchOne(msg);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  result.CpuMs = ThreadCpuMs() - cpuStart;
  result.Ticks = window.Ticks;
  return result;
}

// --- the reference side ---------------------------------------------------

struct Reference {
  std::vector<std::unique_ptr<SkinUI::CImage>> Frames;
  unsigned Current = 0;
  unsigned Ticks = 0;
  unsigned Paints = 0;
};

LRESULT CALLBACK ReferenceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<Reference*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      ++state->Ticks;
      state->Current = state->Ticks % kFrames;
      ::InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      ++state->Paints;
      SkinUI::ScopedPaint paint(hwnd);
      SkinUI::UniqueBitmap buffer(::CreateCompatibleBitmap(paint.DC(), kSide, kSide));
      SkinUI::UniqueMemoryDC back(paint.DC());
      SkinUI::ScopedSelectObject selectBack(back.Get(), buffer.Get());
      const RECT all{0, 0, kSide, kSide};
      ::FillRect(back.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      const SkinUI::CImage& frame = *state->Frames[state->Current];
      SkinUI::UniqueMemoryDC source(paint.DC());
      SkinUI::ScopedSelectObject selectSource(source.Get(), frame.Bitmap.Get());
      const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      ::AlphaBlend(back.Get(), 0, 0, kSide, kSide, source.Get(), 0, 0, frame.Width, frame.Height, blend);
      ::BitBlt(paint.DC(), 0, 0, kSide, kSide, back.Get(), 0, 0, SRCCOPY);
      return 0;
    }
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

RunResult RunReference(DWORD durationMs, const std::vector<SkinUI::ByteBuffer>& pngs) {
  RunResult result;
  Reference state;
  for (const auto& png : pngs) state.Frames.push_back(SkinUI::DecodeImage(png.data(), png.size(), false, 0));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ReferenceProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BenchReferenceWnd";
  ::RegisterClassExW(&wc);
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"reference", WS_POPUP, 260, 20, kSide, kSide, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  ::SetTimer(hwnd, kTimerId, kSpanMs, nullptr);
  const DWORD start = ::GetTickCount();
  const double cpuStart = ThreadCpuMs();
  MSG msg{};
  while (::GetTickCount() - start < durationMs) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  result.CpuMs = ThreadCpuMs() - cpuStart;
  result.Ticks = state.Ticks;
  result.Paints = state.Paints;
  ::DestroyWindow(hwnd);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
  const DWORD durationMs = static_cast<DWORD>(seconds) * 1000;
  SkinUI::GdiplusSession gdiplus;

  auto archive = std::make_shared<SkinUI::CMemoryArchive>();
  archive->Add(L"anim.xml", std::string(
      "<Window size=\"200,200\"><VerticalLayout name=\"root\" bkcolor=\"#FFFFFFFF\">"
      "<Control name=\"anim\" bkimage=\"res\\anim\\000.png\"/></VerticalLayout></Window>"));
  std::vector<SkinUI::ByteBuffer> pngs;
  for (int frame = 0; frame < kFrames; ++frame) {
    pngs.push_back(EncodeFrame(frame));
    archive->Add(FrameName(frame), pngs.back());
  }
  SkinUI::SetResourceArchive(archive);

  // Side by side: the reference on its own thread, the framework on this one.
  RunResult reference;
  std::thread referenceThread([&] { reference = RunReference(durationMs, pngs); });
  const RunResult framework = RunFramework(durationMs);
  referenceThread.join();

  std::printf("seconds=%d\n", seconds);
  std::printf("frames=%d\n", kFrames);
  std::printf("framework_decodes=%u\n", SkinUI::CImageCache::Instance().DecodeCount());
  std::printf("framework_ticks=%u\n", framework.Ticks);
  std::printf("reference_ticks=%u\n", reference.Ticks);
  std::printf("framework_paints=%u\n", framework.Paints);
  std::printf("reference_paints=%u\n", reference.Paints);
  std::printf("framework_cpu_ms=%.1f\n", framework.CpuMs);
  std::printf("reference_cpu_ms=%.1f\n", reference.CpuMs);
  std::printf("framework_cpu_percent=%.2f\n", framework.CpuMs * 100.0 / durationMs);
  std::printf("ratio=%.2f\n", reference.CpuMs > 0 ? framework.CpuMs / reference.CpuMs : 0.0);
  std::fflush(stdout);
  return 0;
}
