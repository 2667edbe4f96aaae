#pragma once

#include <string>

namespace Utils {

// The expected package digest: the second-to-last path segment of the final
// URL ("http://host/<md5>/setup.exe" -> "<md5>"); empty when the URL has fewer
// than two slashes. The form of the segment is not checked here: callers
// accept it only when it is 32 characters long.
std::string GetMd5FromUrl(const std::string& url);

// MD5 of a file as 32 lower-case hexadecimal digits; empty when the path is
// empty or the file cannot be read. The path is in the ANSI code page.
std::string GetFileMd5(const std::string& ansiPath);
// The same for a wide path, which also reaches files whose names the ANSI
// code page cannot spell.
std::string GetFileMd5(const std::wstring& path);

}  // namespace Utils
