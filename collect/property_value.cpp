#include "collect/property_value.h"

#include "collect/json_text.h"
#include "collect/object_node.h"

namespace beacon_analytics {

PropertyValue PropertyValue::MakeNumber(double value) { return PropertyValue(Storage(std::in_place_index<Number>, value)); }

PropertyValue PropertyValue::MakeInt(int64_t value) { return PropertyValue(Storage(std::in_place_index<Int>, value)); }

PropertyValue PropertyValue::MakeString(std::string value) {
  return PropertyValue(Storage(std::in_place_index<String>, std::move(value)));
}

PropertyValue PropertyValue::MakeList(std::vector<std::string> value) {
  return PropertyValue(Storage(std::in_place_index<List>, std::move(value)));
}

PropertyValue PropertyValue::MakeDateTime(int64_t seconds, int32_t milliseconds) {
  return PropertyValue(Storage(std::in_place_index<DateTime>, DateTimeValue{seconds, milliseconds}));
}

PropertyValue PropertyValue::MakeBool(bool value) { return PropertyValue(Storage(std::in_place_index<Bool>, value)); }

PropertyValue PropertyValue::MakeObject(const utils::ObjectNode& value) {
  // Copied as a plain object: whatever the source's type, the stored value
  // is data only.
  auto copy = std::make_shared<utils::ObjectNode>();
  copy->Merge(value);
  return PropertyValue(Storage(std::in_place_index<Object>, std::shared_ptr<const utils::ObjectNode>(std::move(copy))));
}

void PropertyValue::AppendJson(std::string& out) const {
  switch (GetKind()) {
    case Number:
      out += json_text::FormatNumber(AsNumber());
      break;
    case Int:
      out += std::to_string(AsInt());
      break;
    case String:
      json_text::AppendQuoted(out, AsString());
      break;
    case List: {
      out += '[';
      bool first = true;
      for (const auto& item : AsList()) {
        if (!first) out += ',';
        first = false;
        json_text::AppendQuoted(out, item);
      }
      out += ']';
      break;
    }
    case DateTime:
      json_text::AppendQuoted(out, json_text::FormatLocalDateTime(AsDateTime().seconds, AsDateTime().milliseconds));
      break;
    case Bool:
      out += AsBool() ? "true" : "false";
      break;
    case Object:
      AsObject().AppendJson(out);
      break;
  }
}

}  // namespace beacon_analytics
