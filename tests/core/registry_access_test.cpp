#include "core/registry_access.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/core_constants.h"
#include "open_handles.h"

namespace {

// Touches one value of the real product key and puts the key back as it was:
// the value is deleted, and the key too when the test created it.
class ProductKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    m_KeyExisted = ::RegOpenKeyExW(HKEY_CURRENT_USER, Core::kProductRegistryKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (key) ::RegCloseKey(key);
    m_ValueName = L"CoreTest_" + std::to_wstring(::GetCurrentProcessId());
  }
  void TearDown() override {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, Core::kProductRegistryKey, m_ValueName.c_str());
    if (!m_KeyExisted) DeleteProductKeyIfEmpty();
  }
  // Another test running at the same time may have put its own values there.
  static void DeleteProductKeyIfEmpty() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Core::kProductRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subKeys = 1, values = 1;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr);
    ::RegCloseKey(key);
    if (subKeys == 0 && values == 0) ::RegDeleteKeyW(HKEY_CURRENT_USER, Core::kProductRegistryKey);
  }
  void SetRaw(DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, Core::kProductRegistryKey, m_ValueName.c_str(), type, data, bytes),
              ERROR_SUCCESS);
  }

  std::wstring m_ValueName;
  bool m_KeyExisted = false;
};

TEST_F(ProductKeyTest, RegistryString_ReadsBackExactlyWhatWasWritten) {
  const std::wstring texts[] = {L"C:\\Program Files\\Tovrel\\uninst.exe", L"", L"\u62D3\u82AE 100%"};
  for (const auto& text : texts) {
    ASSERT_TRUE(Utils::WriteRegistryString(m_ValueName, text));
    std::wstring read = L"stale";
    ASSERT_TRUE(Utils::ReadRegistryString(m_ValueName, read));
    EXPECT_EQ(read, text);
  }
  // Stored as REG_SZ. (The data size is written without the terminating zero;
  // Wine's registry adds one when storing, so the size is not checked here.)
  DWORD type = 0, bytes = 0;
  ASSERT_TRUE(Utils::WriteRegistryString(m_ValueName, L"abc"));
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, Core::kProductRegistryKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  const LSTATUS status = ::RegQueryValueExW(key, m_ValueName.c_str(), nullptr, &type, nullptr, &bytes);
  ::RegCloseKey(key);
  ASSERT_EQ(status, ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_GE(bytes, 6u);
}

TEST_F(ProductKeyTest, ReadRegistryString_OddValuesAndMissingOnes) {
  // Another type with an odd byte count still reads as terminated text.
  const char odd[] = {'h', 0, 'i', 0, '!'};
  SetRaw(REG_BINARY, odd, sizeof(odd));
  std::wstring read;
  ASSERT_TRUE(Utils::ReadRegistryString(m_ValueName, read));
  EXPECT_EQ(read.substr(0, 2), L"hi");

  std::wstring untouched = L"keep";
  EXPECT_FALSE(Utils::ReadRegistryString(m_ValueName + L"_missing", untouched));
  EXPECT_EQ(untouched, L"keep");
  EXPECT_FALSE(Utils::ReadRegistryStringAt(HKEY_CURRENT_USER, L"Software\\VolenSoft\\NoSuchKey_7f3a", L"x", untouched));
  EXPECT_EQ(untouched, L"keep");
}

TEST_F(ProductKeyTest, RegistryString_LeavesNoKeyOpen) {
  std::wstring read;
  Utils::WriteRegistryString(m_ValueName, L"warm-up");
  const int before = testing_support::OpenHandleCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 10; ++i) {
    Utils::WriteRegistryString(m_ValueName, L"x");
    Utils::ReadRegistryString(m_ValueName, read);
    Utils::ReadRegistryString(m_ValueName + L"_missing", read);
  }
  EXPECT_EQ(testing_support::OpenHandleCount(), before);
}

}  // namespace
