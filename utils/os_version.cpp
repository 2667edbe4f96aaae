#include "utils/os_version.h"

#include <windows.h>

#include "core/scoped_handle.h"

namespace Utils {

std::wstring OsVersionName(unsigned major, unsigned minor, unsigned build, bool isServerR2) {
  if (major <= 4) return L"XP-";
  if (major == 5) {
    if (minor == 0) return L"2K";
    if (minor == 1) return L"XP";
    if (minor == 2) return isServerR2 ? L"Server 2003 R2" : L"Server 2003";
    return L"XP+";
  }
  if (major == 6) {
    switch (minor) {
      case 0: return L"Vista";
      case 1: return L"7";
      case 2: return L"8";
      case 3: return L"8.1";
      default: return L"8.1+";
    }
  }
  if (major == 10) return minor == 0 ? L"10" : L"10+";
  return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(build);
}

void GetOsVersion(std::wstring& platform, std::wstring& versionName) {
  platform = L"Windows";
  versionName.clear();
  ScopedLibrary ntdll(::LoadLibraryW(L"ntdll.dll"));
  if (!ntdll) {
    versionName = L"XP-";
    return;
  }
  using RtlGetNtVersionNumbersFn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  const auto getNumbers = reinterpret_cast<RtlGetNtVersionNumbersFn>(
      reinterpret_cast<void*>(::GetProcAddress(ntdll.Get(), "RtlGetNtVersionNumbers")));
  DWORD major = 0, minor = 0, build = 0;
  if (getNumbers) getNumbers(&major, &minor, &build);
  ntdll.Reset();
  build &= 0xFFFF;
  const bool serverR2 = major == 5 && minor == 2 && ::GetSystemMetrics(SM_SERVERR2) != 0;
  versionName = OsVersionName(major, minor, build, serverR2);
}

bool Is64BitSystem() {
#if defined(_WIN64)
  // A 64-bit process runs only on a 64-bit system (IsWow64Process answers
  // false here, which would misreport the system).
  return true;
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32");
  if (!kernel) return false;
  const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")));
  if (!isWow64) return false;
  BOOL wow64 = FALSE;
  if (isWow64(::GetCurrentProcess(), &wow64)) return wow64 != FALSE;
  SYSTEM_INFO info = {};
  ::GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
#endif
}

}  // namespace Utils
