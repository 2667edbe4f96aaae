#pragma once

// Percent-encoding as the system downloader needs it: bytes "!" to "~" stay
// as they are (reserved characters included), a space becomes "+", every other
// byte becomes "%XX". Pure; any thread.

#include <string>

namespace Utils {

std::string UrlEncode(const std::string& bytes);
// Through UTF-8 both ways.
std::wstring UrlEncodeWide(const std::wstring& text);

}  // namespace Utils
