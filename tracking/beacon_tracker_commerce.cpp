// The builders of the commerce and notification events: cashier, share,
// order, payment and app-open notification. The installer itself does not
// send them; they complete the tracker interface.
#include <cstdio>

#include "collect/sdk.h"
#include "tracking/beacon_tracker_impl.h"
#include "tracking/native_user_tracker.h"
#include "tracking/property_helpers.h"
#include "tracking/property_keys.h"
#include "tracking/tracking_constants.h"
#include "tracking/vl_enum_text.h"
#include "tracking/vl_exception.h"

namespace volen {
namespace beacon {

namespace {

using beacon_analytics::PropertiesNode;
using beacon_analytics::Sdk;

VlException ImplError(const char* function, int line, const std::string& message) {
  return VlException(texts::kSourceImpl, function, line, message);
}

std::string AmountText(float amount) {
  char text[64] = {};
  std::snprintf(text, sizeof(text), "%f", static_cast<double>(amount));
  return text;
}

// Converted amounts are reported only when there is one.
void SetIfPositive(PropertiesNode& properties, const char* key, float amount) {
  if (amount > 0) properties.SetNumber(key, static_cast<double>(amount));
}

}  // namespace

void BeaconTrackerImpl::trackCashier(const VlEventCashier& event, const VlContextProperties& context) {
  if (event.cashierName.empty())
    throw ImplError("trackCashier", 914, "vlEventCashier.vl_cashier_name is empty");
  PropertiesNode properties;
  properties.SetString(keys::kVlCashierName, event.cashierName);
  SetIfNotEmpty(properties, keys::kVlCashierTitle, event.cashierTitle);
  SetIfNotEmpty(properties, keys::kVlSubitem, event.subitem);
  SetFirstTime(properties);
  copyContextProperties(KindCashier, properties, context);
  Sdk::Track(texts::kEventCashier, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackShare(const VlEventShare& event, const VlContextProperties& context) {
  PropertiesNode properties;
  SetIfNotEmpty(properties, keys::kVlAname, event.aname);
  SetIfNotEmpty(properties, keys::kVlChannel, event.channel);
  SetIfNotEmpty(properties, keys::kVlPosition, event.position);
  SetIfNotEmpty(properties, keys::kVlSharedName, event.sharedName);
  if (event.result) properties.SetString(keys::kVlResult, toString(*event.result));
  SetFirstTime(properties);
  copyContextProperties(KindShare, properties, context);
  Sdk::Track(texts::kEventShare, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackOrder(const VlEventOrder& event, const VlContextProperties& context) {
  if (event.suitId.empty()) throw ImplError("trackOrder", 1230, "vlEventOrder.vlSuitId is empty");
  if (!event.currency) throw ImplError("trackOrder", 1234, "vlEventOrder.vlCurrency is nullptr");
  if (event.originalAmount < 0)
    throw ImplError("trackOrder", 1238, "vlEventOrder.originalAmount is less than zero");
  if (event.paidAmount < 0) throw ImplError("trackOrder", 1242, "vlEventOrder.paidAmount is less than zero");
  PropertiesNode properties;
  properties.SetString(keys::kVlSuitId, event.suitId);
  properties.SetString(keys::kVlCurrency, toString(*event.currency));
  properties.SetNumber(keys::kVlPaidAmount, static_cast<double>(event.paidAmount));
  properties.SetNumber(keys::kVlOriginalAmount, static_cast<double>(event.originalAmount));
  SetFirstTime(properties);
  SetIfNotEmpty(properties, keys::kVlOrderId, event.orderId);
  SetIfNotEmpty(properties, keys::kVlSubitem, event.subitem);
  SetIfNotEmpty(properties, keys::kVlSku, event.sku);
  SetIfGiven(properties, keys::kVlCampaignCode, event.campaignCode);
  SetIfNotEmpty(properties, keys::kVlVoucherId, event.voucherId);
  SetIfPositive(properties, keys::kVlCurOriginalAmount, event.curOriginalAmount);
  SetIfPositive(properties, keys::kVlCurPaidAmount, event.curPaidAmount);
  SetIfNotEmpty(properties, keys::kVlCashierName, event.cashierName);
  SetIfNotEmpty(properties, keys::kVlCashierTitle, event.cashierTitle);
  copyContextProperties(KindOrder, properties, context);
  Sdk::Track(texts::kEventOrder, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackPayment(const VlEventPayment& event, const VlContextProperties& context) {
  if (event.orderId.empty()) throw ImplError("trackPayment", 1391, "vlEventPayment.vlOrderId is empty");
  if (event.paidAmount < 0)
    throw ImplError("trackPayment", 1396, "paidAmount = " + AmountText(event.paidAmount) + " is invalid");
  if (event.originalAmount < 0)
    throw ImplError("trackPayment", 1401, "originalAmount = " + AmountText(event.originalAmount) + " is invalid");
  if (!event.result || (*event.result != Success && *event.result != Fail))
    throw ImplError("trackPayment", 1407, "vlEventPayment.result is invalid");
  PropertiesNode properties;
  properties.SetString(keys::kVlOrderId, event.orderId);
  properties.SetString(keys::kVlPaidPlatform, toString(event.paidPlatform));
  properties.SetString(keys::kVlCurrency, toString(event.currency));
  properties.SetNumber(keys::kVlPaidAmount, static_cast<double>(event.paidAmount));
  properties.SetNumber(keys::kVlOriginalAmount, static_cast<double>(event.originalAmount));
  properties.SetString(keys::kVlResult, *event.result == Success ? "Success" : "Fail");
  SetFirstTime(properties);
  SetIfNotEmpty(properties, keys::kVlSuitId, event.suitId);
  if (event.iapType) properties.SetString(keys::kVlIapType, toString(*event.iapType));
  SetIfNotEmpty(properties, keys::kVlSubitem, event.subitem);
  SetIfNotEmpty(properties, keys::kVlSku, event.sku);
  SetIfNotEmpty(properties, keys::kVlVoucherId, event.voucherId);
  SetIfNotEmpty(properties, keys::kVlUsedVoucherId, event.usedVoucherId);
  SetIfGiven(properties, keys::kVlCampaignCode, event.campaignCode);
  SetIfPositive(properties, keys::kVlCurOriginalAmount, event.curOriginalAmount);
  SetIfPositive(properties, keys::kVlCurPaidAmount, event.curPaidAmount);
  SetIfNotEmpty(properties, keys::kVlCashierName, event.cashierName);
  SetIfNotEmpty(properties, keys::kVlCashierTitle, event.cashierTitle);
  copyContextProperties(KindPayment, properties, context);
  Sdk::Track(texts::kEventPayment, properties);
  NativeUserTracker::paymentFollowUp(event.paidAmount);
  m_PendingCount.fetch_add(4);
  if (*event.result == Success && !m_State->statePath.empty()) SaveState(*m_State);
  deliverAfterEvent(true);
}

void BeaconTrackerImpl::trackAppOpenNotification(const VlAppOpenNotification* notification,
                                                 const VlContextProperties& context) {
  if (!notification) throw ImplError("trackAppOpenNotification", 1691, "&appOpenNotification is nullptr");
  if (notification->planId.empty()) throw ImplError("trackAppOpenNotification", 1695, "planID is emptry");
  if (notification->planType.empty()) throw ImplError("trackAppOpenNotification", 1699, "planType is emptry");
  if (notification->msgTitle.empty()) throw ImplError("trackAppOpenNotification", 1703, "msgTitle is emptry");
  PropertiesNode properties;
  properties.SetString(keys::kPresetSfMsgTitle, notification->msgTitle);
  properties.SetString(keys::kPresetSfPlanId, notification->planId);
  properties.SetString(keys::kPresetSfPlanType, notification->planType);
  SetFirstTime(properties);
  SetIfNotEmpty(properties, keys::kPresetSfMsgContent, notification->msgContent);
  SetIfNotEmpty(properties, keys::kPresetSfLinkUrl, notification->linkUrl);
  SetIfNotEmpty(properties, keys::kPresetSfAudienceId, notification->audienceId);
  SetIfNotEmpty(properties, keys::kPresetSfPlanStrategyId, notification->planStrategyId);
  SetIfNotEmpty(properties, keys::kPresetSfStrategyUnitId, notification->strategyUnitId);
  copyContextProperties(KindAppOpenNotification, properties, context);
  Sdk::Track(texts::kEventAppOpenNotification, properties);
  deliverAfterEvent(false);
}

}  // namespace beacon
}  // namespace volen
