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

// One tick of a control's animation: shows the next frame as the control's
// background image, or ends a non-looping run.
void AdvanceSequence(CControlUI& control, FrameSequence& sequence);

// What both controls add to their base: the sequence, its layout attributes,
// the start with the window when "autostart" is set, and one frame per tick
// of kSequenceTimerId. The control's destruction takes its timer along.
template <typename Base>
class CFrameSequenceControl : public Base {
 public:
  void DoInit() override {
    Base::DoInit();
    if (m_Sequence.AutoStart) this->SetTimer(kSequenceTimerId, static_cast<UINT>(m_Sequence.Span));
  }
  void DoEvent(ControlEvent& event) override {
    Base::DoEvent(event);
    // Other timers of the control are its listeners' business.
    if (event.Type == ControlEventType::Timer && event.wParam == kSequenceTimerId) AdvanceSequence(*this, m_Sequence);
  }
  void SetAttribute(const std::wstring& name, const std::wstring& value) override {
    if (!m_Sequence.SetAttribute(name, value)) Base::SetAttribute(name, value);
  }

  void SetSequenceImagePattern(const std::wstring& pattern) { m_Sequence.Pattern = pattern; }
  const std::wstring& GetSequenceImagePattern() const { return m_Sequence.Pattern; }
  void SetSequenceCount(unsigned count) { m_Sequence.Count = count; }
  unsigned GetSequenceCount() const { return m_Sequence.Count; }
  // Takes effect when the timer is next started; a running timer keeps its period.
  void SetSequenceSpan(int span) { m_Sequence.Span = span; }
  int GetSequenceSpan() const { return m_Sequence.Span; }

  const FrameSequence& Sequence() const { return m_Sequence; }

 protected:
  FrameSequence m_Sequence;
};

class CSequenceLabelUI : public CFrameSequenceControl<CLabelUI> {
 public:
  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
  // The animation is the background; a label has no status images to draw.
  void PaintStatusImage(HDC) override {}

  // Rewinds to frame 0 and starts the timer (a running timer keeps running
  // with its period). The direction is kept.
  void StartSequence();
};

class CSequenceButtonUI : public CFrameSequenceControl<CButtonUI> {
 public:
  CSequenceButtonUI();

  std::wstring GetClass() const override;
  void* GetInterface(const std::wstring& name) override;
};

// Layout tag names of the two controls.
inline constexpr wchar_t kSequenceLabelClass[] = L"SequenceLabel";
inline constexpr wchar_t kSequenceButtonClass[] = L"SequenceButton";

// The installer's builder callback: a new frame-sequence control for the tags
// "SequenceLabel" and "SequenceButton" (any case), otherwise null.
CControlUI* CreateCustomControl(const std::wstring& tag);

}  // namespace SkinUI
