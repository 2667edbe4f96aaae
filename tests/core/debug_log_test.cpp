#include "core/debug_log.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "log_capture.h"

namespace {

class DebugLogTest : public ::testing::Test {
 protected:
  std::vector<std::wstring> Lines() const { return m_Capture.Captured(); }

 private:
  LogCapture m_Capture;
};

std::wstring Padded(unsigned long value, int width) {
  std::wstring text = std::to_wstring(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), L'0');
  return text;
}

TEST_F(DebugLogTest, DebugLog_LineHasPrefixShapeTagLineAndMessage) {
  const int line = __LINE__ + 1;
  LOG_LINE(L"CDownloadInstaller::Start", L"DL_TYPE=%d\r\n", 3);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  const std::wstring& text = lines[0];

  const std::wregex shape(
      LR"(<P(\d{5,})><T(\d{5,})><(\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2})\.(\d{3})>\(([^)]*)\)<(\d{4,})>: (.*)\r\n)");
  std::wsmatch match;
  ASSERT_TRUE(std::regex_match(text, match, shape)) << std::string(text.begin(), text.end());
  EXPECT_EQ(match[1].str(), Padded(::GetCurrentProcessId(), 5));
  EXPECT_EQ(match[2].str(), Padded(::GetCurrentThreadId(), 5));
  EXPECT_EQ(match[10].str(), L"CDownloadInstaller::Start");
  EXPECT_EQ(match[11].str(), Padded(line, 4));
  EXPECT_EQ(match[12].str(), L"DL_TYPE=3");
  EXPECT_EQ(std::wstring(LogLinePrefix).size(), 62u);
}

TEST_F(DebugLogTest, DebugLog_PercentInArgumentIsNotReinterpreted) {
  LOG_LINE(L"T::F", L"path=%s\r\n", L"C:\\100%s\\%d%n");
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(L": path=C:\\100%s\\%d%n\r\n"), std::wstring::npos);
}

TEST_F(DebugLogTest, DebugLog_WidthsAreMinimumsNotTruncations) {
  // A thread id (or any field) wider than its width keeps all its digits.
  DebugLog(LogLinePrefix L"x\r\n", 1, 1234567, 2024, 5, 6, 7, 8, 9, 10, L"Tag", 123456);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], L"<P00001><T1234567><2024-05-06 07:08:09.010>(Tag)<123456>: x\r\n");
}

TEST_F(DebugLogTest, DebugLog_ThreadsEachWriteWholeLines) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 50; ++i) LOG_LINE(L"Worker", L"thread %d line %d\r\n", t, i);
    });
  }
  for (auto& thread : threads) thread.join();
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 200u);
  for (const auto& line : lines) {
    EXPECT_EQ(line.find(L"<P"), 0u);
    EXPECT_EQ(line.rfind(L"\r\n"), line.size() - 2);
  }
}

TEST_F(DebugLogTest, DebugLog_DefaultSinkReachesDebuggerOutput) {
  SetDebugLogSink(nullptr);  // back to OutputDebugStringW; must not fail without a debugger
  LOG_LINE(L"T::F", L"to the debugger\r\n");
  EXPECT_TRUE(Lines().empty());
}

}  // namespace
