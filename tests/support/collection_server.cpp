#include "collection_server.h"

#include <json/json.h>

#include <memory>
#include <stdexcept>

namespace testing_support {

CollectionServer::CollectionServer(const std::vector<std::string>& args) : m_Server("collection_server.py", args) {}

void CollectionServer::PlanAnswers(const std::string& plan, const std::string& then) const {
  const HttpReply reply = m_Server.Get("/__control/answers?plan=" + plan + "&then=" + then);
  if (reply.status != 200) throw std::runtime_error("collection server refused the plan " + plan);
}

std::vector<CollectedUpload> CollectionServer::Uploads() const {
  const HttpReply reply = m_Server.Get("/__control/uploads");
  Json::Value root;
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string errors;
  if (reply.status != 200 ||
      !reader->parse(reply.body.data(), reply.body.data() + reply.body.size(), &root, &errors)) {
    throw std::runtime_error("collection server gave no uploads: " + errors);
  }
  std::vector<CollectedUpload> uploads;
  for (const auto& item : root["uploads"]) {
    CollectedUpload upload;
    upload.answer = item["answer"].asString();
    upload.userAgent = item["user_agent"].asString();
    upload.contentType = item["content_type"].asString();
    upload.error = item["error"].asString();
    for (const auto& record : item["records"]) upload.records.push_back(record.asString());
    uploads.push_back(std::move(upload));
  }
  return uploads;
}

std::vector<std::string> CollectionServer::AcceptedRecords() const {
  std::vector<std::string> records;
  for (const auto& upload : Uploads()) {
    if (upload.answer == "200") records.insert(records.end(), upload.records.begin(), upload.records.end());
  }
  return records;
}

void CollectionServer::Reset() const { m_Server.Get("/__control/reset"); }

}  // namespace testing_support
