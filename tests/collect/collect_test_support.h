#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "collect/record_environment.h"
#include "collect/sdk.h"
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

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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

// Everything written to standard error (file descriptor 2) while it lives.
class StderrCapture {
 public:
  StderrCapture() {
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "err", 0, name);
    m_Path = name;
    std::fflush(stderr);
    m_Saved = _dup(2);
    const int file = _open(m_Path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, 0600);
    _dup2(file, 2);
    _close(file);
  }
  ~StderrCapture() {
    Restore();
    std::remove(m_Path.c_str());
  }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Stops capturing and returns what was written.
  std::string Text() {
    Restore();
    return ReadAll(m_Path);
  }

 private:
  void Restore() {
    if (m_Saved < 0) return;
    std::fflush(stderr);
    _dup2(m_Saved, 2);
    _close(m_Saved);
    m_Saved = -1;
  }

  std::string m_Path;
  int m_Saved = -1;
};

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
