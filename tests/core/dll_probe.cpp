// Test-only program: loads a library by name (argument 2), the way a system
// component would later in the run, either after HardenDllSearchPath
// ("harden") or without it ("plain"). Prints the path of the module loaded.
#include <windows.h>

#include <string>

#include "core/dll_search_path.h"
#include "utils/text_convert.h"

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wstring(argv[1]) == L"harden") HardenDllSearchPath();
  const HMODULE module = ::LoadLibraryW(argc >= 3 ? argv[2] : L"version.dll");
  wchar_t path[MAX_PATH] = {};
  if (module) ::GetModuleFileNameW(module, path, MAX_PATH);
  const std::string text = Utils::WideToMultiByte(path, CP_UTF8);
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return module ? 0 : 1;
}
