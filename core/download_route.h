#pragma once

// The "${ROUTE}" part of the package URL, chosen from the Windows version and
// the system's bitness.

#include <string>

namespace Settings {

constexpr wchar_t kRoutePlaceholder[] = L"${ROUTE}";

// "download_silent_xp" when the version name contains "XP"; otherwise
// "download_silent_64" for a product of the 64-bit list on a 64-bit system;
// otherwise "download_silent".
std::wstring ChooseRoute(const std::wstring& osVersionName, bool is64BitSystem, int productId);

// `url` with every "${ROUTE}" replaced by the route for the given system.
std::wstring ExpandRouteFor(const std::wstring& url, const std::wstring& osVersionName, bool is64BitSystem);

}  // namespace Settings

// `url` with every "${ROUTE}" replaced by the route for this machine; the
// probes run only when the placeholder is there.
std::wstring ExpandRoute(const std::wstring& url);
