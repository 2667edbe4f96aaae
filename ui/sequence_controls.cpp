#include "ui/sequence_controls.h"

#include "uiframework/attribute_parse.h"

namespace SkinUI {
namespace {

// One tick of a control's animation: shows the next frame as the control's
// background image, or ends a non-looping run.
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

}  // namespace

CSequenceLabelUI::CSequenceLabelUI() = default;

CSequenceLabelUI::~CSequenceLabelUI() { KillTimer(kSequenceTimerId); }

std::wstring CSequenceLabelUI::GetClass() const { return kSequenceLabelClass; }

void* CSequenceLabelUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, kSequenceLabelClass) ? this : CLabelUI::GetInterface(name);
}

void CSequenceLabelUI::DoInit() {
  CLabelUI::DoInit();
  if (m_Sequence.AutoStart) SetTimer(kSequenceTimerId, static_cast<UINT>(m_Sequence.Span));
}

void CSequenceLabelUI::DoEvent(ControlEvent& event) {
  CLabelUI::DoEvent(event);
  if (event.Type == ControlEventType::Timer) AdvanceSequence(*this, m_Sequence);
}

void CSequenceLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (!m_Sequence.SetAttribute(name, value)) CLabelUI::SetAttribute(name, value);
}

void CSequenceLabelUI::StartSequence() {
  m_Sequence.Current = 0;
  SetTimer(kSequenceTimerId, static_cast<UINT>(m_Sequence.Span));
}

CSequenceButtonUI::CSequenceButtonUI() {
  m_Sequence.Span = 60;
  m_Sequence.Round = true;
}

CSequenceButtonUI::~CSequenceButtonUI() { KillTimer(kSequenceTimerId); }

std::wstring CSequenceButtonUI::GetClass() const { return kSequenceButtonClass; }

void* CSequenceButtonUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, kSequenceButtonClass) ? this : CButtonUI::GetInterface(name);
}

void CSequenceButtonUI::DoInit() {
  CButtonUI::DoInit();
  if (m_Sequence.AutoStart) SetTimer(kSequenceTimerId, static_cast<UINT>(m_Sequence.Span));
}

void CSequenceButtonUI::DoEvent(ControlEvent& event) {
  CButtonUI::DoEvent(event);
  if (event.Type == ControlEventType::Timer) AdvanceSequence(*this, m_Sequence);
}

void CSequenceButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (!m_Sequence.SetAttribute(name, value)) CButtonUI::SetAttribute(name, value);
}

CControlUI* CreateCustomControl(const std::wstring& tag) {
  if (EqualsNoCase(tag, kSequenceButtonClass)) return new CSequenceButtonUI();
  if (EqualsNoCase(tag, kSequenceLabelClass)) return new CSequenceLabelUI();
  return nullptr;
}

}  // namespace SkinUI
