#pragma once

#include <cstdint>
#include <string>

// Text forms of record values. Pure functions, any thread.
namespace beacon_analytics {
namespace json_text {

// Appends value as a JSON string: \b \t \n \f \r \" \\ for those bytes,
// \u00XX for every other byte below 0x20, everything else
// (including UTF-8 sequences) copied unchanged.
void AppendQuoted(std::string& out, const std::string& value);

// printf's %g (6 significant digits, two-digit exponent at least), whatever
// the run-time library's own exponent width. JSON has no NaN or infinity:
// those are written as null.
std::string FormatNumber(double value);

// "YYYY-MM-DD hh:mm:ss.mmm" in the machine's local time; all fields zero when
// the seconds cannot be converted.
std::string FormatLocalDateTime(int64_t seconds, int32_t milliseconds);

}  // namespace json_text
}  // namespace beacon_analytics
