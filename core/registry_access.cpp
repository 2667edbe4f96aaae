#include "core/registry_access.h"

#include <vector>

#include "core/core_constants.h"
#include "core/scoped_handle.h"

namespace Utils {

bool WriteRegistryStringAt(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                           const std::wstring& text) {
  ScopedRegKey key;
  if (::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const size_t bytes = text.size() * sizeof(wchar_t);
  if (bytes > MAXDWORD) return false;
  return ::RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

bool ReadRegistryStringAt(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                          std::wstring& text) {
  ScopedRegKey key;
  if (::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
  DWORD bytes = 0;
  if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return false;
  }
  // One extra character of zeros terminates a value stored without one (and
  // covers an odd byte count).
  std::vector<wchar_t> buffer(static_cast<size_t>(bytes) / sizeof(wchar_t) + 2, L'\0');
  DWORD readBytes = bytes;
  if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &readBytes) != ERROR_SUCCESS) {
    return false;
  }
  text = buffer.data();
  return true;
}

bool WriteRegistryString(const std::wstring& valueName, const std::wstring& text) {
  return WriteRegistryStringAt(HKEY_CURRENT_USER, Core::kProductRegistryKey, valueName, text);
}

bool ReadRegistryString(const std::wstring& valueName, std::wstring& text) {
  return ReadRegistryStringAt(HKEY_CURRENT_USER, Core::kProductRegistryKey, valueName, text);
}

}  // namespace Utils
