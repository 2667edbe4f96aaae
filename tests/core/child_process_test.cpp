#include "core/child_process.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/utils_exception.h"
#include "open_handles.h"
#include "test_paths.h"

namespace {

std::wstring ChildCommand(const std::wstring& arguments) {
  return L"\"" + testing_support::UnixToWindowsPath(TOVREL_TEST_CHILD) + L"\" " + arguments;
}

// Reads the output pipe until the read fails (the child and every holder of
// its write end are gone).
std::string ReadAll(HANDLE readEnd) {
  std::string output;
  char buffer[256];
  DWORD read = 0;
  while (::ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) output.append(buffer, read);
  return output;
}

TEST(ChildProcess, ChildProcess_OutputArrivesAndReadFailsAfterExit) {
  struct Row { const wchar_t* arguments; std::string output; DWORD exitCode; };
  const Row rows[] = {
      {L"echo hello-from-child 3", "hello-from-child", 3},
      {L"silent 0", "", 0},                       // exits without writing: read fails, no block
      {L"args \"a b\" c", "a b\r\nc\r\n", 0},      // the command line reaches the child whole
  };
  for (const auto& row : rows) {
    Utils::ChildProcess child;
    child.CreatePipes();
    ASSERT_NO_THROW(child.Start(ChildCommand(row.arguments)));
    ASSERT_NE(child.ProcessHandle(), nullptr);
    std::string output = ReadAll(child.OutputReadEnd());
    EXPECT_EQ(output, row.output);
    DWORD exitCode = 12345;
    ASSERT_TRUE(child.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, row.exitCode);
    // One more read after the end fails at once.
    char byte;
    DWORD read = 0;
    EXPECT_FALSE(::ReadFile(child.OutputReadEnd(), &byte, 1, &read, nullptr) && read > 0);
  }
}

TEST(ChildProcess, ChildProcess_InputPipeFeedsTheChild) {
  Utils::ChildProcess child;
  child.Start(ChildCommand(L"cat"));  // creates its pipes itself
  const char text[] = "line one\n";
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(child.InputWriteEnd(), text, sizeof(text) - 1, &written, nullptr));
  child.CloseInput();
  EXPECT_EQ(ReadAll(child.OutputReadEnd()), "line one\r\n");  // the child writes in text mode
  DWORD exitCode = 1;
  ASSERT_TRUE(child.WaitForExit(exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST(ChildProcess, ChildProcess_StartFailuresThrow) {
  {
    Utils::ChildProcess child;
    child.CreatePipes();
    EXPECT_THROW(child.Start(L"Z:\\does\\not\\exist\\nothing.exe"), Utils::Exception);
  }
  {
    Utils::ChildProcess child;
    const std::wstring tooLong = ChildCommand(L"echo " + std::wstring(1100, L'x') + L" 0");
    EXPECT_THROW(child.Start(tooLong), Utils::Exception);
    const std::wstring exactlyFull = ChildCommand(L"args ");
    std::wstring padded = exactlyFull + std::wstring(Utils::ChildProcess::kCommandLineCapacity - exactlyFull.size(), L'y');
    EXPECT_THROW(child.Start(padded), Utils::Exception) << "1024 characters do not fit with the terminator";
    padded.pop_back();
    EXPECT_NO_THROW(child.Start(padded)) << "1023 characters fit";
    ReadAll(child.OutputReadEnd());
  }
}

TEST(ChildProcess, ChildProcess_LeavesNoHandleOpen) {
  {
    Utils::ChildProcess warmup;
    warmup.Start(ChildCommand(L"silent 0"));
    ReadAll(warmup.OutputReadEnd());
  }
  const int before = testing_support::OpenHandleCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 5; ++i) {
    Utils::ChildProcess child;
    child.Start(ChildCommand(L"echo x 0"));
    ReadAll(child.OutputReadEnd());
    DWORD code = 0;
    child.WaitForExit(code);
  }
  for (int i = 0; i < 5; ++i) {
    Utils::ChildProcess child;
    child.CreatePipes();
    EXPECT_ANY_THROW(child.Start(L"Z:\\missing.exe"));
  }
  EXPECT_EQ(testing_support::OpenHandleCount(), before);
}

}  // namespace
