#include "collect/properties_node.h"

namespace beacon_analytics {

void PropertiesNode::SetObject(const std::string&, const utils::ObjectNode&) {}

}  // namespace beacon_analytics
