#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "collect/property_value.h"

namespace beacon_analytics {
namespace utils {

// A JSON object whose keys come out in plain byte order (the map's order),
// so the same content always gives the same text. Setting an existing name
// replaces its value. Not thread-safe: the owner serialises access.
class ObjectNode {
 public:
  ObjectNode() = default;
  ObjectNode(const ObjectNode&) = default;
  ObjectNode& operator=(const ObjectNode&) = default;
  virtual ~ObjectNode() = default;

  void SetNumber(const std::string& name, double value);
  void SetNumber(const std::string& name, int32_t value);  // stored as Int
  void SetInt64(const std::string& name, int64_t value);
  // Stores the string only when it passes the string checks (length and
  // UTF-8); a rejected value is reported on standard error and skipped.
  void SetString(const std::string& name, const std::string& value);
  void SetString(const std::string& name, const char* value);
  void SetBool(const std::string& name, bool value);
  void SetList(const std::string& name, const std::vector<std::string>& value);
  void SetDateTime(const std::string& name, int64_t seconds, int32_t milliseconds);
  virtual void SetObject(const std::string& name, const ObjectNode& value);
  // Copies every entry of other, replacing equal names. Nested objects go
  // through SetObject, so a derived node decides whether it takes them.
  void Merge(const ObjectNode& other);

  const PropertyValue* Find(const std::string& name) const;
  void Remove(const std::string& name);
  bool Empty() const { return m_Entries.empty(); }
  const std::map<std::string, PropertyValue>& Entries() const { return m_Entries; }

  // "{" + "key":value pairs in key order + "}", no white space. Keys are
  // written as stored (they are checked names, never escaped).
  void AppendJson(std::string& out) const;
  std::string ToJson() const;

 protected:
  void Put(const std::string& name, PropertyValue value);

 private:
  std::map<std::string, PropertyValue> m_Entries;
};

}  // namespace utils
}  // namespace beacon_analytics
