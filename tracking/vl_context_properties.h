#pragma once

// Extra properties that a caller attaches to chosen event kinds; every event
// builder copies the entries of its own kind after its own properties, so an
// entry replaces a builder's value of the same key. Not thread-safe: one
// object belongs to one tracking call (the installer makes a fresh one per
// call).

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "collect/properties_node.h"
#include "tracking/vl_types.h"

namespace volen {
namespace beacon {

// A 64-bit time value: milliseconds since 1970 when above 157789439999,
// otherwise seconds since 1970.
struct VlTimeValue {
  int64_t value = 0;
};

// The time-value rule, as seconds and milliseconds.
struct VlSplitTime {
  int64_t seconds = 0;
  int32_t milliseconds = 0;
};
VlSplitTime splitTimeValue(int64_t value);

class VlContextProperties {
 public:
  enum ValueType { TypeBool = 0, TypeTime = 1, TypeDouble = 2, TypeString = 3, TypeStringList = 4 };

  using Value = std::variant<bool, VlTimeValue, double, std::string, std::vector<std::string>>;

  // One registration of a value for one kind; `value` points into the
  // object's own holder and lives as long as the object.
  struct Entry {
    const Value* value;
    int type;
    std::string key;
  };

  VlContextProperties() = default;
  VlContextProperties(const VlContextProperties&) = delete;
  VlContextProperties& operator=(const VlContextProperties&) = delete;

  // Empty: false. One to three bytes, a capital letter then capitals or
  // digits: true. Anything else throws VlException.
  static bool isValidABValue(const std::string& value);

  // Registers key for every kind listed, in order. Throws when the key is
  // already registered (nothing changes) or for a kind of 15 or more (the
  // key and the kinds before it stay registered).
  void setProperty(const std::string& key, bool value, const std::vector<int>& kinds);
  void setProperty(const std::string& key, VlTimeValue value, const std::vector<int>& kinds);
  void setProperty(const std::string& key, double value, const std::vector<int>& kinds);
  void setProperty(const std::string& key, const std::string& value, const std::vector<int>& kinds);
  void setProperty(const std::string& key, const char* value, const std::vector<int>& kinds);
  void setProperty(const std::string& key, const std::vector<std::string>& value, const std::vector<int>& kinds);

  // Throws for a kind of 15 or more.
  const std::vector<Entry>& getEventProperties(int kind) const;

 private:
  void Register(const std::string& key, Value value, const std::vector<int>& kinds);

  std::map<std::string, std::unique_ptr<Value>> m_Values;
  std::array<std::vector<Entry>, kEventKindCount> m_Lists;
};

// Adds the entries of `kind` to `properties` in registration order; false
// when there are none.
bool copyContextProperties(int kind, beacon_analytics::PropertiesNode& properties,
                           const VlContextProperties& context);

}  // namespace beacon
}  // namespace volen
