// Every input check: which names, identities and strings pass, and the exact
// line each failure writes to standard error.
#include <gtest/gtest.h>

#include <string>

#include "collect/checks.h"
#include "collect/properties_node.h"
#include "collect/sdk.h"
#include "collect_test_support.h"

using beacon_analytics::PropertiesNode;
using beacon_analytics::Sdk;
using collect_testing::StderrCapture;

namespace {

class Validation : public collect_testing::SdkFixture {};

struct Row {
  const char* what;
  std::string input;
  bool accepted;
  std::string message;  // standard error, empty when accepted
};

const std::string kBadName = "The Property Key need to be a valid variable name.\n";
const std::string kBadLength = "The Property Key is empty or too long, max length is 100\n";

}  // namespace

TEST_F(Validation, PropertyNamesDecideWhetherTheRecordIsStaged) {
  StartCore();
  const Row rows[] = {
      {"dollar first", "$abc", true, ""},
      {"underscore first", "_x1", true, ""},
      {"letters and digits", "vlc_Page2", true, ""},
      {"100 bytes", std::string(100, 'k'), true, ""},
      {"digit first", "1abc", false, kBadName},
      {"hyphen", "vl-page", false, kBadName},
      {"space", "vl page", false, kBadName},
      {"quote", "vl\"x", false, kBadName},
      {"non-ASCII", "名字", false, kBadName},
      {"empty", "", false, kBadLength},
      {"101 bytes", std::string(101, 'k'), false, kBadLength},
  };
  for (const Row& row : rows) {
    PropertiesNode properties;
    properties.SetBool("a_first", true);
    properties.SetNumber(row.input, 1);
    StderrCapture capture;
    const bool staged = Sdk::BuildRecord("track", "Event", properties, "user-1", "");
    EXPECT_EQ(staged, row.accepted) << row.what;
    EXPECT_EQ(capture.Text(), row.message) << row.what;
  }
}

TEST_F(Validation, EventNamesAreCheckedForTrackOnly) {
  StartCore();
  const Row rows[] = {
      {"plain", "VlEventClick", true, ""},
      {"digit first", "9lives", false, "The Event Name need to be a valid variable name.\n"},
      {"empty", "", false, "The Event Name is empty or too long, max length is 100\n"},
  };
  for (const Row& row : rows) {
    StderrCapture capture;
    EXPECT_EQ(Sdk::BuildRecord("track", row.input, PropertiesNode(), "user-1", ""), row.accepted) << row.what;
    EXPECT_EQ(capture.Text(), row.message) << row.what;
  }
  // Profile records carry no event; whatever name comes along is not checked.
  EXPECT_TRUE(Sdk::BuildRecord("profile_set", "9lives", PropertiesNode(), "user-1", ""));
}

TEST_F(Validation, IdentitiesMustBeOneTo255Bytes) {
  const Row rows[] = {
      {"one byte", "u", true, ""},
      {"255 bytes", std::string(255, 'u'), true, ""},
      {"empty", "", false, "The Distinct ID is empty.\n"},
      {"256 bytes", std::string(256, 'u'), false, "The Distinct ID is too long, max length is 255.\n"},
  };
  for (const Row& row : rows) {
    StderrCapture capture;
    EXPECT_EQ(Sdk::Init(StagingPath(), "http://127.0.0.1:9/sa?project=pc", row.input, false), row.accepted)
        << row.what;
    EXPECT_EQ(capture.Text(), row.message) << row.what;
    Sdk::Shutdown();
  }

  StartCore();
  const Row originals[] = {
      {"present", "device-guid", true, ""},
      {"empty", "", false, "The Original ID is empty.\n"},
      {"256 bytes", std::string(256, 'o'), false, "The Original ID is too long, max length is 255.\n"},
  };
  for (const Row& row : originals) {
    StderrCapture capture;
    EXPECT_EQ(Sdk::BuildRecord("track_signup", "$SignUp", PropertiesNode(), "member", row.input), row.accepted)
        << row.what;
    EXPECT_EQ(capture.Text(), row.message) << row.what;
  }
}

TEST_F(Validation, TimeAndProjectMustHaveTheirKinds) {
  StartCore();
  PropertiesNode stringTime;
  stringTime.SetString("$time", "2024-01-01");
  PropertiesNode numberProject;
  numberProject.SetNumber("$project", 3);
  PropertiesNode fine;
  fine.SetDateTime("$time", 1, 0);
  fine.SetString("$project", "p");
  {
    StderrCapture capture;
    EXPECT_FALSE(Sdk::BuildRecord("track", "E", stringTime, "user-1", ""));
    EXPECT_EQ(capture.Text(), "The property '$time' should be DateTime type.\n");
  }
  {
    StderrCapture capture;
    EXPECT_FALSE(Sdk::BuildRecord("profile_set", "", numberProject, "user-1", ""));
    EXPECT_EQ(capture.Text(), "The property '$project' should be String type.\n");
  }
  {
    // Super properties pass the same checks, or every later record would
    // carry the broken entry.
    StderrCapture capture;
    Sdk::RegisterSuperProperties(stringTime);
    EXPECT_EQ(capture.Text(), "The property '$time' should be DateTime type.\n");
  }
  EXPECT_TRUE(Sdk::BuildRecord("track", "E", fine, "user-1", ""));
  EXPECT_EQ(StagedAfterShutdown().size(), 1u);
}

TEST(StringChecks, LengthLimitIs8192Bytes) {
  PropertiesNode properties;
  {
    StderrCapture capture;
    properties.SetString("exact", std::string(8192, 'a'));
    EXPECT_EQ(capture.Text(), "");
  }
  {
    StderrCapture capture;
    properties.SetString("over", std::string(8193, 'b'));
    EXPECT_EQ(capture.Text(), "String property 'over' is too long, value: " + std::string(8193, 'b') + "\n");
  }
  ASSERT_NE(properties.Find("exact"), nullptr);
  EXPECT_EQ(properties.Find("exact")->AsString().size(), 8192u);
  EXPECT_EQ(properties.Find("over"), nullptr);
}

TEST(StringChecks, OnlyWellFormedUtf8WithoutControlBytesIsStored) {
  const Row rows[] = {
      {"tab, line feed, carriage return", "a\tb\nc\rd", true, ""},
      {"two bytes (é)", "\xC3\xA9", true, ""},
      {"three bytes (拓)", "\xE6\x8B\x93", true, ""},
      {"E0 lowest", "\xE0\xA0\x80", true, ""},
      {"ED highest", "\xED\x9F\xBF", true, ""},
      {"four bytes (emoji)", "\xF0\x9F\x98\x80", true, ""},
      {"F4 highest", "\xF4\x8F\xBF\xBF", true, ""},
      {"DEL", "a\x7F", false, ""},
      {"NUL", std::string("a\0b", 3), false, ""},
      {"escape byte", "\x1B[0m", false, ""},
      {"lone C0", "\xC0", false, ""},
      {"overlong C0 pair", "\xC0\xAF", false, ""},
      {"lone continuation", "\x80", false, ""},
      {"cut-off three-byte", "ok\xE6\x8B", false, ""},
      {"cut-off four-byte", "\xF0\x9F\x98", false, ""},
      {"overlong E0", "\xE0\x80\x80", false, ""},
      {"surrogate", "\xED\xA0\x80", false, ""},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, ""},
      {"F5", "\xF5\x80\x80\x80", false, ""},
  };
  for (const Row& row : rows) {
    PropertiesNode properties;
    StderrCapture capture;
    properties.SetString("text", row.input);
    const std::string message = capture.Text();
    EXPECT_EQ(properties.Find("text") != nullptr, row.accepted) << row.what;
    EXPECT_EQ(message, row.accepted ? "" : "String property 'text' is not valid UTF-8 string, value: " + row.input + "\n")
        << row.what;
  }
}

TEST_F(Validation, NothingHappensWithoutAnInstance) {
  PropertiesNode properties;
  properties.SetString("k", "v");
  Sdk::Track("Event", properties);
  Sdk::ProfileSet(properties);
  Sdk::Login("member");
  EXPECT_FALSE(Sdk::BuildRecord("track", "Event", properties, "user-1", ""));
  EXPECT_FALSE(Sdk::Flush());
  Sdk::Shutdown();
  EXPECT_EQ(collect_testing::ReadAll(StagingPath()), "");
}
