// Staging, batching, put-back after failures and the staging file between
// runs, through the core's own operations and against the collection server.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <future>
#include <stdexcept>
#include <thread>
#include <memory>
#include <string>
#include <vector>

#include "collect/properties_node.h"
#include "collect/record_store.h"
#include "collect/sdk.h"
#include "collect_test_support.h"
#include "collection_server.h"

using beacon_analytics::BatchSender;
using beacon_analytics::PropertiesNode;
using beacon_analytics::RecordStore;
using beacon_analytics::Sdk;
using collect_testing::ReadAll;
using testing_support::CollectedUpload;
using testing_support::CollectionServer;

namespace {

// Numbers of the records, read back from their "n" property.
std::vector<int> Numbers(const std::vector<std::string>& records) {
  std::vector<int> numbers;
  for (const auto& record : records) {
    const size_t at = record.find("\"n\":");
    numbers.push_back(at == std::string::npos ? -1 : std::stoi(record.substr(at + 4)));
  }
  return numbers;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

void TrackNumbered(int first, int last) {
  for (int n = first; n <= last; ++n) {
    PropertiesNode properties;
    properties.SetNumber("n", n);
    Sdk::Track("Numbered", properties);
  }
}

// Stands in for the uploader where the test needs to act during a send.
class ScriptedSender : public BatchSender {
 public:
  explicit ScriptedSender(std::function<bool(const std::string&)> answer) : m_Answer(std::move(answer)) {}
  bool Send(const std::string& batch) override {
    ++m_Calls;
    return m_Answer(batch);
  }
  int Calls() const { return m_Calls; }

 private:
  std::function<bool(const std::string&)> m_Answer;
  int m_Calls = 0;
};

std::string Numbered(int n) { return "{\"n\":" + std::to_string(n) + "}"; }

class Staging : public collect_testing::SdkFixture {
 protected:
  void StartWith(const CollectionServer& server) {
    ASSERT_TRUE(Sdk::Init(StagingPath(), server.UploadUrl(), "user-1", false, collect_testing::FixedOptions()));
  }
};

}  // namespace

TEST_F(Staging, SendsBatchesOfThirtyInStagingOrder) {
  CollectionServer server;
  StartWith(server);
  TrackNumbered(1, 65);
  EXPECT_TRUE(Sdk::Flush());

  const std::vector<CollectedUpload> uploads = server.Uploads();
  ASSERT_EQ(uploads.size(), 3u);
  EXPECT_EQ(Numbers(uploads[0].records), Range(1, 30));
  EXPECT_EQ(Numbers(uploads[1].records), Range(31, 60));
  EXPECT_EQ(Numbers(uploads[2].records), Range(61, 65));
  for (const auto& upload : uploads) EXPECT_EQ(upload.error, "");
  EXPECT_TRUE(Sdk::Flush());  // nothing left: no request
  EXPECT_EQ(server.Uploads().size(), 3u);
}

TEST_F(Staging, RefusedBatchGoesBackInFrontAndStopsTheFlush) {
  CollectionServer server;
  StartWith(server);
  TrackNumbered(1, 65);
  server.PlanAnswers("200,500");
  collect_testing::StderrCapture quiet;
  EXPECT_FALSE(Sdk::Flush());
  EXPECT_EQ(server.Uploads().size(), 2u);

  // What stayed behind goes out next time, the refused batch first.
  EXPECT_TRUE(Sdk::Flush());
  EXPECT_EQ(Numbers(server.AcceptedRecords()), Range(1, 65));
  const std::vector<CollectedUpload> uploads = server.Uploads();
  ASSERT_EQ(uploads.size(), 4u);
  EXPECT_EQ(Numbers(uploads[1].records), Range(31, 60));
  EXPECT_EQ(Numbers(uploads[2].records), Range(31, 60));
  EXPECT_EQ(Numbers(uploads[3].records), Range(61, 65));
}

TEST_F(Staging, RecordsStagedAtShutdownGoOutWithTheNextRunsFirstFlush) {
  std::string deadUrl;
  {
    CollectionServer gone;
    deadUrl = gone.UploadUrl();
  }
  ASSERT_TRUE(Sdk::Init(StagingPath(), deadUrl, "user-1", false, collect_testing::FixedOptions()));
  TrackNumbered(1, 3);
  {
    collect_testing::StderrCapture quiet;
    EXPECT_FALSE(Sdk::Flush());
  }
  Sdk::Shutdown();
  EXPECT_EQ(Numbers(collect_testing::ReadLines(StagingPath())), Range(1, 3));

  CollectionServer server;
  StartWith(server);
  TrackNumbered(4, 4);
  EXPECT_TRUE(Sdk::Flush());
  EXPECT_EQ(Numbers(server.AcceptedRecords()), Range(1, 4));
  EXPECT_EQ(ReadAll(StagingPath()), "");
  Sdk::Shutdown();
  EXPECT_EQ(ReadAll(StagingPath()), "");
}

TEST_F(Staging, LongStagingFileYieldsItsLast1024RecordLines) {
  {
    std::ofstream file(StagingPath());
    for (int n = 1; n <= 2000; ++n) {
      file << Numbered(n) << "\n";
      if (n % 500 == 0) file << "\n{not closed\nnot opened}\n  {\"n\":-5}\n";
    }
  }
  CollectionServer server;
  StartWith(server);
  EXPECT_TRUE(Sdk::Flush());
  EXPECT_EQ(Numbers(server.AcceptedRecords()), Range(977, 2000));
  EXPECT_EQ(server.Uploads().size(), 35u);
  EXPECT_EQ(ReadAll(StagingPath()), "");
}

TEST_F(Staging, ConcurrentTrackingAndFlushingLoseAndRepeatNothing) {
  CollectionServer server;
  StartWith(server);
  std::vector<std::thread> trackers;
  for (int t = 0; t < 4; ++t) trackers.emplace_back([t] { TrackNumbered(t * 100 + 1, t * 100 + 100); });
  std::thread flusher([] {
    for (int i = 0; i < 5; ++i) Sdk::Flush();
  });
  for (auto& tracker : trackers) tracker.join();
  flusher.join();
  EXPECT_TRUE(Sdk::Flush());

  std::vector<int> numbers = Numbers(server.AcceptedRecords());
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers, Range(1, 400));
}

TEST_F(Staging, ShutdownWaitsForAStalledUploadAndKeepsItsBatch) {
  CollectionServer server({"--stall-seconds", "5"});
  StartWith(server);
  TrackNumbered(1, 40);
  server.PlanAnswers("stall");
  collect_testing::StderrCapture quiet;
  bool flushed = true;
  std::thread delivery([&] { flushed = Sdk::Flush(); });
  Sleep(500);  // the first batch is on the wire now
  Sdk::Shutdown();
  delivery.join();
  EXPECT_FALSE(flushed);
  EXPECT_EQ(Numbers(collect_testing::ReadLines(StagingPath())), Range(1, 40));
}

TEST(RecordStore, KeepsTheNewest1024Records) {
  testing_support::ScratchDir dir;
  RecordStore store(collect_testing::AnsiPath(dir, "staging.log"),
                    std::make_unique<ScriptedSender>([](const std::string&) { return true; }));
  for (int n = 1; n <= 1025; ++n) store.Add(Numbered(n));
  const auto staged = store.StagedRecords();
  EXPECT_EQ(Numbers({staged.begin(), staged.end()}), Range(2, 1025));
}

TEST(RecordStore, PutBackKeepsOnlyWhatFitsBesideNewRecords) {
  testing_support::ScratchDir dir;
  RecordStore* storePtr = nullptr;
  // Records keep arriving while the batch is on the wire, then it is refused.
  auto sender = std::make_unique<ScriptedSender>([&](const std::string&) {
    for (int n = 101; n <= 1110; ++n) storePtr->Add(Numbered(n));
    return false;
  });
  RecordStore store(collect_testing::AnsiPath(dir, "staging.log"), std::move(sender));
  storePtr = &store;
  for (int n = 1; n <= 30; ++n) store.Add(Numbered(n));

  EXPECT_FALSE(store.FlushBatch());
  const auto staged = store.StagedRecords();
  std::vector<int> expected = Range(17, 30);  // room for 14 of the 30: the batch's newest
  const std::vector<int> arrived = Range(101, 1110);
  expected.insert(expected.end(), arrived.begin(), arrived.end());
  EXPECT_EQ(Numbers({staged.begin(), staged.end()}), expected);
}

TEST(RecordStore, ClosedStoreSavesAndSendsNothingMore) {
  testing_support::ScratchDir dir;
  const std::string path = collect_testing::AnsiPath(dir, "staging.log");
  auto sender = std::make_unique<ScriptedSender>([](const std::string&) { return true; });
  ScriptedSender* senderPtr = sender.get();
  RecordStore store(path, std::move(sender));
  store.Add(Numbered(1));
  store.Add(Numbered(2));
  store.Close();
  // A delivery thread that still held the store must not send what the
  // staging file now carries into the next run.
  EXPECT_FALSE(store.FlushAll());
  EXPECT_EQ(senderPtr->Calls(), 0);
  EXPECT_EQ(Numbers(collect_testing::ReadLines(path)), Range(1, 2));
}

TEST(RecordStore, FlushAllDuringAnotherThreadsSendWaitsForItsOutcome) {
  testing_support::ScratchDir dir;
  std::promise<void> onWire;
  std::promise<void> answer;
  std::shared_future<void> answered = answer.get_future().share();
  // The first batch is refused, but only after the second flush has begun.
  auto sender = std::make_unique<ScriptedSender>([&, first = true](const std::string&) mutable {
    if (!first) return true;
    first = false;
    onWire.set_value();
    answered.wait();
    return false;
  });
  ScriptedSender* senderPtr = sender.get();
  RecordStore store(collect_testing::AnsiPath(dir, "staging.log"), std::move(sender));
  store.Add(Numbered(1));

  std::thread delivery([&] { store.FlushBatch(); });
  onWire.get_future().wait();
  bool flushed = false;
  std::thread release([&] { flushed = store.FlushAll(); });
  Sleep(200);  // the second flush finds the queue empty meanwhile
  answer.set_value();
  delivery.join();
  release.join();

  EXPECT_TRUE(flushed);
  EXPECT_EQ(senderPtr->Calls(), 2);
  EXPECT_TRUE(store.StagedRecords().empty());
}

TEST(RecordStore, AnExceptionDuringASendCountsAsAFailedFlush) {
  testing_support::ScratchDir dir;
  RecordStore store(collect_testing::AnsiPath(dir, "staging.log"),
                    std::make_unique<ScriptedSender>([](const std::string&) -> bool {
                      throw std::runtime_error("out of buffers");
                    }));
  store.Add(Numbered(1));
  collect_testing::StderrCapture capture;
  EXPECT_FALSE(store.FlushAll());
  EXPECT_EQ(capture.Text(), "Exception when flush failed: (out of buffers) \n");
  EXPECT_EQ(store.StagedRecords().size(), 1u);
}

TEST(RecordStore, FolderAsStagingPathKeepsRecordsInMemoryOnly) {
  testing_support::ScratchDir dir;
  std::vector<std::string> sent;
  RecordStore store(collect_testing::AnsiPath(dir, "") ,
                    std::make_unique<ScriptedSender>([&](const std::string& batch) {
                      sent.push_back(batch);
                      return true;
                    }));
  store.Add(Numbered(1));
  store.Close();
  EXPECT_EQ(store.StagedRecords().size(), 1u);
  EXPECT_TRUE(sent.empty());
}
