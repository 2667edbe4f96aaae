#include "collect/record_store.h"

#include <algorithm>
#include <exception>

#include "collect/diagnostics.h"
#include "collect/protocol.h"
#include "collect/staging_file.h"

namespace beacon_analytics {

RecordStore::RecordStore(std::string stagingPath, std::unique_ptr<BatchSender> uploader)
    : m_StagingPath(std::move(stagingPath)), m_Capacity(protocol::kQueueCapacity), m_Uploader(std::move(uploader)) {}

void RecordStore::Add(std::string record) {
  std::lock_guard<std::mutex> hold(m_QueueLock);
  m_Queue.push_back(std::move(record));
  while (m_Queue.size() > static_cast<size_t>(m_Capacity)) m_Queue.pop_front();
}

void RecordStore::Load() {
  std::lock_guard<std::mutex> hold(m_QueueLock);
  LoadLocked();
}

void RecordStore::LoadLocked() {
  if (!m_NeedLoad) return;
  const int64_t room = static_cast<int64_t>(m_Capacity) - static_cast<int64_t>(m_Queue.size());
  if (room > 0) {
    std::deque<std::string> fromFile = staging_file::ReadLastRecords(m_StagingPath, static_cast<size_t>(room));
    m_Queue.insert(m_Queue.begin(), fromFile.begin(), fromFile.end());
  }
  staging_file::WriteRecords(m_StagingPath, {});
  m_NeedLoad = false;
}

void RecordStore::Save() {
  std::lock_guard<std::mutex> hold(m_QueueLock);
  staging_file::WriteRecords(m_StagingPath, m_Queue);
}

void RecordStore::PutBack(const std::deque<std::string>& batch) {
  std::lock_guard<std::mutex> hold(m_QueueLock);
  const int64_t room = static_cast<int64_t>(m_Capacity) - static_cast<int64_t>(m_Queue.size());
  if (room <= 0) return;
  // When records arrived meanwhile and not all fit, the batch's oldest go.
  const size_t keep = std::min(static_cast<size_t>(room), batch.size());
  m_Queue.insert(m_Queue.begin(), batch.end() - static_cast<std::ptrdiff_t>(keep), batch.end());
}

bool RecordStore::FlushBatch() {
  Load();
  std::lock_guard<std::mutex> flushing(m_FlushLock);
  return FlushBatchLocked();
}

bool RecordStore::FlushBatchLocked() {
  std::deque<std::string> batch;
  {
    std::lock_guard<std::mutex> hold(m_QueueLock);
    if (m_Closed) return false;
    const size_t count = std::min(m_Queue.size(), protocol::kBatchSize);
    if (count == 0) return true;
    batch.assign(m_Queue.begin(), m_Queue.begin() + static_cast<std::ptrdiff_t>(count));
    m_Queue.erase(m_Queue.begin(), m_Queue.begin() + static_cast<std::ptrdiff_t>(count));
  }
  bool ok = false;
  try {
    std::string text = "[";
    for (size_t i = 0; i < batch.size(); ++i) {
      if (i > 0) text += ',';
      text += batch[i];
    }
    text += ']';
    ok = m_Uploader->Send(text);
  } catch (const std::exception& e) {
    diagnostics::WriteErrorLine(std::string("Exception when flush failed: (") + e.what() + ") ");
    ok = false;
  }
  if (!ok) PutBack(batch);
  return ok;
}

bool RecordStore::FlushAll() {
  Load();
  // The emptiness check waits for another thread's batch on the wire: an
  // empty queue means nothing is staged only once that batch has been
  // accepted, and a refused one is back in front to be sent here.
  std::lock_guard<std::mutex> flushing(m_FlushLock);
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(m_QueueLock);
      if (m_Closed) return false;
      if (m_Queue.empty()) return true;
    }
    if (!FlushBatchLocked()) return false;
  }
}

void RecordStore::Close() {
  std::lock_guard<std::mutex> flushing(m_FlushLock);
  std::lock_guard<std::mutex> hold(m_QueueLock);
  LoadLocked();
  staging_file::WriteRecords(m_StagingPath, m_Queue);
  m_Closed = true;
}

std::deque<std::string> RecordStore::StagedRecords() const {
  std::lock_guard<std::mutex> hold(m_QueueLock);
  return m_Queue;
}

}  // namespace beacon_analytics
