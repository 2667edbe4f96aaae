#include "core/thread.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "log_capture.h"
#include "open_handles.h"

namespace {

// Records the names announced through the debugger exception. Added in front
// of the thread class's own handler, so it sees the announcement first.
std::vector<std::string> g_AnnouncedNames;
std::vector<DWORD> g_AnnouncedIds;
LONG CALLBACK RecordThreadName(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode == 0x406D1388 && record->NumberParameters >= 3 &&
      record->ExceptionInformation[0] == 0x1000) {
    g_AnnouncedNames.emplace_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
    g_AnnouncedIds.push_back(static_cast<DWORD>(record->ExceptionInformation[2]));
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(Thread, Thread_RunsBodyOnlyAfterStartAndLogsBeginAndEnd) {
  std::vector<std::wstring> captured;
  std::atomic<int> calls{0};
  int argument = 41;
  DWORD bodyThread = 0;
  {
    LogCapture log;
    Utils::Thread thread(&argument, L"ABDEF", [&](void* arg) -> std::uint32_t {
      bodyThread = ::GetCurrentThreadId();
      *static_cast<int*>(arg) += 1;
      ++calls;
      return 7;
    });
    ASSERT_TRUE(thread.IsCreated());
    const DWORD id = thread.Id();
    ::Sleep(50);
    EXPECT_EQ(calls.load(), 0) << "created suspended";
    EXPECT_TRUE(thread.Start());
    thread.Join();
    EXPECT_EQ(calls.load(), 1);
    EXPECT_EQ(argument, 42);
    EXPECT_EQ(bodyThread, id);
    EXPECT_EQ(thread.Id(), static_cast<DWORD>(-1)) << "id is all bits set after a join";
    EXPECT_FALSE(thread.IsCreated());
    thread.Join();  // a second join does nothing
    captured = log.Captured();
  }

  std::vector<std::wstring> lines;
  for (const auto& line : captured) {
    if (line.find(L"(Utils::Thread::CallBack)") != std::wstring::npos) lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(L": THREAD BEGIN\r\n"), std::wstring::npos);
  EXPECT_NE(lines[1].find(L": THREAD END\r\n"), std::wstring::npos);
  std::wstring tid = std::to_wstring(bodyThread);
  if (tid.size() < 5) tid.insert(0, 5 - tid.size(), L'0');
  EXPECT_NE(lines[0].find(L"<T" + tid + L">"), std::wstring::npos) << "logged on the worker";
  EXPECT_NE(lines[1].find(L"<T" + tid + L">"), std::wstring::npos) << "logged on the worker";
}

TEST(Thread, Thread_DestructorWaitsForARunningBody) {
  std::atomic<bool> finished{false};
  {
    Utils::Thread thread(nullptr, L"ABDEF", [&](void*) -> std::uint32_t {
      ::Sleep(200);
      finished = true;
      return 0;
    });
    ASSERT_TRUE(thread.Start());
  }
  EXPECT_TRUE(finished.load());
}

TEST(Thread, Thread_NeverStartedEndsWithoutRunningItsBody) {
  std::atomic<int> calls{0};
  const DWORD start = ::GetTickCount();
  {
    Utils::Thread thread(nullptr, L"ABDEF", [&](void*) -> std::uint32_t {
      ++calls;
      return 0;
    });
    ASSERT_TRUE(thread.IsCreated());
  }  // must neither hang on the suspended thread nor run the body
  EXPECT_EQ(calls.load(), 0);
  EXPECT_LT(::GetTickCount() - start, 5000u);
}

TEST(Thread, Thread_AnnouncesItsDebuggerName) {
  EXPECT_EQ(Utils::ThreadDebugName(L"UnInstaller", 12), "UnInstaller");
  EXPECT_EQ(Utils::ThreadDebugName(L"", 4242), "t4242");

  g_AnnouncedNames.clear();
  g_AnnouncedIds.clear();
  PVOID handler = ::AddVectoredExceptionHandler(1, &RecordThreadName);
  ASSERT_NE(handler, nullptr);
  DWORD namedId = 0, unnamedId = 0;
  {
    Utils::Thread named(nullptr, L"ABDEF", [](void*) -> std::uint32_t { return 0; });
    Utils::Thread unnamed(nullptr, L"", [](void*) -> std::uint32_t { return 0; });
    namedId = named.Id();
    unnamedId = unnamed.Id();
    named.Start();
    unnamed.Start();
  }
  ::RemoveVectoredExceptionHandler(handler);
  ASSERT_EQ(g_AnnouncedNames.size(), 2u);
  EXPECT_EQ(g_AnnouncedNames[0], "ABDEF");
  EXPECT_EQ(g_AnnouncedIds[0], namedId);
  EXPECT_EQ(g_AnnouncedNames[1], "t" + std::to_string(unnamedId));
  EXPECT_EQ(g_AnnouncedIds[1], unnamedId);
}

TEST(Thread, Thread_LeavesNoHandleOpen) {
  for (int warmup = 0; warmup < 2; ++warmup) {
    Utils::Thread thread(nullptr, L"ABDEF", [](void*) -> std::uint32_t { return 0; });
    thread.Start();
  }
  const int before = testing_support::OpenHandleCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 20; ++i) {
    Utils::Thread started(nullptr, L"ABDEF", [](void*) -> std::uint32_t { return 0; });
    started.Start();
    Utils::Thread joined(nullptr, L"", [](void*) -> std::uint32_t { return 0; });
    joined.Start();
    joined.Join();
    Utils::Thread neverStarted(nullptr, L"ABDEF", [](void*) -> std::uint32_t { return 0; });
  }
  EXPECT_EQ(testing_support::OpenHandleCount(), before);
}

}  // namespace
