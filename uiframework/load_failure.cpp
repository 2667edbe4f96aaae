#include "uiframework/load_failure.h"

#include <windows.h>

#include "uiframework/skin_constants.h"

namespace SkinUI {

void ExitWithLoadFailure(const std::wstring& reason) {
  const std::wstring line = L"[SkinUI] layout load failed: " + reason + L"\n";
  ::OutputDebugStringW(line.c_str());
  ::MessageBoxW(nullptr, kLoadFailureText, kLoadFailureTitle, MB_OK | MB_ICONERROR);
  ::ExitProcess(kLoadFailureExitCode);
}

}  // namespace SkinUI
