// Layout engine, layout building and the pure parts (names, image syntax,
// language table) of the UI framework.
#include <gtest/gtest.h>

#include <string>

#include "ui_test_support.h"
#include "uiframework/check_box.h"
#include "uiframework/combo.h"
#include "uiframework/container.h"
#include "uiframework/image_spec.h"
#include "uiframework/label.h"
#include "uiframework/language_table.h"
#include "uiframework/layout_builder.h"

using namespace SkinUI;
using uiframework_test::BuildInto;

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A page structure like the installer's: a title bar with a tab area, gaps and
// buttons, and a page tab with a centred logo, a hidden row and a bottom row.
const char kPagesLayout[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="600,400" caption="0,0,0,35" roundcorner="2,2" showshadow="true" shadowsize="6" shadowcolor="#26003B76">
  <Font id="0" name="微软雅黑" size="14" default="true"/>
  <Font id="1" name="微软雅黑" size="18"/>
  <VerticalLayout name="root" inset="1,0,1,0">
    <HorizontalLayout name="title" height="45">
      <Control width="10"/>
      <TabLayout name="titleTab" width="200">
        <Control/>
        <Button name="back" width="64" height="30" padding="0,11,0,0"/>
        <Control/>
      </TabLayout>
      <Control/>
      <Button name="min" width="24" height="24" centered="true"/>
      <Control width="24"/>
      <Button name="close" width="24" height="24" padding="0,12,14,0"/>
    </HorizontalLayout>
    <TabLayout name="pages">
      <VerticalLayout name="page0">
        <Control height="60"/>
        <Control name="logo" width="339" height="70" centered="true"/>
        <Control/>
        <Label name="hidden" height="30" visible="false"/>
        <HorizontalLayout name="row" height="18">
          <Control width="20"/>
          <CheckBox name="cb" width="68" selected="true"/>
          <Control/>
          <Button name="custom" width="100"/>
          <Control width="10"/>
        </HorizontalLayout>
        <Control height="21"/>
      </VerticalLayout>
      <VerticalLayout name="page1" inset="10,10,10,10">
        <Edit name="edit" height="36" padding="42,0,0,0" userdata="%d percent"/>
      </VerticalLayout>
    </TabLayout>
  </VerticalLayout>
</Window>)";

struct RectCase {
  const char* name;
  RECT expected;
};

}  // namespace

TEST(Layout_DistributeLine, FixedKeepTheirSizeFlexibleShareTheRest) {
  struct Case {
    const char* label;
    int length;
    std::vector<LineItem> items;
    std::vector<std::pair<int, int>> expected;  // (start, size)
  } cases[] = {
      {"three flexible share 100", 100, {{0}, {0}, {0}}, {{0, 33}, {33, 33}, {66, 34}}},
      {"fixed then flexible", 100, {{30}, {0}}, {{0, 30}, {30, 70}}},
      {"margins come off first", 100, {{20, 5, 5}, {0, 10, 0}}, {{5, 20}, {40, 60}}},
      {"overfull line leaves flexible at 0", 50, {{40}, {0}, {40}}, {{0, 40}, {40, 0}, {40, 40}}},
      {"no flexible item", 100, {{10}, {10}}, {{0, 10}, {10, 10}}},
  };
  for (const Case& c : cases) EXPECT_EQ(DistributeLine(c.length, c.items), c.expected) << c.label;
}

TEST(Layout_Rectangles, MatchFixedSizesGapsPaddingInsetsAndCentring) {
  CControlHost host;
  ASSERT_TRUE(BuildInto(host, kPagesLayout));
  host.Layout(RECT{0, 0, 600, 400});
  const RectCase cases[] = {
      {"root", {0, 0, 600, 400}},        {"title", {1, 0, 599, 45}},      {"titleTab", {11, 0, 211, 45}},
      {"back", {11, 11, 75, 41}},        {"min", {513, 10, 537, 34}},     {"close", {561, 12, 585, 36}},
      {"pages", {1, 45, 599, 400}},      {"page0", {1, 45, 599, 400}},    {"logo", {130, 105, 469, 175}},
      {"row", {1, 361, 599, 379}},       {"cb", {21, 361, 89, 379}},      {"custom", {489, 361, 589, 379}},
      {"page1", {1, 45, 599, 400}},      {"edit", {53, 55, 589, 91}},
  };
  for (const RectCase& c : cases) {
    CControlUI* control = host.FindControl(std::wstring(c.name, c.name + strlen(c.name)));
    ASSERT_NE(control, nullptr) << c.name;
    const RECT& r = control->GetPos();
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.name << ": got " << r.left << "," << r.top << "," << r.right << ","
                                             << r.bottom;
  }
}

TEST(Layout_Rectangles, VisibilityAndFixedWidthChangesRelayout) {
  CControlHost host;
  ASSERT_TRUE(BuildInto(host, kPagesLayout));
  host.Layout(RECT{0, 0, 600, 400});
  // The hidden label takes its 30 pixels from the flexible gap once shown.
  host.FindControl(L"hidden")->SetVisible(true);
  host.UpdateLayout();
  EXPECT_EQ(host.FindControl(L"row")->GetPos().top, 361);
  EXPECT_EQ(host.FindControl(L"hidden")->GetPos().top, 331);
  // A wider check box pushes nothing but the flexible gap.
  host.FindControl(L"cb")->SetFixedWidth(120);
  host.UpdateLayout();
  EXPECT_EQ(host.FindControl(L"cb")->GetPos().right, 141);
  EXPECT_EQ(host.FindControl(L"custom")->GetPos().left, 489);
}

TEST(Layout_TabPages, OnlyTheSelectedPageIsShown) {
  CControlHost host;
  ASSERT_TRUE(BuildInto(host, kPagesLayout));
  host.Layout(RECT{0, 0, 600, 400});
  auto* pages = static_cast<CTabLayoutUI*>(host.FindControl(L"pages")->GetInterface(L"TabLayout"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->GetCurSel(), 0);
  EXPECT_TRUE(host.FindControl(L"cb")->IsVisibleInTree());
  EXPECT_FALSE(host.FindControl(L"edit")->IsVisibleInTree());
  EXPECT_TRUE(pages->SelectItem(1, false));
  EXPECT_FALSE(host.FindControl(L"cb")->IsVisibleInTree());
  EXPECT_TRUE(host.FindControl(L"edit")->IsVisibleInTree());
  EXPECT_FALSE(pages->SelectItem(1, false)) << "re-selecting the current page";
  EXPECT_FALSE(pages->SelectItem(7, false)) << "page out of range";
  EXPECT_EQ(pages->GetCurSel(), 1);
  // Hit testing sees only the shown page.
  EXPECT_EQ(host.GetRoot()->FindControlAt(POINT{50, 370}), nullptr);
}

TEST(Layout_Build, KeepsWindowAttributesFontsAndControlState) {
  CControlHost host;
  ASSERT_TRUE(BuildInto(host, kPagesLayout));
  const WindowAttributes& window = host.GetWindowAttributes();
  EXPECT_EQ(window.InitialSize().cx, 600);
  EXPECT_EQ(window.InitialSize().cy, 400);
  EXPECT_EQ(window.Caption().bottom, 35);
  EXPECT_TRUE(window.HasRoundCorner());
  EXPECT_EQ(window.RoundCorner().cx, 2);
  // Attributes the framework does not use stay readable, names in any case.
  EXPECT_EQ(window.Get(L"ShowShadow"), L"true");
  EXPECT_EQ(window.Get(L"shadowcolor"), L"#26003B76");
  EXPECT_EQ(window.Get(L"shadowdarkness"), L"");
  EXPECT_TRUE(InCaption(window.Caption(), SIZE{600, 400}, POINT{300, 10}));
  EXPECT_FALSE(InCaption(window.Caption(), SIZE{600, 400}, POINT{300, 35}));

  auto* cb = static_cast<CCheckBoxUI*>(host.FindControl(L"cb")->GetInterface(L"CheckBox"));
  ASSERT_NE(cb, nullptr);
  EXPECT_TRUE(cb->IsSelected());
  EXPECT_EQ(host.FindControl(L"edit")->GetUserData(), L"%d percent");
  EXPECT_FALSE(host.FindControl(L"hidden")->IsVisible());
  EXPECT_EQ(host.FindControl(L"nosuch"), nullptr);
  EXPECT_NE(host.FindControl(L"custom")->GetInterface(L"Button"), nullptr);
  EXPECT_EQ(host.FindControl(L"custom")->GetInterface(L"CheckBox"), nullptr);
}

TEST(Layout_Build, ComboSelectsTheItemNamedBeforeItsItems) {
  const struct {
    const char* label;
    const char* selected;
    int expected;
  } cases[] = {{"second of three", "1", 1}, {"last", "2", 2}, {"beyond the items", "3", -1}, {"none", "-1", -1}};
  for (const auto& c : cases) {
    CControlHost host;
    ASSERT_TRUE(BuildInto(host, std::string("<Window><Combo name=\"combo\" selectedid=\"") + c.selected +
                                    "\"><Item text=\"a\"/><Item text=\"b\"/><Item text=\"c\"/></Combo></Window>"));
    auto* combo = static_cast<CComboUI*>(host.FindControl(L"combo")->GetInterface(L"Combo"));
    ASSERT_NE(combo, nullptr) << c.label;
    EXPECT_EQ(combo->GetCurSel(), c.expected) << c.label;
  }
}

TEST(Layout_Build, RefusesLayoutsItCannotBuild) {
  std::string deep = "<Window>";
  for (int i = 0; i < 200; ++i) deep += "<VerticalLayout>";
  for (int i = 0; i < 200; ++i) deep += "</VerticalLayout>";
  deep += "</Window>";
  const struct {
    const char* label;
    std::string xml;
  } cases[] = {
      {"malformed XML", "<Window size=\"600,400\"><VerticalLayout></Window>"},
      {"not XML at all", "\x89PNG garbage"},
      {"empty", ""},
      {"root is not Window", "<Layout><VerticalLayout/></Layout>"},
      {"Window without a control", "<Window size=\"1,1\"><Font id=\"0\" name=\"x\"/></Window>"},
      {"nested beyond reason", deep},
  };
  for (const auto& c : cases) {
    LayoutDocument document;
    std::wstring error;
    EXPECT_FALSE(BuildLayout(ByteBuffer(c.xml.begin(), c.xml.end()), nullptr, document, error)) << c.label;
    EXPECT_FALSE(error.empty()) << c.label;
  }
}

namespace {

class MarkerControl : public CLabelUI {
 public:
  std::wstring GetClass() const override { return L"Marker"; }
};

class TagCallback : public IBuilderCallback {
 public:
  CControlUI* CreateControl(const std::wstring& tag) override {
    Asked.push_back(tag);
    return _wcsicmp(tag.c_str(), L"Marker") == 0 ? new MarkerControl : nullptr;
  }
  std::vector<std::wstring> Asked;
};

}  // namespace

TEST(Layout_Build, AsksTheBuilderCallbackForUnknownTagsOnly) {
  CControlHost host;
  TagCallback callback;
  ASSERT_TRUE(BuildInto(host,
                        R"(<Window><HorizontalLayout name="r"><marker name="m" width="30" text="x"/>
                           <Mystery name="q"/><Label name="l"/></HorizontalLayout></Window>)",
                        &callback));
  EXPECT_EQ(callback.Asked, (std::vector<std::wstring>{L"marker", L"Mystery"}));
  ASSERT_NE(host.FindControl(L"m"), nullptr);
  EXPECT_EQ(host.FindControl(L"m")->GetClass(), L"Marker");
  EXPECT_EQ(host.FindControl(L"m")->GetFixedWidth(), 30);
  EXPECT_EQ(host.FindControl(L"q"), nullptr) << "a tag nobody knows is left out";
  EXPECT_NE(host.FindControl(L"l"), nullptr);
}

TEST(ResourceArchive_Lookup, IgnoresCaseAndSeparatorKind) {
  CMemoryArchive archive;
  archive.Add(L"mainWnd.xml", std::string("<Window/>"));
  archive.Add(L"exitTipWnd.xml", std::string("x"));
  archive.Add(L"res/mainWnd/bg1.png", std::string("png"));
  archive.Add(L"res/mainWnd/installBtnAnimate/007.png", std::string("frame"));
  wchar_t frame[260];
  swprintf(frame, 260, L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 7);
  const struct {
    const wchar_t* name;
    bool found;
  } cases[] = {
      {L"MainWnd.xml", true}, {L"ExitTipWnd.xml", true}, {L"res\\mainWnd\\bg1.png", true},
      {L"RES/MAINWND/BG1.PNG", true}, {frame, true}, {L"res\\mainWnd\\bg2.png", false}, {L"", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(archive.Find(c.name) != nullptr, c.found) << Narrow(c.name);
}

TEST(LanguageTable_Apply, ReplacesKnownIdsAndLeavesTheRest) {
  CLanguageTable& table = CLanguageTable::Instance();
  table.Clear();
  EXPECT_EQ(table.Apply(L"%{104}"), L"%{104}") << "empty table";
  table.Set(104, L"space");
  table.Set(7, L"seven");
  table.Set(7, L"SEVEN");  // replaces
  const struct {
    const wchar_t* text;
    const wchar_t* expected;
  } cases[] = {
      {L"%{104}", L"space"},       {L"a%{104}b%{7}c", L"aspacebSEVENc"}, {L"%{105}", L"%{105}"},
      {L"%{}", L"%{}"},            {L"%{10x}", L"%{10x}"},               {L"%{104", L"%{104"},
      {L"%%{104}", L"%space"},     {L"{104}", L"{104}"},                 {L"%{99999999999999}", L"%{99999999999999}"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(table.Apply(c.text), c.expected) << Narrow(c.text);
  table.Clear();
}

TEST(ImageSpec_Parse, ReadsEveryFieldAndToleratesJunk) {
  const ImageSpec full = ParseImageSpec(
      L"file='res\\mainWnd\\installPrg1.png' dest='0,3,15,17' source='1,2,3,4' corner='2,2,2,2' mask='#FF0000' "
      L"fade='128' hole='true' xtiled='true' ytiled='false'");
  EXPECT_EQ(full.File, L"res\\mainWnd\\installPrg1.png");
  EXPECT_TRUE(full.HasDest);
  EXPECT_EQ(full.Dest.right, 15);
  EXPECT_EQ(full.Dest.bottom, 17);
  EXPECT_TRUE(full.HasSource);
  EXPECT_EQ(full.Corner.left, 2);
  EXPECT_TRUE(full.HasMask);
  EXPECT_EQ(full.Mask, 0xFFFF0000u);
  EXPECT_EQ(full.Fade, 128);
  EXPECT_TRUE(full.Hole);
  EXPECT_TRUE(full.TileX);
  EXPECT_FALSE(full.TileY);

  EXPECT_EQ(ParseImageSpec(L"res\\common\\closebtn1.png").File, L"res\\common\\closebtn1.png");
  const ImageSpec junk = ParseImageSpec(L"file='a.png' fade='999' dest='x,y' mask='red' bogus='1' corner=");
  EXPECT_EQ(junk.File, L"a.png");
  EXPECT_EQ(junk.Fade, 255);
  EXPECT_FALSE(junk.HasDest);
  EXPECT_FALSE(junk.HasMask);
  EXPECT_TRUE(ParseImageSpec(L"").Empty());
  EXPECT_TRUE(ParseImageSpec(L"file='unterminated").File == L"unterminated");
}
