// A layout that cannot be loaded ends the program with the load-failure
// message and exit code 1. The program runs for real; the test reads the
// message box, answers it and collects the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "uiframework/skin_constants.h"

namespace {

std::wstring HelperPath() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"uiframework_load_failure_app.exe";
}

struct Outcome {
  bool BoxSeen = false;
  std::wstring BoxText;
  bool ErrorIcon = false;
  DWORD ExitCode = STILL_ACTIVE;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
  wchar_t cls[32] = {};
  ::GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Static") == 0 && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      ::SendMessageW(child, STM_GETICON, 0, 0) != 0)
    *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

Outcome RunHelper(const wchar_t* fault) {
  Outcome outcome;
  std::wstring command = L"\"" + HelperPath() + L"\" " + fault;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start the helper, error " << ::GetLastError();
    return outcome;
  }
  for (int i = 0; i < 200 && !outcome.BoxSeen; ++i) {
    HWND box = ::FindWindowW(L"#32770", SkinUI::kLoadFailureTitle);
    if (box) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(box, &owner);
      if (owner == process.dwProcessId) {
        outcome.BoxSeen = true;
        wchar_t text[256] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message box's text control
        outcome.BoxText = text;
        ::EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&outcome.ErrorIcon));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        break;
      }
    }
    if (::WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
  }
  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 99);
  ::GetExitCodeProcess(process.hProcess, &outcome.ExitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return outcome;
}

}  // namespace

TEST(LoadFailure_ShowsMessageAndExitsWithOne, ForMalformedAndMissingLayouts) {
  for (const wchar_t* fault : {L"malformed", L"missing"}) {
    const std::string label(fault, fault + wcslen(fault));
    const Outcome outcome = RunHelper(fault);
    EXPECT_TRUE(outcome.BoxSeen) << label;
    EXPECT_EQ(outcome.BoxText, SkinUI::kLoadFailureText) << label;
    EXPECT_TRUE(outcome.ErrorIcon) << label;
    EXPECT_EQ(outcome.ExitCode, static_cast<DWORD>(SkinUI::kLoadFailureExitCode)) << label;
  }
}
