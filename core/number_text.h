#pragma once

// Text-to-number conversions of the settings layers, always in the classic
// "C" rules (decimal point "."), whatever the user's locale. Like strtol and
// strtod they skip leading white space and take the longest number prefix
// ("3abc" is 3, "0.5x" is 0.5). Text without a number, numbers too large for
// their type and non-finite values (inf, nan) count as "no number". Pure.

#include <string>

namespace Settings {

bool ParseLeadingInt(const std::wstring& text, int& value);
bool ParseLeadingDouble(const std::wstring& text, double& value);

}  // namespace Settings
