#include "core/hard_disk_manager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "core/debug_log.h"
#include "test_paths.h"

namespace {

std::vector<std::wstring> g_Lines;
void CaptureSink(const wchar_t* line) { g_Lines.emplace_back(line); }

TEST(HardDiskManager, CheckFreeSpace_FillsCountersForAFolder) {
  testing_support::ScratchDir scratch;
  Utils::HardDiskManager disk;
  EXPECT_EQ(disk.AvailableBytes(), 0u);
  ASSERT_TRUE(disk.CheckFreeSpace(scratch.WindowsPath() + L"\\"));
  EXPECT_GT(disk.TotalBytes(), 0u);
  EXPECT_LE(disk.AvailableBytes(), disk.TotalBytes());
  EXPECT_LE(disk.TotalFreeBytes(), disk.TotalBytes());
}

TEST(HardDiskManager, CheckFreeSpace_FailureLogsTheSystemError) {
  g_Lines.clear();
  const DebugLogSink previous = SetDebugLogSink(&CaptureSink);
  Utils::HardDiskManager disk;
  const bool ok = disk.CheckFreeSpace(L"Q:\\no\\such\\drive\\");
  const DWORD error = ::GetLastError();
  SetDebugLogSink(previous);
  EXPECT_FALSE(ok);
  EXPECT_EQ(disk.TotalBytes(), 0u);
  ASSERT_EQ(g_Lines.size(), 1u);
  EXPECT_NE(g_Lines[0].find(L"(Utils::HardDiskManager::CheckFreeSpace)"), std::wstring::npos);
  EXPECT_NE(g_Lines[0].find(L": HardDiskManager::CheckFreeSpace FAIL code=" + std::to_wstring(error) + L"\r\n"),
            std::wstring::npos)
      << std::string(g_Lines[0].begin(), g_Lines[0].end());
}

}  // namespace
