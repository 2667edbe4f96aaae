#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/command_line_options.h"
#include "core/download_route.h"
#include "core/installer_config.h"
#include "core/number_text.h"
#include "utils/text_convert.h"

namespace {

std::string Narrow(const std::wstring& text) { return Utils::WideToMultiByte(text, 65001); }

TEST(NumberText, ParseLeadingNumbers_ClassicRules) {
  struct Row { const wchar_t* text; bool hasInt; int intValue; bool hasDouble; double doubleValue; };
  const Row rows[] = {
      {L"3", true, 3, true, 3.0},
      {L"3abc", true, 3, true, 3.0},
      {L"  \t-12", true, -12, true, -12.0},
      {L"+7", true, 7, true, 7.0},
      {L"0.5x", true, 0, true, 0.5},
      {L".25", false, 0, true, 0.25},
      {L"1e2", true, 1, true, 100.0},
      {L"1e", true, 1, true, 1.0},
      {L"0,5", true, 0, true, 0.0},           // a comma is never a decimal point
      {L"abc", false, 0, false, 0.0},
      {L"", false, 0, false, 0.0},
      {L"-", false, 0, false, 0.0},
      {L"+-1", false, 0, false, 0.0},
      {L"2147483647", true, 2147483647, true, 2147483647.0},
      {L"-2147483648", true, -2147483647 - 1, true, -2147483648.0},
      {L"2147483648", false, 0, true, 2147483648.0},  // too large for int
      {L"99999999999999999999", false, 0, true, 1e20},
      {L"1e999", true, 1, false, 0.0},          // too large for double
      {L"inf", false, 0, false, 0.0},
      {L"nan", false, 0, false, 0.0},
      {L"\uFF13", false, 0, false, 0.0},        // full-width digit is no digit
  };
  for (const auto& row : rows) {
    int i = -99;
    double d = -99.0;
    EXPECT_EQ(Settings::ParseLeadingInt(row.text, i), row.hasInt) << Narrow(row.text);
    if (row.hasInt) {
      EXPECT_EQ(i, row.intValue) << Narrow(row.text);
    }
    EXPECT_EQ(Settings::ParseLeadingDouble(row.text, d), row.hasDouble) << Narrow(row.text);
    if (row.hasDouble) {
      EXPECT_DOUBLE_EQ(d, row.doubleValue) << Narrow(row.text);
    }
  }
}

TEST(CommandLine, ParseCommandLine_SplitsLikeTheSystemAndFirstKeyWins) {
  const CommandLineOptions options = ParseCommandLine(
      L"\"C:\\Program Files\\setup.exe\" -downloadtype=3 -downloadtype=2 -DownloadType=5 "
      L"-instcmd=\"-a -b\" -downloadurl=x?a=b bare -flag -empty=");
  EXPECT_EQ(options.GetString(L"-downloadtype"), L"3");
  EXPECT_EQ(options.GetString(L"-DownloadType"), L"5");
  EXPECT_EQ(options.GetString(L"-instcmd"), L"-a -b");
  EXPECT_EQ(options.GetString(L"-downloadurl"), L"x?a=b");
  EXPECT_TRUE(options.Has(L"C:\\Program Files\\setup.exe")) << "the program path is an argument too";
  EXPECT_TRUE(options.Has(L"bare"));
  EXPECT_TRUE(options.Has(L"-flag"));
  EXPECT_EQ(options.GetString(L"-empty"), L"");
  EXPECT_TRUE(ParseCommandLine(L"").Options().empty());
  // A key that does not start with "-" keeps its "=" in the key.
  EXPECT_TRUE(ParseCommandLine(L"a=b").Has(L"a=b"));
}

TEST(CommandLine, Lookups_ConvertOrFallBack) {
  const CommandLineOptions options = ParseCommandLine(
      L"setup.exe -n=3abc -bad=x -t=true -T=True -one=1 -d=0.5x -nd=abc");
  EXPECT_EQ(options.GetInt(L"-n"), 3);
  EXPECT_EQ(options.GetInt(L"-bad"), 0);
  EXPECT_EQ(options.GetInt(L"-missing"), 0);
  EXPECT_TRUE(options.GetBool(L"-t"));
  EXPECT_FALSE(options.GetBool(L"-T"));
  EXPECT_FALSE(options.GetBool(L"-one"));
  EXPECT_FALSE(options.GetBool(L"-missing"));
  EXPECT_DOUBLE_EQ(options.GetDouble(L"-d", 9.0), 0.5);
  EXPECT_DOUBLE_EQ(options.GetDouble(L"-nd", 9.0), 9.0);
  EXPECT_DOUBLE_EQ(options.GetDouble(L"-missing", 9.0), 9.0);
}

// One row: a command line applied over a fixed earlier layer.
struct ApplyRow {
  const char* name;
  const wchar_t* commandLine;
  void (*check)(const InstallerSettings& settings);
};

InstallerSettings EarlierLayers() {
  InstallerSettings settings = ProfileSettings();
  settings.IsCheckNet = true;  // as if the settings file had switched it on
  settings.DownloadScale = 0.6;
  settings.InstCmd = L"/from-file";
  return settings;
}

TEST(CommandLine, ApplyCommandLineOptions_Table) {
  const ApplyRow rows[] = {
      {"no options", L"setup.exe",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DownloadType, 1);
         EXPECT_TRUE(s.IsCheckNet);
         EXPECT_DOUBLE_EQ(s.DownloadScale, 0.6);
         EXPECT_EQ(s.InstCmd, L"/from-file");
       }},
      {"first occurrence wins", L"setup.exe -downloadtype=3 -downloadtype=2",
       [](const InstallerSettings& s) { EXPECT_EQ(s.DownloadType, 3); }},
      {"keys are case-sensitive", L"setup.exe -DownloadType=3",
       [](const InstallerSettings& s) { EXPECT_EQ(s.DownloadType, 1); }},
      {"downloadtype without a number", L"setup.exe -downloadtype=x",
       [](const InstallerSettings& s) { EXPECT_EQ(s.DownloadType, 0); }},
      {"downloadtype too large", L"setup.exe -downloadtype=99999999999",
       [](const InstallerSettings& s) { EXPECT_EQ(s.DownloadType, 0); }},
      {"quoted instcmd", L"setup.exe -instcmd=\"-a -b\"",
       [](const InstallerSettings& s) { EXPECT_EQ(s.InstCmd, L"-a -b"); }},
      {"value holding =", L"setup.exe -downloadurl=x?a=b",
       [](const InstallerSettings& s) { EXPECT_EQ(s.DownloadUrl, L"x?a=b"); }},
      {"True is false", L"setup.exe -ischecknet=True -isenableappbeacon=1",
       [](const InstallerSettings& s) {
         EXPECT_FALSE(s.IsCheckNet);
         EXPECT_FALSE(s.IsEnableAppBeacon);
       }},
      {"bare option resets", L"setup.exe -ischecknet -instcmd -language",
       [](const InstallerSettings& s) {
         EXPECT_FALSE(s.IsCheckNet);
         EXPECT_EQ(s.InstCmd, L"");
         EXPECT_EQ(s.LanguageIndex, 0);
       }},
      {"downloadscale number prefix", L"setup.exe -downloadscale=0.5x",
       [](const InstallerSettings& s) { EXPECT_DOUBLE_EQ(s.DownloadScale, 0.5); }},
      {"downloadscale without a number keeps earlier layers", L"setup.exe -downloadscale=abc",
       [](const InstallerSettings& s) { EXPECT_DOUBLE_EQ(s.DownloadScale, 0.6); }},
      {"bare downloadscale keeps earlier layers", L"setup.exe -downloadscale",
       [](const InstallerSettings& s) { EXPECT_DOUBLE_EQ(s.DownloadScale, 0.6); }},
      {"texts and language", L"setup.exe -dlappnamesuffix=.dl -dlappversion=2.0 -language=2 -unknown=1",
       [](const InstallerSettings& s) {
         EXPECT_EQ(s.DlAppNameSuffix, L".dl");
         EXPECT_EQ(s.DlAppVersion, L"2.0");
         EXPECT_EQ(s.LanguageIndex, 2);
         EXPECT_EQ(s.AbValue, L"IN");
         EXPECT_EQ(s.ProductName, L"Tovrel Rezuv Ovozuzave");
       }},
      {"route expanded", L"setup.exe -downloadurl=http://h/${ROUTE}/p",
       [](const InstallerSettings& s) { EXPECT_EQ(s.DownloadUrl, L"http://h/download_silent/p"); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    InstallerSettings settings = EarlierLayers();
    ApplyCommandLineOptions(settings, ParseCommandLine(row.commandLine));
    row.check(settings);
  }
}

TEST(DownloadRoute, ChooseRoute_Table) {
  struct Row { const wchar_t* version; bool is64; int productId; const wchar_t* route; };
  const Row rows[] = {
      {L"XP", false, 549, L"download_silent_xp"},
      {L"XP-", true, 549, L"download_silent_xp"},     // no ntdll
      {L"XP+", true, 267, L"download_silent_xp"},
      {L"Server 2003", true, 549, L"download_silent"},  // XP x64 Edition
      {L"7", true, 549, L"download_silent"},           // this product is not in the 64-bit list
      {L"7", true, 267, L"download_silent_64"},
      {L"10", false, 318, L"download_silent"},
      {L"11.0.22000", true, 335, L"download_silent_64"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Settings::ChooseRoute(row.version, row.is64, row.productId), row.route)
        << Narrow(row.version) << " 64=" << row.is64 << " id=" << row.productId;
  }
  EXPECT_EQ(Settings::ExpandRouteFor(L"http://h/${ROUTE}/a/${ROUTE}", L"XP", false),
            L"http://h/download_silent_xp/a/download_silent_xp");
  EXPECT_EQ(Settings::ExpandRouteFor(L"http://h/plain", L"XP", false), L"http://h/plain");
}

TEST(InstallerSettingsProfile, ProfileSettings_Defaults) {
  const InstallerSettings s = ProfileSettings();
  EXPECT_EQ(s.ProductName, L"Tovrel Rezuv Ovozuzave");
  EXPECT_EQ(s.ProductVersion, L"1.7.9");
  EXPECT_EQ(s.ExeName, L"NULL");
  EXPECT_EQ(s.DlAppNameSuffix, L".downloader");
  EXPECT_EQ(s.DownloadType, 1);
  EXPECT_FALSE(s.IsCheckNet);
  EXPECT_TRUE(s.IsEnableAppBeacon);
  EXPECT_DOUBLE_EQ(s.DownloadScale, 0.7);
  EXPECT_TRUE(s.CurlReady);
  EXPECT_EQ(s.AbValue, L"IN");
  EXPECT_EQ(s.LanguageIndex, 0);
  EXPECT_EQ(s.DownloadUrl.rfind(L"http://", 0), 0u);
  EXPECT_NE(s.DownloadUrl.find(L"/software/340"), std::wstring::npos);
}

}  // namespace
