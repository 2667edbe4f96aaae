#pragma once

#include <json/json.h>

#include <mutex>
#include <string>
#include <vector>

#include "log_capture.h"
#include "test_server.h"

// The download server of tests/servers, configured per test.
class DownloadServer {
 public:
  explicit DownloadServer(std::vector<std::string> args = {}) : m_Server("download_server.py", args) {}

  // Applies a configuration (JSON object text) and returns the server's info.
  Json::Value Configure(const std::string& json) {
    return Parse(m_Server.Post("/__control/configure", json).body);
  }
  // Every request so far: method, path, range, status, sent.
  Json::Value Log() { return Parse(m_Server.Get("/__control/log").body); }
  // GET requests for the package file itself (not the redirecting path).
  std::vector<Json::Value> FileGets(const std::string& finalPath) {
    std::vector<Json::Value> gets;
    for (const auto& entry : Log()) {
      if (entry["method"].asString() == "GET" && entry["path"].asString() == finalPath) gets.push_back(entry);
    }
    return gets;
  }

  std::wstring PackageUrl() const { return Widen(m_Server.BaseUrl() + "/software/340"); }
  const testing_support::TestServer& Server() const { return m_Server; }

  static std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

 private:
  static Json::Value Parse(const std::string& text) {
    Json::Value value;
    Json::CharReaderBuilder builder;
    std::string errors;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    reader->parse(text.data(), text.data() + text.size(), &value, &errors);
    return value;
  }

  testing_support::TestServer m_Server;
};
