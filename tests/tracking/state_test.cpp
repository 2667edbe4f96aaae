// The tracker's files under Wine: the data folder, the state file and its
// reconciliation with the endpoint, the shared "Set.ini" pointer, the log.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <regex>
#include <string>

#include "tracking/tracker_state.h"
#include "tracking_test_support.h"

using namespace volen::beacon;
using tracking_testing::FileExists;
using tracking_testing::ReadAll;
using tracking_testing::ReadIni;
using tracking_testing::TestConfig;

namespace {

const std::regex kGuidShape("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");

void WriteBase(const std::string& file, const char* key, const std::string& value) {
  ::WritePrivateProfileStringA("Base", key, value.c_str(), file.c_str());
}

class TrackerStateTest : public tracking_testing::TrackerFixture {};

}  // namespace

TEST_F(TrackerStateTest, FirstRunWritesANewIdentityAndAnEmptyLogAndTheNextRunKeepsThem) {
  const std::string appName = TestConfig().appName;
  std::string firstId;
  {
    auto impl = StartImpl();
    ASSERT_EQ(m_InitError, "");
    const std::string state = StatePath();
    ASSERT_TRUE(FileExists(state)) << state;
    firstId = ReadIni(state, "Base", "DistinctId");
    EXPECT_TRUE(std::regex_match(firstId, kGuidShape)) << firstId;
    EXPECT_EQ(ReadIni(state, "Base", "PrimaryDistinctId"), firstId);
    EXPECT_EQ(ReadIni(state, "Base", "UserId"), "");
    EXPECT_EQ(ReadIni(state, "Base", "UserVipLevel"), "0");
    EXPECT_EQ(ReadIni(state, "Base", "URL"), tracking_testing::kDeadEndpoint);
    EXPECT_EQ(ReadIni(state, "Base", "isLogined"), "NG");
    EXPECT_EQ(ReadIni(state, "UninstallInfo", "AppStore"), "setup_channel.exe");
    EXPECT_EQ(ReadIni(state, "UninstallInfo", "AppName"), appName);
    EXPECT_EQ(ReadIni(state, "UninstallInfo", "AppVersion"), "1.7.9");
    EXPECT_EQ(impl->state().dataFolder, DataFolder(appName));
    EXPECT_EQ(impl->getPrimaryDistinctId(), firstId);

    const std::string log = DataFolder(appName) + appName + "_VLSLog.txt";
    EXPECT_EQ(impl->state().logPath, log);
    ASSERT_TRUE(FileExists(log));
    EXPECT_EQ(ReadAll(log), "");
    ASSERT_NE(impl->getLogger(), nullptr);
    std::ofstream(log, std::ios::binary) << "earlier run\n";
  }
  auto again = StartImpl();
  EXPECT_EQ(again->state().distinctId, firstId) << "the identity survives the run";
  EXPECT_EQ(ReadAll(DataFolder(appName) + appName + "_VLSLog.txt"), "earlier run\n") << "an existing log is kept";
}

TEST_F(TrackerStateTest, StoredIdentityIsReconciledWithTheEndpoint) {
  struct Row {
    const char* name;
    const char* url;
    const char* isLogined;
    bool expectLoggedIn;
    const char* expectDistinct;
    const char* expectLogin;
  } rows[] = {
      {"same endpoint, logged in", tracking_testing::kDeadEndpoint, "OK", true, "user-7", "user-7"},
      {"lower-case ok is not logged in", tracking_testing::kDeadEndpoint, "ok", false, "user-7", "user-7"},
      {"other endpoint drops the login", "https://elsewhere.example/sa?project=pc", "OK", false, "primary-1", ""},
  };
  for (const Row& row : rows) {
    const std::string state = StatePath();
    ASSERT_TRUE(EnsureFolders(DataFolder(TestConfig().appName)));
    ::DeleteFileA(state.c_str());
    WriteBase(state, "DistinctId", "user-7");
    WriteBase(state, "PrimaryDistinctId", "primary-1");
    WriteBase(state, "UserId", "user-7");
    WriteBase(state, "URL", row.url);
    WriteBase(state, "isLogined", row.isLogined);
    {
      auto impl = StartImpl();
      EXPECT_EQ(impl->state().isLogined, row.expectLoggedIn) << row.name;
      EXPECT_EQ(impl->state().distinctId, row.expectDistinct) << row.name;
      EXPECT_EQ(impl->state().loginId, row.expectLogin) << row.name;
      EXPECT_EQ(impl->state().primaryDistinctId, "primary-1") << row.name;
      EXPECT_EQ(ReadIni(state, "Base", "URL"), tracking_testing::kDeadEndpoint) << row.name;
      EXPECT_EQ(ReadIni(state, "Base", "DistinctId"), row.expectDistinct) << row.name;
      impl->trackCrash("probe");
      impl->shutdown();
    }
    // The core records under the identity that init chose.
    const auto records = StagedRecords();
    ASSERT_FALSE(records.empty()) << row.name;
    const Json::Value crash = tracking_testing::FindEvent(records, "AppCrashed");
    EXPECT_EQ(crash["distinct_id"].asString(), row.expectDistinct) << row.name;
    EXPECT_EQ(crash["properties"].isMember("$is_login_id"), row.expectLoggedIn) << row.name;
    ::DeleteFileA(StagingPath().c_str());
  }
}

TEST_F(TrackerStateTest, SetIniBesideTheExecutableRedirectsTheStateFile) {
  testing_support::ScratchDir shared;
  const std::string sharedUnix = shared.UnixPath() + "/VolenData/Tovrel";
  const std::string pointer = "Z:" + sharedUnix + "/VLBeaconAnalytics.ini";  // forward slashes
  ::WritePrivateProfileStringA("Install", "VLBeaconAnalyticsIni", pointer.c_str(),
                               (ExeFolder() + "\\Set.ini").c_str());
  auto impl = StartImpl();
  ASSERT_EQ(m_InitError, "");
  std::string folder = "Z:" + sharedUnix + "\\";
  for (char& c : folder) c = c == '/' ? '\\' : c;
  EXPECT_EQ(impl->state().statePath, folder + "VLBeaconAnalytics.ini");
  EXPECT_EQ(impl->state().dataFolder, folder);
  EXPECT_TRUE(FileExists(folder + "VLBeaconAnalytics.ini")) << "the missing folders were created";
  EXPECT_NE(ReadIni(folder + "VLBeaconAnalytics.ini", "Base", "DistinctId"), "<missing>");
  EXPECT_TRUE(FileExists(folder + TestConfig().appName + "_VLSLog.txt"));
  EXPECT_FALSE(FileExists(StatePath())) << "nothing in the default folder";
}

TEST_F(TrackerStateTest, FailingGuidCreationFallsBackToGeneratedIds) {
  TrackerEnvironment environment = CurrentTrackerEnvironment();
  environment.createGuid = [](_GUID*) -> long { return E_FAIL; };
  ScopedTrackerEnvironment failingGuids(environment);
  auto impl = StartImpl();
  EXPECT_TRUE(std::regex_match(impl->state().distinctId,
                               std::regex("[0-9a-f]+-[0-9a-f]+-4[0-9a-f]{0,3}-[89ab][0-9a-f]{3}-[0-9a-f]+")))
      << impl->state().distinctId;
  EXPECT_EQ(impl->state().primaryDistinctId, impl->state().distinctId);
}

TEST_F(TrackerStateTest, FailedInitLeavesNoLogAndTheWrapperPrintsNothing) {
  BeaconTrackerConfig config = TestConfig();
  config.appStore.clear();
  createTracker(config);
  std::shared_ptr<BeaconTrackerWrapper> tracker = currentTracker();
  ASSERT_NE(tracker, nullptr) << "published even though init failed";
  EXPECT_EQ(tracker->impl()->getLogger(), nullptr);
  EXPECT_FALSE(FileExists(StatePath())) << "nothing resolved, nothing written";

  tracking_testing::StdoutCapture output;
  VlEventTask task;
  task.name = "probe";
  VlEventClick noName;
  tracker->trackTask(task, VlContextProperties());
  tracker->trackClick(noName, VlContextProperties());
  EXPECT_EQ(output.Text(), "");
  tracker.reset();
  releaseTracker();
  EXPECT_FALSE(FileExists(StagingPath())) << "no core instance, no records";
}

TEST_F(TrackerStateTest, WrapperReportsSwallowedFailuresWhileALogExists) {
  createTracker(TestConfig());
  std::shared_ptr<BeaconTrackerWrapper> tracker = currentTracker();
  ASSERT_NE(tracker, nullptr);
  EXPECT_EQ(tracker->getLogger(), nullptr) << "the wrapper never hands out the log";
  tracking_testing::StdoutCapture output;
  tracker->trackClick(VlEventClick(), VlContextProperties());
  tracker->trackFile(VlEventFile(), VlContextProperties());
  VlEventUpdate update;
  update.op = DownloadEnd;
  tracker->trackUpdate(update, VlContextProperties());
  EXPECT_EQ(output.Text(), "Failed to trackClick\nFailed to trackFile\nFailed to trackUpdate\n");
}
