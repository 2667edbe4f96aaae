#include "collect/checks.h"

#include "collect/diagnostics.h"
#include "collect/properties_node.h"
#include "collect/protocol.h"

namespace beacon_analytics {
namespace checks {

namespace {

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool InRange(unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; }

}  // namespace

bool CheckIdentity(const std::string& label, const std::string& value) {
  if (value.empty()) {
    diagnostics::WriteErrorLine("The " + label + " is empty.");
    return false;
  }
  if (value.size() > protocol::kMaxIdentityBytes) {
    diagnostics::WriteErrorLine("The " + label + " is too long, max length is 255.");
    return false;
  }
  return true;
}

bool CheckName(const std::string& label, const std::string& value) {
  if (value.empty() || value.size() > protocol::kMaxNameBytes) {
    diagnostics::WriteErrorLine("The " + label + " is empty or too long, max length is 100");
    return false;
  }
  for (size_t i = 0; i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    const bool ok = IsLetter(c) || c == '$' || c == '_' || (i > 0 && IsDigit(c));
    if (!ok) {
      diagnostics::WriteErrorLine("The " + label + " need to be a valid variable name.");
      return false;
    }
  }
  return true;
}

bool IsValidUtf8(const std::string& value) {
  const size_t size = value.size();
  size_t i = 0;
  auto byteAt = [&](size_t at) { return static_cast<unsigned char>(value[at]); };
  // Checks that `count` continuation bytes follow, the first in [low, high].
  auto follows = [&](size_t count, unsigned char low, unsigned char high) {
    if (i + count >= size) return false;  // cut off by the end
    if (!InRange(byteAt(i + 1), low, high)) return false;
    for (size_t k = 2; k <= count; ++k) {
      if (!InRange(byteAt(i + k), 0x80, 0xBF)) return false;
    }
    return true;
  };
  while (i < size) {
    const unsigned char c = byteAt(i);
    size_t length = 0;
    if (c == 0x09 || c == 0x0A || c == 0x0D || InRange(c, 0x20, 0x7E)) {
      length = 1;
    } else if (InRange(c, 0xC2, 0xDF)) {
      if (!follows(1, 0x80, 0xBF)) return false;
      length = 2;
    } else if (c == 0xE0) {
      if (!follows(2, 0xA0, 0xBF)) return false;
      length = 3;
    } else if (InRange(c, 0xE1, 0xEC) || c == 0xEE || c == 0xEF) {
      if (!follows(2, 0x80, 0xBF)) return false;
      length = 3;
    } else if (c == 0xED) {
      if (!follows(2, 0x80, 0x9F)) return false;
      length = 3;
    } else if (c == 0xF0) {
      if (!follows(3, 0x90, 0xBF)) return false;
      length = 4;
    } else if (InRange(c, 0xF1, 0xF3)) {
      if (!follows(3, 0x80, 0xBF)) return false;
      length = 4;
    } else if (c == 0xF4) {
      if (!follows(3, 0x80, 0x8F)) return false;
      length = 4;
    } else {
      return false;
    }
    i += length;
  }
  return true;
}

bool CheckStringValue(const std::string& name, const std::string& value) {
  if (value.size() > protocol::kMaxStringBytes) {
    diagnostics::WriteErrorLine("String property '" + name + "' is too long, value: " + value);
    return false;
  }
  if (!IsValidUtf8(value)) {
    diagnostics::WriteErrorLine("String property '" + name + "' is not valid UTF-8 string, value: " + value);
    return false;
  }
  return true;
}

bool CheckProperties(const PropertiesNode& properties) {
  for (const auto& [name, value] : properties.Entries()) {
    if (!CheckName(protocol::kLabelPropertyKey, name)) return false;
    if (name == protocol::kPropTime && value.GetKind() != PropertyValue::DateTime) {
      diagnostics::WriteErrorLine(protocol::kMsgTimeType);
      return false;
    }
    if (name == protocol::kPropProject && value.GetKind() != PropertyValue::String) {
      diagnostics::WriteErrorLine(protocol::kMsgProjectType);
      return false;
    }
  }
  return true;
}

}  // namespace checks
}  // namespace beacon_analytics
