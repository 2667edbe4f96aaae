#pragma once

#include <string>

struct _GUID;

namespace Utils {

// A fresh GUID as 32 hexadecimal digits, no braces or hyphens. The third
// field is lower case, everything else upper case (an identifier format that
// other tools of the product already store). Any thread; never throws.
std::wstring CreateGuidString();

// The formatting alone, for a given GUID.
std::wstring FormatGuidString(const _GUID& guid);

}  // namespace Utils
