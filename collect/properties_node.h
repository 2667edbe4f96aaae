#pragma once

#include "collect/object_node.h"

namespace beacon_analytics {

// The property set of events and profile updates. Properties are flat:
// nested objects are refused silently, also when merged in.
class PropertiesNode : public utils::ObjectNode {
 public:
  void SetObject(const std::string& name, const utils::ObjectNode& value) override;
};

}  // namespace beacon_analytics
