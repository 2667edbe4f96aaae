#pragma once

// Joins the bytes of successive pipe reads into whole lines, so that a line
// (or a multi-byte character) split between two reads is parsed once, whole.
// Pure; used by one runner thread at a time.

#include <cstddef>
#include <string>

class OutputLineAssembler {
 public:
  // A line that grows past this many bytes without a line feed is handed
  // out as it is, so a program that never ends its line cannot make the
  // installer hold its output without limit.
  static constexpr size_t kMaxPendingLine = 64 * 1024;

  // Adds the bytes of one read, up to their first zero byte.
  void Append(const char* data, size_t size);

  // The next complete line, without its line feed (a carriage return before
  // it stays). False when no complete line is waiting.
  bool NextLine(std::string& line);

  // The unfinished last line, once the output has ended. False when nothing
  // is left.
  bool TakeRest(std::string& line);

 private:
  std::string m_Pending;
  size_t m_Scanned = 0;  // bytes of m_Pending known to hold no line feed
};
