#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "core/debug_log.h"

// Captures the diagnostic log lines written while it lives.
class LogCapture {
 public:
  LogCapture() : m_First(Size()) { m_Previous = SetDebugLogSink(&LogCapture::Sink); }
  ~LogCapture() { SetDebugLogSink(m_Previous); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Lines written so far (by any capture) that contain `fragment`.
  static size_t Count(const std::wstring& fragment) {
    std::lock_guard<std::mutex> hold(Lock());
    size_t count = 0;
    for (const auto& line : Lines()) count += line.find(fragment) != std::wstring::npos;
    return count;
  }

  // The lines written, from any thread, since this capture began.
  std::vector<std::wstring> Captured() const {
    std::lock_guard<std::mutex> hold(Lock());
    return std::vector<std::wstring>(Lines().begin() + static_cast<std::ptrdiff_t>(m_First), Lines().end());
  }

 private:
  static void Sink(const wchar_t* line) {
    std::lock_guard<std::mutex> hold(Lock());
    Lines().push_back(line);
  }
  static size_t Size() {
    std::lock_guard<std::mutex> hold(Lock());
    return Lines().size();
  }
  static std::mutex& Lock() {
    static std::mutex lock;
    return lock;
  }
  static std::vector<std::wstring>& Lines() {
    static std::vector<std::wstring> lines;
    return lines;
  }
  size_t m_First;
  DebugLogSink m_Previous;
};
