// Test-only DLL built under the name of a system library (version.dll). When
// any process loads it, it leaves the file "<its folder>\<its name>.loaded",
// which shows that the library search order picked it up.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      const std::wstring mark = std::wstring(path) + L".loaded";
      const HANDLE file = ::CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    }
  }
  return TRUE;
}
