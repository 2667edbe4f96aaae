#pragma once

// Code-page conversions at the installer's byte-string boundaries: UTF-8
// (65001) for URLs, JSON and analytics texts; the ANSI code page (0) for the
// run-time library and files. A conversion that cannot be made gives an empty
// string. Stateless; any thread; never throws.

#include <string>

namespace Utils {

std::wstring MultiByteToWide(const std::string& text, unsigned int codePage);
std::string WideToMultiByte(const std::wstring& text, unsigned int codePage);
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace Utils
