// Pure rules of the tracking layer: enumeration texts and their failures, the
// A/B value check, context-property registration, the time-value rule, the
// system-fact naming and the id formats.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "collect/properties_node.h"
#include "tracking/distinct_id.h"
#include "tracking/system_facts.h"
#include "tracking/vl_context_properties.h"
#include "tracking/vl_enum_text.h"
#include "tracking/vl_exception.h"
#include "vl_failure_rows.h"

using namespace volen::beacon;

namespace {

constexpr char kImplSource[] = "..\\..\\..\\..\\source\\src\\BeaconTrackerImpl";
constexpr char kContextSource[] = "..\\..\\..\\..\\source\\src\\VlContextProperties";

using Failure = tracking_testing::VlFailure;
using tracking_testing::ExpectVlFailures;

template <typename Enum>
std::string Text(int value) {
  return toString(static_cast<Enum>(value));
}

}  // namespace

TEST(EnumTexts, EveryValueHasItsWireText) {
  const std::pair<std::string, std::string> rows[] = {
      {Text<VlEventKind>(1), "PaLaunchPal"},      {Text<VlEventKind>(13), "Crashed"},
      {Text<VlEventKind>(14), "AppOpenNotification"}, {Text<VlEdition>(0), "china"},
      {Text<VlEdition>(1), "overseas"},           {Text<VlUserType>(9), "volenuserid"},
      {Text<VlUserType>(11), "facebook"},         {Text<VlResult>(3), "Unknown"},
      {Text<VlClickType>(0), "Button"},           {Text<VlClickType>(4), "Others"},
      {Text<VlIoType>(1), "Output"},              {Text<VlCurrency>(10), "GBP"},
      {Text<VlPaidPlatform>(9), "ChinaUnionPay"}, {Text<VlIapType>(3), "NonRenewable"},
      {Text<VlUpdateOp>(3), "UpgrateStart"},      {Text<VlUpdateOp>(4), "UpgrateEnd"},
      {Text<VlUpdateResult>(5), "Updateable"},
  };
  for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected);
  EXPECT_EQ(eventName(KindActivity), "VlEventActivity");
  EXPECT_EQ(eventName(KindLaunch), "VlEventLaunch");
  EXPECT_EQ(eventName(KindCrashed), "AppCrashed");
  EXPECT_EQ(eventName(KindAppOpenNotification), "AppOpenNotification");
}

TEST(EnumTexts, ValuesOutsideTheirTablesThrowWithFunctionAndLine) {
  ExpectVlFailures({
      {"kind 15", [] { Text<VlEventKind>(15); }, "Unknown Event [15]!", "toString", 528, kImplSource},
      {"event name -1", [] { eventName(static_cast<VlEventKind>(-1)); }, "Unknown Event [-1]!", "toString", 528,
       kImplSource},
      {"edition 2", [] { Text<VlEdition>(2); }, "Unknown edition [2]!", "toString", 276, kImplSource},
      {"user type 12", [] { Text<VlUserType>(12); }, "Unknown user type [12]!", "userType", 635, kImplSource},
      {"result 4", [] { Text<VlResult>(4); }, "Unknown task result [4]!", "toString", 652, kImplSource},
      {"click type 5", [] { Text<VlClickType>(5); }, "Unknown ClickType [5]!", "toString", 751, kImplSource},
      {"io 2", [] { Text<VlIoType>(2); }, "the io type is invalid", "toString", 1070, kImplSource},
      {"currency 11", [] { Text<VlCurrency>(11); }, "Unknown currency [11]!", "toString", 1208, kImplSource},
      {"platform -3", [] { Text<VlPaidPlatform>(-3); }, "Unknown paid platform [-3]!", "toString", 1348,
       kImplSource},
      {"iap 4", [] { Text<VlIapType>(4); }, "Unknown vlIapType [4]!", "toString", 1365, kImplSource},
      {"update op 5", [] { Text<VlUpdateOp>(5); }, "Unknown VlUpdateOp [5]!", "toString", 1575, kImplSource},
      {"update result 6", [] { Text<VlUpdateResult>(6); }, "Unknown VlUpdateResult [6]!", "toString", 1596,
       kImplSource},
  });
}

TEST(ContextProperties, AbValueRule) {
  for (const char* valid : {"IN", "A", "Z9", "AB1", "A0Z"}) EXPECT_TRUE(VlContextProperties::isValidABValue(valid)) << valid;
  EXPECT_FALSE(VlContextProperties::isValidABValue(""));
  auto check = [](const char* value) { return [value] { VlContextProperties::isValidABValue(value); }; };
  ExpectVlFailures({
      {"four characters", check("ABCD"), "value's length is great than 3.", "isValidABValue", 169, kContextSource},
      {"digit first", check("1A"), "First char is not in A to Z", "isValidABValue", 174, kContextSource},
      {"lower case first", check("in"), "First char is not in A to Z", "isValidABValue", 174, kContextSource},
      {"lower case second", check("Ab"), "second char is not in A to Z and 0 to 9", "isValidABValue", 181,
       kContextSource},
      {"hyphen third", check("AB-"), "third char is not in A to Z and 0 to 9", "isValidABValue", 189,
       kContextSource},
      {"UTF-8 second", check("A\xC3"), "second char is not in A to Z and 0 to 9", "isValidABValue", 181,
       kContextSource},
  });
}

TEST(ContextProperties, RegistrationAndItsFailures) {
  VlContextProperties context;
  context.setProperty("vlc_ab", "IN", {KindTask, KindClick});
  ASSERT_EQ(context.getEventProperties(KindTask).size(), 1u);
  EXPECT_EQ(context.getEventProperties(KindTask)[0].key, "vlc_ab");
  EXPECT_EQ(context.getEventProperties(KindTask)[0].type, VlContextProperties::TypeString);
  EXPECT_TRUE(context.getEventProperties(14).empty());

  VlContextProperties partial;
  ExpectVlFailures({
      {"same key twice", [&] { context.setProperty("vlc_ab", "XY", {KindView}); }, "Property[vlc_ab] already exist!",
       "setProperty", 139, kContextSource},
      {"kind 15 after a good one", [&] { partial.setProperty("vlc_x", true, {KindView, 15, KindTask}); },
       "VlEvent[15] overflow!", "setProperty", 146, kContextSource},
      {"list of kind 15", [&] { context.getEventProperties(15); }, "VlEvent[15] overflow!", "getEventProperties", 233,
       kContextSource},
  });
  EXPECT_TRUE(context.getEventProperties(KindView).empty()) << "a refused key changes nothing";
  EXPECT_EQ(partial.getEventProperties(KindView).size(), 1u) << "kinds before the bad one stay";
  EXPECT_TRUE(partial.getEventProperties(KindTask).empty());
}

TEST(ContextProperties, CopyAddsEveryTypeInItsKind) {
  VlContextProperties context;
  context.setProperty("vlc_flag", true, {KindClick});
  context.setProperty("vlc_count", 2.5, {KindClick});
  context.setProperty("vlc_when", VlTimeValue{1700000000}, {KindClick});
  context.setProperty("vlc_tags", std::vector<std::string>{"a", "b"}, {KindClick});
  context.setProperty("vlc_ab", std::string("IN"), {KindView});

  beacon_analytics::PropertiesNode properties;
  EXPECT_FALSE(copyContextProperties(KindTask, properties, context));
  EXPECT_TRUE(properties.Empty());
  ASSERT_TRUE(copyContextProperties(KindClick, properties, context));
  EXPECT_EQ(properties.Entries().size(), 4u);
  EXPECT_TRUE(properties.Find("vlc_flag")->AsBool());
  EXPECT_EQ(properties.Find("vlc_count")->AsNumber(), 2.5);
  EXPECT_EQ(properties.Find("vlc_when")->AsDateTime().seconds, 1700000000);
  EXPECT_EQ(properties.Find("vlc_tags")->AsList(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(properties.Find("vlc_ab"), nullptr);
}

TEST(ContextProperties, TimeValuesAboveTheLimitAreMilliseconds) {
  struct Row {
    int64_t value;
    int64_t seconds;
    int32_t milliseconds;
  } rows[] = {
      {1700000000, 1700000000, 0},
      {1700000000123, 1700000000, 123},
      {157789439999, 157789439999, 0},
      {157789440000, 157789440, 0},
      {0, 0, 0},
  };
  for (const Row& row : rows) {
    const VlSplitTime split = splitTimeValue(row.value);
    EXPECT_EQ(split.seconds, row.seconds) << row.value;
    EXPECT_EQ(split.milliseconds, row.milliseconds) << row.value;
  }
  // Rendered by the core in local time: the same second either way.
  beacon_analytics::PropertiesNode seconds, milliseconds;
  VlContextProperties a, b;
  a.setProperty("t", VlTimeValue{1700000000}, {KindTask});
  b.setProperty("t", VlTimeValue{1700000000123}, {KindTask});
  copyContextProperties(KindTask, seconds, a);
  copyContextProperties(KindTask, milliseconds, b);
  const std::string secondsText = seconds.ToJson();
  const std::string millisText = milliseconds.ToJson();
  EXPECT_TRUE(std::regex_match(secondsText, std::regex(R"(\{"t":"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.000"\}$)")))
      << secondsText;
  EXPECT_EQ(millisText.substr(0, millisText.size() - 5) + "000\"}", secondsText);
  EXPECT_NE(millisText.find(".123\""), std::string::npos) << millisText;
}

TEST(SystemFacts, OsVersionNames) {
  struct Row {
    unsigned major, minor, build;
    bool is64, r2;
    const char* expected;
  } rows[] = {
      {0, 0, 0, false, false, "XP-"},        {4, 10, 0, true, false, "XP-"},
      {5, 0, 2195, false, false, "2K"},      {5, 1, 2600, true, false, "XP"},
      {5, 2, 3790, true, false, "XP64"},     {5, 2, 3790, false, false, "Server 2003"},
      {5, 2, 3790, false, true, "Server 2003 R2"}, {5, 3, 0, false, false, "XP+"},
      {6, 0, 6002, true, false, "Vista64"},  {6, 0, 6002, false, false, "Vista"},
      {6, 1, 7601, true, false, "7"},        {6, 1, 7601, false, false, "7-32"},
      {6, 2, 9200, true, false, "8"},        {6, 2, 9200, false, false, "8-32"},
      {6, 3, 9600, false, false, "8.1"},     {6, 4, 0, true, false, "8.1+"},
      {10, 0, 19045, true, false, "10"},     {10, 0, 22000, false, false, "11"},
      {10, 1, 0, true, false, "11+"},        {7, 2, 345, true, false, "7.2.345"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(OsVersionText({row.major, row.minor, row.build}, row.is64, row.r2), row.expected)
        << row.major << "." << row.minor << "." << row.build << (row.is64 ? " 64" : " 32");
  }
  EXPECT_EQ(UserAgentText("7", true), "Mozilla/5.0(Windows 7; Win64;)");
  EXPECT_EQ(UserAgentText("XP", false), "Mozilla/5.0(Windows XP; Win32;)");
  // This test process is 64-bit code under Wine's Windows 7.
  EXPECT_EQ(CurrentOsVersion(), "7");
}

TEST(SystemFacts, Localisation) {
  struct Row {
    const char* stored;
    const char* language;
    const char* country;
    const char* locale;
  } rows[] = {
      {"en_US", "en", "US", "en_US"},
      {"en", "zh", "CN", "zh_CN"},
      {"", "zh", "CN", "zh_CN"},
      {"_US", "zh", "CN", "zh_CN"},
      {"pt_BR_x", "pt", "BR_x", "pt_BR_x"},
  };
  for (const Row& row : rows) {
    const Localisation result = ComputeLocalisation(row.stored, "zh", "CN");
    EXPECT_EQ(result.language, row.language) << row.stored;
    EXPECT_EQ(result.country, row.country) << row.stored;
    EXPECT_EQ(result.locale, row.locale) << row.stored;
  }
}

TEST(DistinctIds, GuidFormatAndFallbackShape) {
  const GUID guid = {0x0123ABCD, 0x00EF, 0x4A5B, {0x8C, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF}};
  EXPECT_EQ(FormatDistinctId(guid), "0123ABCD-00EF-4A5B-8C01-0203040506FF");

  const std::regex guidShape("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
  EXPECT_TRUE(std::regex_match(NewDistinctId([](GUID* g) -> long { return ::CoCreateGuid(g); }), guidShape));

  int calls = 0;
  const std::string fallback = NewDistinctId([&calls](GUID*) -> long {
    ++calls;
    return E_FAIL;
  });
  EXPECT_EQ(calls, 11) << "one discarded call, then ten attempts";
  std::smatch groups;
  ASSERT_TRUE(std::regex_match(fallback, groups,
                               std::regex("([0-9a-f]+)-([0-9a-f]+)-([0-9a-f]+)-([0-9a-f]+)-([0-9a-f]+)")))
      << fallback;
  // Draws 4 and 5 (hyphen groups 3 and 4) carry the version and variant marks.
  EXPECT_EQ(std::stoul(groups[3].str(), nullptr, 16) & ~0xFFFul, 0x4000ul) << fallback;
  const unsigned long fifth = std::stoul(groups[4].str(), nullptr, 16);
  EXPECT_GE(fifth, 0x8000ul);
  EXPECT_LT(fifth, 0x8000ul + 0x3FFF);
  EXPECT_NE(NewDistinctId([](GUID*) -> long { return E_FAIL; }), fallback) << "the generator moves on";
}
