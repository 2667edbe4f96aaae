#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "callback_report.h"
#include "download/download_codes.h"
#include "download/downloader.h"

// Collects a downloader's callbacks like the pipeline receives them: on the
// downloader's threads, answering DL_CODE_RETRY by calling Start again from
// inside the callback. Progress reports are kept apart, since how many come
// depends on timing.
class DownloadRecorder {
 public:
  DownloadCallback Callback() {
    return [this](int32_t code, double value, const wchar_t* text) { OnReport(code, value, text); };
  }

  // Called with DL_CODE_RETRY, on the downloader's worker.
  std::function<void()> m_OnRetry;

  // Waits until a terminal code (success or failure) arrived; false on timeout.
  bool WaitForEnd(std::chrono::seconds limit = std::chrono::seconds(60)) {
    std::unique_lock<std::mutex> hold(m_Lock);
    return m_Changed.wait_for(hold, limit, [this] { return m_Ended; });
  }

  // Waits until the first progress report arrived; false after 5 seconds.
  bool WaitForProgress() {
    std::unique_lock<std::mutex> hold(m_Lock);
    return m_Changed.wait_for(hold, std::chrono::seconds(5), [this] { return !m_Progress.empty(); });
  }

  // True when nothing at all (progress included) is reported during `span`.
  bool StaysQuietFor(std::chrono::milliseconds span) {
    const size_t before = Count();
    std::this_thread::sleep_for(span);
    return Count() == before;
  }

  std::vector<Report> Reports() {
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Reports;
  }
  std::vector<double> Progress() {
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Progress;
  }
  std::vector<DWORD> ReportingThreads() {
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Threads;
  }

 private:
  void OnReport(int32_t code, double value, const wchar_t* text) {
    {
      std::lock_guard<std::mutex> hold(m_Lock);
      m_Threads.push_back(GetCurrentThreadId());
      if (code == DL_CODE_PROGRESS) {
        m_Progress.push_back(value);
      } else {
        m_Reports.push_back({code, value, text ? text : L"(null)"});
      }
      if (code == DL_CODE_SUCCESS || code == DL_CODE_FAIL) m_Ended = true;
    }
    if (code == DL_CODE_RETRY && m_OnRetry) m_OnRetry();
    m_Changed.notify_all();
  }

  size_t Count() {
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Reports.size() + m_Progress.size();
  }

  std::mutex m_Lock;
  std::condition_variable m_Changed;
  std::vector<Report> m_Reports;
  std::vector<double> m_Progress;
  std::vector<DWORD> m_Threads;
  bool m_Ended = false;
};
