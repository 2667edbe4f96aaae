// The upload request against the collection server: encoding, answers that
// count as failure, the time-out, and certificate checks.
#include <gtest/gtest.h>

#include <windows.h>

#include <curl/curl.h>

#include <map>
#include <string>
#include <vector>

#include "collect/base64.h"
#include "collect/http_request.h"
#include "collect/percent_encoding.h"
#include "collect/upload_status.h"
#include "collect/uploader.h"
#include "collect_test_support.h"
#include "collection_server.h"

using beacon_analytics::Uploader;
using collect_testing::StderrCapture;
using testing_support::CollectedUpload;
using testing_support::CollectionServer;

namespace {

// A record whose gzip stream is long and varied enough that its Base64 text
// holds "+", "/" and "=".
std::string VariedRecord() {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('!' + (i * 37) % 90);
  std::string escaped;
  for (char c : text) {
    if (c == '"' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return R"({"_track_id":1,"properties":{"名":")" + escaped + R"("},"type":"track"})";
}

}  // namespace

TEST(Encoding, Base64AndPercentEncodingOfTheUploadBody) {
  const std::pair<std::string, std::string> base64[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFB\xFF\xBF", "+/+/"},
  };
  for (const auto& [input, expected] : base64) EXPECT_EQ(beacon_analytics::Base64Encode(input), expected) << input;

  const std::pair<std::string, std::string> percent[] = {
      {"AZaz09-._~", "AZaz09-._~"},
      {"+/=", "%2B%2F%3D"},
      {" &%\n", "%20%26%25%0A"},
      {"\xE6\x8B\x93\xFF", "%E6%8B%93%FF"},
  };
  for (const auto& [input, expected] : percent) {
    EXPECT_EQ(beacon_analytics::PercentEncode(input), expected) << input;
  }
}

TEST(Encoding, ResponseHeaderLinesSplitAtTheFirstColon) {
  std::map<std::string, std::string> headers;
  for (const char* line : {"HTTP/1.1 200 OK\r\n", "Content-Type:  text/plain \r\n", "Location: http://a:1/b\r\n",
                           "\r\n"}) {
    beacon_analytics::AddHeaderLine(line, headers);
  }
  const std::map<std::string, std::string> expected = {
      {"HTTP/1.1 200 OK", "present"}, {"Content-Type", "text/plain"}, {"Location", "http://a:1/b"}};
  EXPECT_EQ(headers, expected);
}

TEST(Uploader, PostsTheBatchAsAGzipBase64FormField) {
  CollectionServer server;
  Uploader uploader(server.UploadUrl());
  const std::string record = VariedRecord();
  beacon_analytics::SetLastSendOk(false);

  EXPECT_TRUE(uploader.Send("[" + record + "]"));
  EXPECT_TRUE(beacon_analytics::lastSendOk());

  const std::vector<CollectedUpload> uploads = server.Uploads();
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].error, "");
  EXPECT_EQ(uploads[0].records, std::vector<std::string>{record});
  EXPECT_EQ(uploads[0].userAgent, "BeaconAnalytics CPP SDK 0.9");
  EXPECT_EQ(uploads[0].contentType, "application/x-www-form-urlencoded");
}

TEST(Uploader, AnythingButStatus200IsAFailure) {
  CollectionServer server;
  Uploader uploader(server.UploadUrl());
  const struct {
    const char* answer;
    std::string message;
  } rows[] = {
      {"500", "BeaconAnalytics SDK send failed: refused\n"},
      {"404", "BeaconAnalytics SDK send failed: refused\n"},
      {"redirect", "BeaconAnalytics SDK send failed: \n"},
      {"down", "BeaconAnalytics SDK send failed: Server returned nothing (no headers, no data)\n"},
  };
  for (const auto& row : rows) {
    server.Reset();
    server.PlanAnswers(row.answer);
    beacon_analytics::SetLastSendOk(true);
    StderrCapture capture;
    EXPECT_FALSE(uploader.Send(R"([{"n":1}])")) << row.answer;
    EXPECT_EQ(capture.Text(), row.message) << row.answer;
    EXPECT_FALSE(beacon_analytics::lastSendOk()) << row.answer;
    // A redirect is not followed: the server saw exactly one request.
    EXPECT_EQ(server.Uploads().size(), 1u) << row.answer;
  }
  EXPECT_TRUE(uploader.Send(R"([{"n":2}])"));
  EXPECT_TRUE(beacon_analytics::lastSendOk());
}

TEST(Uploader, GivesUpOnAStalledServerAfterThreeSeconds) {
  CollectionServer server({"--stall-seconds", "6"});
  server.PlanAnswers("stall");
  Uploader uploader(server.UploadUrl());
  const ULONGLONG start = GetTickCount64();
  StderrCapture capture;
  EXPECT_FALSE(uploader.Send(R"([{"n":1}])"));
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_GE(elapsed, 2900u);
  EXPECT_LT(elapsed, 5000u);
  EXPECT_NE(capture.Text().find("BeaconAnalytics SDK send failed: Timeout was reached"), std::string::npos);
}

TEST(Uploader, FailsWhenNothingListens) {
  std::string url;
  {
    CollectionServer server;
    url = server.UploadUrl();
  }
  Uploader uploader(url);
  StderrCapture capture;
  EXPECT_FALSE(uploader.Send(R"([{"n":1}])"));
  // The words depend on how far the stopping server still got.
  EXPECT_EQ(capture.Text().rfind("BeaconAnalytics SDK send failed: ", 0), 0u) << capture.Text();
}

namespace {

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

// The HTTPS server's control route needs its own certificate too.
void StopTlsServer(const CollectionServer& server, const std::string& caFile) {
  CURL* curl = curl_easy_init();
  const std::string url = "https://localhost:" + std::to_string(server.Server().Port()) + "/__control/shutdown";
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  curl_easy_perform(curl);
  curl_easy_cleanup(curl);
}

}  // namespace

TEST(Uploader, VerifiesTheServerCertificate) {
  testing_support::ScratchDir certificates;
  CollectionServer server({"--tls-dir", certificates.UnixPath()});
  const std::string url = "https://localhost:" + std::to_string(server.Server().Port()) + "/sa?project=pc";
  const std::string rightCa = collect_testing::AnsiPath(certificates, "ca.pem");
  const std::string unrelatedCa = collect_testing::AnsiPath(certificates, "other-ca.pem");

  Uploader untrusting(url);
  untrusting.SetCaFile(unrelatedCa);
  {
    StderrCapture capture;
    EXPECT_FALSE(untrusting.Send(R"([{"n":1}])"));
    EXPECT_NE(capture.Text().find("BeaconAnalytics SDK send failed: SSL peer certificate or SSH remote key was not OK"),
              std::string::npos);
  }
  Uploader trusting(url);
  trusting.SetCaFile(rightCa);
  EXPECT_TRUE(trusting.Send(R"([{"n":2}])"));

  StopTlsServer(server, rightCa);
}
