#include "tracking/vl_enum_text.h"

#include <string>

#include "tracking/tracking_constants.h"
#include "tracking/vl_exception.h"

namespace volen {
namespace beacon {

namespace {

// Looks `value` up in a table of `count` texts or throws `prefix` + value +
// "]!" (or `fixedMessage` when given).
template <size_t N>
std::string Lookup(const char* const (&table)[N], int value, const char* function, int line, const char* prefix,
                   const char* fixedMessage = nullptr) {
  if (value >= 0 && static_cast<size_t>(value) < N) return table[value];
  throw VlException(texts::kSourceImpl, function, line,
                    fixedMessage ? std::string(fixedMessage) : prefix + std::to_string(value) + "]!");
}

}  // namespace

std::string toString(VlEventKind kind) {
  static const char* const kTexts[] = {"Activity", "PaLaunchPal", "Login",    "Click",  "View",
                                       "Cashier",  "Share",       "Task",     "File",   "Order",
                                       "Payment",  "Uninstall",   "Update",   "Crashed", "AppOpenNotification"};
  return Lookup(kTexts, kind, "toString", 528, "Unknown Event [");
}

std::string toString(VlEdition edition) {
  static const char* const kTexts[] = {"china", "overseas"};
  return Lookup(kTexts, edition, "toString", 276, "Unknown edition [");
}

std::string toString(VlUserType type) {
  static const char* const kTexts[] = {"unknown", "mobilephone", "email",  "weixin",      "qq",     "deviceid",
                                       "baidu",   "huawei",      "apple",  "volenuserid", "google", "facebook"};
  return Lookup(kTexts, type, "userType", 635, "Unknown user type [");
}

std::string toString(VlResult result) {
  static const char* const kTexts[] = {"Success", "Cancelled", "Fail", "Unknown"};
  return Lookup(kTexts, result, "toString", 652, "Unknown task result [");
}

std::string toString(VlClickType type) {
  static const char* const kTexts[] = {"Button", "Banner", "Tutorial", "File", "Others"};
  return Lookup(kTexts, type, "toString", 751, "Unknown ClickType [");
}

std::string toString(VlIoType io) {
  static const char* const kTexts[] = {"Input", "Output"};
  return Lookup(kTexts, io, "toString", 1070, nullptr, "the io type is invalid");
}

std::string toString(VlCurrency currency) {
  static const char* const kTexts[] = {"CNY", "USD", "EUR", "HKD", "TWD", "MOP", "SGD", "JPY", "KRW", "INR", "GBP"};
  return Lookup(kTexts, currency, "toString", 1208, "Unknown currency [");
}

std::string toString(VlPaidPlatform platform) {
  static const char* const kTexts[] = {"Alipay",    "WeChatPay", "PayPal",   "Tenpay", "CIECC",
                                       "GooglePay", "HuaweiPay", "AppleIAP", "Paddle", "ChinaUnionPay"};
  return Lookup(kTexts, platform, "toString", 1348, "Unknown paid platform [");
}

std::string toString(VlIapType type) {
  static const char* const kTexts[] = {"Consumable", "NonConsumable", "AutoRenewable", "NonRenewable"};
  return Lookup(kTexts, type, "toString", 1365, "Unknown vlIapType [");
}

std::string toString(VlUpdateOp op) {
  static const char* const kTexts[] = {"UpdateCheck", "DownloadStart", "DownloadEnd", "UpgrateStart", "UpgrateEnd"};
  return Lookup(kTexts, op, "toString", 1575, "Unknown VlUpdateOp [");
}

std::string toString(VlUpdateResult result) {
  static const char* const kTexts[] = {"Success", "Cancelled", "Timeout", "Fail", "Latest", "Updateable"};
  return Lookup(kTexts, result, "toString", 1596, "Unknown VlUpdateResult [");
}

const std::string& eventName(VlEventKind kind) {
  static const std::string kNames[] = {
      texts::kEventActivity, texts::kEventLaunch,  texts::kEventLogin,   texts::kEventClick,
      texts::kEventView,     texts::kEventCashier, texts::kEventShare,   texts::kEventTask,
      texts::kEventFile,     texts::kEventOrder,   texts::kEventPayment, texts::kEventUninstall,
      texts::kEventUpdate,   texts::kEventCrashed, texts::kEventAppOpenNotification};
  if (kind < 0 || kind >= kEventKindCount) toString(kind);  // throws "Unknown Event [N]!"
  return kNames[kind];
}

}  // namespace beacon
}  // namespace volen
