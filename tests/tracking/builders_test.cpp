// Event builders, their checks and the profile updates, read back from the
// records that the collection core staged (the endpoint is dead, so every
// record ends in the staging file when the tracker shuts down).
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tracking/native_user_tracker.h"
#include "tracking/system_facts.h"
#include "tracking/vl_exception.h"
#include "tracking_test_support.h"
#include "vl_failure_rows.h"

using namespace volen::beacon;
using tracking_testing::EventNames;
using tracking_testing::FindEvent;
using tracking_testing::ParseJson;

namespace {

constexpr char kImplSource[] = "..\\..\\..\\..\\source\\src\\BeaconTrackerImpl";
constexpr char kUserSource[] = "..\\..\\..\\..\\source\\src\\NativeUserTracker";

template <typename T>
std::shared_ptr<T> Opt(T value) {
  return std::make_shared<T>(value);
}

class BuilderTest : public tracking_testing::TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    m_Impl = StartImpl();
    ASSERT_EQ(m_InitError, "");
  }
  // Shuts the tracker down and returns what it recorded.
  std::vector<Json::Value> Recorded() {
    m_Impl->shutdown();
    return StagedRecords();
  }
  std::vector<Json::Value> RecordsOfType(const std::string& type) {
    std::vector<Json::Value> matching;
    for (const Json::Value& record : Recorded())
      if (record["type"].asString() == type) matching.push_back(record);
    return matching;
  }

  std::shared_ptr<BeaconTrackerImpl> m_Impl;
  VlContextProperties m_None;
};

struct Failure {
  const char* row;
  std::function<void()> call;
  std::string message;
  std::string function;
  int line;
  std::string source = kImplSource;
};

}  // namespace

TEST_F(BuilderTest, ChecksThrowTheirMessagesAndRecordNothing) {
  BeaconTrackerImpl& t = *m_Impl;
  const VlContextProperties& none = m_None;
  auto update = [&](VlUpdateOp op, std::shared_ptr<VlUpdateResult> result, std::shared_ptr<float> elapsed) {
    VlEventUpdate e;
    e.op = op;
    e.result = result;
    e.elapsed = elapsed;
    t.trackUpdate(e, none);
  };
  auto order = [&](std::function<void(VlEventOrder&)> change) {
    VlEventOrder e;
    e.suitId = "suit";
    e.currency = Opt(CNY);
    change(e);
    t.trackOrder(e, none);
  };
  auto payment = [&](std::function<void(VlEventPayment&)> change) {
    VlEventPayment e;
    e.orderId = "o-1";
    e.result = Opt(Success);
    change(e);
    t.trackPayment(e, none);
  };
  auto notification = [&](std::function<void(VlAppOpenNotification&)> change) {
    VlAppOpenNotification n;
    n.msgTitle = "title";
    n.planId = "plan";
    n.planType = "type";
    change(n);
    t.trackAppOpenNotification(&n, none);
  };
  const std::vector<Failure> rows = {
      {"click without name", [&] { t.trackClick(VlEventClick(), none); }, "vlEventClick.name is empty", "trackClick",
       776},
      {"click type 5",
       [&] {
         VlEventClick e;
         e.name = "n";
         e.clickType = static_cast<VlClickType>(5);
         t.trackClick(e, none);
       },
       "Unknown ClickType [5]!", "toString", 751},
      {"view without name", [&] { t.trackView(VlEventView(), none); }, "vlEventView.name is empty", "trackView", 865},
      {"task without name", [&] { t.trackTask(VlEventTask(), none); }, "vlEventTask.name is empty", "trackTask", 1016},
      {"file without aname", [&] { t.trackFile(VlEventFile(), none); }, "vlEventFile.aname is empty", "trackFile",
       1092},
      {"file io 2",
       [&] {
         VlEventFile e;
         e.aname = "a";
         e.io = Opt(static_cast<VlIoType>(2));
         t.trackFile(e, none);
       },
       "the io type is invalid", "toString", 1070},
      {"login user type 12",
       [&] {
         VlEventLogin e;
         e.userType = static_cast<VlUserType>(12);
         t.trackLogin(e, true, "", none);
       },
       "Unknown user type [12]!", "userType", 635},
      {"update op 9", [&] { update(static_cast<VlUpdateOp>(9), nullptr, nullptr); }, "Unknown VlUpdateOp [9]!",
       "toString", 1575},
      {"update result 6", [&] { update(UpdateCheck, Opt(static_cast<VlUpdateResult>(6)), nullptr); },
       "Unknown VlUpdateResult [6]!", "toString", 1596},
      {"download end without result", [&] { update(DownloadEnd, nullptr, Opt(1.0f)); },
       "Unknown updateResultInfo info", "trackUpdate", 1629},
      {"download end without elapsed", [&] { update(DownloadEnd, Opt(UpdateSuccess), nullptr); },
       "invalid elapsed info", "trackUpdate", 1637},
      {"upgrade end without result", [&] { update(UpgrateEnd, nullptr, Opt(1.0f)); },
       "Unknown updateResultInfo info", "trackUpdate", 1651},
      {"upgrade end without elapsed", [&] { update(UpgrateEnd, Opt(UpdateFail), nullptr); }, "invalid elapsed info",
       "trackUpdate", 1660},
      {"cashier without name", [&] { t.trackCashier(VlEventCashier(), none); },
       "vlEventCashier.vl_cashier_name is empty", "trackCashier", 914},
      {"share result 4",
       [&] {
         VlEventShare e;
         e.result = Opt(static_cast<VlResult>(4));
         t.trackShare(e, none);
       },
       "Unknown task result [4]!", "toString", 652},
      {"order without suit", [&] { order([](VlEventOrder& e) { e.suitId.clear(); }); },
       "vlEventOrder.vlSuitId is empty", "trackOrder", 1230},
      {"order without currency", [&] { order([](VlEventOrder& e) { e.currency.reset(); }); },
       "vlEventOrder.vlCurrency is nullptr", "trackOrder", 1234},
      {"order negative original", [&] { order([](VlEventOrder& e) { e.originalAmount = -0.5f; }); },
       "vlEventOrder.originalAmount is less than zero", "trackOrder", 1238},
      {"order negative paid", [&] { order([](VlEventOrder& e) { e.paidAmount = -0.5f; }); },
       "vlEventOrder.paidAmount is less than zero", "trackOrder", 1242},
      {"payment without order", [&] { payment([](VlEventPayment& e) { e.orderId.clear(); }); },
       "vlEventPayment.vlOrderId is empty", "trackPayment", 1391},
      {"payment paid -1", [&] { payment([](VlEventPayment& e) { e.paidAmount = -1; }); },
       "paidAmount = -1.000000 is invalid", "trackPayment", 1396},
      {"payment original -2.5", [&] { payment([](VlEventPayment& e) { e.originalAmount = -2.5f; }); },
       "originalAmount = -2.500000 is invalid", "trackPayment", 1401},
      {"payment cancelled", [&] { payment([](VlEventPayment& e) { e.result = Opt(Cancelled); }); },
       "vlEventPayment.result is invalid", "trackPayment", 1407},
      {"payment without result", [&] { payment([](VlEventPayment& e) { e.result.reset(); }); },
       "vlEventPayment.result is invalid", "trackPayment", 1407},
      {"notification null", [&] { t.trackAppOpenNotification(nullptr, none); }, "&appOpenNotification is nullptr",
       "trackAppOpenNotification", 1691},
      {"notification without plan id or title",
       [&] {
         notification([](VlAppOpenNotification& n) {
           n.planId.clear();
           n.msgTitle.clear();
         });
       },
       "planID is emptry", "trackAppOpenNotification", 1695},
      {"notification without plan type", [&] { notification([](VlAppOpenNotification& n) { n.planType.clear(); }); },
       "planType is emptry", "trackAppOpenNotification", 1699},
      {"notification without title", [&] { notification([](VlAppOpenNotification& n) { n.msgTitle.clear(); }); },
       "msgTitle is emptry", "trackAppOpenNotification", 1703},
      {"profile string accumulated", [] { NativeUserTracker::ProfileUserPropertyString("vl_visit_count", "x"); },
       "user property [vl_visit_count] is string type value, it cannot be accumulated!", "ProfileUserPropertyString",
       165, kUserSource},
      {"profile string unknown key", [] { NativeUserTracker::ProfileUserPropertyString("vl_nope", "x"); },
       "Not supported user property [vl_nope]!", "ProfileUserPropertyString", 167, kUserSource},
      {"profile int unknown key", [] { NativeUserTracker::ProfileUserPropertyNumber("vl_nope", 1); },
       "Not supported user property [vl_nope]!", "ProfileUserPropertyNumber", 188, kUserSource},
      {"profile double unknown key", [] { NativeUserTracker::ProfileUserPropertyNumber("vl_nope", 1.5); },
       "Not supported user property [vl_nope]!", "ProfileUserPropertyNumber", 213, kUserSource},
      {"profile date accumulated", [] { NativeUserTracker::ProfileUserPropertyDateTime("vl_paid_count", 1); },
       "user property [vl_paid_count] is boolean value, it cannot be accumulative!", "ProfileUserPropertyDateTime",
       261, kUserSource},
      {"profile date unknown key", [] { NativeUserTracker::ProfileUserPropertyDateTime("vl_nope", 1); },
       "Not supported user property [vl_nope]!", "ProfileUserPropertyDateTime", 265, kUserSource},
  };
  tracking_testing::ExpectVlFailures(rows);
  EXPECT_TRUE(Recorded().empty()) << "a failed check records nothing";
}

TEST_F(BuilderTest, EventsCarryTheirPropertiesInTheirOwnKeys) {
  BeaconTrackerImpl& t = *m_Impl;
  struct Row {
    const char* row;
    std::function<void()> call;
    const char* event;
    const char* expected;               // JSON object of properties that must match
    std::vector<const char*> absent;    // keys that must not be there
  };
  VlContextProperties clickContext;
  clickContext.setProperty("vl_title", "from context", {KindClick});
  clickContext.setProperty("vlc_ab", "IN", {KindClick, KindLaunch});
  const std::vector<Row> rows = {
      {"click with defaults",
       [&] {
         VlEventClick e;
         e.name = "defaults";
         t.trackClick(e, m_None);
       },
       "VlEventClick", R"({"vl_name":"defaults","vl_click_type":"Others","$is_first_time":true})",
       {"vl_aname", "vl_title", "vl_position", "vl_module", "vl_tab_name", "vl_tab_index", "vl_banner_index"}},
      {"click with every field and context",
       [&] {
         VlEventClick e;
         e.name = "full";
         e.clickType = Banner;
         e.aname = "a";
         e.title = "t";
         e.module = "m";
         e.position = "p";
         e.tabIndex = Opt(2);
         e.tabName = "tab";
         e.bannerIndex = Opt(0);
         e.bannerName = "ban";
         t.trackClick(e, clickContext);
       },
       "VlEventClick",
       R"({"vl_name":"full","vl_click_type":"Banner","vl_aname":"a","vl_title":"from context","vl_module":"m",
           "vl_position":"p","vl_tab_index":2,"vl_tab_name":"tab","vl_banner_index":0,"vl_banner_name":"ban",
           "vlc_ab":"IN"})",
       {}},
      {"view",
       [&] {
         VlEventView e;
         e.name = "安装中";
         e.position = "p";
         t.trackView(e, m_None);
       },
       "VlEventView", R"({"vl_name":"安装中","vl_position":"p","$is_first_time":true})", {"vl_aname", "vl_title"}},
      {"task with result Unknown",
       [&] {
         VlEventTask e;
         e.name = "unknown result";
         e.elapsed = Opt(0.5f);
         e.result = Opt(Unknown);
         t.trackTask(e, m_None);
       },
       "VlEventTask", R"({"vl_task_name":"unknown result","vl_task_elapsed":0.5,"$is_first_time":true})",
       {"vl_task_result", "vl_reason", "vl_aname"}},
      {"task with reason",
       [&] {
         VlEventTask e;
         e.name = "with reason";
         e.reason = "1.code=7";
         e.result = Opt(Fail);
         t.trackTask(e, m_None);
       },
       "VlEventTask", R"({"vl_task_name":"with reason","vl_task_result":"Fail","vl_reason":"1.code=7"})",
       {"vl_task_elapsed"}},
      {"file",
       [&] {
         VlEventFile e;
         e.aname = "convert";
         e.io = Opt(Output);
         e.result = Opt(Success);
         e.ext = "epub";
         e.size = Opt(1.5f);
         e.width = Opt(640);
         t.trackFile(e, m_None);
       },
       "VlEventFile",
       R"({"vl_aname":"convert","vl_io":"Output","vl_result":"Success","vl_ext":"epub","vl_size":1.5,
           "vl_width":640,"$is_first_time":true})",
       {"vl_name", "vl_duration", "vl_fps", "vl_height"}},
      {"uninstall", [&] { t.trackUninstall("too slow", m_None); }, "VlEventUninstall",
       R"({"vl_uninstall_reason":"too slow"})", {"$is_first_time"}},
      {"crash without reason", [&] { t.trackCrash(""); }, "AppCrashed", "{}",
       {"app_crashed_reason", "$is_first_time"}},
      {"update check without result",
       [&] {
         VlEventUpdate e;
         t.trackUpdate(e, m_None);
       },
       "VlEventUpdate", R"({"vl_update_op":"UpdateCheck","vl_update_result":""})", {"vl_elapsed", "$is_first_time"}},
      {"cashier",
       [&] {
         VlEventCashier e;
         e.cashierName = "vip";
         t.trackCashier(e, m_None);
       },
       "VlEventCashier", R"({"vl_cashier_name":"vip","$is_first_time":true})", {"vl_cashier_title", "vl_subitem"}},
      {"share with result Unknown",
       [&] {
         VlEventShare e;
         e.channel = "qq";
         e.result = Opt(Unknown);
         t.trackShare(e, m_None);
       },
       "VlEventShare", R"({"vl_channel":"qq","vl_result":"Unknown","$is_first_time":true})", {"vl_aname"}},
      {"order with zero amounts",
       [&] {
         VlEventOrder e;
         e.suitId = "suit";
         e.currency = Opt(USD);
         e.campaignCode = Opt(12);
         e.curPaidAmount = 3.5f;
         t.trackOrder(e, m_None);
       },
       "VlEventOrder",
       R"({"vl_suit_id":"suit","vl_currency":"USD","vl_paid_amount":0,"vl_original_amount":0,
           "vl_campaign_code":12,"vl_cur_paid_amount":3.5,"$is_first_time":true})",
       {"vl_cur_original_amount", "vl_order_id", "vl_voucher_id"}},
      {"notification",
       [&] {
         VlAppOpenNotification n;
         n.msgTitle = "hello";
         n.planId = "p1";
         n.planType = "push";
         n.linkUrl = "https://x";
         t.trackAppOpenNotification(&n, m_None);
       },
       "AppOpenNotification",
       R"({"$sf_msg_title":"hello","$sf_plan_id":"p1","$sf_plan_type":"push","$sf_link_url":"https://x",
           "$is_first_time":true})",
       {"$sf_msg_content", "$sf_audience_id"}},
      {"launch with context", [&] { t.trackLaunch(clickContext); }, "VlEventLaunch", R"({"vlc_ab":"IN"})",
       {"vl_title", "$is_first_time"}},
  };
  for (const Row& row : rows) row.call();
  const std::vector<Json::Value> records = Recorded();
  ASSERT_EQ(records.size(), rows.size()) << "one record per event, no profile records";
  for (size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const Json::Value& record = records[i];
    EXPECT_EQ(record["event"].asString(), row.event) << row.row;
    const Json::Value expected = ParseJson(row.expected);
    for (const std::string& key : expected.getMemberNames())
      EXPECT_EQ(record["properties"][key], expected[key]) << row.row << ": " << key;
    for (const char* key : row.absent) EXPECT_FALSE(record["properties"].isMember(key)) << row.row << ": " << key;
  }
}

TEST_F(BuilderTest, EveryEventCarriesThePresetSuperPropertiesAndSetLocaleReplacesTheLocalisation) {
  VlEventTask task;
  task.name = "before";
  m_Impl->trackTask(task, m_None);
  m_Impl->setLocale("en_US");
  task.name = "en_US";
  m_Impl->trackTask(task, m_None);
  m_Impl->setLocale("en");
  task.name = "en";
  m_Impl->trackTask(task, m_None);
  const std::vector<Json::Value> records = Recorded();
  ASSERT_EQ(records.size(), 3u);

  const Localisation system = CurrentLocalisation("");
  const Json::Value expected = ParseJson(std::string(R"({
      "vl_app_id":"Tovrel Test.downloader","$app_id":"Tovrel Test.downloader","$app_version":"1.7.9",
      "vl_app_store":"setup_channel.exe","vl_edition":"china","vl_dlapp_id":"Tovrel Test",
      "vl_dlapp_version":"2.0.0","vl_app_platform":"Windows","vl_track_type":"Client","vl_sdk_version":"3.3.8",
      "vl_sdk":"WindowsCPP","$os":"Windows","$os_version":"7"})"));
  for (const std::string& key : expected.getMemberNames()) EXPECT_EQ(records[0]["properties"][key], expected[key]) << key;
  EXPECT_EQ(records[0]["properties"]["$screen_width"].asInt(), ScreenWidth());
  EXPECT_EQ(records[0]["properties"]["$screen_height"].asInt(), ScreenHeight());
  EXPECT_TRUE(records[0]["properties"]["$screen_width"].isIntegral());
  EXPECT_FALSE(records[0]["properties"].isMember("vl_user_id")) << "no login stored";

  struct Row {
    size_t index;
    std::string locale, language, country;
  } rows[] = {
      {0, system.locale, system.language, system.country},
      {1, "en_US", "en", "US"},
      {2, system.locale, system.language, system.country},
  };
  for (const Row& row : rows) {
    const Json::Value& properties = records[row.index]["properties"];
    EXPECT_EQ(properties["vl_l10n_locale"].asString(), row.locale) << records[row.index]["event"];
    EXPECT_EQ(properties["vl_l10n_language"].asString(), row.language) << row.index;
    EXPECT_EQ(properties["vl_l10n_country"].asString(), row.country) << row.index;
  }
}

TEST_F(BuilderTest, ActivitySendsItsInstallFactsAndProfileRecords) {
  m_Impl->trackActivity(m_None);
  const std::vector<Json::Value> records = Recorded();
  const Json::Value activity = FindEvent(records, "VlEventActivity");
  ASSERT_FALSE(activity.isNull());
  const Json::Value& p = activity["properties"];
  EXPECT_EQ(p["$ios_install_source"].asString(), "android_id=123##imei=1234##mac=123");
  EXPECT_EQ(p["$user_agent"].asString(), "Mozilla/5.0(Windows 7; Win64;)");
  EXPECT_EQ(p["$os_version"].asString(), "7");
  EXPECT_TRUE(p["$is_first_time"].asBool());

  std::multiset<std::string> profile;
  for (const Json::Value& record : records) {
    const std::string type = record["type"].asString();
    if (type.rfind("profile_", 0) == 0) profile.insert(type + " " + record["properties"].getMemberNames()[0]);
  }
  const std::multiset<std::string> expected = {
      "profile_set_once $first_visit_time", "profile_set_once vl_first_visit_date", "profile_set vl_last_visit_date",
      "profile_set vl_os",                  "profile_set vl_os_version",            "profile_set vl_app_store",
      "profile_set vl_app_platform",        "profile_set vl_last_app_id",           "profile_set vl_last_app_version",
      "profile_set_once $ios_install_source"};
  EXPECT_EQ(profile, expected);
}

TEST_F(BuilderTest, LoginSwitchesTheIdentityOnceAndLaunchesThenUpdateVisitDates) {
  m_Impl->trackLaunch(m_None);
  VlEventLogin login;
  login.userId = "u-42";
  login.userType = VL_USER_EMAIL;
  login.vipLevel = 3;
  const std::string anonymous = m_Impl->state().distinctId;
  m_Impl->trackLogin(login, true, "", m_None);
  m_Impl->trackLogin(login, false, "again", m_None);
  m_Impl->trackLaunch(m_None);
  EXPECT_TRUE(m_Impl->state().isLogined);
  EXPECT_EQ(m_Impl->state().distinctId, "u-42");
  EXPECT_EQ(m_Impl->state().primaryDistinctId, anonymous);
  EXPECT_EQ(tracking_testing::ReadIni(StatePath(), "Base", "isLogined"), "OK");
  EXPECT_EQ(tracking_testing::ReadIni(StatePath(), "Base", "UserVipLevel"), "3");

  const std::vector<Json::Value> records = Recorded();
  std::vector<std::string> shape;
  for (const Json::Value& r : records)
    shape.push_back(r["type"].asString() + ":" + r["event"].asString() + ":" +
                    (r["distinct_id"].asString() == anonymous ? std::string("anonymous") : r["distinct_id"].asString()));
  const std::vector<std::string> expected = {
      "track:VlEventLaunch:anonymous",  "track:VlEventLogin:anonymous",   "track_signup:$SignUp:u-42",
      "track:VlEventLogin:u-42",        "track:VlEventLaunch:u-42",       "profile_set_once::u-42",
      "profile_set_once::u-42",         "profile_set::u-42"};
  EXPECT_EQ(shape, expected) << "one sign-up only; visit dates only once a login id is stored";
  const Json::Value& login1 = records[1]["properties"];
  EXPECT_EQ(login1["vl_user_id"].asString(), "u-42");
  EXPECT_EQ(login1["vl_login_id"].asString(), "u-42");
  EXPECT_EQ(login1["vl_type"].asString(), "email");
  EXPECT_EQ(login1["vl_result"].asString(), "Success");
  EXPECT_EQ(records[3]["properties"]["vl_result"].asString(), "Fail");
  EXPECT_EQ(records[3]["properties"]["vl_reason"].asString(), "again");
  EXPECT_TRUE(records[4]["properties"]["$is_login_id"].asBool());
}

TEST_F(BuilderTest, PaymentsAccumulateTheProfileAndDatesFollowTheTimeRule) {
  VlEventPayment payment;
  payment.orderId = "o-1";
  payment.paidAmount = 9.5f;
  payment.originalAmount = 12;
  payment.currency = EUR;
  payment.paidPlatform = PayPal;
  payment.result = Opt(Success);
  payment.iapType = Opt(AutoRenewable);
  m_Impl->trackPayment(payment, m_None);
  payment.paidAmount = 2;
  payment.result = Opt(Fail);
  m_Impl->trackPayment(payment, m_None);
  NativeUserTracker::ProfileUserPropertyDateTime("vl_last_visit_date", 1700000000);

  const std::vector<Json::Value> records = Recorded();
  const Json::Value first = FindEvent(records, "VlEventPayment");
  EXPECT_EQ(first["properties"]["vl_paid_platform"].asString(), "PayPal");
  EXPECT_EQ(first["properties"]["vl_currency"].asString(), "EUR");
  EXPECT_EQ(first["properties"]["vl_iap_type"].asString(), "AutoRenewable");
  EXPECT_EQ(first["properties"]["vl_result"].asString(), "Success");
  EXPECT_EQ(first["properties"]["vl_paid_amount"].asDouble(), 9.5);

  std::vector<std::string> increments;
  for (const Json::Value& r : records) {
    if (r["type"].asString() != "profile_increment") continue;
    for (const std::string& key : r["properties"].getMemberNames())
      increments.push_back(key + "=" + r["properties"][key].toStyledString().substr(0, 3));
  }
  EXPECT_EQ(increments, (std::vector<std::string>{"vl_paid_count=1\n", "vl_consumption=9.5", "vl_paid_count=1\n",
                                                  "vl_consumption=2\n"}));
  const Json::Value& lastVisit = records.back();
  EXPECT_EQ(lastVisit["type"].asString(), "profile_set");
  const std::string date = lastVisit["properties"]["vl_last_visit_date"].asString();
  EXPECT_EQ(date.substr(date.size() - 4), ".000") << date;
}
