// Renders the nine screens from the skin archive embedded in the installer to
// PNG files under the build folder (ui/skin-renders) and checks a few pixels
// of each against the layout: images where their controls are, the dialogs'
// colours where their strips and buttons are.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>

#include "skin_screens.h"
#include "test_paths.h"
#include "tests/uiframework/ui_test_support.h"
#include "uiframework/image_cache.h"

namespace {

using skin_screens::Rendering;

std::wstring BuildPath(const std::string& relative) {
  return testing_support::UnixToWindowsPath(testing_support::BinaryDir() + "/" + relative);
}

bool Near(DWORD a, DWORD b, int tolerance = 12) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  }
  return true;
}

std::string Hex(DWORD rgb) {
  char text[16];
  snprintf(text, sizeof(text), "#%06lX", static_cast<unsigned long>(rgb & 0xFFFFFF));
  return text;
}

// ARGB (premultiplied) of an image of the cache.
DWORD ImagePixel(const SkinUI::CImage& image, int x, int y) {
  BITMAP bitmap{};
  ::GetObjectW(image.Bitmap.Get(), sizeof(bitmap), &bitmap);
  return static_cast<const DWORD*>(bitmap.bmBits)[y * image.Width + x];
}

class SkinRenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    uiframework_test::EnsureGdiplus();
    auto archive = skin_screens::LoadInstallerArchive(BuildPath("core/TovrelRezuvOvozuzaveSetup.exe"));
    ASSERT_NE(archive, nullptr) << "the installer carries no readable skin archive";
    SkinUI::SetResourceArchive(archive);
    const std::wstring folder = BuildPath("ui/skin-renders");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (const skin_screens::Screen& screen : skin_screens::AllScreens()) {
      Rendering rendering;
      std::wstring error;
      ASSERT_TRUE(skin_screens::RenderScreen(screen, rendering, error))
          << screen.Name << ": " << std::string(error.begin(), error.end());
      const std::wstring file = folder + L"\\" + std::wstring(screen.Name.begin(), screen.Name.end()) + L".png";
      ASSERT_TRUE(skin_screens::SavePng(rendering, file)) << screen.Name;
      Renders()[screen.Name] = std::move(rendering);
    }
  }
  static void TearDownTestSuite() { SkinUI::SetResourceArchive(nullptr); }

  static std::map<std::string, Rendering>& Renders() {
    static std::map<std::string, Rendering> renders;
    return renders;
  }
};

}  // namespace

TEST_F(SkinRenderTest, EveryScreenIsWrittenAndNotBlank) {
  ASSERT_EQ(Renders().size(), 9u);
  for (const skin_screens::Screen& screen : skin_screens::AllScreens()) {
    const std::wstring file = BuildPath("ui/skin-renders/" + screen.Name + ".png");
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) << screen.Name;
    EXPECT_GT(data.nFileSizeLow, 1000u) << screen.Name;
    const Rendering& r = Renders()[screen.Name];
    std::map<DWORD, int> colours;
    for (DWORD pixel : r.Pixels) ++colours[pixel & 0xFFFFFF];
    int largest = 0;
    for (const auto& entry : colours) largest = std::max(largest, entry.second);
    EXPECT_GT(colours.size(), 20u) << screen.Name << ": too few colours";
    EXPECT_LT(largest, static_cast<int>(r.Pixels.size()) * 9 / 10) << screen.Name << ": mostly one colour";
  }
}

TEST_F(SkinRenderTest, ImagesSitWhereTheLayoutPutsThem) {
  struct Case {
    const char* screen;
    const wchar_t* image;
    RECT at;  // where the layout puts the control, in window coordinates
  } cases[] = {
      {"mainWnd-0-welcome", L"res\\mainWnd\\logo.png", {130, 105, 469, 175}},
      {"mainWnd-0-welcome", L"res\\mainWnd\\installBtn1.png", {200, 225, 400, 271}},
      {"mainWnd-0-welcome", L"res\\common\\minbtn1.png", {514, 12, 538, 36}},
      {"mainWnd-0-welcome", L"res\\common\\closebtn1.png", {562, 12, 586, 36}},
      {"mainWnd-0-welcome", L"res\\mainWnd\\Cb2.png", {21, 364, 36, 378}},
      {"mainWnd-1-custom", L"res\\mainWnd\\backBtn1.png", {10, 11, 74, 41}},
      {"mainWnd-1-custom", L"res\\mainWnd\\logo.png", {130, 75, 469, 145}},
      {"mainWnd-1-custom", L"res\\mainWnd\\installDirEdit.png", {129, 189, 469, 225}},
      {"mainWnd-1-custom", L"res\\mainWnd\\chDirBtn1.png", {479, 189, 560, 225}},
      {"mainWnd-1-custom", L"res\\mainWnd\\Cb2.png", {125, 248, 140, 262}},
      {"mainWnd-1-custom", L"res\\mainWnd\\Cb2.png", {283, 248, 298, 262}},
      {"mainWnd-1-custom", L"res\\mainWnd\\installBtn1.png", {200, 312, 400, 358}},
      {"mainWnd-2-installing", L"res\\mainWnd\\installBtnAnimate\\000.png", {200, 78, 400, 278}},
      {"mainWnd-3-finished", L"res\\mainWnd\\finished.png", {260, 95, 340, 175}},
      {"mainWnd-3-finished", L"res\\mainWnd\\installBtn1.png", {200, 294, 400, 340}},
      {"mainWnd-3-finished", L"res\\common\\closebtn1.png", {562, 12, 586, 36}},
      {"MessageBox1Wnd", L"res\\common\\closebtnM_1.png", {328, 3, 352, 27}},
      {"MessageBox2Wnd", L"res\\common\\closebtnM_1.png", {324, 3, 348, 27}},
      {"exitTipWnd", L"res\\common\\closebtnM_1.png", {324, 8, 348, 32}},
      {"exitTipWnd", L"res\\MessageBoxWnd\\icoQuest.png", {35, 69, 75, 109}},
      {"InstalledPathTipWnd", L"res\\common\\closebtnM_1.png", {364, 3, 388, 27}},
      {"InstalledPathTipWnd", L"res\\MessageBoxWnd\\icoWarn.png", {35, 59, 75, 99}},
      {"NetworkTipWnd", L"res\\common\\closebtnM_1.png", {324, 3, 348, 27}},
      {"NetworkTipWnd", L"res\\MessageBoxWnd\\icoNetwork.png", {35, 60, 75, 100}},
  };
  for (const Case& c : cases) {
    const std::string label = std::string(c.screen) + " " + std::string(c.image, c.image + wcslen(c.image));
    const SkinUI::CImage* image = SkinUI::CImageCache::Instance().Get(c.image);
    ASSERT_NE(image, nullptr) << label;
    ASSERT_EQ(image->Width, c.at.right - c.at.left) << label << ": drawn at its own size";
    ASSERT_EQ(image->Height, c.at.bottom - c.at.top) << label;
    // The image against the render on a 7 x 7 grid of its fully opaque points.
    const Rendering& r = Renders()[c.screen];
    int opaque = 0;
    int matching = 0;
    for (int gy = 1; gy <= 7; ++gy) {
      for (int gx = 1; gx <= 7; ++gx) {
        const int x = image->Width * gx / 8;
        const int y = image->Height * gy / 8;
        const DWORD argb = ImagePixel(*image, x, y);
        if ((argb >> 24) != 0xFF) continue;
        ++opaque;
        if (Near(argb, r.Pixel(c.at.left + x, c.at.top + y))) ++matching;
      }
    }
    ASSERT_GT(opaque, 0) << label << ": no opaque sample";
    // Text drawn over an image may cover a few samples.
    EXPECT_GE(matching * 5, opaque * 4) << label << ": " << matching << " of " << opaque << " samples match";
  }
}

TEST_F(SkinRenderTest, ColoursAndStatesFollowTheLayout) {
  struct Case {
    const char* screen;
    int x;
    int y;
    DWORD rgb;
  } cases[] = {
      {"MessageBox1Wnd", 5, 15, 0xF5FAFE},      // title strip
      {"MessageBox1Wnd", 5, 170, 0xFFFFFF},     // body
      {"MessageBox2Wnd", 5, 15, 0xF5FAFE},
      {"exitTipWnd", 5, 35, 0xF3F5F9},          // the 40-pixel strip
      {"exitTipWnd", 5, 45, 0xFFFFFF},
      {"exitTipWnd", 167, 140, 0x1890FF},       // "是": border on the left edge
      {"exitTipWnd", 172, 135, 0xFFFFFF},       //        white inside
      {"exitTipWnd", 268, 135, 0x1675FE},       // "否": filled
      {"InstalledPathTipWnd", 5, 15, 0xF5F5F5},
      {"InstalledPathTipWnd", 174, 132, 0xFFFFFF},  // "打开软件", outlined
      {"InstalledPathTipWnd", 169, 143, 0x1890FF},
      {"InstalledPathTipWnd", 289, 132, 0x1675FE},  // "安装最新版本", filled
      {"NetworkTipWnd", 5, 15, 0xF5F5F5},
      {"NetworkTipWnd", 187, 135, 0xFFFFFF},        // "稍后再试"
      {"NetworkTipWnd", 273, 135, 0x1675FE},        // "重新安装"
  };
  for (const Case& c : cases) {
    const DWORD actual = Renders()[c.screen].Pixel(c.x, c.y);
    EXPECT_TRUE(Near(actual, c.rgb, 2)) << c.screen << " (" << c.x << ", " << c.y << "): " << Hex(actual)
                                        << ", expected " << Hex(c.rgb);
  }

  // Controls hidden on a page leave the page background (the four page
  // backgrounds are the same picture) showing through.
  const SkinUI::CImage* background = SkinUI::CImageCache::Instance().Get(L"res\\mainWnd\\bg1.png");
  ASSERT_NE(background, nullptr);
  struct Hidden {
    const char* screen;
    const char* what;
    RECT at;
  } hidden[] = {
      {"mainWnd-2-installing", "minimise and close while installing", {514, 12, 586, 36}},
      {"mainWnd-0-welcome", "back button", {10, 11, 74, 41}},
      {"mainWnd-3-finished", "back button", {10, 11, 74, 41}},
      {"mainWnd-0-welcome", "reminder bubble", {11, 325, 127, 357}},
  };
  for (const Hidden& h : hidden) {
    int differing = 0;
    for (int y = h.at.top; y < h.at.bottom; y += 3)
      for (int x = h.at.left; x < h.at.right; x += 3)
        if (!Near(Renders()[h.screen].Pixel(x, y), ImagePixel(*background, x, y), 4)) ++differing;
    EXPECT_EQ(differing, 0) << h.screen << ": " << h.what;
  }
}
