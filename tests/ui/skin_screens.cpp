#include "skin_screens.h"

#include <objidl.h>
// GDI+ headers expect min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "ui/sequence_controls.h"
#include "ui/skin_archive.h"
#include "uiframework/container.h"
#include "uiframework/control_host.h"
#include "uiframework/layout_builder.h"
#include "uiframework/progress.h"

namespace skin_screens {
namespace {

class CustomControls : public SkinUI::IBuilderCallback {
 public:
  SkinUI::CControlUI* CreateControl(const std::wstring& tag) override { return SkinUI::CreateCustomControl(tag); }
};

template <typename T>
T* Find(SkinUI::CControlHost& host, const wchar_t* name, const wchar_t* kind) {
  SkinUI::CControlUI* control = host.FindControl(name);
  return control ? static_cast<T*>(control->GetInterface(kind)) : nullptr;
}

void SetVisible(SkinUI::CControlHost& host, const wchar_t* name, bool visible) {
  if (SkinUI::CControlUI* control = host.FindControl(name)) control->SetVisible(visible);
}

// What the main window does when it shows a page.
void ShowMainPage(SkinUI::CControlHost& host, int page) {
  if (auto* tabs = Find<SkinUI::CTabLayoutUI>(host, L"mainTabLt", L"TabLayout")) tabs->SelectItem(page, false);
  static const wchar_t* const kBackgrounds[] = {L"res\\mainWnd\\bg1.png", L"res\\mainWnd\\bg2.png",
                                                L"res\\mainWnd\\bg3.png", L"res\\mainWnd\\bg4.png"};
  if (SkinUI::CControlUI* root = host.FindControl(L"winCtn")) root->SetBkImage(kBackgrounds[page]);
  const int titlePage = page == 3 ? 2 : page == 2 ? 0 : 1;
  if (auto* title = Find<SkinUI::CTabLayoutUI>(host, L"titleTabLt", L"TabLayout")) title->SelectItem(titlePage, false);
  SetVisible(host, L"titleGrpCtn", page != 2);
  SetVisible(host, L"backBtn", page == 1);
  if (page == 2) {
    if (SkinUI::CControlUI* animation = host.FindControl(L"progressAnLb")) {
      SkinUI::ControlEvent tick{SkinUI::ControlEventType::Timer};
      tick.wParam = SkinUI::kSequenceTimerId;
      animation->DoEvent(tick);
    }
    if (auto* progress = Find<SkinUI::CProgressUI>(host, L"installPrg", L"Progress")) progress->SetValue(40);
    if (SkinUI::CControlUI* text = host.FindControl(L"progressLb")) text->SetText(L"正在安装中:40%，请稍候...");
  }
}

void FillMessageBox(SkinUI::CControlHost& host, const std::wstring& layout) {
  SkinUI::CControlUI* caption = host.FindControl(L"captionLbl");
  SkinUI::CControlUI* text = host.FindControl(L"textLbl");
  if (caption) caption->SetText(L"温馨提示");
  if (!text) return;
  if (layout == L"MessageBox1Wnd.xml")
    text->SetText(L"安装程序检测到拓芮电子书转换器\r\n正在运行，请退出程序后再安装");
  else
    text->SetText(L"当前网络环境较差，请在网络通畅时进行安装");
}

bool PngEncoder(CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) == L"image/png") {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

const std::vector<Screen>& AllScreens() {
  static const std::vector<Screen> screens = {
      {"mainWnd-0-welcome", L"MainWnd.xml", 0},
      {"mainWnd-1-custom", L"MainWnd.xml", 1},
      {"mainWnd-2-installing", L"MainWnd.xml", 2},
      {"mainWnd-3-finished", L"MainWnd.xml", 3},
      {"MessageBox1Wnd", L"MessageBox1Wnd.xml", -1},
      {"MessageBox2Wnd", L"MessageBox2Wnd.xml", -1},
      {"exitTipWnd", L"ExitTipWnd.xml", -1},
      {"InstalledPathTipWnd", L"InstalledPathTipWnd.xml", -1},
      {"NetworkTipWnd", L"NetworkTipWnd.xml", -1},
  };
  return screens;
}

bool RenderScreen(const Screen& screen, Rendering& rendering, std::wstring& error) {
  SkinUI::ByteBuffer xml;
  if (!SkinUI::ReadResource(screen.Layout, xml)) {
    error = L"layout not found: " + screen.Layout;
    return false;
  }
  CustomControls callback;
  SkinUI::LayoutDocument document;
  if (!SkinUI::BuildLayout(xml, &callback, document, error)) return false;
  const SIZE size = document.Window.InitialSize();
  if (size.cx <= 0 || size.cy <= 0) {
    error = L"layout has no size: " + screen.Layout;
    return false;
  }
  SkinUI::CControlHost host;
  host.SetDocument(std::move(document));
  if (screen.Page >= 0)
    ShowMainPage(host, screen.Page);
  else
    FillMessageBox(host, screen.Layout);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc || !bitmap || !bits) {
    if (bitmap) ::DeleteObject(bitmap);
    if (dc) ::DeleteDC(dc);
    error = L"no bitmap";
    return false;
  }
  HGDIOBJ previous = ::SelectObject(dc, bitmap);
  const RECT all{0, 0, size.cx, size.cy};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  host.Layout(all);
  host.Render(dc, all);
  ::GdiFlush();
  rendering.Width = size.cx;
  rendering.Height = size.cy;
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  rendering.Pixels.assign(pixels, pixels + static_cast<size_t>(size.cx) * size.cy);
  ::SelectObject(dc, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return true;
}

bool SavePng(const Rendering& rendering, const std::wstring& path) {
  CLSID png{};
  if (!PngEncoder(png) || rendering.Pixels.empty()) return false;
  std::vector<DWORD> opaque(rendering.Pixels.size());
  for (size_t i = 0; i < opaque.size(); ++i) opaque[i] = rendering.Pixels[i] | 0xFF000000;
  Gdiplus::Bitmap bitmap(rendering.Width, rendering.Height, rendering.Width * 4, PixelFormat32bppARGB,
                         reinterpret_cast<BYTE*>(opaque.data()));
  return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

std::shared_ptr<SkinUI::IResourceArchive> LoadInstallerArchive(const std::wstring& exePath) {
  HMODULE module =
      ::LoadLibraryExW(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return nullptr;
  const std::string bytes = LoadSkinResource(module);
  ::FreeLibrary(module);
  return std::shared_ptr<SkinUI::IResourceArchive>(SkinArchive::Open(bytes.data(), bytes.size()));
}

}  // namespace skin_screens
