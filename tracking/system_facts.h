#pragma once

// The system facts that ride on events: operating-system name and version,
// user agent, localisation and screen size. Pure naming rules are separate
// from the probes; the probes never fail (missing information gives the
// fallback values). Any thread.

#include <string>

namespace volen {
namespace beacon {

// The kernel's own version numbers (build: low 16 bits); zeros when ntdll
// does not export them.
struct KernelVersion {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
};
KernelVersion ReadKernelVersion();

// True on a 64-bit Windows, from 32-bit code under WOW64 as well as from
// 64-bit code.
bool IsOn64BitSystem();

// "XP-", "2K", "XP", "XP64", "Server 2003", "Server 2003 R2", "XP+",
// "Vista", "Vista64", "7", "7-32", "8", "8-32", "8.1", "8.1+", "10", "11",
// "11+" or "major.minor.build". `isServerR2` matters for 5.2 on 32-bit only.
std::string OsVersionText(const KernelVersion& version, bool is64BitSystem, bool isServerR2);
// The version text of the running system.
std::string CurrentOsVersion();

// "Mozilla/5.0(Windows 7; Win64;)" and the like.
std::string UserAgentText(const std::string& osVersion, bool is64BitSystem);

struct Localisation {
  std::string language;
  std::string country;
  std::string locale;
};
// A stored "language_country" text when it has the separator, else the
// user's default language and country joined by "_".
Localisation ComputeLocalisation(const std::string& storedLocale, const std::string& defaultLanguage,
                                 const std::string& defaultCountry);
Localisation CurrentLocalisation(const std::string& storedLocale);

int ScreenWidth();
int ScreenHeight();

}  // namespace beacon
}  // namespace volen
