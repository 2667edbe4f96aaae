#pragma once

// Wire texts of the tracker's enumerations. A value outside its table throws
// VlException (function "toString", or "userType" for VlUserType) with the
// line number the analytics team looks up.

#include <string>

#include "tracking/vl_types.h"

namespace volen {
namespace beacon {

std::string toString(VlEventKind kind);
std::string toString(VlEdition edition);
std::string toString(VlUserType type);
std::string toString(VlResult result);
std::string toString(VlClickType type);
std::string toString(VlIoType io);
std::string toString(VlCurrency currency);
std::string toString(VlPaidPlatform platform);
std::string toString(VlIapType type);
std::string toString(VlUpdateOp op);
std::string toString(VlUpdateResult result);

// The wire event name of a kind ("VlEventClick", "AppCrashed", ...).
const std::string& eventName(VlEventKind kind);

}  // namespace beacon
}  // namespace volen
