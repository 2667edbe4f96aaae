#include "ui/sequence_controls.h"

#include "uiframework/attribute_parse.h"

namespace SkinUI {

void AdvanceSequence(CControlUI& control, FrameSequence& sequence) {
  unsigned frame = 0;
  switch (sequence.Tick(frame)) {
    case FrameSequence::Step::Show:
      // A frame whose image is missing just leaves the control without one.
      control.SetBkImage(FormatFrameName(sequence.Pattern, frame));
      control.Invalidate();
      break;
    case FrameSequence::Step::Stop:
      control.KillTimer(kSequenceTimerId);
      break;
    case FrameSequence::Step::Nothing:
      break;
  }
}

std::wstring CSequenceLabelUI::GetClass() const { return kSequenceLabelClass; }

void* CSequenceLabelUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, kSequenceLabelClass) ? this : CLabelUI::GetInterface(name);
}

void CSequenceLabelUI::StartSequence() {
  m_Sequence.Current = 0;
  SetTimer(kSequenceTimerId, static_cast<UINT>(m_Sequence.Span));
}

CSequenceButtonUI::CSequenceButtonUI() {
  m_Sequence.Span = 60;
  m_Sequence.Round = true;
}

std::wstring CSequenceButtonUI::GetClass() const { return kSequenceButtonClass; }

void* CSequenceButtonUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, kSequenceButtonClass) ? this : CButtonUI::GetInterface(name);
}

CControlUI* CreateCustomControl(const std::wstring& tag) {
  if (EqualsNoCase(tag, kSequenceButtonClass)) return new CSequenceButtonUI();
  if (EqualsNoCase(tag, kSequenceLabelClass)) return new CSequenceLabelUI();
  return nullptr;
}

}  // namespace SkinUI
