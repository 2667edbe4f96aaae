#include "core/download_route.h"

#include <algorithm>
#include <iterator>

#include "core/product_profile.h"
#include "utils/os_version.h"
#include "utils/text_utils.h"

namespace Settings {

std::wstring ChooseRoute(const std::wstring& osVersionName, bool is64BitSystem, int productId) {
  if (osVersionName.find(L"XP") != std::wstring::npos) return L"download_silent_xp";
  const bool in64BitList = std::find(std::begin(Profile::k64BitProductIds), std::end(Profile::k64BitProductIds),
                                     productId) != std::end(Profile::k64BitProductIds);
  if (in64BitList && is64BitSystem) return L"download_silent_64";
  return L"download_silent";
}

std::wstring ExpandRouteFor(const std::wstring& url, const std::wstring& osVersionName, bool is64BitSystem) {
  if (url.find(kRoutePlaceholder) == std::wstring::npos) return url;
  return Utils::ReplaceAll(url, kRoutePlaceholder, ChooseRoute(osVersionName, is64BitSystem, Profile::kProductId));
}

}  // namespace Settings

std::wstring ExpandRoute(const std::wstring& url) {
  if (url.find(Settings::kRoutePlaceholder) == std::wstring::npos) return url;
  std::wstring platform, versionName;
  Utils::GetOsVersion(platform, versionName);
  return Settings::ExpandRouteFor(url, versionName, Utils::Is64BitSystem());
}
