#pragma once

// String values of the installation record under the product key
// HKEY_CURRENT_USER\Software\VolenSoft\Tovrel Rezuv Ovozuzave. Synchronous;
// any thread; never throw.

#include <windows.h>

#include <string>

namespace Utils {

// Creates the key when missing; stores REG_SZ without a terminating zero.
bool WriteRegistryString(const std::wstring& valueName, const std::wstring& text);

// Reads the value whatever its stored type, as text up to its first zero; a
// value stored without terminator reads the same. False (and `text`
// unchanged) when the key or the value cannot be read.
bool ReadRegistryString(const std::wstring& valueName, std::wstring& text);

// The same under any key.
bool WriteRegistryStringAt(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                           const std::wstring& text);
bool ReadRegistryStringAt(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                          std::wstring& text);

}  // namespace Utils
