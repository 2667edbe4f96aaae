#pragma once

// Value rules shared by the package's and the uninstaller's output
// protocols. A line is handled without its line feed; a carriage return
// written before the line feed is still part of it. Pure, except
// DecodeProtocolBytes, which asks the system about code pages.

#include <cstdint>
#include <string>

namespace InstallProtocol {

// True when `line` starts with `key`, case-sensitively.
bool StartsWithKey(const std::wstring& line, const wchar_t* key);

// Everything after the key: empty when it is longer than kMaxProtocolText.
std::wstring TextValue(const std::wstring& line, const wchar_t* key);
// The same with leading and trailing white space removed.
std::wstring TrimmedValue(const std::wstring& line, const wchar_t* key);
// A decimal number after the key (leading white space allowed, "C" rules);
// 0.0 when there is none or it is not finite.
double NumberValue(const std::wstring& line, const wchar_t* key);
// A decimal integer after the key; 0 when there is none or it does not fit.
int32_t IntegerValue(const std::wstring& line, const wchar_t* key);

// Code page announced by a package's "Encode=" value (already trimmed):
// "UTF8" 65001, "ACP" 0, otherwise its leading decimal digits; 0 when there
// are none or the number does not fit a 32-bit integer.
uint32_t PackageCodePage(const std::wstring& value);
// The uninstaller knows only "UTF8" (65001); anything else is 0.
uint32_t UninstallerCodePage(const std::wstring& value);

// Converts one line of output bytes to text. Code page 0 and code pages
// this system does not have both decode as the ANSI code page, so a wrong
// announcement cannot silence the rest of the output.
std::wstring DecodeProtocolBytes(const std::string& bytes, uint32_t codePage);

}  // namespace InstallProtocol
