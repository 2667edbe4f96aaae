#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "collect/uploader.h"

namespace beacon_analytics {

// Finished record texts waiting for upload: a bounded queue (oldest dropped
// on overflow), batches of at most 30 posted oldest first, a failed batch put
// back in front, and a staging file that carries the queue from one run to
// the next.
//
// Threads: Add from any tracking thread; flushes from delivery threads, one
// at a time. Lock order is m_FlushLock, then m_QueueLock; the network
// exchange runs under m_FlushLock only, so Add never waits for the network.
class RecordStore {
 public:
  RecordStore(std::string stagingPath, std::unique_ptr<BatchSender> uploader);
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  void Add(std::string record);
  // Sends the oldest batch; true when it was accepted or nothing was staged.
  bool FlushBatch();
  // Sends batches until the queue is empty; false at the first failure. A
  // batch another thread has on the wire counts: true only once it too was
  // accepted.
  bool FlushAll();
  // Reads the staging file in front of the queue and empties it, once per run.
  void Load();
  // Writes the queue to the staging file (the queue keeps its records).
  void Save();
  // Final step of a run: waits for a running flush, loads, saves, and
  // refuses any later flush so that saved records are not sent twice.
  void Close();

  std::deque<std::string> StagedRecords() const;

 private:
  void LoadLocked();
  // FlushBatch with m_FlushLock held by the caller.
  bool FlushBatchLocked();
  void PutBack(const std::deque<std::string>& batch);

  std::deque<std::string> m_Queue;
  mutable std::mutex m_QueueLock;
  std::mutex m_FlushLock;
  std::string m_StagingPath;
  int32_t m_Capacity;
  bool m_NeedLoad = true;
  bool m_Closed = false;
  std::unique_ptr<BatchSender> m_Uploader;
};

}  // namespace beacon_analytics
