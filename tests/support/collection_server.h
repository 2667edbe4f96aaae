#pragma once

#include <string>
#include <vector>

#include "test_server.h"

namespace testing_support {

// One upload as the collection server saw it.
struct CollectedUpload {
  std::string answer;                // "200", "500", "stall", "redirect", "down", "400" (malformed)
  std::vector<std::string> records;  // record texts exactly as sent, in batch order
  std::string userAgent;
  std::string contentType;
  std::string error;                 // why the body was malformed, else empty
};

// tests/servers/collection_server.py for one test: decodes every upload to
// its records and keeps them; answers can be scripted per upload.
class CollectionServer {
 public:
  explicit CollectionServer(const std::vector<std::string>& args = {});

  // The URL the uploader posts to.
  std::string UploadUrl() const { return m_Server.BaseUrl() + "/sa?project=pc"; }
  // Answers for the next uploads in order ("200,500,stall,redirect,down"),
  // then `then` for every later one.
  void PlanAnswers(const std::string& plan, const std::string& then = "200") const;
  std::vector<CollectedUpload> Uploads() const;
  // Records of the uploads answered 200, in arrival order.
  std::vector<std::string> AcceptedRecords() const;
  void Reset() const;

  const TestServer& Server() const { return m_Server; }

 private:
  TestServer m_Server;
};

}  // namespace testing_support
