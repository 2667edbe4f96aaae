// The builders of the commerce and notification events: cashier, share,
// order, payment and app-open notification. The installer itself does not
// send them; they complete the tracker interface.
#include <cstdio>

#include "collect/sdk.h"
#include "tracking/beacon_tracker_impl.h"
#include "tracking/native_user_tracker.h"
#include "tracking/property_helpers.h"
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
  properties.SetString("vl_cashier_name", event.cashierName);
  SetIfNotEmpty(properties, "vl_cashier_title", event.cashierTitle);
  SetIfNotEmpty(properties, "vl_subitem", event.subitem);
  SetFirstTime(properties);
  copyContextProperties(KindCashier, properties, context);
  Sdk::Track(texts::kEventCashier, properties);
  m_PendingCount.fetch_add(1);
  deliverAfterEvent(false);
}

void BeaconTrackerImpl::trackShare(const VlEventShare& event, const VlContextProperties& context) {
  PropertiesNode properties;
  SetIfNotEmpty(properties, "vl_aname", event.aname);
  SetIfNotEmpty(properties, "vl_channel", event.channel);
  SetIfNotEmpty(properties, "vl_position", event.position);
  SetIfNotEmpty(properties, "vl_shared_name", event.sharedName);
  if (event.result) properties.SetString("vl_result", toString(*event.result));
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
  properties.SetString("vl_suit_id", event.suitId);
  properties.SetString("vl_currency", toString(*event.currency));
  properties.SetNumber("vl_paid_amount", static_cast<double>(event.paidAmount));
  properties.SetNumber("vl_original_amount", static_cast<double>(event.originalAmount));
  SetFirstTime(properties);
  SetIfNotEmpty(properties, "vl_order_id", event.orderId);
  SetIfNotEmpty(properties, "vl_subitem", event.subitem);
  SetIfNotEmpty(properties, "vl_sku", event.sku);
  SetIfGiven(properties, "vl_campaign_code", event.campaignCode);
  SetIfNotEmpty(properties, "vl_voucher_id", event.voucherId);
  SetIfPositive(properties, "vl_cur_original_amount", event.curOriginalAmount);
  SetIfPositive(properties, "vl_cur_paid_amount", event.curPaidAmount);
  SetIfNotEmpty(properties, "vl_cashier_name", event.cashierName);
  SetIfNotEmpty(properties, "vl_cashier_title", event.cashierTitle);
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
  properties.SetString("vl_order_id", event.orderId);
  properties.SetString("vl_paid_platform", toString(event.paidPlatform));
  properties.SetString("vl_currency", toString(event.currency));
  properties.SetNumber("vl_paid_amount", static_cast<double>(event.paidAmount));
  properties.SetNumber("vl_original_amount", static_cast<double>(event.originalAmount));
  properties.SetString("vl_result", *event.result == Success ? "Success" : "Fail");
  SetFirstTime(properties);
  SetIfNotEmpty(properties, "vl_suit_id", event.suitId);
  if (event.iapType) properties.SetString("vl_iap_type", toString(*event.iapType));
  SetIfNotEmpty(properties, "vl_subitem", event.subitem);
  SetIfNotEmpty(properties, "vl_sku", event.sku);
  SetIfNotEmpty(properties, "vl_voucher_id", event.voucherId);
  SetIfNotEmpty(properties, "vl_used_voucher_id", event.usedVoucherId);
  SetIfGiven(properties, "vl_campaign_code", event.campaignCode);
  SetIfPositive(properties, "vl_cur_original_amount", event.curOriginalAmount);
  SetIfPositive(properties, "vl_cur_paid_amount", event.curPaidAmount);
  SetIfNotEmpty(properties, "vl_cashier_name", event.cashierName);
  SetIfNotEmpty(properties, "vl_cashier_title", event.cashierTitle);
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
  properties.SetString("$sf_msg_title", notification->msgTitle);
  properties.SetString("$sf_plan_id", notification->planId);
  properties.SetString("$sf_plan_type", notification->planType);
  SetFirstTime(properties);
  SetIfNotEmpty(properties, "$sf_msg_content", notification->msgContent);
  SetIfNotEmpty(properties, "$sf_link_url", notification->linkUrl);
  SetIfNotEmpty(properties, "$sf_audience_id", notification->audienceId);
  SetIfNotEmpty(properties, "$sf_plan_strategy_id", notification->planStrategyId);
  SetIfNotEmpty(properties, "$sf_strategy_unit_id", notification->strategyUnitId);
  copyContextProperties(KindAppOpenNotification, properties, context);
  Sdk::Track(texts::kEventAppOpenNotification, properties);
  deliverAfterEvent(false);
}

}  // namespace beacon
}  // namespace volen
