// Delivery against the collection server: deferred events wait for the next
// immediate event or the release, the first deliveries run on their own
// threads, failed uploads are kept for the next run, and a release while a
// sender is stuck on a stalling server is safe.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "collection_server.h"
#include "tracking_test_support.h"

using namespace volen::beacon;
using testing_support::CollectionServer;
using tracking_testing::EventNames;
using tracking_testing::ParseRecords;

namespace {

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::vector<std::string> AcceptedEvents(const CollectionServer& server) {
  return EventNames(ParseRecords(server.AcceptedRecords()));
}

class DeliveryTest : public tracking_testing::TrackerFixture {
 protected:
  VlEventClick Click(const char* name) {
    VlEventClick e;
    e.name = name;
    return e;
  }
  VlEventTask Task(const char* name) {
    VlEventTask e;
    e.name = name;
    return e;
  }
  VlEventView View(const char* name) {
    VlEventView e;
    e.name = name;
    return e;
  }
  VlContextProperties m_None;
};

}  // namespace

TEST_F(DeliveryTest, DeferredEventsWaitForTheNextImmediateEventWhichFlushesOnItsOwnThreadUntilAnUploadSucceeded) {
  CollectionServer server;
  UseEndpoint(server.UploadUrl());
  createTracker(tracking_testing::TestConfig());
  std::shared_ptr<BeaconTrackerWrapper> tracker = currentTracker();
  tracker->trackClick(Click("c1"), m_None);
  tracker->trackTask(Task("t1"), m_None);
  tracker->trackView(View("v1"), m_None);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(server.Uploads().empty()) << "deferred events are not sent by themselves";
  EXPECT_GT(tracker->impl()->pendingCount(), 0);

  tracker->trackCrash("first");
  ASSERT_TRUE(WaitFor([&] { return AcceptedEvents(server).size() == 4; })) << "the sender thread flushed";
  EXPECT_EQ(AcceptedEvents(server),
            (std::vector<std::string>{"VlEventClick", "VlEventTask", "VlEventView", "AppCrashed"}));
  EXPECT_TRUE(WaitFor([&] { return tracker->impl()->pendingCount() == 0; }));

  // After a successful upload the delivery runs on the caller's thread:
  // the records are there when the call returns.
  tracker->trackClick(Click("c2"), m_None);
  tracker->trackUninstall("bye", m_None);
  EXPECT_EQ(AcceptedEvents(server).size(), 6u);

  // An immediate event with nothing pending is staged, not flushed.
  tracker->trackCrash("alone");
  EXPECT_EQ(server.Uploads().size(), 2u);
  tracker.reset();
  releaseTracker();
  EXPECT_EQ(server.Uploads().size(), 2u) << "nothing pending at release";
  EXPECT_EQ(StagedRecords().size(), 1u) << "kept for the next run";
}

TEST_F(DeliveryTest, ReleaseSendsTheDeferredEvents) {
  CollectionServer server;
  UseEndpoint(server.UploadUrl());
  createTracker(tracking_testing::TestConfig());
  std::shared_ptr<BeaconTrackerWrapper> tracker = currentTracker();
  tracker->trackTask(Task("only a task"), m_None);
  tracker->trackView(View("v"), m_None);
  tracker.reset();
  releaseTracker();
  EXPECT_EQ(currentTracker(), nullptr);
  EXPECT_EQ(AcceptedEvents(server), (std::vector<std::string>{"VlEventTask", "VlEventView"}));
  EXPECT_TRUE(StagedRecords().empty());
}

TEST_F(DeliveryTest, ARunWhoseServerIsDownLosesNothingTheNextRunSendsIt) {
  CollectionServer server;
  server.PlanAnswers("", "down");
  UseEndpoint(server.UploadUrl());
  createTracker(tracking_testing::TestConfig());
  currentTracker()->trackClick(Click("run 1 a"), m_None);
  currentTracker()->trackClick(Click("run 1 b"), m_None);
  releaseTracker();
  EXPECT_EQ(server.Uploads().size(), 3u) << "exactly three attempts at release";
  EXPECT_TRUE(server.AcceptedRecords().empty());
  EXPECT_EQ(StagedRecords().size(), 2u);

  server.PlanAnswers("", "200");
  createTracker(tracking_testing::TestConfig());
  currentTracker()->trackTask(Task("run 2"), m_None);
  releaseTracker();
  const auto records = ParseRecords(server.AcceptedRecords());
  ASSERT_EQ(EventNames(records), (std::vector<std::string>{"VlEventClick", "VlEventClick", "VlEventTask"}));
  EXPECT_EQ(records[0]["properties"]["vl_name"].asString(), "run 1 a");
  EXPECT_EQ(records[1]["properties"]["vl_name"].asString(), "run 1 b");
  EXPECT_TRUE(StagedRecords().empty());
}

TEST_F(DeliveryTest, ReleaseWhileASenderIsStuckOnAStallingServer) {
  CollectionServer server({"--stall-seconds", "5"});
  server.PlanAnswers("stall", "200");
  UseEndpoint(server.UploadUrl());
  createTracker(tracking_testing::TestConfig());
  std::weak_ptr<BeaconTrackerImpl> impl = currentTracker()->impl();
  currentTracker()->trackClick(Click("before the stall"), m_None);
  currentTracker()->trackCrash("stalled");
  ASSERT_TRUE(WaitFor([&] { return server.Uploads().size() == 1; })) << "the sender is inside its upload";

  releaseTracker();
  EXPECT_EQ(currentTracker(), nullptr);
  // The sender keeps its own reference until it has finished.
  EXPECT_TRUE(WaitFor([&] { return impl.expired(); }, 20000));
  // The batch in flight was put back when the stalled attempt timed out and
  // is either sent by a later attempt or kept for the next run: never lost,
  // never sent twice.
  std::vector<std::string> seen = AcceptedEvents(server);
  for (const std::string& name : EventNames(StagedRecords())) seen.push_back(name);
  EXPECT_EQ(seen, (std::vector<std::string>{"VlEventClick", "AppCrashed"}));

  // The process carries on with a new tracker, which sends what is left.
  createTracker(tracking_testing::TestConfig());
  currentTracker()->trackClick(Click("after"), m_None);
  releaseTracker();
  EXPECT_EQ(AcceptedEvents(server), (std::vector<std::string>{"VlEventClick", "AppCrashed", "VlEventClick"}));
  EXPECT_TRUE(StagedRecords().empty());
}
