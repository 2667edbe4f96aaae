#include "ui/frame_sequence.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

using SkinUI::FormatFrameName;
using SkinUI::FrameSequence;

namespace {

// The frames shown by ticks ticks; -1 marks the tick that stopped the run
// (nothing is shown after it).
std::vector<int> Ticks(FrameSequence sequence, int ticks) {
  std::vector<int> shown;
  for (int i = 0; i < ticks; ++i) {
    unsigned frame = 0;
    const FrameSequence::Step step = sequence.Tick(frame);
    if (step == FrameSequence::Step::Stop) {
      shown.push_back(-1);
      break;
    }
    if (step == FrameSequence::Step::Show) shown.push_back(static_cast<int>(frame));
  }
  return shown;
}

FrameSequence Make(unsigned count, bool loop, bool round) {
  FrameSequence sequence;
  sequence.Pattern = L"f%d.png";
  sequence.Count = count;
  sequence.Loop = loop;
  sequence.Round = round;
  return sequence;
}

}  // namespace

TEST(FrameSequence_Tick, LoopAndRoundGiveTheirSequences) {
  struct Case {
    const char* label;
    FrameSequence sequence;
    int ticks;
    std::vector<int> expected;
  } cases[] = {
      {"loop, one way: 0..n-1 then again", Make(4, true, false), 10, {0, 1, 2, 3, 0, 1, 2, 3, 0, 1}},
      {"no loop, one way: stops with n-1 shown", Make(4, false, false), 10, {0, 1, 2, 3, -1}},
      {"loop, back and forth: end frames once per turn", Make(4, true, true), 12,
       {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1}},
      {"no loop, back and forth: stops with frame 1 shown", Make(4, false, true), 12, {0, 1, 2, 3, 2, 1, -1}},
      {"one frame, back and forth: stays on frame 0", Make(1, true, true), 4, {0, 0, 0, 0}},
      {"one frame, back and forth, no loop: stops after it", Make(1, false, true), 4, {0, -1}},
      {"count 0 never wraps", Make(0, true, false), 5, {0, 1, 2, 3, 4}},
      {"count 0 without loop never stops", Make(0, false, false), 3, {0, 1, 2}},
      {"empty pattern does nothing", [] { FrameSequence s = Make(4, true, false); s.Pattern.clear(); return s; }(), 5,
       {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Ticks(c.sequence, c.ticks), c.expected) << c.label;
}

TEST(FrameSequence_Attributes, NamesValuesAndSwitches) {
  FrameSequence sequence;
  EXPECT_TRUE(sequence.SetAttribute(L"sequencebkimage", L"res\\a\\%.3d.png"));
  EXPECT_FALSE(sequence.SetAttribute(L"SequenceBkImage", L"other")) << "the pattern's name is case-sensitive";
  EXPECT_EQ(sequence.Pattern, L"res\\a\\%.3d.png");
  EXPECT_TRUE(sequence.SetAttribute(L"SEQUENCECOUNT", L"60"));
  EXPECT_EQ(sequence.Count, 60u);
  EXPECT_TRUE(sequence.SetAttribute(L"SequenceSpan", L"45"));
  EXPECT_EQ(sequence.Span, 45);
  for (const wchar_t* unusable : {L"-30", L"0", L"fast"}) {
    EXPECT_TRUE(sequence.SetAttribute(L"sequencespan", unusable));
    EXPECT_EQ(sequence.Span, 45) << "sequencespan=" << unusable << " must keep the last span";
  }
  EXPECT_FALSE(sequence.SetAttribute(L"bkimage", L"x.png"));

  struct Switch {
    const wchar_t* value;
    bool expected;
  } switches[] = {{L"false", false}, {L"False", true}, {L"true", true}, {L"0", true}, {L"", true}};
  for (const Switch& s : switches) {
    for (const wchar_t* name : {L"sequenceloop", L"AutoStart", L"sequenceROUND"}) {
      FrameSequence fresh;
      fresh.Loop = fresh.AutoStart = fresh.Round = !s.expected;
      ASSERT_TRUE(fresh.SetAttribute(name, s.value));
      const bool value = std::wstring(name) == L"sequenceloop" ? fresh.Loop
                         : std::wstring(name) == L"AutoStart"  ? fresh.AutoStart
                                                                : fresh.Round;
      EXPECT_EQ(value, s.expected) << std::string(name, name + wcslen(name)) << " = \""
                                   << std::string(s.value, s.value + wcslen(s.value)) << '"';
    }
  }
}

TEST(FrameSequence_FormatFrameName, FormatsOneIntegerAndRefusesTheRest) {
  struct Case {
    const wchar_t* pattern;
    unsigned frame;
    const wchar_t* expected;
  } cases[] = {
      {L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 7, L"res\\mainWnd\\installBtnAnimate\\007.png"},
      {L"a%03u-%%.png", 59, L"a059-%.png"},
      {L"a%x.png", 255, L"aff.png"},
      {L"plain.png", 1, L""},          // no conversion
      {L"%d-%d.png", 1, L""},          // two conversions
      {L"%s.png", 1, L""},             // not an integer
      {L"%n.png", 1, L""},
      {L"%ld.png", 1, L""},            // length modifiers are not accepted
      {L"%9999d.png", 1, L""},         // would not fit a path
      {L"%", 1, L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFrameName(c.pattern, c.frame), c.expected)
        << std::string(c.pattern, c.pattern + wcslen(c.pattern));
  }
}
