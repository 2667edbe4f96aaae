#pragma once

// The tracker's start-up record, enumerations and event records. Plain data;
// every string is UTF-8; an optional field is a shared pointer (null = not
// given).

#include <cstdint>
#include <memory>
#include <string>

namespace volen {
namespace beacon {

enum VlEdition { china = 0, overseas = 1 };

enum VlUserType {
  VL_USER_UNKNOWN = 0,
  VL_USER_MOBILEPHONE = 1,
  VL_USER_EMAIL = 2,
  VL_USER_WEIXIN = 3,
  VL_USER_QQ = 4,
  VL_USER_DEVICEID = 5,
  VL_USER_BAIDU = 6,
  VL_USER_HUAWEI = 7,
  VL_USER_APPLE = 8,
  VL_USER_VOLENUSERID = 9,
  VL_USER_GOOGLE = 10,
  VL_USER_FACEBOOK = 11,
};

enum VlResult { Success = 0, Cancelled = 1, Fail = 2, Unknown = 3 };

enum VlClickType { Button = 0, Banner = 1, Tutorial = 2, File = 3, Others = 4 };

enum VlIoType { Input = 0, Output = 1 };

enum VlCurrency { CNY = 0, USD = 1, EUR = 2, HKD = 3, TWD = 4, MOP = 5, SGD = 6, JPY = 7, KRW = 8, INR = 9, GBP = 10 };

enum VlPaidPlatform {
  Alipay = 0,
  WeChatPay = 1,
  PayPal = 2,
  Tenpay = 3,
  CIECC = 4,
  GooglePay = 5,
  HuaweiPay = 6,
  AppleIAP = 7,
  Paddle = 8,
  ChinaUnionPay = 9,
};

enum VlIapType { Consumable = 0, NonConsumable = 1, AutoRenewable = 2, NonRenewable = 3 };

enum VlUpdateOp { UpdateCheck = 0, DownloadStart = 1, DownloadEnd = 2, UpgrateStart = 3, UpgrateEnd = 4 };

enum VlUpdateResult {
  UpdateSuccess = 0,
  UpdateCancelled = 1,
  UpdateTimeout = 2,
  UpdateFail = 3,
  UpdateLatest = 4,
  UpdateUpdateable = 5,
};

// Indexes the per-kind lists of VlContextProperties.
enum VlEventKind {
  KindActivity = 0,
  KindLaunch = 1,
  KindLogin = 2,
  KindClick = 3,
  KindView = 4,
  KindCashier = 5,
  KindShare = 6,
  KindTask = 7,
  KindFile = 8,
  KindOrder = 9,
  KindPayment = 10,
  KindUninstall = 11,
  KindUpdate = 12,
  KindCrashed = 13,
  KindAppOpenNotification = 14,
};
constexpr int kEventKindCount = 15;

struct BeaconTrackerConfig {
  std::string appName;
  std::string appVersion;
  std::string appStore;
  std::string dlAppId;
  std::string dlAppVersion;
  std::string logPath;  // empty: the default path beside the state file
  int edition = china;
  std::string serverUrl;  // empty: the default collection endpoint
};

struct VlEventClick {
  std::string aname;
  std::string name;
  VlClickType clickType = Others;
  std::string title;
  std::string module;
  std::string position;
  std::shared_ptr<int> tabIndex;
  std::string tabName;
  std::shared_ptr<int> bannerIndex;
  std::string bannerName;
};

struct VlEventView {
  std::string aname;
  std::string name;
  std::string title;
  std::string position;
};

struct VlEventCashier {
  std::string cashierName;
  std::string cashierTitle;
  std::string subitem;
};

struct VlEventShare {
  std::string aname;
  std::string channel;
  std::string position;
  std::string sharedName;
  std::shared_ptr<VlResult> result;
};

struct VlEventTask {
  std::string aname;
  std::string name;
  std::string reason;
  std::shared_ptr<float> elapsed;  // seconds
  std::shared_ptr<VlResult> result;
};

struct VlEventFile {
  std::string aname;
  std::string name;
  std::shared_ptr<VlIoType> io;
  std::string ext;
  std::shared_ptr<float> size;
  std::shared_ptr<int> duration;
  std::shared_ptr<float> fps;
  std::shared_ptr<float> bps;
  std::shared_ptr<int> width;
  std::shared_ptr<int> height;
  std::shared_ptr<int> depth;
  std::shared_ptr<VlResult> result;
};

struct VlEventOrder {
  std::string orderId;
  std::string subitem;
  std::string sku;
  std::string suitId;
  std::shared_ptr<VlCurrency> currency;
  float originalAmount = 0;
  std::string voucherId;
  float paidAmount = 0;
  std::string cashierName;
  std::string cashierTitle;
  std::shared_ptr<int> campaignCode;
  float curOriginalAmount = 0;
  float curPaidAmount = 0;
};

struct VlEventPayment {
  std::string orderId;
  std::string subitem;
  std::string sku;
  VlCurrency currency = CNY;
  float originalAmount = 0;
  std::shared_ptr<int> campaignCode;
  std::string voucherId;
  std::string usedVoucherId;
  float paidAmount = 0;
  std::string suitId;
  std::string cashierName;
  std::string cashierTitle;
  VlPaidPlatform paidPlatform = Alipay;
  std::shared_ptr<VlResult> result;
  std::shared_ptr<VlIapType> iapType;
  float curOriginalAmount = 0;
  float curPaidAmount = 0;
};

struct VlEventUpdate {
  VlUpdateOp op = UpdateCheck;
  std::shared_ptr<VlUpdateResult> result;
  std::shared_ptr<float> elapsed;
};

struct VlAppOpenNotification {
  std::string msgTitle;
  std::string msgContent;
  std::string linkUrl;
  std::string planId;
  std::string audienceId;
  std::string planStrategyId;
  std::string planType;
  std::string strategyUnitId;
};

// The account that logged in.
struct VlEventLogin {
  std::string userId;
  std::string userName;
  VlUserType userType = VL_USER_UNKNOWN;
  std::string nickname;
  std::string portrait;
  std::string mobilephone;
  std::string email;
  std::string weixin;
  std::string qq;
  std::string did;
  int64_t created = 0;    // seconds since 1970
  int64_t lastLogin = 0;  // seconds since 1970
  std::string lastIp;
  int vipLevel = 0;
  int64_t vipEndDate = 0;  // seconds since 1970
};

}  // namespace beacon
}  // namespace volen
