#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "callback_report.h"
#include "download/downloader.h"

// Collects the reports of a runner or of the pipeline, from whatever thread
// they come, and lets the test wait for a given code.
class ReportRecorder {
 public:
  DownloadCallback Callback() {
    return [this](int32_t code, double value, const wchar_t* text) {
      {
        std::lock_guard<std::mutex> hold(m_Lock);
        m_Reports.push_back({code, value, text ? text : L"(null)"});
      }
      if (m_OnReport) m_OnReport(code);
      m_Changed.notify_all();
    };
  }

  // Called after each report is stored, on the reporting thread.
  std::function<void(int32_t code)> m_OnReport;

  // Waits until one of `codes` has arrived `times` times in total.
  bool WaitFor(std::vector<int32_t> codes, size_t times = 1,
               std::chrono::seconds limit = std::chrono::seconds(60)) {
    std::unique_lock<std::mutex> hold(m_Lock);
    return m_Changed.wait_for(hold, limit, [&] {
      size_t seen = 0;
      for (const auto& report : m_Reports) {
        for (int32_t code : codes) seen += report.code == code;
      }
      return seen >= times;
    });
  }

  std::vector<Report> Reports() {
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Reports;
  }
  std::vector<int32_t> Codes() {
    std::vector<int32_t> codes;
    for (const auto& report : Reports()) codes.push_back(report.code);
    return codes;
  }
  void Clear() {
    std::lock_guard<std::mutex> hold(m_Lock);
    m_Reports.clear();
  }

 private:
  std::mutex m_Lock;
  std::condition_variable m_Changed;
  std::vector<Report> m_Reports;
};
