#pragma once
// Parsing of layout attribute values. Pure functions; malformed values give
// the caller's default instead of failing.
#include <windows.h>

#include <string>

namespace SkinUI {

// ARGB colour from "#AARRGGBB", "#RRGGBB" (opaque) or "0x..."; false when the
// text is not one.
bool ParseColor(const std::wstring& text, DWORD& argb);

// Up to four comma-separated integers "l,t,r,b"; missing ones are 0. False
// when the first is missing or any part is not a number.
bool ParseRect(const std::wstring& text, RECT& rect);
// Two comma-separated integers "x,y".
bool ParseSize(const std::wstring& text, SIZE& size);
bool ParseInt(const std::wstring& text, int& value);
// "true"/"1" and "false"/"0", any case; anything else keeps the default.
bool ParseBool(const std::wstring& text, bool fallback);

bool EqualsNoCase(const std::wstring& a, const wchar_t* b);

}  // namespace SkinUI
