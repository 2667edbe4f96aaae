#pragma once

#include <cstdint>
#include <functional>

// Receives every report of a downloader (and of the package and removal
// runners): a code of download_codes.h, a value whose meaning depends on the
// code, and a text valid only during the call. Called on the reporting
// component's own threads, never on the thread that called Start.
using DownloadCallback = std::function<void(int32_t code, double value, const wchar_t* text)>;

// A downloader fetches one URL into one file and reports through its
// DownloadCallback. Start begins a run on a worker thread; after DL_CODE_RETRY
// the receiver calls Start again, possibly from inside that callback, so Start
// never waits for the thread it is called on.
class CDownloader {
 public:
  virtual ~CDownloader() = default;
  virtual void Start() = 0;

 protected:
  CDownloader() = default;
  CDownloader(const CDownloader&) = delete;
  CDownloader& operator=(const CDownloader&) = delete;
};
