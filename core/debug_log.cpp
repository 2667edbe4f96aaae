#include "core/debug_log.h"

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

void DebuggerOutputSink(const wchar_t* line) { ::OutputDebugStringW(line); }

std::atomic<DebugLogSink> g_Sink{&DebuggerOutputSink};

}  // namespace

LogLineStamp CurrentLogLineStamp() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return LogLineStamp{static_cast<int>(::GetCurrentProcessId()),
                      static_cast<int>(::GetCurrentThreadId()),
                      now.wYear,
                      now.wMonth,
                      now.wDay,
                      now.wHour,
                      now.wMinute,
                      now.wSecond,
                      now.wMilliseconds};
}

DebugLogSink SetDebugLogSink(DebugLogSink sink) {
  return g_Sink.exchange(sink ? sink : &DebuggerOutputSink);
}

void DebugLog(const wchar_t* format, ...) {
  if (!format) return;
  va_list args;
  va_start(args, format);
  va_list countArgs;
  va_copy(countArgs, args);
  // The msvcrt functions are called by name: their "%s" means a wide string in
  // wide formats, which LogLinePrefix relies on.
  const int count = ::_vscwprintf(format, countArgs);
  va_end(countArgs);
  if (count < 0 || static_cast<size_t>(count) > std::numeric_limits<size_t>::max() / sizeof(wchar_t) - 2) {
    va_end(args);
    return;
  }
  const size_t capacity = static_cast<size_t>(count) + 2;
  wchar_t* buffer = static_cast<wchar_t*>(std::calloc(capacity, sizeof(wchar_t)));
  if (!buffer) {
    va_end(args);
    return;
  }
  const int written = ::_vsnwprintf(buffer, capacity - 1, format, args);
  va_end(args);
  if (written >= 0) g_Sink.load()(buffer);
  std::free(buffer);
}
