#include "tracking/vl_context_properties.h"

#include "tracking/tracking_constants.h"
#include "tracking/vl_exception.h"

namespace volen {
namespace beacon {

namespace {

// Above this a time value counts as milliseconds (the last millisecond of
// 1974 read as milliseconds, about 5 years read as seconds).
constexpr int64_t kLargestSecondsValue = 157789439999;

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

VlException ContextError(const char* function, int line, const std::string& message) {
  return VlException(texts::kSourceContext, function, line, message);
}

}  // namespace

VlSplitTime splitTimeValue(int64_t value) {
  VlSplitTime split;
  if (value > kLargestSecondsValue) {
    split.seconds = value / 1000;
    split.milliseconds = static_cast<int32_t>(value % 1000);
  } else {
    split.seconds = value;
  }
  return split;
}

bool VlContextProperties::isValidABValue(const std::string& value) {
  if (value.empty()) return false;
  if (value.size() >= 4) throw ContextError("isValidABValue", 169, "value's length is great than 3.");
  if (!IsCapital(value[0])) throw ContextError("isValidABValue", 174, "First char is not in A to Z");
  if (value.size() > 1 && !IsCapital(value[1]) && !IsDigit(value[1]))
    throw ContextError("isValidABValue", 181, "second char is not in A to Z and 0 to 9");
  if (value.size() > 2 && !IsCapital(value[2]) && !IsDigit(value[2]))
    throw ContextError("isValidABValue", 189, "third char is not in A to Z and 0 to 9");
  return true;
}

void VlContextProperties::Register(const std::string& key, Value value, const std::vector<int>& kinds) {
  if (m_Values.count(key) != 0) throw ContextError("setProperty", 139, "Property[" + key + "] already exist!");
  const int type = static_cast<int>(value.index());
  const Value* held = m_Values.emplace(key, std::make_unique<Value>(std::move(value))).first->second.get();
  for (int kind : kinds) {
    if (kind < 0 || kind >= kEventKindCount)
      throw ContextError("setProperty", 146, "VlEvent[" + std::to_string(kind) + "] overflow!");
    m_Lists[static_cast<size_t>(kind)].push_back(Entry{held, type, key});
  }
}

void VlContextProperties::setProperty(const std::string& key, bool value, const std::vector<int>& kinds) {
  Register(key, Value(std::in_place_index<TypeBool>, value), kinds);
}
void VlContextProperties::setProperty(const std::string& key, VlTimeValue value, const std::vector<int>& kinds) {
  Register(key, Value(std::in_place_index<TypeTime>, value), kinds);
}
void VlContextProperties::setProperty(const std::string& key, double value, const std::vector<int>& kinds) {
  Register(key, Value(std::in_place_index<TypeDouble>, value), kinds);
}
void VlContextProperties::setProperty(const std::string& key, const std::string& value,
                                      const std::vector<int>& kinds) {
  Register(key, Value(std::in_place_index<TypeString>, value), kinds);
}
void VlContextProperties::setProperty(const std::string& key, const char* value, const std::vector<int>& kinds) {
  setProperty(key, std::string(value ? value : ""), kinds);
}
void VlContextProperties::setProperty(const std::string& key, const std::vector<std::string>& value,
                                      const std::vector<int>& kinds) {
  Register(key, Value(std::in_place_index<TypeStringList>, value), kinds);
}

const std::vector<VlContextProperties::Entry>& VlContextProperties::getEventProperties(int kind) const {
  if (kind < 0 || kind >= kEventKindCount)
    throw ContextError("getEventProperties", 233, "VlEvent[" + std::to_string(kind) + "] overflow!");
  return m_Lists[static_cast<size_t>(kind)];
}

bool copyContextProperties(int kind, beacon_analytics::PropertiesNode& properties,
                           const VlContextProperties& context) {
  const std::vector<VlContextProperties::Entry>& entries = context.getEventProperties(kind);
  if (entries.empty()) return false;
  for (const VlContextProperties::Entry& entry : entries) {
    switch (entry.type) {
      case VlContextProperties::TypeBool:
        properties.SetBool(entry.key, std::get<bool>(*entry.value));
        break;
      case VlContextProperties::TypeTime: {
        const VlSplitTime time = splitTimeValue(std::get<VlTimeValue>(*entry.value).value);
        properties.SetDateTime(entry.key, time.seconds, time.milliseconds);
        break;
      }
      case VlContextProperties::TypeDouble:
        properties.SetNumber(entry.key, std::get<double>(*entry.value));
        break;
      case VlContextProperties::TypeString:
        properties.SetString(entry.key, std::get<std::string>(*entry.value));
        break;
      case VlContextProperties::TypeStringList:
        properties.SetList(entry.key, std::get<std::vector<std::string>>(*entry.value));
        break;
      default:
        break;
    }
  }
  return true;
}

}  // namespace beacon
}  // namespace volen
