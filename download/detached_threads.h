#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

// The block the owner and its counted threads share.
struct DetachedThreadCount {
  std::mutex lock;
  std::condition_variable changed;
  int running = 0;
};

// Counts the threads of one owner that nobody joins (detached helpers, and
// workers that may end after their owner's last look at them), so that the
// owner's destructor can wait until none of them can touch it any more.
//
// The count lives in a block shared with every counted thread: a thread
// leaves through its own reference, so the owner may be destroyed the moment
// the count reaches zero without pulling the lock from under that thread.
class DetachedThreads {
 public:
  using Count = std::shared_ptr<DetachedThreadCount>;

  DetachedThreads();

  // The shared count, for a thread started by other means; it calls
  // Enter before it starts and Leave with this reference as its last step.
  Count Share() const { return m_Count; }
  static void Enter(const Count& count);
  static void Leave(const Count& count);

  // Runs `body` on a new detached thread; false when none could be started.
  bool Launch(std::function<void()> body);

  // Waits until every counted thread has left.
  void WaitForNone();

 private:
  Count m_Count;
};

inline DetachedThreads::DetachedThreads() : m_Count(std::make_shared<DetachedThreadCount>()) {}

inline void DetachedThreads::Enter(const Count& count) {
  std::lock_guard<std::mutex> hold(count->lock);
  ++count->running;
}

inline void DetachedThreads::Leave(const Count& count) {
  std::lock_guard<std::mutex> hold(count->lock);
  --count->running;
  count->changed.notify_all();
}

inline bool DetachedThreads::Launch(std::function<void()> body) {
  Count count = m_Count;
  Enter(count);
  try {
    std::thread([count, body = std::move(body)] {
      body();
      Leave(count);
    }).detach();
    return true;
  } catch (const std::system_error&) {
    Leave(count);
    return false;
  }
}

inline void DetachedThreads::WaitForNone() {
  std::unique_lock<std::mutex> hold(m_Count->lock);
  m_Count->changed.wait(hold, [this] { return m_Count->running <= 0; });
}
