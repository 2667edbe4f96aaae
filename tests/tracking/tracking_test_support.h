#pragma once

// Shared pieces of the tracking tests: a fixture that points the tracker's
// data folder and executable folder at scratch folders and its default
// endpoint at a chosen URL, and readers for the records the core staged or
// uploaded.

#include <gtest/gtest.h>

#include <windows.h>

#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "collect/sdk.h"
#include "collect/upload_status.h"
#include "stream_capture.h"
#include "test_paths.h"
#include "tracking/beacon_tracker_impl.h"
#include "tracking/tracker_environment.h"
#include "tracking/tracker_registry.h"

namespace tracking_testing {

// Uploads go to loopback servers only.
inline const bool kNoProxy = [] { return _putenv("no_proxy=*") == 0; }();

// Nothing listens there: every upload fails at once.
inline const char kDeadEndpoint[] = "http://127.0.0.1:9/sa?project=pc";

inline std::string Ansi(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

inline bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

using testing_support::ReadAll;
using testing_support::StdoutCapture;

inline std::string ReadIni(const std::string& file, const char* section, const char* key) {
  char value[512] = {};
  ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof(value), file.c_str());
  return value;
}

inline Json::Value ParseJson(const std::string& text) {
  Json::Value value;
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string errors;
  EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &value, &errors)) << text;
  return value;
}

inline std::vector<Json::Value> ParseRecords(const std::vector<std::string>& texts) {
  std::vector<Json::Value> records;
  for (const std::string& text : texts) records.push_back(ParseJson(text));
  return records;
}

// The "event" names of the track records, in order.
inline std::vector<std::string> EventNames(const std::vector<Json::Value>& records) {
  std::vector<std::string> names;
  for (const Json::Value& record : records) {
    if (record.isMember("event")) names.push_back(record["event"].asString());
  }
  return names;
}

// The first record of the event, or null.
inline Json::Value FindEvent(const std::vector<Json::Value>& records, const std::string& name) {
  for (const Json::Value& record : records) {
    if (record["event"].asString() == name) return record;
  }
  return Json::Value();
}

inline volen::beacon::BeaconTrackerConfig TestConfig() {
  volen::beacon::BeaconTrackerConfig config;
  config.appName = "Tovrel Test.downloader";
  config.appVersion = "1.7.9";
  config.appStore = "setup_channel.exe";
  config.dlAppId = "Tovrel Test";
  config.dlAppVersion = "2.0.0";
  return config;
}

// Fresh scratch folders for the tracker's data and for "the executable's"
// folder, a fixed record clock, the given default endpoint, and no
// successful upload yet. Everything global is put back afterwards.
class TrackerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_SavedSendOk = beacon_analytics::lastSendOk();
    beacon_analytics::SetLastSendOk(false);
    UseEndpoint(kDeadEndpoint);
  }

  void TearDown() override {
    volen::beacon::releaseTracker();
    beacon_analytics::Sdk::Shutdown();
    m_Environment.reset();
    beacon_analytics::SetLastSendOk(m_SavedSendOk);
  }

  void UseEndpoint(const std::string& url) {
    m_Environment.reset();
    volen::beacon::TrackerEnvironment environment = volen::beacon::SystemTrackerEnvironment();
    const std::string base = BaseFolder();
    const std::string exe = ExeFolder();
    environment.baseFolder = [base] { return base; };
    environment.exeFolder = [exe] { return exe; };
    environment.defaultServerUrl = url;
    environment.sdkOptions.environment.nowMs = [] { return int64_t{1700000000123}; };
    environment.sdkOptions.environment.random = [] { return 5; };
    m_Environment = std::make_unique<volen::beacon::ScopedTrackerEnvironment>(std::move(environment));
  }

  // A tracker implementation started like createTracker does; init's
  // exception, if any, is swallowed.
  std::shared_ptr<volen::beacon::BeaconTrackerImpl> StartImpl(
      const volen::beacon::BeaconTrackerConfig& config = TestConfig()) {
    auto impl = std::make_shared<volen::beacon::BeaconTrackerImpl>(config);
    try {
      impl->init();
    } catch (const std::exception& e) {
      m_InitError = e.what();
    }
    return impl;
  }

  // The state file and the staging file of the default data folder.
  std::string StatePath(const std::string& appName = TestConfig().appName) const {
    return DataFolder(appName) + appName + "_VLSConfigure.ini";
  }
  std::string StagingPath(const std::string& appName = TestConfig().appName) const {
    return DataFolder(appName) + appName + "_VLSStaging.txt";
  }
  // Records left in the staging file (after the tracker has shut down).
  std::vector<Json::Value> StagedRecords(const std::string& appName = TestConfig().appName) const {
    std::vector<std::string> lines;
    std::ifstream in(StagingPath(appName));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return ParseRecords(lines);
  }

  std::string BaseFolder() const { return Ansi(m_Base.WindowsPath()); }
  std::string ExeFolder() const { return Ansi(m_Exe.WindowsPath()); }
  // The default data folder of an application.
  std::string DataFolder(const std::string& appName) const { return BaseFolder() + "\\VLLocal\\" + appName + "\\"; }

  testing_support::ScratchDir m_Base;
  testing_support::ScratchDir m_Exe;
  std::unique_ptr<volen::beacon::ScopedTrackerEnvironment> m_Environment;
  bool m_SavedSendOk = false;
  std::string m_InitError;
};

}  // namespace tracking_testing
