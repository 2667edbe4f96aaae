#pragma once
// The animation state shared by the frame-sequence controls and its stepping
// rules, kept free of windows so that the sequences can be tested as data.
// Each frame is an image whose name is formatted from a pattern with one
// integer conversion, for example "res\mainWnd\installBtnAnimate\%.3d.png".
#include <string>

namespace SkinUI {

// Timer id of the frame animation on its control.
inline constexpr unsigned kSequenceTimerId = 2100;

struct FrameSequence {
  std::wstring Pattern;
  unsigned Count = 0;
  int Span = 30;          // milliseconds per frame
  bool AutoStart = false;
  bool Loop = true;
  bool Forward = true;    // current direction
  bool Round = false;     // play forward, then backward
  unsigned Current = 0;

  enum class Step { Nothing, Show, Stop };
  // One timer tick. Show: frame is the frame to display now (the current
  // frame has moved on). Stop: a non-looping run has ended; the timer must go.
  Step Tick(unsigned& frame);

  // Handles the sequence attributes of a layout; false for any other name.
  bool SetAttribute(const std::wstring& name, const std::wstring& value);
};

// The pattern formatted with the frame number, or empty when the pattern is
// not a file name with exactly one integer conversion (%d, %i, %u, %x, %X with
// optional flags, width and precision; "%%" is a percent sign) or the result
// would not fit a path. Layout text never reaches printf unchecked.
std::wstring FormatFrameName(const std::wstring& pattern, unsigned frame);

}  // namespace SkinUI
