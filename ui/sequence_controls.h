#pragma once
// The frame-sequence controls: a label and a button that animate by swapping
// their background image on the control's timer kSequenceTimerId, one frame
// image per tick (see FrameSequence). Layout tags "SequenceLabel" and
// "SequenceButton", created through the installer's builder callback.
// UI thread only.
#include <string>

#include "ui/frame_sequence.h"
#include "uiframework/button.h"
#include "uiframework/label.h"

namespace SkinUI {

class CSequenceLabelUI : public CLabelUI {
 public:
  CSequenceLabelUI();
  ~CSequenceLabelUI() override;

  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void DoInit() override;
  void DoEvent(ControlEvent& event) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  // The animation is the background; a label has no status images to draw.
  void PaintStatusImage(HDC) override {}

  void SetSequenceImagePattern(const std::wstring& pattern) { m_Sequence.Pattern = pattern; }
  const std::wstring& GetSequenceImagePattern() const { return m_Sequence.Pattern; }
  void SetSequenceCount(unsigned count) { m_Sequence.Count = count; }
  unsigned GetSequenceCount() const { return m_Sequence.Count; }
  // Takes effect when the timer is next started; a running timer keeps its period.
  void SetSequenceSpan(int span) { m_Sequence.Span = span; }
  int GetSequenceSpan() const { return m_Sequence.Span; }

  // Rewinds to frame 0 and starts the timer (a running timer keeps running
  // with its period). The direction is kept.
  void StartSequence();

  const FrameSequence& Sequence() const { return m_Sequence; }

 private:
  FrameSequence m_Sequence;
};

class CSequenceButtonUI : public CButtonUI {
 public:
  CSequenceButtonUI();
  ~CSequenceButtonUI() override;

  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  void DoInit() override;
  void DoEvent(ControlEvent& event) override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  void SetSequenceImagePattern(const std::wstring& pattern) { m_Sequence.Pattern = pattern; }
  const std::wstring& GetSequenceImagePattern() const { return m_Sequence.Pattern; }
  void SetSequenceCount(unsigned count) { m_Sequence.Count = count; }
  unsigned GetSequenceCount() const { return m_Sequence.Count; }
  void SetSequenceSpan(int span) { m_Sequence.Span = span; }
  int GetSequenceSpan() const { return m_Sequence.Span; }

  const FrameSequence& Sequence() const { return m_Sequence; }

 private:
  FrameSequence m_Sequence;
};

// Layout tag names of the two controls.
inline constexpr wchar_t kSequenceLabelClass[] = L"SequenceLabel";
inline constexpr wchar_t kSequenceButtonClass[] = L"SequenceButton";

// The installer's builder callback: a new frame-sequence control for the tags
// "SequenceLabel" and "SequenceButton" (any case), otherwise null.
CControlUI* CreateCustomControl(const std::wstring& tag);

}  // namespace SkinUI
