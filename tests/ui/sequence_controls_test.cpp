// The frame-sequence controls in a real window: autostart from the layout,
// frames as background images, the end of a non-looping run, StartSequence,
// and the builder callback that creates them.
#include "ui/sequence_controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/uiframework/ui_test_support.h"
#include "uiframework/control_host.h"
#include "uiframework/skin_constants.h"

using namespace SkinUI;
using namespace uiframework_test;

namespace {

const char kLayout[] = R"(<Window size="300,200">
  <VerticalLayout name="root">
    <SequenceLabel name="anim" height="40" sequencebkimage="f%.3d.png" sequencecount="3" sequencespan="15" autostart="true"/>
    <sequencelabel name="once" height="40" sequencebkimage="f%.3d.png" sequencecount="2" sequencespan="15" sequenceloop="false" autostart="true"/>
    <SequenceLabel name="manual" height="40" sequencebkimage="g%d.png" sequencespan="15"/>
    <SequenceButton name="button" height="40"/>
    <Unknown name="skipped"/>
  </VerticalLayout>
</Window>)";

class SequenceWindow : public RecordingWindow {
 public:
  SequenceWindow() : RecordingWindow(L"seq.xml") {}
  CControlUI* CreateControl(const std::wstring& tag) override { return CreateCustomControl(tag); }
};

class SequenceControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto archive = InstallArchive();
    archive->Add(L"seq.xml", std::string(kLayout));
    for (const wchar_t* name : {L"f000.png", L"f001.png", L"f002.png"}) archive->Add(name, MakeSolidPng(4, 4, 0xFF336699));
    ASSERT_NE(m_Window.Create(nullptr, L"seq", WS_OVERLAPPEDWINDOW, 0), nullptr);
  }
  void TearDown() override { SetResourceArchive(nullptr); }

  // The background images the control shows, one per timer tick.
  std::vector<std::wstring> WatchFrames(const wchar_t* name, size_t ticks) {
    std::vector<std::wstring> frames;
    CControlUI* control = m_Window.FindControl(name);
    m_Window.OnNotify = [&](Notification& n) {
      // The "timer" notification comes before the control moves on, so the
      // image seen here is the one the previous tick set.
      if (n.Type == kNotifyTimer && n.Sender == control) frames.push_back(control->GetBkImage());
    };
    PumpMessages(3000, [&] { return frames.size() > ticks; });
    m_Window.OnNotify = nullptr;
    if (!frames.empty()) frames.erase(frames.begin());
    frames.resize(ticks);
    return frames;
  }

  SequenceWindow m_Window;
};

}  // namespace

TEST_F(SequenceControlsTest, AutostartCyclesTheFramesFromTheLayout) {
  EXPECT_EQ(WatchFrames(L"anim", 5),
            (std::vector<std::wstring>{L"f000.png", L"f001.png", L"f002.png", L"f000.png", L"f001.png"}));
}

TEST_F(SequenceControlsTest, NonLoopingRunStopsOnItsLastFrame) {
  CControlUI* once = m_Window.FindControl(L"once");
  ASSERT_NE(once, nullptr);
  PumpMessages(3000, [&] { return !m_Window.Host().HasTimer(once, kSequenceTimerId); });
  EXPECT_FALSE(m_Window.Host().HasTimer(once, kSequenceTimerId));
  EXPECT_EQ(once->GetBkImage(), L"f001.png");
  EXPECT_TRUE(m_Window.Host().HasTimer(m_Window.FindControl(L"anim"), kSequenceTimerId));
}

TEST_F(SequenceControlsTest, StartSequenceRewindsWithoutChangingThePeriod) {
  auto* manual = static_cast<CSequenceLabelUI*>(m_Window.FindControl(L"manual")->GetInterface(kSequenceLabelClass));
  ASSERT_NE(manual, nullptr);
  EXPECT_FALSE(m_Window.Host().HasTimer(manual, kSequenceTimerId)) << "no autostart";
  manual->StartSequence();
  EXPECT_EQ(WatchFrames(L"manual", 3), (std::vector<std::wstring>{L"g0.png", L"g1.png", L"g2.png"}));
  // A longer span and a restart: frame 0 again, still ticking every 15 ms.
  manual->SetSequenceSpan(60000);
  manual->StartSequence();
  EXPECT_EQ(manual->Sequence().Current, 0u);
  EXPECT_EQ(WatchFrames(L"manual", 2), (std::vector<std::wstring>{L"g0.png", L"g1.png"}));
}

TEST_F(SequenceControlsTest, OtherTimersOfTheControlDoNotAdvanceIt) {
  CControlUI* manual = m_Window.FindControl(L"manual");
  ASSERT_NE(manual, nullptr);
  int ticks = 0;
  m_Window.OnNotify = [&](Notification& n) {
    if (n.Type == kNotifyTimer && n.Sender == manual) ++ticks;
  };
  ASSERT_TRUE(manual->SetTimer(7, 15));
  PumpMessages(3000, [&] { return ticks >= 3; });
  m_Window.OnNotify = nullptr;
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(manual->GetBkImage(), L"") << "a timer of another id showed a frame";
}

TEST_F(SequenceControlsTest, DestroyedControlTakesItsTimerAlong) {
  // Closing the window destroys the controls with their running timers; no
  // tick may reach a destroyed control.
  m_Window.Close(0);
  PumpMessages(100);
  EXPECT_EQ(m_Window.GetHWND(), nullptr);
}

TEST(SequenceControls, BuilderCallbackDefaultsAndAttributes) {
  EXPECT_EQ(CreateCustomControl(L"Label"), nullptr);
  EXPECT_EQ(CreateCustomControl(L"SequenceLabelX"), nullptr);

  std::unique_ptr<CControlUI> label(CreateCustomControl(L"sequencelabel"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetClass(), L"SequenceLabel");
  auto* sequenceLabel = static_cast<CSequenceLabelUI*>(label->GetInterface(L"SequenceLabel"));
  ASSERT_NE(sequenceLabel, nullptr);
  EXPECT_NE(label->GetInterface(L"Label"), nullptr);
  EXPECT_EQ(label->GetInterface(L"SequenceButton"), nullptr);

  std::unique_ptr<CControlUI> button(CreateCustomControl(L"SEQUENCEBUTTON"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetClass(), L"SequenceButton");
  auto* sequenceButton = static_cast<CSequenceButtonUI*>(button->GetInterface(L"sequencebutton"));
  ASSERT_NE(sequenceButton, nullptr);
  EXPECT_NE(button->GetInterface(L"Button"), nullptr);

  struct Defaults {
    const char* label;
    const FrameSequence& sequence;
    int span;
    bool round;
  } defaults[] = {{"label", sequenceLabel->Sequence(), 30, false}, {"button", sequenceButton->Sequence(), 60, true}};
  for (const Defaults& d : defaults) {
    EXPECT_EQ(d.sequence.Span, d.span) << d.label;
    EXPECT_EQ(d.sequence.Round, d.round) << d.label;
    EXPECT_TRUE(d.sequence.Loop) << d.label;
    EXPECT_TRUE(d.sequence.Forward) << d.label;
    EXPECT_FALSE(d.sequence.AutoStart) << d.label;
    EXPECT_EQ(d.sequence.Count, 0u) << d.label;
    EXPECT_EQ(d.sequence.Current, 0u) << d.label;
    EXPECT_TRUE(d.sequence.Pattern.empty()) << d.label;
  }

  // "SequenceBkImage" is not the pattern attribute; the base class ignores it.
  label->SetAttribute(L"SequenceBkImage", L"x%d.png");
  EXPECT_EQ(sequenceLabel->GetSequenceImagePattern(), L"");
  EXPECT_EQ(label->GetBkImage(), L"");
  label->SetAttribute(L"SEQUENCECOUNT", L"12");
  EXPECT_EQ(sequenceLabel->GetSequenceCount(), 12u);
  // Ordinary attributes still reach the base classes.
  button->SetAttribute(L"name", L"b");
  button->SetAttribute(L"sequencespan", L"90");
  EXPECT_EQ(button->GetName(), L"b");
  EXPECT_EQ(sequenceButton->GetSequenceSpan(), 90);
}
