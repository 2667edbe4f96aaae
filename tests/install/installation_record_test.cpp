// The installation record in the registry (under a key of the tests' own)
// and in "set.ini".
#include "install/installation_record.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "core/registry_access.h"
#include "install/install_codes.h"
#include "test_paths.h"

namespace {

using testing_support::ScratchDir;

constexpr wchar_t kTestKey[] = L"Software\\VolenSoft\\TovrelInstallRecordTests";

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(section, key, L"<absent>", value, 512, file.c_str());
  return value;
}

class InstallationRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

  void Store(const wchar_t* value, const std::wstring& text) {
    ASSERT_TRUE(Utils::WriteRegistryStringAt(HKEY_CURRENT_USER, kTestKey, value, text));
  }
  std::wstring Stored(const wchar_t* value) {
    std::wstring text = L"<absent>";
    Utils::ReadRegistryStringAt(HKEY_CURRENT_USER, kTestKey, value, text);
    return text;
  }

  ScratchDir m_Folder;
};

TEST_F(InstallationRecordTest, InstallationRecord_ReadFillsInTheDefaultEntry) {
  std::wstring path = L"stale", entry = L"stale";
  ReadInstallationRecord(path, entry, kTestKey);
  EXPECT_EQ(path, L"");
  EXPECT_EQ(entry, L"") << "no record";

  Store(InstallNames::kInstallPathValue, L"D:\\App");
  ReadInstallationRecord(path, entry, kTestKey);
  EXPECT_EQ(path, L"D:\\App");
  EXPECT_EQ(entry, L"D:\\App\\uninst.ep");

  Store(InstallNames::kUninstallEntryValue, L"E:\\Other\\u.ep");
  ReadInstallationRecord(path, entry, kTestKey);
  EXPECT_EQ(entry, L"E:\\Other\\u.ep");
}

TEST_F(InstallationRecordTest, InstallationRecord_EntryIsStoredOnlyWhenItsFileExists) {
  const std::wstring folder = m_Folder.WindowsPath();
  Store(InstallNames::kUninstallEntryValue, L"old entry");
  WriteInstallationRecord(folder, L"", kTestKey);
  EXPECT_EQ(Stored(InstallNames::kInstallPathValue), folder);
  EXPECT_EQ(Stored(InstallNames::kUninstallEntryValue), L"old entry") << "uninst.ep does not exist";

  std::ofstream(m_Folder.File("uninst.ep").c_str()) << "x";
  WriteInstallationRecord(folder, L"", kTestKey);
  EXPECT_EQ(Stored(InstallNames::kUninstallEntryValue), folder + L"\\uninst.ep");

  WriteInstallationRecord(folder, m_Folder.File("missing.ep"), kTestKey);
  EXPECT_EQ(Stored(InstallNames::kUninstallEntryValue), folder + L"\\uninst.ep");
  std::ofstream(m_Folder.File("reported.ep").c_str()) << "x";
  WriteInstallationRecord(folder, m_Folder.File("reported.ep"), kTestKey);
  EXPECT_EQ(Stored(InstallNames::kUninstallEntryValue), m_Folder.File("reported.ep"));
}

TEST_F(InstallationRecordTest, InstallationRecord_RemovalIsSkippedOnlyForTheSameFolderWithIsOverrideFalse) {
  ScratchDir other;
  const std::wstring recorded = m_Folder.WindowsPath();
  auto setIsOverride = [](const ScratchDir& folder, const wchar_t* value) {
    WritePrivateProfileStringW(L"Uninstall", L"IsOverride", value, folder.File("set.ini").c_str());
  };
  EXPECT_FALSE(SkipsRemoval(recorded, recorded)) << "no set.ini: IsOverride defaults to true";
  setIsOverride(m_Folder, L"false");
  setIsOverride(other, L"false");
  EXPECT_TRUE(SkipsRemoval(recorded, recorded));
  EXPECT_FALSE(SkipsRemoval(other.WindowsPath(), recorded)) << "another folder is always cleaned";
  EXPECT_FALSE(SkipsRemoval(recorded, L"")) << "nothing recorded";
  setIsOverride(m_Folder, L"False");
  EXPECT_FALSE(SkipsRemoval(recorded, recorded)) << "IsOverride=False is not false";
  setIsOverride(m_Folder, L"true");
  EXPECT_FALSE(SkipsRemoval(recorded, recorded));
}

TEST_F(InstallationRecordTest, InstallationRecord_SetIniNamesTheInstallerAndTheTrackingFile) {
  ScratchDir appData;
  wchar_t saved[1024] = {};
  const bool hadAppData = GetEnvironmentVariableW(L"APPDATA", saved, 1024) > 0;
  SetEnvironmentVariableW(L"APPDATA", appData.WindowsPath().c_str());

  const std::wstring setIni = m_Folder.File("set.ini");
  WriteSetIni(m_Folder.WindowsPath());
  const std::wstring firstDevice = IniValue(setIni, L"Install", L"DeviceID");
  WriteSetIni(m_Folder.WindowsPath());
  SetEnvironmentVariableW(L"APPDATA", hadAppData ? saved : nullptr);

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring selfPath = self;
  EXPECT_EQ(IniValue(setIni, L"Install", L"APPStore"), selfPath.substr(selfPath.find_last_of(L'\\') + 1));
  EXPECT_EQ(IniValue(setIni, L"Install", L"AppName"), L"Tovrel Rezuv Ovozuzave");
  const std::wstring device = IniValue(setIni, L"Install", L"DeviceID");
  EXPECT_EQ(device.size(), 32u);
  EXPECT_NE(device, firstDevice) << "a new identifier at every write";
  const std::wstring analyticsIni = appData.WindowsPath() + L"\\VolenData\\TovrelRezuvOvozuzave\\VLBeaconAnalytics.ini";
  EXPECT_EQ(IniValue(setIni, L"Install", L"VLBeaconAnalyticsIni"), analyticsIni);
  EXPECT_TRUE(std::regex_match(Ascii(IniValue(analyticsIni, L"Init", L"UpdateTime")),
                               std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

}  // namespace
