#pragma once

#include <string>

namespace beacon_analytics {

class PropertiesNode;

// Input checks of record building. Each check that fails writes its one-line
// message to standard error and returns false; none throws.
namespace checks {

// Not empty and at most 255 bytes ("Distinct ID", "Original ID").
bool CheckIdentity(const std::string& label, const std::string& value);
// 1 to 100 bytes of letters, digits, "$" and "_", not starting with a digit
// ("Event Name", "Property Key").
bool CheckName(const std::string& label, const std::string& value);
// Accepted UTF-8 without control bytes other than tab, line feed and
// carriage return; a sequence cut off by the end fails.
bool IsValidUtf8(const std::string& value);
// At most 8192 bytes and valid UTF-8; name only appears in the message.
bool CheckStringValue(const std::string& name, const std::string& value);
// Every name, then the types of "$time" (DateTime) and "$project" (String);
// stops at the first broken rule.
bool CheckProperties(const PropertiesNode& properties);

}  // namespace checks
}  // namespace beacon_analytics
