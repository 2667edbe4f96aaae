#pragma once

// Diagnostic lines for the installer's developers, written to the debugger
// output. There is no log file, no level and no buffering: when nobody
// listens, the lines are lost.
//
// Every line is LogLinePrefix followed by the writer's own message, joined
// into one format string, and formatted in one DebugLog call:
//
//   LOG_LINE(L"CDownloadInstaller::Start", L"DL_TYPE=%d\r\n", type);
//
// Arguments (paths, URLs) are always passed as arguments, never spliced into
// the format, so a "%" in them is printed as it is. Any thread may log at any
// time; each call yields one debugger string, so lines never interleave.

// Process id, thread id, local date and time, tag, source line. The widths are
// minimums: a thread id above 99999 keeps all its digits. Formats follow the
// msvcrt wide-printf conventions: "%s" takes a wide string, "%S" a byte
// string, "%I64d" a 64-bit integer.
#define LogLinePrefix L"<P%05d><T%05d><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: "

// The values for LogLinePrefix's placeholders, taken once per line.
struct LogLineStamp {
  int ProcessId;
  int ThreadId;
  int Year, Month, Day;
  int Hour, Minute, Second, Milliseconds;
};
LogLineStamp CurrentLogLineStamp();

// printf-style with a wide format and wide arguments. Formatting errors or an
// allocation failure drop the line silently.
void DebugLog(const wchar_t* format, ...);

// Where formatted lines go. The default sink is OutputDebugStringW; tests
// install their own to read the lines. The sink must be callable from any
// thread. Returns the previous sink. Passing nullptr restores the default.
using DebugLogSink = void (*)(const wchar_t* line);
DebugLogSink SetDebugLogSink(DebugLogSink sink);

// One log line under `tag` (a wide literal such as L"Utils::Thread::CallBack")
// with a wide literal message format and its arguments.
#define LOG_LINE(tag, format, ...)                                                        \
  do {                                                                                    \
    const LogLineStamp logStamp_ = CurrentLogLineStamp();                                 \
    DebugLog(LogLinePrefix format, logStamp_.ProcessId, logStamp_.ThreadId, logStamp_.Year, \
             logStamp_.Month, logStamp_.Day, logStamp_.Hour, logStamp_.Minute,            \
             logStamp_.Second, logStamp_.Milliseconds, static_cast<const wchar_t*>(tag),  \
             static_cast<int>(__LINE__), ##__VA_ARGS__);                                   \
  } while (0)
