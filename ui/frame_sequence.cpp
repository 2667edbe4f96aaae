#include "ui/frame_sequence.h"

#include <cwchar>
#include <cwctype>
#include <cstdlib>

#include "uiframework/attribute_parse.h"

namespace SkinUI {
namespace {

// Layouts turn these switches off only with the exact text "false".
bool SwitchValue(const std::wstring& value) { return value != L"false"; }

constexpr size_t kMaxFrameName = 260;

}  // namespace

FrameSequence::Step FrameSequence::Tick(unsigned& frame) {
  if (Pattern.empty()) return Step::Nothing;
  if (Forward && Current > Count - 1) {
    if (Round) {
      Forward = false;
      // A single frame has no way back: turn at frame 0.
      Current = Count >= 2 ? Count - 2 : 0;
    } else {
      Current = 0;
      if (!Loop) return Step::Stop;
    }
  }
  if (!Forward && Current == 0) {
    if (Round) Forward = true;
    Current = 0;
    if (!Loop) return Step::Stop;
  }
  frame = Current;
  Current = Forward ? Current + 1 : Current - 1;
  return Step::Show;
}

bool FrameSequence::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"sequencebkimage") {
    Pattern = value;
  } else if (EqualsNoCase(name, L"sequencecount")) {
    Count = static_cast<unsigned>(std::wcstoul(value.c_str(), nullptr, 10));
  } else if (EqualsNoCase(name, L"sequencespan")) {
    // A span that is not a positive number would make the timer period about
    // 49 days (the animation would stand still); such a value keeps the span.
    const long span = std::wcstol(value.c_str(), nullptr, 10);
    if (span > 0 && span <= 0x7FFFFFFF) Span = static_cast<int>(span);
  } else if (EqualsNoCase(name, L"sequenceloop")) {
    Loop = SwitchValue(value);
  } else if (EqualsNoCase(name, L"autostart")) {
    AutoStart = SwitchValue(value);
  } else if (EqualsNoCase(name, L"sequenceround")) {
    Round = SwitchValue(value);
  } else {
    return false;
  }
  return true;
}

std::wstring FormatFrameName(const std::wstring& pattern, unsigned frame) {
  std::wstring result;
  bool converted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != L'%') {
      result += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == L'%') {
      result += L'%';
      ++i;
      continue;
    }
    if (converted) return std::wstring();
    // %[flags][width][.precision]type, with small numbers only.
    size_t j = i + 1;
    while (j < pattern.size() && std::wcschr(L"-+ #0", pattern[j]) && pattern[j]) ++j;
    size_t digits = 0;
    while (j < pattern.size() && std::iswdigit(pattern[j])) ++j, ++digits;
    if (j < pattern.size() && pattern[j] == L'.') {
      ++j;
      while (j < pattern.size() && std::iswdigit(pattern[j])) ++j, ++digits;
    }
    if (j >= pattern.size() || digits > 4 || !std::wcschr(L"diuxX", pattern[j]) || !pattern[j]) return std::wstring();
    const std::wstring conversion = pattern.substr(i, j - i + 1);
    wchar_t buffer[kMaxFrameName];
    const bool isSigned = pattern[j] == L'd' || pattern[j] == L'i';
    const int written = isSigned ? std::swprintf(buffer, kMaxFrameName, conversion.c_str(), static_cast<int>(frame))
                                 : std::swprintf(buffer, kMaxFrameName, conversion.c_str(), frame);
    if (written < 0 || static_cast<size_t>(written) >= kMaxFrameName) return std::wstring();
    result += buffer;
    converted = true;
    i = j;
  }
  if (!converted || result.size() >= kMaxFrameName) return std::wstring();
  return result;
}

}  // namespace SkinUI
