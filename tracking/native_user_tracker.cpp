#include "tracking/native_user_tracker.h"

#include <map>

#include "collect/properties_node.h"
#include "collect/record_environment.h"
#include "collect/sdk.h"
#include "tracking/property_keys.h"
#include "tracking/tracking_constants.h"
#include "tracking/vl_context_properties.h"
#include "tracking/vl_exception.h"

namespace volen {
namespace beacon {

namespace {

using beacon_analytics::PropertiesNode;
using beacon_analytics::Sdk;

const std::map<std::string, NativeUserTracker::Mode>& ModeTable() {
  static const std::map<std::string, NativeUserTracker::Mode> table = [] {
    std::map<std::string, NativeUserTracker::Mode> modes;
    for (const char* key : {"$first_visit_time", "vl_first_visit_date", "$ios_install_source", "vl_first_paid_date"})
      modes.emplace(key, NativeUserTracker::SetOnce);
    for (const char* key : {"vl_visit_count", "vl_paid_count", "vl_consumption"})
      modes.emplace(key, NativeUserTracker::Accumulate);
    for (const char* key :
         {"vl_label",           "vl_os",           "vl_os_version",       "vl_manufacturer",    "vl_model",
          "vl_app_store",       "vl_app_platform", "vl_last_app_id",      "vl_last_app_version", "vl_carrier",
          "vl_last_visit_date", "aurora_pushid",   "vl_user_id",          "vl_user_name",       "vl_user_type",
          "vl_user_nickname",   "vl_user_portrait", "vl_user_mobilephone", "vl_user_email",     "vl_user_weixin",
          "vl_user_qq",         "vl_user_did",     "vl_user_created",     "vl_user_last_login", "vl_user_last_ip",
          "vl_user_vip_level",  "vl_user_vip_enddate", "idfa",            "imei",               "android_id",
          "oaid",               "vl_ip",           "vl_country_code",     "vl_country",         "vl_province",
          "vl_city",            "vl_last_paid_date"})
      modes.emplace(key, NativeUserTracker::Set);
    return modes;
  }();
  return table;
}

VlException ProfileError(const char* function, int line, const std::string& message) {
  return VlException(texts::kSourceUserTracker, function, line, message);
}

std::string NotSupportedMessage(const std::string& key) { return "Not supported user property [" + key + "]!"; }

// Number values share their rules between the int and the double form; only
// the line numbers differ.
template <typename Number>
void ProfileNumber(const std::string& key, Number value, int appendLine, int unsupportedLine) {
  PropertiesNode properties;
  properties.SetNumber(key, value);
  switch (NativeUserTracker::userPropertyMode(key)) {
    case NativeUserTracker::SetOnce:
      Sdk::ProfileSetOnce(properties);
      return;
    case NativeUserTracker::Accumulate:
      Sdk::ProfileIncrement(properties);
      return;
    case NativeUserTracker::Set:
      Sdk::ProfileSet(properties);
      return;
    case NativeUserTracker::Append:
      throw ProfileError("ProfileUserPropertyNumber", appendLine,
                         "user property [" + key + "] is number value, it cannot be append to list!");
    default:
      throw ProfileError("ProfileUserPropertyNumber", unsupportedLine, NotSupportedMessage(key));
  }
}

}  // namespace

NativeUserTracker::Mode NativeUserTracker::userPropertyMode(const std::string& key) {
  const auto found = ModeTable().find(key);
  return found == ModeTable().end() ? NotSupported : found->second;
}

void NativeUserTracker::ProfileUserPropertyString(const std::string& key, const std::string& value) {
  switch (userPropertyMode(key)) {
    case SetOnce:
      Sdk::ProfileSetOnce(key, value);
      return;
    case Set:
      Sdk::ProfileSet(key, value);
      return;
    case Append:
      Sdk::ProfileAppend(key, value);
      return;
    case Accumulate:
      throw ProfileError("ProfileUserPropertyString", 165,
                         "user property [" + key + "] is string type value, it cannot be accumulated!");
    default:
      throw ProfileError("ProfileUserPropertyString", 167, NotSupportedMessage(key));
  }
}

void NativeUserTracker::ProfileUserPropertyNumber(const std::string& key, int value) {
  ProfileNumber<int32_t>(key, value, 186, 188);
}

void NativeUserTracker::ProfileUserPropertyNumber(const std::string& key, double value) {
  ProfileNumber<double>(key, value, 211, 213);
}

void NativeUserTracker::ProfileUserPropertyDateTime(const std::string& key, int64_t value) {
  const VlSplitTime time = splitTimeValue(value);
  PropertiesNode properties;
  properties.SetDateTime(key, time.seconds, time.milliseconds);
  switch (userPropertyMode(key)) {
    case SetOnce:
      Sdk::ProfileSetOnce(properties);
      return;
    case Set:
      Sdk::ProfileSet(properties);
      return;
    case Accumulate:
      throw ProfileError("ProfileUserPropertyDateTime", 261,
                         "user property [" + key + "] is boolean value, it cannot be accumulative!");
    case Append:
      throw ProfileError("ProfileUserPropertyDateTime", 263,
                         "user property [" + key + "] is boolean value, it cannot be append to list!");
    default:
      throw ProfileError("ProfileUserPropertyDateTime", 265, NotSupportedMessage(key));
  }
}

void NativeUserTracker::visitDatesFollowUp() {
  const int64_t now = beacon_analytics::SystemNowMs();
  ProfileUserPropertyDateTime(keys::kPresetFirstVisitTime, now);
  ProfileUserPropertyDateTime(keys::kVlFirstVisitDate, now);
  ProfileUserPropertyDateTime(keys::kVlLastVisitDate, now);
}

void NativeUserTracker::activityFollowUp(const std::string& osVersion, const std::string& appStore,
                                         const std::string& appName, const std::string& appVersion) {
  visitDatesFollowUp();
  ProfileUserPropertyString(keys::kVlOs, texts::kOsName);
  ProfileUserPropertyString(keys::kVlOsVersion, osVersion);
  ProfileUserPropertyString(keys::kVlAppStore, appStore);
  ProfileUserPropertyString(keys::kVlAppPlatform, texts::kAppPlatform);
  ProfileUserPropertyString(keys::kVlLastAppId, appName);
  ProfileUserPropertyString(keys::kVlLastAppVersion, appVersion);
  ProfileUserPropertyString(keys::kPresetIosInstallSource, texts::kInstallSource);
}

void NativeUserTracker::paymentFollowUp(float paidAmount) {
  ProfileUserPropertyNumber(keys::kVlPaidCount, 1);
  ProfileUserPropertyNumber(keys::kVlConsumption, static_cast<double>(paidAmount));
  const int64_t now = beacon_analytics::SystemNowMs();
  ProfileUserPropertyDateTime(keys::kVlFirstPaidDate, now);
  ProfileUserPropertyDateTime(keys::kVlLastPaidDate, now);
}

}  // namespace beacon
}  // namespace volen
