#pragma once

#include <string>

namespace beacon_analytics {

// Letters, digits and "-" "." "_" "~" stay; every other byte becomes "%XX"
// with upper-case hexadecimal digits.
std::string PercentEncode(const std::string& text);

}  // namespace beacon_analytics
