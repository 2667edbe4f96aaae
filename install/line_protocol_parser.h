#pragma once

// Common ground of the two line protocols (the package's and the previous
// uninstaller's): lines split at line feeds, each handled by the first key
// it starts with, reports through a DownloadCallback, and the code page in
// which the program writes. Runs on the runner's thread (or a test's).

#include <cstdint>
#include <string>

#include "download/downloader.h"
#include "install/output_lines.h"

class LineProtocolParser {
 public:
  explicit LineProtocolParser(DownloadCallback callback) : m_Callback(std::move(callback)) {}
  virtual ~LineProtocolParser() = default;
  LineProtocolParser(const LineProtocolParser&) = delete;
  LineProtocolParser& operator=(const LineProtocolParser&) = delete;

  // Handles every line of `text` (split at line feeds); returns the last
  // verdict (kVerdictSuccess, kVerdictFailure) or kVerdictNone.
  int32_t Parse(const std::wstring& text);

  // One line without its line feed; returns its verdict or kVerdictNone.
  virtual int32_t ParseLine(const std::wstring& line) = 0;

  // Code page of the program's output: 0 (ANSI) until an "Encode=" line.
  uint32_t CodePage() const { return m_CodePage; }

  // Feeds the bytes of one read: each line completed by them is decoded in
  // the code page in force when it is reached (an "Encode=" line applies to
  // the lines after it) and parsed. Returns the last verdict of those lines.
  int32_t Feed(OutputLineAssembler& lines, const char* data, size_t size);
  // Parses the unfinished last line once the output has ended.
  int32_t Finish(OutputLineAssembler& lines);

 protected:
  void Report(int32_t code, double value, const wchar_t* text) const {
    if (m_Callback) m_Callback(code, value, text);
  }

  uint32_t m_CodePage = 0;

 private:
  int32_t ParseBytes(const std::string& bytes);

  DownloadCallback m_Callback;
};
