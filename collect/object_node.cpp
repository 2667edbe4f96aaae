#include "collect/object_node.h"

#include "collect/checks.h"

namespace beacon_analytics {
namespace utils {

void ObjectNode::Put(const std::string& name, PropertyValue value) {
  auto found = m_Entries.find(name);
  if (found != m_Entries.end()) {
    found->second = std::move(value);
  } else {
    m_Entries.emplace(name, std::move(value));
  }
}

void ObjectNode::SetNumber(const std::string& name, double value) { Put(name, PropertyValue::MakeNumber(value)); }

void ObjectNode::SetNumber(const std::string& name, int32_t value) { Put(name, PropertyValue::MakeInt(value)); }

void ObjectNode::SetInt64(const std::string& name, int64_t value) { Put(name, PropertyValue::MakeInt(value)); }

void ObjectNode::SetString(const std::string& name, const std::string& value) {
  if (!checks::CheckStringValue(name, value)) return;
  Put(name, PropertyValue::MakeString(value));
}

void ObjectNode::SetString(const std::string& name, const char* value) {
  SetString(name, std::string(value ? value : ""));
}

void ObjectNode::SetBool(const std::string& name, bool value) { Put(name, PropertyValue::MakeBool(value)); }

void ObjectNode::SetList(const std::string& name, const std::vector<std::string>& value) {
  Put(name, PropertyValue::MakeList(value));
}

void ObjectNode::SetDateTime(const std::string& name, int64_t seconds, int32_t milliseconds) {
  Put(name, PropertyValue::MakeDateTime(seconds, milliseconds));
}

void ObjectNode::SetObject(const std::string& name, const ObjectNode& value) {
  Put(name, PropertyValue::MakeObject(value));
}

void ObjectNode::Merge(const ObjectNode& other) {
  if (&other == this) return;
  for (const auto& [name, value] : other.m_Entries) {
    if (value.GetKind() == PropertyValue::Object) {
      SetObject(name, value.AsObject());
    } else {
      Put(name, value);
    }
  }
}

const PropertyValue* ObjectNode::Find(const std::string& name) const {
  auto found = m_Entries.find(name);
  return found == m_Entries.end() ? nullptr : &found->second;
}

void ObjectNode::Remove(const std::string& name) { m_Entries.erase(name); }

void ObjectNode::AppendJson(std::string& out) const {
  out += '{';
  bool first = true;
  for (const auto& [name, value] : m_Entries) {
    if (!first) out += ',';
    first = false;
    out += '"';
    out += name;
    out += "\":";
    value.AppendJson(out);
  }
  out += '}';
}

std::string ObjectNode::ToJson() const {
  std::string out;
  AppendJson(out);
  return out;
}

}  // namespace utils
}  // namespace beacon_analytics
