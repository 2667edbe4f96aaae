// Real windows under Wine (Xvfb): mouse and keyboard input, notifications,
// timers, tab pages, native edit and combo boxes, default buttons, modal
// loops, centring and the window attributes.
#include <gtest/gtest.h>

#include <thread>

#include "ui_test_support.h"
#include "uiframework/check_box.h"
#include "uiframework/combo.h"
#include "uiframework/container.h"
#include "uiframework/edit.h"
#include "uiframework/native_wnd.h"
#include "uiframework/skin_constants.h"

using namespace SkinUI;
using namespace uiframework_test;

namespace {

const char kWindowLayout[] = R"(<Window size="300,200" caption="0,0,0,30" roundcorner="4,4">
  <Font id="0" name="微软雅黑" size="14" default="true"/>
  <VerticalLayout name="root" bkcolor="#FFFFFFFF">
    <HorizontalLayout height="30">
      <Control/>
      <Button name="closebtn" width="24" height="24"/>
    </HorizontalLayout>
    <HorizontalLayout height="40">
      <Button name="ok" width="60" text="OK"/>
      <CheckBox name="agree" width="60" text="agree"/>
      <Button name="off" width="60" enabled="false"/>
      <Edit name="edit" width="60"/>
      <Combo name="combo" width="60"><Item text="en-US"/><Item text="zh-CN"/><Item text="zh-TW"/></Combo>
    </HorizontalLayout>
    <TabLayout name="tabs">
      <Control name="page0"/>
      <Control name="page1"/>
    </TabLayout>
  </VerticalLayout>
</Window>)";

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto archive = InstallArchive();
    archive->Add(L"test.xml", std::string(kWindowLayout));
    // Hidden: Wine without a window manager waits 2 s for a shown window to
    // be withdrawn when it is destroyed. Posted input works all the same.
    ASSERT_NE(m_Window.Create(nullptr, L"test", WS_OVERLAPPEDWINDOW, 0), nullptr);
    PumpMessages(2000, [this] { return Count(kNotifyWindowInit) == 1; });
    ASSERT_EQ(Count(kNotifyWindowInit), 1);
    m_Window.Host().UpdateLayout();
    m_Window.Recorded.clear();
  }
  void TearDown() override { SetResourceArchive(nullptr); }

  int Count(const std::wstring& type, const std::wstring& sender = L"") const {
    int n = 0;
    for (const auto& r : m_Window.Recorded)
      if (r.Type == type && (sender.empty() || r.Sender == sender)) ++n;
    return n;
  }
  std::vector<std::wstring> Types() const {
    std::vector<std::wstring> types;
    for (const auto& r : m_Window.Recorded) types.push_back(r.Type);
    return types;
  }
  void PostClick(const wchar_t* name) {
    const LPARAM at = CenterOf(*m_Window.FindControl(name));
    m_Window.PostMessage(WM_MOUSEMOVE, 0, at);
    m_Window.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_Window.PostMessage(WM_LBUTTONUP, 0, at);
  }
  template <typename T>
  T* Get(const wchar_t* name, const wchar_t* kind) {
    return static_cast<T*>(m_Window.FindControl(name)->GetInterface(kind));
  }

  RecordingWindow m_Window{L"test.xml"};
};

}  // namespace

TEST_F(WindowTest, PostedMouseMessagesOnAButtonGiveOneClick) {
  PostClick(L"ok");
  PumpMessages(300);
  EXPECT_EQ(Count(kNotifyClick), 1);
  EXPECT_EQ(Count(kNotifyClick, L"ok"), 1);

  // Disabled buttons and presses released elsewhere give none.
  m_Window.Recorded.clear();
  PostClick(L"off");
  m_Window.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, CenterOf(*m_Window.FindControl(L"ok")));
  m_Window.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 150));
  m_Window.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 150));
  PumpMessages(300);
  EXPECT_EQ(Count(kNotifyClick), 0);
  EXPECT_FALSE(m_Window.FindControl(L"ok")->IsPushed());
}

TEST_F(WindowTest, CheckBoxTogglesAndNotifiesOnlyWhenAsked) {
  auto* agree = Get<CCheckBoxUI>(L"agree", L"CheckBox");
  ASSERT_FALSE(agree->IsSelected());
  PostClick(L"agree");
  PumpMessages(300);
  EXPECT_TRUE(agree->IsSelected());
  EXPECT_EQ(Types(), (std::vector<std::wstring>{kNotifySelectChanged, kNotifyClick}));
  EXPECT_EQ(m_Window.Recorded[0].Sender, L"agree");

  m_Window.Recorded.clear();
  agree->SetCheck(false, false);
  agree->SetCheck(false, true);  // no change, no notification
  EXPECT_FALSE(agree->IsSelected());
  EXPECT_TRUE(m_Window.Recorded.empty());
  agree->SetCheck(true, true);
  EXPECT_EQ(Count(kNotifySelectChanged, L"agree"), 1);
}

TEST_F(WindowTest, TabPageChangeNotifiesOnceAndReselectingDoesNot) {
  auto* tabs = Get<CTabLayoutUI>(L"tabs", L"TabLayout");
  EXPECT_TRUE(tabs->SelectItem(1));
  EXPECT_FALSE(tabs->SelectItem(1));
  PumpMessages(50);
  ASSERT_EQ(Count(kNotifyTabSelect), 1);
  EXPECT_EQ(m_Window.Recorded[0].Sender, L"tabs");
  EXPECT_EQ(m_Window.Recorded[0].wParam, 1u);
  EXPECT_EQ(m_Window.Recorded[0].lParam, 0);
  EXPECT_TRUE(tabs->SelectItem(0, false));
  EXPECT_EQ(Count(kNotifyTabSelect), 1) << "a change without notification";
}

TEST_F(WindowTest, ControlTimerFiresWithItsIdUntilKilled) {
  CControlUI* root = m_Window.Host().GetRoot();
  ASSERT_TRUE(root->SetTimer(42, 20));
  ASSERT_TRUE(root->SetTimer(42, 5000)) << "an active timer is kept, not re-armed";
  PumpMessages(2000, [this] { return Count(kNotifyTimer) >= 2; });
  ASSERT_GE(Count(kNotifyTimer, L"root"), 2) << "the 20 ms period still applies";
  EXPECT_EQ(m_Window.Recorded[0].wParam, 42u);
  EXPECT_TRUE(root->KillTimer(42));
  EXPECT_FALSE(root->KillTimer(42));
  PumpMessages(30);
  m_Window.Recorded.clear();
  PumpMessages(120);
  EXPECT_EQ(Count(kNotifyTimer), 0);
}

TEST(ControlHost_Detach, StopsTheTimersItSetOnTheWindowItLeaves) {
  CControlHost host;
  ASSERT_TRUE(BuildInto(host, "<Window><Control/></Window>"));
  const HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  host.Attach(hwnd);
  ASSERT_TRUE(host.GetRoot()->SetTimer(1, 10));
  host.Detach();
  ::Sleep(60);
  MSG msg{};
  EXPECT_FALSE(::PeekMessageW(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE)) << "the window still gets the host's timer";
  ::DestroyWindow(hwnd);
}

TEST_F(WindowTest, PaintingAfterALayoutChangeLeavesNothingToPaint) {
  const HWND hwnd = m_Window.GetHWND();
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  PumpMessages(200);
  m_Window.FindControl(L"ok")->SetFixedWidth(70);  // asks for a layout pass
  ::UpdateWindow(hwnd);
  EXPECT_FALSE(::GetUpdateRect(hwnd, nullptr, FALSE)) << "the layout pass invalidated the window inside its paint";
  EXPECT_EQ(m_Window.FindControl(L"ok")->GetPos().right - m_Window.FindControl(L"ok")->GetPos().left, 70);
  ::ShowWindow(hwnd, SW_HIDE);
}

TEST_F(WindowTest, PostedNotificationArrivesAfterALaterSynchronousOne) {
  CControlHost& host = m_Window.Host();
  host.SendNotify(host.GetRoot(), L"install", 1, 0, true);
  EXPECT_TRUE(m_Window.Recorded.empty()) << "posted: not delivered before the loop runs";
  host.SendNotify(host.GetRoot(), L"checknet", 0, 0, false);
  std::thread worker([&host] {
    Notification fromWorker;
    fromWorker.Type = L"checknet";
    fromWorker.Sender = host.GetRoot();
    fromWorker.wParam = 65536;
    host.PostNotify(fromWorker);
  });
  worker.join();
  PumpMessages(300, [this] { return m_Window.Recorded.size() >= 3; });
  EXPECT_EQ(Types(), (std::vector<std::wstring>{L"checknet", L"install", L"checknet"}));
  ASSERT_EQ(m_Window.Recorded.size(), 3u);
  EXPECT_EQ(m_Window.Recorded[2].wParam, 65536u);
  EXPECT_EQ(m_Window.Recorded[2].Sender, L"root");
}

TEST_F(WindowTest, TabMovesFocusAndEnterOrSpacePressTheFocusedControl) {
  const HWND hwnd = m_Window.GetHWND();
  ::PostMessageW(hwnd, WM_KEYDOWN, VK_TAB, 0);  // closebtn
  ::PostMessageW(hwnd, WM_KEYDOWN, VK_TAB, 0);  // ok
  PumpMessages(100);
  ASSERT_EQ(m_Window.Host().GetFocus(), m_Window.FindControl(L"ok"));
  ::PostMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages(100);
  EXPECT_EQ(Count(kNotifyClick, L"ok"), 1);

  ::PostMessageW(hwnd, WM_KEYDOWN, VK_TAB, 0);  // agree (the disabled button is skipped next)
  ::PostMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0);
  PumpMessages(100);
  EXPECT_TRUE(Get<CCheckBoxUI>(L"agree", L"CheckBox")->IsSelected());

  ::PostMessageW(hwnd, WM_KEYDOWN, VK_TAB, 0);  // the edit box, a native child
  PumpMessages(100);
  EXPECT_EQ(m_Window.Host().GetFocus(), m_Window.FindControl(L"edit"));
  EXPECT_EQ(::GetFocus(), m_Window.FindControl(L"edit")->GetNativeWindow());
  // Tab out of the native child goes on to the combo, then wraps around.
  ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  ::PostMessageW(hwnd, WM_KEYDOWN, VK_TAB, 0);
  PumpMessages(100);
  EXPECT_EQ(m_Window.Host().GetFocus(), m_Window.FindControl(L"closebtn"));
}

TEST_F(WindowTest, MessageFilterCanSwallowKeysBeforeTheControlsSeeThem) {
  m_Window.OnFilter = [](UINT message, WPARAM key) { return message == WM_KEYDOWN && key == VK_ESCAPE; };
  m_Window.FindControl(L"ok")->SetFocus();
  ::PostMessageW(m_Window.GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::PostMessageW(m_Window.GetHWND(), WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages(100);
  EXPECT_EQ(Count(kNotifyClick, L"ok"), 1) << "Enter still reaches the button";
  m_Window.OnFilter = [](UINT message, WPARAM key) { return message == WM_KEYDOWN && key == VK_RETURN; };
  ::PostMessageW(m_Window.GetHWND(), WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages(100);
  EXPECT_EQ(Count(kNotifyClick, L"ok"), 1) << "a swallowed Enter presses nothing";
}

TEST_F(WindowTest, EditBoxEditsTextAndComboSelectsItems) {
  auto* edit = Get<CEditUI>(L"edit", L"Edit");
  const HWND native = edit->GetNativeWindow();
  ASSERT_NE(native, nullptr);
  EXPECT_TRUE(::GetWindowLongPtrW(native, GWL_STYLE) & WS_VISIBLE);
  edit->SetText(L"C:\\Apps");
  EXPECT_EQ(Count(kNotifyTextChanged), 0) << "programmatic text is not the user's typing";
  ::SendMessageW(native, EM_SETSEL, 7, 7);
  ::SendMessageW(native, WM_CHAR, L'X', 0);
  EXPECT_EQ(edit->GetText(), L"C:\\AppsX");
  EXPECT_EQ(Count(kNotifyTextChanged, L"edit"), 1);

  auto* combo = Get<CComboUI>(L"combo", L"Combo");
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_TRUE(combo->SelectItem(2));
  EXPECT_FALSE(combo->SelectItem(2));
  EXPECT_FALSE(combo->SelectItem(3));
  EXPECT_EQ(Count(kNotifyItemSelect, L"combo"), 1);
  EXPECT_EQ(combo->GetText(), L"zh-TW");
  // The user picking an item in the native list.
  const HWND list = combo->GetNativeWindow();
  ::SendMessageW(list, CB_SETCURSEL, 1, 0);
  ::SendMessageW(m_Window.GetHWND(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(Count(kNotifyItemSelect, L"combo"), 2);

  // Native children follow their page and their control's visibility.
  edit->SetVisible(false);
  m_Window.Host().UpdateLayout();
  EXPECT_FALSE(::GetWindowLongPtrW(native, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(WindowTest, WindowTakesLayoutSizeAndRoundedRegion) {
  RECT window{};
  ::GetWindowRect(m_Window.GetHWND(), &window);
  EXPECT_EQ(window.right - window.left, 300);
  EXPECT_EQ(window.bottom - window.top, 200);
  RECT client{};
  ::GetClientRect(m_Window.GetHWND(), &client);
  EXPECT_EQ(client.right, 300) << "no system frame";
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(::GetWindowRgn(m_Window.GetHWND(), region), ERROR);
  ::DeleteObject(region);
  // The drag area answers as a caption except over controls.
  POINT title{100, 10}, close = {0, 0};
  const RECT& closeRect = m_Window.FindControl(L"closebtn")->GetPos();
  close = POINT{(closeRect.left + closeRect.right) / 2, (closeRect.top + closeRect.bottom) / 2};
  ::ClientToScreen(m_Window.GetHWND(), &title);
  ::ClientToScreen(m_Window.GetHWND(), &close);
  EXPECT_EQ(m_Window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTCAPTION);
  EXPECT_EQ(m_Window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLIENT);
}

TEST_F(WindowTest, CloseButtonClosesTheWindowByDefault) {
  PostClick(L"closebtn");
  PumpMessages(1000, [this] { return m_Window.GetHWND() == nullptr; });
  EXPECT_EQ(m_Window.GetHWND(), nullptr);
  EXPECT_EQ(Count(kNotifyClick, L"closebtn"), 1);
}

TEST_F(WindowTest, ModalLoopDisablesTheOwnerAndReturnsTheCloseResult) {
  RecordingWindow dialog(L"test.xml");
  ASSERT_NE(dialog.Create(m_Window.GetHWND(), L"dialog", WS_OVERLAPPEDWINDOW, 0), nullptr);
  dialog.CenterWindow();
  bool ownerEnabledInside = true;
  dialog.OnNotify = [&](Notification& n) {
    if (n.Type == kNotifyTimer) {
      ownerEnabledInside = ::IsWindowEnabled(m_Window.GetHWND()) != FALSE;
      n.Sender->KillTimer(7);
      dialog.Close(5);
    }
  };
  dialog.Host().GetRoot()->SetTimer(7, 30);
  EXPECT_EQ(dialog.ShowModal(), 5u);
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(::IsWindowEnabled(m_Window.GetHWND()));
  EXPECT_EQ(dialog.GetHWND(), nullptr);
}

TEST_F(WindowTest, QuitMessageEndsTheModalLoopAndIsPostedAgain) {
  RecordingWindow dialog(L"test.xml");
  ASSERT_NE(dialog.Create(m_Window.GetHWND(), L"dialog", WS_OVERLAPPEDWINDOW, 0), nullptr);
  ::PostQuitMessage(3);
  dialog.ShowModal();
  MSG msg{};
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_TRUE(::IsWindowEnabled(m_Window.GetHWND()));
}

TEST(Window_Centring, CentresOverTheAnchorInsideTheWorkArea) {
  const RECT area{0, 0, 1280, 1000};
  const struct {
    const char* label;
    RECT anchor;
    SIZE size;
    POINT expected;
  } cases[] = {
      {"work area", area, {600, 400}, {340, 300}},
      {"owner in the middle", {100, 100, 700, 500}, {360, 180}, {220, 210}},
      {"owner near the right edge", {1100, 100, 1280, 300}, {360, 180}, {920, 110}},
      {"owner above the top", {0, -300, 400, 0}, {360, 180}, {20, 0}},
  };
  for (const auto& c : cases) {
    const POINT at = CenteredPosition(c.anchor, c.size, area);
    EXPECT_EQ(at.x, c.expected.x) << c.label;
    EXPECT_EQ(at.y, c.expected.y) << c.label;
  }
}
