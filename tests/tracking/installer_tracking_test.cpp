// The installer's helpers over a real tracker: the records of an installer
// run as the collection server decodes them, the switch that turns tracking
// off, and the crash filter's report.
#include <gtest/gtest.h>

#include <windows.h>

#include "collection_server.h"
#include "core/crash_filter.h"
#include "core/installer_config.h"
#include "core/installer_tracking.h"
#include "tracking_test_support.h"

using namespace volen::beacon;
using testing_support::CollectionServer;
using tracking_testing::EventNames;
using tracking_testing::FileExists;
using tracking_testing::ParseRecords;

namespace {

const std::string kAppName = "Tovrel Rezuv Ovozuzave.downloader";

class InstallerTrackingTest : public tracking_testing::TrackerFixture {
 protected:
  void SetUp() override {
    TrackerFixture::SetUp();
    m_SavedConfig = InstallerConfig;
    InstallerConfig.ProductName = L"Tovrel Rezuv Ovozuzave";
    InstallerConfig.DlAppNameSuffix = L".downloader";
    InstallerConfig.ProductVersion = L"1.7.9";
    InstallerConfig.ExeName = L"TovrelSetup_渠道01.exe";
    InstallerConfig.DlAppVersion = L"3.1.0";
    InstallerConfig.IsEnableAppBeacon = true;
  }
  void TearDown() override {
    InstallerConfig = m_SavedConfig;
    TrackerFixture::TearDown();
  }

  InstallerSettings m_SavedConfig;
};

}  // namespace

TEST_F(InstallerTrackingTest, AnInstallerRunDecodesToItsFunnelEvents) {
  CollectionServer server;
  UseEndpoint(server.UploadUrl());
  StartTracking();
  ASSERT_NE(currentTracker(), nullptr);
  TrackTaskEvent(L"下载器启动", L"", 0.0f, {{L"AB", L"IN"}});
  TrackClickEvent(L"立即安装", {{L"AB", L"IN"}});
  TrackViewEvent({{L"AB", L"IN"}});
  TrackTaskEvent(L"大包下载完毕", L"", 12.5f, {{L"AB", L""}});
  TrackTaskEvent(L"下载失败原因", L"1.code=28；2.msg=timeout", 0.0f, {{L"AB", L"in"}});
  TrackClickEvent(L"立即体验", {});
  EXPECT_TRUE(server.Uploads().empty()) << "all deferred until the end of the run";
  StopTracking();
  EXPECT_EQ(currentTracker(), nullptr);

  const auto records = ParseRecords(server.AcceptedRecords());
  ASSERT_EQ(EventNames(records), (std::vector<std::string>{"VlEventTask", "VlEventClick", "VlEventView", "VlEventTask",
                                                           "VlEventTask", "VlEventClick"}));
  const Json::Value& start = records[0]["properties"];
  EXPECT_EQ(start["vl_task_name"].asString(), "下载器启动");
  EXPECT_EQ(start["vl_task_elapsed"].asDouble(), 0.0);
  EXPECT_EQ(start["vl_task_result"].asString(), "Success");
  EXPECT_TRUE(start["$is_first_time"].asBool());
  EXPECT_EQ(start["vlc_ab"].asString(), "IN");
  EXPECT_FALSE(start.isMember("vl_reason"));

  const Json::Value& click = records[1]["properties"];
  EXPECT_EQ(click["vl_name"].asString(), "立即安装");
  EXPECT_EQ(click["vl_click_type"].asString(), "Button");
  EXPECT_EQ(click["vlc_ab"].asString(), "IN");
  EXPECT_EQ(records[2]["properties"]["vl_name"].asString(), "安装中");
  EXPECT_EQ(records[2]["properties"]["vlc_ab"].asString(), "IN");
  EXPECT_EQ(records[3]["properties"]["vl_task_elapsed"].asDouble(), 12.5);
  EXPECT_FALSE(records[3]["properties"].isMember("vlc_ab")) << "empty A/B value";
  EXPECT_EQ(records[4]["properties"]["vl_reason"].asString(), "1.code=28；2.msg=timeout");
  EXPECT_FALSE(records[4]["properties"].isMember("vlc_ab")) << "an invalid A/B value is left off, the event kept";
  EXPECT_FALSE(records[5]["properties"].isMember("vlc_ab"));

  const Json::Value expected = tracking_testing::ParseJson(R"({
      "vl_app_id":"Tovrel Rezuv Ovozuzave.downloader","$app_id":"Tovrel Rezuv Ovozuzave.downloader",
      "$app_version":"1.7.9","vl_app_store":"TovrelSetup_渠道01.exe","vl_edition":"china",
      "vl_dlapp_id":"Tovrel Rezuv Ovozuzave","vl_dlapp_version":"3.1.0","vl_app_platform":"Windows",
      "vl_track_type":"Client","vl_sdk_version":"3.3.8","vl_sdk":"WindowsCPP","$os":"Windows"})");
  for (const Json::Value& record : records) {
    for (const std::string& key : expected.getMemberNames())
      EXPECT_EQ(record["properties"][key], expected[key]) << record["event"] << " " << key;
  }
  const std::string state = DataFolder(kAppName) + kAppName + "_VLSConfigure.ini";
  EXPECT_EQ(records[0]["distinct_id"].asString(), tracking_testing::ReadIni(state, "Base", "DistinctId"));
  EXPECT_TRUE(FileExists(DataFolder(kAppName) + kAppName + "_VLSLog.txt"));
}

TEST_F(InstallerTrackingTest, SwitchedOffNothingIsCreatedSentOrWritten) {
  CollectionServer server;
  UseEndpoint(server.UploadUrl());
  InstallerConfig.IsEnableAppBeacon = false;
  StartTracking();
  EXPECT_EQ(currentTracker(), nullptr);
  TrackTaskEvent(L"下载器启动", L"", 0.0f, {{L"AB", L"IN"}});
  TrackClickEvent(L"立即安装", {{L"AB", L"IN"}});
  TrackViewEvent({{L"AB", L"IN"}});
  TrackCrashEvent();
  StopTracking();
  EXPECT_FALSE(FileExists(BaseFolder() + "\\VLLocal"));
  EXPECT_TRUE(server.Uploads().empty());

  // Switched on later (the command line) with no tracker: still nothing.
  InstallerConfig.IsEnableAppBeacon = true;
  TrackTaskEvent(L"libcurl初始化失败", L"", 0.0f, {{L"AB", L"IN"}});
  StopTracking();
  EXPECT_FALSE(FileExists(BaseFolder() + "\\VLLocal"));
}

TEST_F(InstallerTrackingTest, TheCrashFilterReportsAndReleasesTheTracker) {
  CollectionServer server;
  server.PlanAnswers("", "down");
  UseEndpoint(server.UploadUrl());
  StartTracking();
  TrackClickEvent(L"立即安装", {{L"AB", L"IN"}});
  EXPECT_EQ(CrashFilter(nullptr), EXCEPTION_CONTINUE_SEARCH);
  EXPECT_EQ(currentTracker(), nullptr) << "released: the process is about to end";
  const auto staged = StagedRecords(kAppName);
  ASSERT_EQ(EventNames(staged), (std::vector<std::string>{"VlEventClick", "VlEventTask", "AppCrashed"}))
      << "what the server did not take waits for the next run";
  EXPECT_EQ(staged[1]["properties"]["vl_task_name"].asString(), "崩溃退出");
  EXPECT_EQ(staged[1]["properties"]["vlc_ab"].asString(), "IN");
  EXPECT_EQ(staged[2]["properties"]["app_crashed_reason"].asString(), "崩溃");
}
