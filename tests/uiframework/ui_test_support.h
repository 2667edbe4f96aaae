#pragma once
// Helpers shared by the UI framework tests: PNG images made in memory, an
// off-screen canvas, a skin window over a test layout that records its
// notifications, and message pumping with a deadline.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uiframework/control_host.h"
#include "uiframework/resource_archive.h"
#include "uiframework/skin_window_base.h"

namespace uiframework_test {

// Starts GDI+ once for the test process.
void EnsureGdiplus();

// A PNG of the given size whose pixel (x, y) is pixel(x, y) as 0xAARRGGBB.
SkinUI::ByteBuffer MakePng(int width, int height, const std::function<DWORD(int, int)>& pixel);
SkinUI::ByteBuffer MakeSolidPng(int width, int height, DWORD argb);

// Installs a fresh in-memory archive as the framework's resource archive.
std::shared_ptr<SkinUI::CMemoryArchive> InstallArchive();

// A 32-bit off-screen bitmap to render a host into.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC DC() const { return m_DC; }
  // Fills with white, lays the host out over the whole canvas and renders it.
  void Render(SkinUI::CControlHost& host);
  // 0x00RRGGBB at (x, y).
  DWORD Pixel(int x, int y) const;
  // Pixels in rect whose colour differs from background by more than a margin.
  int CountDifferent(const RECT& rect, DWORD background) const;

 private:
  int m_Width;
  int m_Height;
  HDC m_DC = nullptr;
  HBITMAP m_Bitmap = nullptr;
  HGDIOBJ m_Previous = nullptr;
  DWORD* m_Bits = nullptr;
};

// Builds a layout from text into a host without a window; fails the test
// when the layout does not build.
bool BuildInto(SkinUI::CControlHost& host, const std::string& xml, SkinUI::IBuilderCallback* callback = nullptr);

struct RecordedNotification {
  std::wstring Type;
  std::wstring Sender;
  WPARAM wParam;
  LPARAM lParam;
};

// A skin window over layout `file` of the current archive that records every
// notification it gets (before the default handling).
class RecordingWindow : public SkinUI::CSkinWindowBase {
 public:
  explicit RecordingWindow(std::wstring file) : m_File(std::move(file)) {}
  void Notify(SkinUI::Notification& notification) override;
  std::vector<RecordedNotification> Recorded;
  // Called for each notification after it is recorded.
  std::function<void(SkinUI::Notification&)> OnNotify;
  // Sees the messages of the window before dispatch; true swallows one.
  std::function<bool(UINT, WPARAM)> OnFilter;
  LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
    if (OnFilter && OnFilter(message, wParam)) handled = true;
    return SkinUI::CSkinWindowBase::MessageFilter(message, wParam, lParam, handled);
  }

 protected:
  std::wstring GetSkinFile() const override { return m_File; }
  std::wstring GetWindowClassName() const override { return L"SkinUITestWindow"; }

 private:
  std::wstring m_File;
};

// Dispatches the thread's messages (through the framework's filters) for
// about ms milliseconds, or until done() holds.
void PumpMessages(DWORD ms, const std::function<bool()>& done = nullptr);

// Centre of a control in client coordinates, as an lParam for mouse messages.
LPARAM CenterOf(const SkinUI::CControlUI& control);

}  // namespace uiframework_test
