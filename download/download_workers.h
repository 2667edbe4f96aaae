#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "core/thread.h"
#include "download/detached_threads.h"

// The worker threads of one downloader. Each Launch runs a run on a new
// worker named "ABDEF"; the receiver of DL_CODE_RETRY calls Start again from
// inside that callback, so a worker may launch its own successor, and is
// then joined later from another thread.
//
// Every worker is counted in Threads() (with any other thread of the owner
// launched through it), so the owner's destructor can Stop and Wait: once
// Stop has been called no worker starts any more, and Wait returns only when
// none of them can touch the owner.
class DownloadWorkers {
 public:
  DownloadWorkers() = default;
  DownloadWorkers(const DownloadWorkers&) = delete;
  DownloadWorkers& operator=(const DownloadWorkers&) = delete;
  // Stops and waits, for an owner that did not.
  ~DownloadWorkers() {
    Stop();
    Wait();
  }

  // Runs `run` on a new worker; false once Stop was called or when no thread
  // could be had. Called by the owner's thread or by its own worker.
  bool Launch(void* owner, std::function<void()> run);

  void Stop() { m_Stopping = true; }
  bool Stopping() const { return m_Stopping; }
  // Waits for every counted thread, then joins the workers. Never from one of
  // them.
  void Wait();

  DetachedThreads& Threads() { return m_Threads; }

 private:
  std::atomic<bool> m_Stopping{false};
  std::unique_ptr<Utils::Thread> m_Thread;
  // Workers that launched their successor; they end right after.
  std::vector<std::unique_ptr<Utils::Thread>> m_FinishedThreads;
  DetachedThreads m_Threads;
};

inline bool DownloadWorkers::Launch(void* owner, std::function<void()> run) {
  // A caller that passes this check is a counted thread or the owner's own
  // thread: Wait cannot have begun joining yet.
  if (m_Stopping) return false;
  if (m_Thread) {
    if (m_Thread->Id() == GetCurrentThreadId()) {
      m_FinishedThreads.push_back(std::move(m_Thread));
    } else {
      m_Thread.reset();  // joins; the previous worker has ended or is ending
      m_FinishedThreads.clear();
    }
  }
  const DetachedThreads::Count count = m_Threads.Share();
  DetachedThreads::Enter(count);
  m_Thread = std::make_unique<Utils::Thread>(owner, L"ABDEF", [count, run = std::move(run)](void*) -> std::uint32_t {
    run();
    DetachedThreads::Leave(count);
    return 0;
  });
  if (m_Thread->Start()) return true;
  DetachedThreads::Leave(count);
  return false;
}

inline void DownloadWorkers::Wait() {
  m_Threads.WaitForNone();
  m_Thread.reset();
  m_FinishedThreads.clear();
}
