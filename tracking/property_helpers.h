#pragma once

// Small steps shared by the event builders. A string from an empty field is
// left out; an optional field that is not given is left out.

#include <cstdint>
#include <memory>
#include <string>

#include "collect/properties_node.h"
#include "tracking/property_keys.h"

namespace volen {
namespace beacon {

inline void SetIfNotEmpty(beacon_analytics::PropertiesNode& properties, const char* key, const std::string& value) {
  if (!value.empty()) properties.SetString(key, value);
}

inline void SetIfGiven(beacon_analytics::PropertiesNode& properties, const char* key,
                       const std::shared_ptr<int>& value) {
  if (value) properties.SetNumber(key, static_cast<int32_t>(*value));
}

inline void SetIfGiven(beacon_analytics::PropertiesNode& properties, const char* key,
                       const std::shared_ptr<float>& value) {
  if (value) properties.SetNumber(key, static_cast<double>(*value));
}

inline void SetFirstTime(beacon_analytics::PropertiesNode& properties) {
  properties.SetBool(keys::kPresetIsFirstTime, true);
}

}  // namespace beacon
}  // namespace volen
