#pragma once

// The two probes that choose the package download route. Stateless; any
// thread; never throw.

#include <string>

namespace Utils {

// `platform` is always "Windows"; `versionName` is "XP-", "2K", "XP",
// "Server 2003", "Server 2003 R2", "XP+", "Vista", "7", "8", "8.1", "8.1+",
// "10", "10+" or "major.minor.build", taken from the kernel's own numbers
// (not the compatibility-shimmed version query).
void GetOsVersion(std::wstring& platform, std::wstring& versionName);

// True on a 64-bit Windows, also from the 32-bit installer under WOW64.
bool Is64BitSystem();

// The naming table alone. `isServerR2` is the SM_SERVERR2 metric (asked for
// version 5.2 only).
std::wstring OsVersionName(unsigned major, unsigned minor, unsigned build, bool isServerR2);

}  // namespace Utils
