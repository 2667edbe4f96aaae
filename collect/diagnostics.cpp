#include "collect/diagnostics.h"

#include <windows.h>

#include <cstdio>

namespace beacon_analytics {
namespace diagnostics {

void WriteErrorLine(const std::string& line) {
  // One write per line so that lines of concurrent callers do not mix.
  const std::string text = line + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void WriteDebugger(const wchar_t* text) { OutputDebugStringW(text); }

}  // namespace diagnostics
}  // namespace beacon_analytics
