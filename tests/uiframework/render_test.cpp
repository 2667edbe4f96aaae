// Drawing into an off-screen bitmap: colours, images (destination, mask,
// nine-grid, hole, progress fill), text, font fallback and the image cache.
#include <gtest/gtest.h>

#include "ui_test_support.h"
#include <functional>

#include "uiframework/check_box.h"
#include "uiframework/control_host.h"
#include "uiframework/font_table.h"
#include "uiframework/image_cache.h"
#include "uiframework/label.h"
#include "uiframework/language_table.h"
#include "uiframework/progress.h"

using namespace SkinUI;
using namespace uiframework_test;

namespace {

constexpr DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBackground = 0x204080;

const char kRenderLayout[] = R"(<Window size="300,100">
  <Font id="0" name="微软雅黑" size="16" default="true"/>
  <Font id="1" name="NoSuchFamilyAnywhere" size="20"/>
  <HorizontalLayout name="root" bkcolor="#FF204080">
    <VerticalLayout width="50">
      <Control name="stretched" height="20" bkimage="red.png"/>
      <Control name="dest" height="20" bkimage="file='red.png' dest='5,5,15,15'"/>
      <Control name="masked" height="20" bkimage="file='halves.png' mask='#00FF00'"/>
      <Control name="grid" height="20" bkimage="file='grid.png' corner='4,4,4,4'"/>
      <Control name="hole" height="20" bkimage="file='grid.png' corner='4,4,4,4' hole='true'"/>
    </VerticalLayout>
    <VerticalLayout width="60">
      <Progress name="bar" height="20" bkimage="blue.png" foreimage="file='red.png'" value="50"/>
      <Control name="missing" height="20" bkimage="nosuch.png"/>
      <Button name="button" height="20" normalimage="red.png" hotimage="blue.png" pushedimage="grid.png"
              disabledimage="nosuch.png"/>
      <CheckBox name="check" height="20" normalimage="red.png" selectedimage="blue.png"/>
      <Control height="20"/>
    </VerticalLayout>
    <Label name="text" width="90" text="Hello 你好" bkcolor="#FFFFFFFF" textcolor="#FF000000"/>
    <Label name="fallback" text="Hello" font="1" bkcolor="#FFFFFFFF" textcolor="#FF000000"/>
  </HorizontalLayout>
</Window>)";

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto archive = InstallArchive();
    archive->Add(L"red.png", MakeSolidPng(10, 10, kRed));
    archive->Add(L"blue.png", MakeSolidPng(10, 10, kBlue));
    // Left half the mask colour, right half blue.
    archive->Add(L"halves.png", MakePng(10, 10, [](int x, int) { return x < 5 ? kGreen : kBlue; }));
    // Nine-grid test image: red corners, green edges, blue centre.
    archive->Add(L"grid.png", MakePng(12, 12, [](int x, int y) {
                   const bool edgeX = x < 4 || x >= 8, edgeY = y < 4 || y >= 8;
                   return (edgeX && edgeY) ? kRed : (edgeX || edgeY) ? kGreen : kBlue;
                 }));
    ASSERT_TRUE(BuildInto(m_Host, kRenderLayout));
  }
  void TearDown() override { SetResourceArchive(nullptr); }

  RECT PosOf(const wchar_t* name) { return m_Host.FindControl(name)->GetPos(); }

  CControlHost m_Host;
  Canvas m_Canvas{300, 100};
};

}  // namespace

TEST_F(RenderTest, DrawsColoursAndImagesAtTheExpectedPixels) {
  m_Canvas.Render(m_Host);
  const struct {
    const char* label;
    int x, y;
    DWORD expected;
  } cases[] = {
      {"root background colour", 80, 95, kBackground},
      {"image stretched over its control", 25, 10, kRed & 0xFFFFFF},
      {"image inside its destination rectangle", 10, 30, kRed & 0xFFFFFF},
      {"outside the destination rectangle", 30, 30, kBackground},
      {"masked colour is transparent", 5, 50, kBackground},
      {"unmasked part of the masked image", 45, 50, kBlue & 0xFFFFFF},
      {"nine-grid corner keeps its colour", 1, 61, kRed & 0xFFFFFF},
      {"nine-grid bottom-right corner", 48, 78, kRed & 0xFFFFFF},
      {"nine-grid top edge", 25, 61, kGreen & 0xFFFFFF},
      {"nine-grid left edge", 1, 70, kGreen & 0xFFFFFF},
      {"nine-grid centre stretched", 25, 70, kBlue & 0xFFFFFF},
      {"hole leaves the centre out", 25, 90, kBackground},
      {"hole keeps the corners", 1, 81, kRed & 0xFFFFFF},
      {"progress filled part", 55, 10, kRed & 0xFFFFFF},
      {"progress beyond the value", 105, 10, kBlue & 0xFFFFFF},
      {"a missing image draws nothing", 80, 30, kBackground},
  };
  for (const auto& c : cases)
    EXPECT_EQ(m_Canvas.Pixel(c.x, c.y), c.expected)
        << c.label << " at (" << c.x << "," << c.y << "): got " << std::hex << m_Canvas.Pixel(c.x, c.y);
}

TEST_F(RenderTest, ButtonsAndCheckBoxesDrawTheImageOfTheirState) {
  CControlUI* button = m_Host.FindControl(L"button");
  auto* check = static_cast<CCheckBoxUI*>(m_Host.FindControl(L"check")->GetInterface(L"CheckBox"));
  ASSERT_NE(check, nullptr);
  const struct {
    const char* label;
    std::function<void()> change;
    DWORD button, check;
  } steps[] = {
      {"normal", [] {}, kRed, kRed},
      {"hot", [&] { button->SetHotState(true); }, kBlue, kRed},
      {"pushed", [&] { button->SetPushedState(true); }, kGreen, kRed},
      {"disabled shows no missing image", [&] { button->SetEnabled(false); }, kBackground, kRed},
      {"selected check box", [&] { check->SetCheck(true, false); }, kBackground, kBlue},
  };
  for (const auto& step : steps) {
    step.change();
    m_Canvas.Render(m_Host);
    // Centre pixels, except for the pushed image: the grid image stretched
    // whole, whose left edge at mid-height is green.
    const RECT b = PosOf(L"button"), c = PosOf(L"check");
    const int bx = step.button == kGreen ? b.left + 1 : (b.left + b.right) / 2;
    EXPECT_EQ(m_Canvas.Pixel(bx, (b.top + b.bottom) / 2), step.button & 0xFFFFFF) << step.label;
    EXPECT_EQ(m_Canvas.Pixel((c.left + c.right) / 2, (c.top + c.bottom) / 2), step.check & 0xFFFFFF) << step.label;
  }
}

TEST_F(RenderTest, DrawsTextInTheLayoutFontAndInTheFallbackForAMissingFamily) {
  m_Canvas.Render(m_Host);
  EXPECT_EQ(m_Host.Fonts().FamilyOf(0), L"微软雅黑") << "the prefix maps this family to an installed one";
  EXPECT_NE(m_Host.Fonts().FamilyOf(1), L"NoSuchFamilyAnywhere");
  EXPECT_EQ(m_Host.Fonts().FamilyOf(1), DefaultUiFontFamily());
  EXPECT_GT(m_Canvas.CountDifferent(PosOf(L"text"), 0xFFFFFF), 30) << "label text";
  EXPECT_GT(m_Canvas.CountDifferent(PosOf(L"fallback"), 0xFFFFFF), 30) << "text in a missing font family";
  // Only the Chinese half of the label: CJK glyphs are drawn, not left blank.
  RECT chinese = PosOf(L"text");
  chinese.left += m_Host.MeasureText(0, L"Hello ").cx;
  EXPECT_GT(m_Canvas.CountDifferent(chinese, 0xFFFFFF), 15) << "Chinese glyphs";
}

TEST_F(RenderTest, TextsPassThroughTheLanguageTableWhenDrawnAndMeasured) {
  auto* label = static_cast<CLabelUI*>(m_Host.FindControl(L"text")->GetInterface(L"Label"));
  label->SetText(L"%{900}");
  const SIZE raw = label->MeasureText();
  CLanguageTable::Instance().Set(900, L"a much longer replacement");
  const SIZE replaced = label->MeasureText();
  EXPECT_EQ(replaced.cx, m_Host.MeasureText(0, L"a much longer replacement").cx);
  EXPECT_GT(replaced.cx, raw.cx);
  EXPECT_EQ(label->GetText(), L"%{900}") << "the control keeps the text as written";
  CLanguageTable::Instance().Clear();
}

TEST_F(RenderTest, DecodesEachImageOnceWhateverTheRepaints) {
  CImageCache::Instance().Clear();
  const unsigned before = CImageCache::Instance().DecodeCount();
  m_Canvas.Render(m_Host);
  const unsigned afterFirst = CImageCache::Instance().DecodeCount();
  // red, blue, halves (masked), grid, nosuch: five distinct name/mask pairs.
  // (the button's other state images load when first shown)
  EXPECT_EQ(afterFirst - before, 5u);
  CControlUI* stretched = m_Host.FindControl(L"stretched");
  for (int frame = 0; frame < 20; ++frame) {
    stretched->SetBkImage(frame % 2 ? L"blue.png" : L"red.png");
    m_Canvas.Render(m_Host);
  }
  EXPECT_EQ(CImageCache::Instance().DecodeCount(), afterFirst);
}

TEST_F(RenderTest, UndecodableImagesDrawNothingAndAreNotRetried) {
  auto archive = std::static_pointer_cast<CMemoryArchive>(GetResourceArchive());
  archive->Add(L"garbage.png", ByteBuffer{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H'});
  archive->Add(L"empty.png", ByteBuffer{});
  CControlUI* stretched = m_Host.FindControl(L"stretched");
  for (const wchar_t* name : {L"garbage.png", L"empty.png", L"file='garbage.png' corner='900,900,900,900'"}) {
    stretched->SetBkImage(name);
    m_Canvas.Render(m_Host);
    EXPECT_EQ(m_Canvas.Pixel(25, 10), kBackground) << std::string(name, name + wcslen(name));
  }
  const unsigned decodes = CImageCache::Instance().DecodeCount();
  stretched->SetBkImage(L"garbage.png");
  m_Canvas.Render(m_Host);
  EXPECT_EQ(CImageCache::Instance().DecodeCount(), decodes);
}
