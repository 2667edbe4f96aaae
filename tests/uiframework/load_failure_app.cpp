// Test-only program: creates a skin window whose layout cannot be built, so
// that the framework's load-failure path runs for real. The first argument
// picks the fault: "malformed" (broken XML) or "missing" (no such file).
#include <windows.h>

#include <string>

#include "uiframework/gdi_handles.h"
#include "uiframework/resource_archive.h"
#include "uiframework/skin_window_base.h"

namespace {

class BrokenWindow : public SkinUI::CSkinWindowBase {
 public:
  explicit BrokenWindow(std::wstring file) : m_File(std::move(file)) {}

 protected:
  std::wstring GetSkinFile() const override { return m_File; }
  std::wstring GetWindowClassName() const override { return L"BrokenWindow"; }

 private:
  std::wstring m_File;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SkinUI::GdiplusSession gdiplus;
  auto archive = std::make_shared<SkinUI::CMemoryArchive>();
  archive->Add(L"malformed.xml", std::string("<Window size=\"200,100\"><VerticalLayout><Label></Window>"));
  SkinUI::SetResourceArchive(archive);
  const std::wstring fault = argc > 1 ? argv[1] : L"malformed";
  BrokenWindow window(fault == L"missing" ? L"NoSuchLayout.xml" : L"malformed.xml");
  window.Create(nullptr, L"broken", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0);
  window.ShowModal();
  return 0;  // never reached when the layout fails
}
