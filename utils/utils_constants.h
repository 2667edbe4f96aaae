#pragma once

// Fixed texts and codes of the environment probes.

#include <cstdint>

namespace Utils {

// Name of the installer's temporary folder inside the user's temporary
// folder; shared by every run and never removed.
constexpr wchar_t kInstallerTempFolderName[] = L"~VolenTemp.92482B06FB471E17\\";

// High 16 bits of a NetworkCheckResult.
constexpr std::uint32_t NET_VERDICT_OK = 0;
constexpr std::uint32_t NET_VERDICT_NO_CONNECTIVITY = 1;
constexpr std::uint32_t NET_VERDICT_NO_INTERNET = 2;

}  // namespace Utils
