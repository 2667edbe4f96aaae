#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace beacon_analytics {

namespace utils {
class ObjectNode;
}

// Seconds since 1970 plus milliseconds; written as local time in records.
struct DateTimeValue {
  int64_t seconds = 0;
  int32_t milliseconds = 0;
};

// One property value of a record. The kind numbers are part of the record
// model and match the order of the alternatives below.
class PropertyValue {
 public:
  enum Kind { Number = 0, Int = 1, String = 2, List = 3, DateTime = 4, Bool = 5, Object = 6 };

  static PropertyValue MakeNumber(double value);
  static PropertyValue MakeInt(int64_t value);
  static PropertyValue MakeString(std::string value);
  static PropertyValue MakeList(std::vector<std::string> value);
  static PropertyValue MakeDateTime(int64_t seconds, int32_t milliseconds);
  static PropertyValue MakeBool(bool value);
  // Nested objects are shared read-only: a value never changes once stored.
  static PropertyValue MakeObject(const utils::ObjectNode& value);

  Kind GetKind() const { return static_cast<Kind>(m_Value.index()); }

  double AsNumber() const { return std::get<Number>(m_Value); }
  int64_t AsInt() const { return std::get<Int>(m_Value); }
  const std::string& AsString() const { return std::get<String>(m_Value); }
  const std::vector<std::string>& AsList() const { return std::get<List>(m_Value); }
  const DateTimeValue& AsDateTime() const { return std::get<DateTime>(m_Value); }
  bool AsBool() const { return std::get<Bool>(m_Value); }
  const utils::ObjectNode& AsObject() const { return *std::get<Object>(m_Value); }

  // The value's JSON text, appended to out.
  void AppendJson(std::string& out) const;

 private:
  using Storage = std::variant<double, int64_t, std::string, std::vector<std::string>, DateTimeValue, bool,
                               std::shared_ptr<const utils::ObjectNode>>;
  explicit PropertyValue(Storage value) : m_Value(std::move(value)) {}

  Storage m_Value;
};

}  // namespace beacon_analytics
