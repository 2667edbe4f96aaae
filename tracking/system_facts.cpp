#include "tracking/system_facts.h"

#include <windows.h>

#include "tracking/tracking_constants.h"

namespace volen {
namespace beacon {

KernelVersion ReadKernelVersion() {
  KernelVersion version;
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return version;
  using GetNumbers = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  auto getNumbers = reinterpret_cast<GetNumbers>(
      reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
  if (!getNumbers) return version;
  DWORD major = 0, minor = 0, build = 0;
  getNumbers(&major, &minor, &build);
  version.major = major;
  version.minor = minor;
  version.build = build & 0xFFFF;
  return version;
}

bool IsOn64BitSystem() {
  if (sizeof(void*) == 8) return true;
  using IsWow64 = BOOL(WINAPI*)(HANDLE, BOOL*);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  auto isWow64 =
      kernel ? reinterpret_cast<IsWow64>(reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")))
             : nullptr;
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(::GetCurrentProcess(), &wow64) && wow64;
}

std::string OsVersionText(const KernelVersion& v, bool is64, bool isServerR2) {
  if (v.major < 5) return "XP-";
  if (v.major == 5) {
    if (v.minor == 0) return "2K";
    if (v.minor == 1) return "XP";
    if (v.minor == 2) return is64 ? "XP64" : (isServerR2 ? "Server 2003 R2" : "Server 2003");
    return "XP+";
  }
  if (v.major == 6) {
    if (v.minor == 0) return is64 ? "Vista64" : "Vista";
    if (v.minor == 1) return is64 ? "7" : "7-32";
    if (v.minor == 2) return is64 ? "8" : "8-32";
    if (v.minor == 3) return "8.1";
    return "8.1+";
  }
  if (v.major == 10) {
    if (v.minor == 0) return v.build >= 22000 ? "11" : "10";
    return "11+";
  }
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
}

std::string CurrentOsVersion() {
  const KernelVersion version = ReadKernelVersion();
  const bool r2 = version.major == 5 && version.minor == 2 && ::GetSystemMetrics(SM_SERVERR2) != 0;
  return OsVersionText(version, IsOn64BitSystem(), r2);
}

std::string UserAgentText(const std::string& osVersion, bool is64) {
  return std::string("Mozilla/5.0(") + texts::kOsName + " " + osVersion + "; Win" + (is64 ? "64;)" : "32;)");
}

Localisation ComputeLocalisation(const std::string& stored, const std::string& defaultLanguage,
                                 const std::string& defaultCountry) {
  Localisation result;
  const size_t separator = stored.find('_');
  if (!stored.empty() && separator != std::string::npos) {
    result.language = stored.substr(0, separator);
    result.country = stored.substr(separator + 1);
    result.locale = stored;
  }
  if (result.language.empty()) {
    result.language = defaultLanguage;
    result.country = defaultCountry;
    result.locale = defaultLanguage + "_" + defaultCountry;
  }
  return result;
}

Localisation CurrentLocalisation(const std::string& storedLocale) {
  char language[16] = {};
  char country[16] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, sizeof(language)) == 0)
    language[0] = '\0';
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, sizeof(country)) == 0)
    country[0] = '\0';
  return ComputeLocalisation(storedLocale, language, country);
}

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

}  // namespace beacon
}  // namespace volen
