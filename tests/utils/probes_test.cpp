#include <windows.h>
#include <objbase.h>
#include <netlistmgr.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "test_paths.h"
#include "utils/directories.h"
#include "utils/guid_string.h"
#include "utils/message_pump.h"
#include "utils/network_check.h"
#include "utils/os_version.h"
#include "utils/temp_folder.h"
#include "utils/utils_constants.h"

namespace {

using testing_support::ScratchDir;

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ComScope {
 public:
  ComScope() { ::CoInitialize(nullptr); }
  ~ComScope() { ::CoUninitialize(); }
};

TEST(NetworkCheck, ComposeNetworkCheckResult_VerdictInHighWord) {
  EXPECT_EQ(Utils::ComposeNetworkCheckResult(0, true), 65536u);     // adapter down
  EXPECT_EQ(Utils::ComposeNetworkCheckResult(0, false), 65536u);
  EXPECT_EQ(Utils::ComposeNetworkCheckResult(0x0011, false), 131072u + 0x0011);  // LAN only
  EXPECT_EQ(Utils::ComposeNetworkCheckResult(0x0041, true), 0x0041u);
}

TEST(NetworkCheck, CheckNetwork_MatchesTheNetworkListManager) {
  ComScope com;
  // What Wine's Network List Manager says, asked directly.
  INetworkListManager* manager = nullptr;
  ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_NetworkListManager, nullptr, CLSCTX_ALL,
                                           IID_INetworkListManager, reinterpret_cast<void**>(&manager))));
  NLM_CONNECTIVITY flags = NLM_CONNECTIVITY_DISCONNECTED;
  VARIANT_BOOL internet = VARIANT_FALSE;
  manager->GetConnectivity(&flags);
  manager->IsConnectedToInternet(&internet);
  manager->Release();

  const Utils::NetworkCheckResult result = Utils::CheckNetwork();
  EXPECT_EQ(result & 0xFFFF, static_cast<unsigned>(flags) & 0xFFFF);
  EXPECT_EQ(result, Utils::ComposeNetworkCheckResult(flags, internet != VARIANT_FALSE));
}

TEST(GuidString, FormatGuidString_ThirdFieldLowerCase) {
  const GUID guid = {0x0ABCDEF1, 0x2A3B, 0xC4D5, {0xE6, 0xF7, 0x08, 0x19, 0x2A, 0x3B, 0x4C, 0x5D}};
  EXPECT_EQ(Utils::FormatGuidString(guid), L"0ABCDEF12A3Bc4d5E6F708192A3B4C5D");
  const GUID zero = {};
  EXPECT_EQ(Utils::FormatGuidString(zero), std::wstring(32, L'0'));
}

TEST(GuidString, CreateGuidString_Fresh32HexDigits) {
  const std::wstring a = Utils::CreateGuidString();
  const std::wstring b = Utils::CreateGuidString();
  ASSERT_EQ(a.size(), 32u);
  for (wchar_t c : a) EXPECT_TRUE(std::iswxdigit(c)) << static_cast<int>(c);
  EXPECT_NE(a, b);
}

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t saved[MAX_PATH] = {};
    m_HadTmp = ::GetEnvironmentVariableW(L"TMP", saved, MAX_PATH) > 0;
    m_SavedTmp = saved;
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"TMP", m_HadTmp ? m_SavedTmp.c_str() : nullptr); }

 private:
  bool m_HadTmp = false;
  std::wstring m_SavedTmp;
};

TEST_F(TempFolderTest, GetInstallerTempFolder_CreatesThenReuses) {
  ScratchDir scratch;
  ASSERT_TRUE(::SetEnvironmentVariableW(L"TMP", scratch.WindowsPath().c_str()));
  const std::wstring expected = scratch.WindowsPath() + L"\\" + Utils::kInstallerTempFolderName;

  wchar_t folder[MAX_PATH] = {};
  EXPECT_EQ(Utils::GetInstallerTempFolder(folder), 0);
  EXPECT_EQ(std::wstring(folder), expected);
  EXPECT_TRUE(IsFolder(expected));
  EXPECT_EQ(Utils::GetInstallerTempFolder(), expected);  // exists: reused
}

TEST_F(TempFolderTest, GetInstallerTempFolder_FailsWhenItCannotBeCreated) {
  ScratchDir scratch;
  // The parent of the temporary folder is missing; only the last folder is created.
  ASSERT_TRUE(::SetEnvironmentVariableW(L"TMP", scratch.File("missing\\deeper").c_str()));
  wchar_t folder[MAX_PATH] = {L'x'};
  EXPECT_EQ(Utils::GetInstallerTempFolder(folder), 1);
  EXPECT_EQ(Utils::GetInstallerTempFolder(), L"");
}

TEST(Directories, CreateDirectories_CreatesEachMissingPrefix) {
  ScratchDir scratch;
  const std::wstring root = scratch.WindowsPath();
  EXPECT_TRUE(Utils::CreateDirectories(root + L"\\A\\B\\C"));
  EXPECT_TRUE(IsFolder(root + L"\\A\\B\\C"));
  EXPECT_TRUE(Utils::CreateDirectories(root + L"\\A\\B\\C"));  // exists: unchanged, true
  EXPECT_TRUE(Utils::CreateDirectories(root + L"\\D\\E\\"));
  EXPECT_TRUE(IsFolder(root + L"\\D\\E"));
}

TEST(Directories, CreateDirectories_Failures) {
  ScratchDir scratch;
  const std::wstring root = scratch.WindowsPath();
  HANDLE file = ::CreateFileW((root + L"\\file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::CloseHandle(file);

  EXPECT_FALSE(Utils::CreateDirectories(root + L"\\file")) << "an existing file is not a folder";
  EXPECT_FALSE(Utils::CreateDirectories(root + L"\\file\\sub"));
  const std::wstring tooLong = root + L"\\" + std::wstring(261, L'a');
  EXPECT_FALSE(Utils::CreateDirectories(tooLong));
  EXPECT_FALSE(IsFolder(root + L"\\" + std::wstring(10, L'a')));
  EXPECT_FALSE(Utils::CreateDirectories(L""));
}

TEST(OsVersion, OsVersionName_Table) {
  struct Row { unsigned major, minor, build; bool r2; const wchar_t* name; };
  const Row rows[] = {
      {0, 0, 0, false, L"XP-"},   {4, 10, 0, false, L"XP-"},  {5, 0, 2195, false, L"2K"},
      {5, 1, 2600, false, L"XP"}, {5, 2, 3790, false, L"Server 2003"},
      {5, 2, 3790, true, L"Server 2003 R2"}, {5, 3, 0, false, L"XP+"},
      {6, 0, 6002, false, L"Vista"}, {6, 1, 7601, false, L"7"}, {6, 2, 9200, false, L"8"},
      {6, 3, 9600, false, L"8.1"}, {6, 4, 0, false, L"8.1+"}, {10, 0, 22000, false, L"10"},
      {10, 1, 0, false, L"10+"}, {7, 0, 1, false, L"7.0.1"}, {9, 2, 3, false, L"9.2.3"},
      {11, 0, 22000, false, L"11.0.22000"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Utils::OsVersionName(row.major, row.minor, row.build, row.r2), row.name)
        << row.major << "." << row.minor << "." << row.build << (row.r2 ? " R2" : "");
  }
}

TEST(OsVersion, GetOsVersion_NamesTheKernelVersion) {
  using Fn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  const auto numbers = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetNtVersionNumbers")));
  ASSERT_NE(numbers, nullptr);
  DWORD major = 0, minor = 0, build = 0;
  numbers(&major, &minor, &build);

  std::wstring platform = L"x", name = L"x";
  Utils::GetOsVersion(platform, name);
  EXPECT_EQ(platform, L"Windows");
  EXPECT_EQ(name, Utils::OsVersionName(major, minor, build & 0xFFFF, false));
  EXPECT_TRUE(Utils::Is64BitSystem());  // wine64 is a 64-bit system
}

TEST(MessagePump, PumpMessages_RunsOutTheClockAndStopsOnQuit) {
  const DWORD start = ::GetTickCount();
  EXPECT_TRUE(Utils::PumpMessages(nullptr));  // idle thread: still returns after ~100 ms
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_GE(elapsed, 90u);
  EXPECT_LT(elapsed, 2000u);

  ::PostQuitMessage(7);
  EXPECT_FALSE(Utils::PumpMessages(nullptr));
  MSG message;
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "quit is posted again";
  EXPECT_EQ(message.wParam, 7u);
}

TEST(MessagePump, PumpMessages_StopsWhenTheWindowIsGone) {
  // A message-only window: needs no display.
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = &::DefWindowProcW;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"PumpMessagesTestWindow";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr) << ::GetLastError();
  EXPECT_TRUE(Utils::PumpMessages(window)) << "a live window: the time runs out";
  ::DestroyWindow(window);
  EXPECT_FALSE(Utils::PumpMessages(window));
}

}  // namespace
