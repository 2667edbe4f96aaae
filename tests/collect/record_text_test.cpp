// Whole record texts as the core stages them: layout, key order, super
// properties, identities, "$time" and "$project", and value formats.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "collect/object_node.h"
#include "collect/properties_node.h"
#include "collect/sdk.h"
#include "collect_test_support.h"

using beacon_analytics::PropertiesNode;
using beacon_analytics::Sdk;
using beacon_analytics::utils::ObjectNode;

namespace {

const std::string kLib = R"("lib":{"$lib":"cpp","$lib_method":"code","$lib_version":"0.9"})";
const std::string kFixed = R"("time":1700000000123)";

class RecordText : public collect_testing::SdkFixture {};

}  // namespace

TEST_F(RecordText, TrackCarriesSuperPropertiesAndSortedKeys) {
  StartCore();
  PropertiesNode super;
  super.SetString("vl_app", "converter");
  super.SetString("_channel", "web");
  Sdk::RegisterSuperProperties(super);
  PropertiesNode properties;
  properties.SetString("vl_app", "override");
  properties.SetNumber("Count", 3);
  Sdk::Track("ClickButton", properties);

  const std::vector<std::string> records = StagedAfterShutdown();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], R"({"_track_id":50050123,"distinct_id":"user-1","event":"ClickButton",)" + kLib +
                            R"(,"properties":{"$lib":"cpp","$lib_version":"0.9","Count":3,"_channel":"web",)"
                            R"("vl_app":"override"},)" +
                            kFixed + R"(,"type":"track"})");
}

TEST_F(RecordText, ProfileRecordsHaveNoEventAndNoSuperProperties) {
  StartCore();
  PropertiesNode super;
  super.SetString("vl_app", "converter");
  Sdk::RegisterSuperProperties(super);
  Sdk::ProfileSet("vl_city", "杭州");
  Sdk::ProfileSetOnce("vl_first", 7);
  Sdk::ProfileIncrement("vl_opens", 2);
  Sdk::ProfileAppend("vl_tags", "a\"b");

  const std::vector<std::string> records = StagedAfterShutdown();
  const std::string head = R"({"_track_id":50050123,"distinct_id":"user-1",)" + kLib;
  const std::vector<std::string> expected = {
      head + R"(,"properties":{"vl_city":"杭州"},)" + kFixed + R"(,"type":"profile_set"})",
      head + R"(,"properties":{"vl_first":7},)" + kFixed + R"(,"type":"profile_set_once"})",
      head + R"(,"properties":{"vl_opens":2},)" + kFixed + R"(,"type":"profile_increment"})",
      head + R"(,"properties":{"vl_tags":["a\"b"]},)" + kFixed + R"(,"type":"profile_append"})",
  };
  EXPECT_EQ(records, expected);
}

TEST_F(RecordText, LoginRecordsSignupThenMarksLaterRecords) {
  StartCore("device-guid");
  Sdk::Login("member-42");
  Sdk::Track("AfterLogin");

  const std::vector<std::string> records = StagedAfterShutdown();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], R"({"_track_id":50050123,"distinct_id":"member-42","event":"$SignUp",)" + kLib +
                            R"(,"original_id":"device-guid","properties":{"$lib":"cpp","$lib_version":"0.9"},)" +
                            kFixed + R"(,"type":"track_signup"})");
  EXPECT_EQ(records[1], R"({"_track_id":50050123,"distinct_id":"member-42","event":"AfterLogin",)" + kLib +
                            R"(,"properties":{"$is_login_id":true,"$lib":"cpp","$lib_version":"0.9"},)" + kFixed +
                            R"(,"type":"track"})");
}

TEST_F(RecordText, TimeAndProjectPropertiesMoveToTheRecord) {
  StartCore();
  PropertiesNode properties;
  properties.SetDateTime("$time", 1600000000, 250);
  properties.SetString("$project", "pc_beta");
  properties.SetBool("ok", false);
  Sdk::Track("Timed", properties);
  Sdk::ProfileSet(properties);

  const std::vector<std::string> records = StagedAfterShutdown();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], R"({"_track_id":50050123,"distinct_id":"user-1","event":"Timed",)" + kLib +
                            R"(,"project":"pc_beta","properties":{"$lib":"cpp","$lib_version":"0.9","ok":false},)"
                            R"("time":1600000000250,"type":"track"})");
  EXPECT_EQ(records[1], R"({"_track_id":50050123,"distinct_id":"user-1",)" + kLib +
                            R"(,"project":"pc_beta","properties":{"ok":false},"time":1600000000250,"type":"profile_set"})");
}

TEST_F(RecordText, InstallationStartsWithAnEmptySourceTheCallerMayReplace) {
  StartCore();
  PropertiesNode plain;
  plain.SetString("vl_from", "setup");
  Sdk::TrackInstallation("VlEventActivity", plain);
  PropertiesNode withSource;
  withSource.SetString("$ios_install_source", "store");
  Sdk::TrackInstallation("VlEventActivity", withSource);

  const std::vector<std::string> records = StagedAfterShutdown();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_NE(records[0].find(R"("properties":{"$ios_install_source":"","$lib":"cpp","$lib_version":"0.9","vl_from":"setup"})"),
            std::string::npos)
      << records[0];
  EXPECT_NE(records[1].find(R"("properties":{"$ios_install_source":"store","$lib")"), std::string::npos) << records[1];
}

TEST_F(RecordText, ClearedSuperPropertiesKeepOnlyTheLibraryEntries) {
  StartCore();
  PropertiesNode super;
  super.SetString("vl_app", "converter");
  Sdk::RegisterSuperProperties(super);
  Sdk::ClearSuperProperties();
  Sdk::Track("Plain");
  const std::vector<std::string> records = StagedAfterShutdown();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].find(R"("properties":{"$lib":"cpp","$lib_version":"0.9"},)"), std::string::npos) << records[0];
}

TEST_F(RecordText, TrackIdTakesTwoThreeAndFourDigits) {
  struct Row {
    int r1, r2;
    int64_t now;
    int64_t expected;
  } rows[] = {
      {0, 0, 1700000000123, 123},       // "00" "000" "0123": leading zeros vanish
      {98, 998, 9999, 989989999},       // 198 -> "98", 1998 -> "998"
      {99, 999, 1700000004321, 4321},   // wraps to 100 and 1000
      {12345, 67890, 1700000000042, 699570042},  // 12345 % 99 = 69; 67890 % 999 = 957
  };
  for (const Row& row : rows) {
    EXPECT_EQ(beacon_analytics::MakeTrackId(row.r1, row.r2, row.now), row.expected)
        << "r1=" << row.r1 << " r2=" << row.r2 << " now=" << row.now;
  }
}

TEST(ValueText, NumbersAndStringsAsWritten) {
  ObjectNode node;
  node.SetNumber("a_big", 1234567.0);
  node.SetNumber("b_half", 0.5);
  node.SetNumber("c_int", 1234567);
  node.SetNumber("d_negative", -2147483647 - 1);
  node.SetNumber("e_small", 0.0001);
  node.SetNumber("f_tiny", 0.00001234);
  node.SetNumber("g_whole", 100000.0);
  node.SetNumber("h_nan", std::nan(""));
  node.SetInt64("i_wide", int64_t{-9007199254740993});
  node.SetString("j_escapes", "q\"b\\t\tn\nr\r/");
  node.SetList("k_controls", {"\b\f", std::string("\x01\x1f\x00", 3), "\x7f"});
  node.SetList("l_empty", {});
  node.SetBool("m_true", true);
  EXPECT_EQ(node.ToJson(),
            R"({"a_big":1.23457e+06,"b_half":0.5,"c_int":1234567,"d_negative":-2147483648,"e_small":0.0001,)"
            R"("f_tiny":1.234e-05,"g_whole":100000,"h_nan":null,"i_wide":-9007199254740993,)"
            R"("j_escapes":"q\"b\\t\tn\nr\r/","k_controls":["\b\f","\u0001\u001f\u0000",")" "\x7f" R"("],"l_empty":[],)"
            R"("m_true":true})");
}

TEST(ValueText, DateTimeIsLocalTimeWithMilliseconds) {
  ObjectNode node;
  node.SetDateTime("when", 1700000000, 7);
  // Expected from the system's own conversion, independent of the C run-time.
  ULARGE_INTEGER ticks;
  ticks.QuadPart = (1700000000ULL * 1000ULL) * 10000ULL + 116444736000000000ULL;
  FILETIME utc{ticks.LowPart, ticks.HighPart};
  SYSTEMTIME utcTime{}, localTime{};
  ASSERT_TRUE(FileTimeToSystemTime(&utc, &utcTime));
  ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &localTime));
  char expected[64];
  std::snprintf(expected, sizeof(expected), R"({"when":"%04d-%02d-%02d %02d:%02d:%02d.007"})", localTime.wYear,
                localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute, localTime.wSecond);
  EXPECT_EQ(node.ToJson(), expected);
}

TEST(ValueText, PropertiesRefuseNestedObjectsThatPlainObjectsKeep) {
  ObjectNode inner;
  inner.SetNumber("x", 1);
  ObjectNode plain;
  plain.SetObject("inner", inner);
  EXPECT_EQ(plain.ToJson(), R"({"inner":{"x":1}})");

  PropertiesNode properties;
  properties.SetObject("inner", inner);
  properties.Merge(plain);
  properties.SetString("kept", "yes");
  EXPECT_EQ(properties.ToJson(), R"({"kept":"yes"})");
}
