#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "core/child_process.h"
#include "core/installer_config.h"
#include "test_paths.h"
#include "utils/text_convert.h"

namespace {

using testing_support::ScratchDir;

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// One row: the settings file's text (nullptr: no file) and what the record
// holds after the file layer.
struct FileRow {
  const char* name;
  const char* ini;
  void (*check)(const InstallerSettings& settings);
};

TEST(SettingsFile, LoadSettingsFile_Table) {
  const FileRow rows[] = {
      {"no file", nullptr,
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadType, 1);
         EXPECT_FALSE(s.IsCheckNet);
         EXPECT_TRUE(s.IsEnableAppBeacon);
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.7);
         EXPECT_EQ(s.DownloadUrl, ProfileSettings().DownloadUrl);
       }},
      {"empty Install section", "[Install]\r\n",
       [](const InstallerSettings& s) {
         EXPECT_TRUE(s.IsCheckNet) << "a file without the key means true";
         EXPECT_TRUE(s.IsEnableAppBeacon);
         EXPECT_EQ(s.DownloadType, 1);
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.7);
         EXPECT_EQ(s.DlAppNameSuffix, L".downloader");
         EXPECT_EQ(s.DownloadUrl, ProfileSettings().DownloadUrl);
       }},
      {"every key", "[Install]\r\nDownloadUrl=http://example.test/${ROUTE}/pkg?a=b\r\nDownloadType=3\r\n"
                    "IsCheckNet=true\r\nIsEnableAppBeacon=false\r\nDlAppNameSuffix=.dl\r\n"
                    "m_DlAppVersion=2.1\r\nDownloadScale=0.5\r\nInstCmd=/x -y\r\n"
                    "ProductName=Other\r\nProductVersion=9\r\n",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadUrl, L"http://example.test/download_silent/pkg?a=b");
         EXPECT_EQ(s.DownloadType, 3);
         EXPECT_TRUE(s.IsCheckNet);
         EXPECT_FALSE(s.IsEnableAppBeacon);
         EXPECT_EQ(s.DlAppNameSuffix, L".dl");
         EXPECT_EQ(s.DlAppVersion, L"2.1");
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.5);
         EXPECT_EQ(s.InstCmd, L"/x -y");
         EXPECT_EQ(s.ProductName, L"Tovrel Rezuv Ovozuzave") << "the file cannot rename the product";
         EXPECT_EQ(s.ProductVersion, L"1.7.9");
       }},
      {"True and 1 read as false", "[Install]\r\nIsCheckNet=True\r\nIsEnableAppBeacon=1\r\n",
       [](const InstallerSettings& s) {
         EXPECT_FALSE(s.IsCheckNet);
         EXPECT_FALSE(s.IsEnableAppBeacon);
       }},
      {"number prefixes", "[Install]\r\nDownloadType=3abc\r\nDownloadScale=0.5x\r\n",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadType, 3);
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.5);
       }},
      {"no numbers", "[Install]\r\nDownloadType=abc\r\nDownloadScale=abc\r\n",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadType, 0);
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.0);
       }},
      {"numbers too large", "[Install]\r\nDownloadType=99999999999\r\nDownloadScale=1e999\r\n",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadType, 0);
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.0);
       }},
      {"value holding =", "[Install]\r\nInstCmd=-k=v -w=\"1\"\r\n",
       [](const InstallerSettings& s) { EXPECT_EQ(s.InstCmd, L"-k=v -w=\"1\""); }},
      {"other section only", "[Other]\r\nDownloadType=3\r\n",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadType, 1);
         EXPECT_TRUE(s.IsCheckNet) << "the file exists, so missing keys take the file defaults";
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ScratchDir scratch;
    if (row.ini) WriteFileBytes(scratch.File("VolenInstallerConfig.ini"), row.ini);
    InstallerSettings settings = ProfileSettings();
    LoadSettingsFile(settings, scratch.File("TovrelSetup_channel7.exe"));
    EXPECT_EQ(settings.ExeName, L"TovrelSetup_channel7.exe");
    row.check(settings);
  }
}

// Runs a copy of the settings probe placed in `folder` and returns its
// "Field=value" lines.
std::map<std::string, std::string> RunProbe(const ScratchDir& folder, const std::wstring& exeName,
                                            const std::wstring& arguments) {
  const std::wstring exe = folder.WindowsPath() + L"\\" + exeName;
  EXPECT_TRUE(::CopyFileW(testing_support::UnixToWindowsPath(TOVREL_SETTINGS_PROBE).c_str(), exe.c_str(), FALSE));
  Utils::ChildProcess child;
  child.Start(L"\"" + exe + L"\" " + arguments);
  std::string output;
  char buffer[512];
  DWORD read = 0;
  while (::ReadFile(child.OutputReadEnd(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    output.append(buffer, read);
  }
  DWORD exitCode = 1;
  EXPECT_TRUE(child.WaitForExit(exitCode));
  EXPECT_EQ(exitCode, 0u);
  std::map<std::string, std::string> fields;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) fields[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return fields;
}

TEST(SettingsFile, RealExecutable_ReadsTheFileBesideItBeforeMain) {
  ScratchDir scratch;
  WriteFileBytes(scratch.File("VolenInstallerConfig.ini"),
                 "[Install]\r\nDownloadType=3\r\nIsCheckNet=true\r\nDownloadScale=0.25\r\nInstCmd=/silent\r\n");
  auto fields = RunProbe(scratch, L"Setup_ch1.exe", L"");
  EXPECT_EQ(fields["ExeName"], "Setup_ch1.exe");
  EXPECT_EQ(fields["DownloadType"], "3");
  EXPECT_EQ(fields["IsCheckNet"], "1");
  EXPECT_EQ(fields["DownloadScale"], "0.25");
  EXPECT_EQ(fields["InstCmd"], "/silent");
  EXPECT_EQ(fields["ProductName"], "Tovrel Rezuv Ovozuzave");
  EXPECT_EQ(fields["CurlReady"], "1");
  EXPECT_EQ(fields["AbValue"], "IN");

  // The command line overrides the file; an option without a number keeps it.
  fields = RunProbe(scratch, L"Setup_ch1.exe",
                    L"--apply -downloadtype=2 -downloadtype=3 -ischecknet=True -downloadscale=none "
                    L"-instcmd=\"-a -b\" -downloadurl=http://h/p?x=y");
  EXPECT_EQ(fields["DownloadType"], "2");
  EXPECT_EQ(fields["IsCheckNet"], "0");
  EXPECT_EQ(fields["DownloadScale"], "0.25");
  EXPECT_EQ(fields["InstCmd"], "-a -b");
  EXPECT_EQ(fields["DownloadUrl"], "http://h/p?x=y");
}

TEST(SettingsFile, RealExecutable_WithoutAFileKeepsTheProfile) {
  ScratchDir scratch;
  auto fields = RunProbe(scratch, L"plain.exe", L"");
  EXPECT_EQ(fields["ExeName"], "plain.exe");
  EXPECT_EQ(fields["DownloadType"], "1");
  EXPECT_EQ(fields["IsCheckNet"], "0");
  EXPECT_EQ(fields["IsEnableAppBeacon"], "1");
  EXPECT_EQ(fields["DownloadScale"], "0.69999999999999996");  // 0.7 as %.17g
  EXPECT_EQ(fields["DlAppNameSuffix"], ".downloader");
}

}  // namespace
