#include "download/curl_client.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "download/length_probe_report.h"
#include "download_test_support.h"

namespace {

std::mutex g_Lock;
std::vector<std::wstring> g_Reports;
void Record(const std::wstring& reason) {
  std::lock_guard<std::mutex> hold(g_Lock);
  g_Reports.push_back(reason);
}
std::vector<std::wstring> TakeReports() {
  std::lock_guard<std::mutex> hold(g_Lock);
  return std::move(g_Reports);
}

// The length probes and what they tell tracking: the redirect-following probe
// accepts statuses 200 to 399, the one on the final URL 200 to 400.
TEST(CurlClient_LengthProbes, ReportBadStatusesToTracking) {
  SetLengthProbeReporterForTesting(&Record);
  DownloadServer server;
  struct Case {
    const char* config;
    double headLength;
    std::vector<std::wstring> headReports;
    std::vector<std::wstring> finalUrlReports;
  };
  const Case cases[] = {
      {R"({"size": 2000000})", 2000000.0, {}, {}},
      {R"({"status": 404})", -1.0, {LengthProbeReason(404)}, {LengthProbeReason(404)}},
      {R"({"status": 400})", -1.0, {LengthProbeReason(400)}, {}},
      {R"({"status": 500})", -1.0, {LengthProbeReason(500)}, {LengthProbeReason(500)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config);
    const auto info = server.Configure(c.config);
    const std::string packageUrl = server.Server().BaseUrl() + "/software/340";
    TakeReports();

    UniqueCurl head = CurlClient::Head(packageUrl);
    ASSERT_TRUE(head);
    EXPECT_EQ(CurlClient::GetDownloadFileLength(head.get()), c.headLength);
    EXPECT_EQ(TakeReports(), c.headReports);

    const std::string finalUrl = server.Server().BaseUrl() + info["final_path"].asString();
    CurlClient::GetDownloadFileLength_Str(finalUrl);
    EXPECT_EQ(TakeReports(), c.finalUrlReports);
  }
  // Redirects lead to the digest path; an unreachable URL is handed back as it is.
  server.Configure("{}");
  const std::string finalPath = server.Configure("{}")["final_path"].asString();
  EXPECT_EQ(CurlClient::GetRealUrl_Str(server.Server().BaseUrl() + "/software/340"),
            server.Server().BaseUrl() + finalPath);
  EXPECT_EQ(CurlClient::GetRealUrl_Str("http://127.0.0.1:1/software/340"), "http://127.0.0.1:1/software/340");
  SetLengthProbeReporterForTesting(nullptr);
}

}  // namespace
