#include "core/dll_search_path.h"

#include <windows.h>

#include <string>

void HardenDllSearchPath() {
  // Looked up, not linked: Windows 7 without KB2533623 lacks it.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryW(L"");

  wchar_t systemFolder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(systemFolder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  for (const wchar_t* library : Startup::kPreloadedSystemLibraries) {
    const std::wstring path = std::wstring(systemFolder) + L"\\" + library;
    // Kept loaded for the life of the process, so that later loads by name
    // find these modules; a missing one is ignored.
    ::LoadLibraryW(path.c_str());
  }
}
