#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "collect/record_environment.h"
#include "collect/sdk.h"
#include "stream_capture.h"
#include "test_paths.h"

namespace collect_testing {

// Uploads go to loopback servers only; a proxy from the environment must not
// take them elsewhere.
inline const bool kNoProxy = [] { return _putenv("no_proxy=*") == 0; }();

// A file path inside a scratch folder, as the ANSI byte string the core takes.
inline std::string AnsiPath(const testing_support::ScratchDir& dir, const std::string& name) {
  const std::wstring wide = dir.File(name);
  return std::string(wide.begin(), wide.end());
}

using testing_support::ReadAll;
using testing_support::StderrCapture;

// Lines of a text file without their line ends.
inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A clock stopped at 2023-11-14 22:13:20.123 UTC and a random source that
// always answers 5, so "time" is 1700000000123 and "_track_id" 50050123.
inline beacon_analytics::SdkOptions FixedOptions() {
  beacon_analytics::SdkOptions options;
  options.environment.nowMs = [] { return int64_t{1700000000123}; };
  options.environment.random = [] { return 5; };
  return options;
}

// Starts the core for one test and makes sure it is gone afterwards.
class SdkFixture : public ::testing::Test {
 protected:
  void TearDown() override { beacon_analytics::Sdk::Shutdown(); }

  // Init with the fixed clock; uploads go nowhere (port 9 is not served).
  void StartCore(const std::string& distinctId = "user-1", bool isLoginId = false) {
    ASSERT_TRUE(beacon_analytics::Sdk::Init(StagingPath(), "http://127.0.0.1:9/sa?project=pc", distinctId, isLoginId,
                                            FixedOptions()));
  }
  std::string StagingPath() const { return AnsiPath(m_Dir, "staging.log"); }
  // Shuts the core down and returns the records it had staged, oldest first.
  std::vector<std::string> StagedAfterShutdown() {
    beacon_analytics::Sdk::Shutdown();
    return ReadLines(StagingPath());
  }

  testing_support::ScratchDir m_Dir;
};

}  // namespace collect_testing
