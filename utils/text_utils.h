#pragma once

// Small text helpers. Pure; any thread; never throw (beyond allocation).

#include <cstdint>
#include <string>

namespace Utils {

// White space is the "C" locale's: space, \t, \n, \v, \f, \r.
std::wstring TrimLeft(const std::wstring& text);
std::wstring TrimRight(const std::wstring& text);
std::wstring Trim(const std::wstring& text);

// Replaces the first occurrence of `pattern` again and again until none is
// left, so a replacement can join text into a new occurrence ("aabb", "ab",
// "" gives ""). An empty pattern changes nothing. A replacement that contains
// the pattern would never finish that way; it is replaced in one left-to-right
// pass instead.
std::wstring ReplaceAll(const std::wstring& text, const std::wstring& pattern,
                        const std::wstring& replacement);

// Decimal, no sign, no leading zeros ("0" for zero).
std::wstring ToWString(std::uint32_t value);

}  // namespace Utils
