#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "download/curl_handles.h"

struct PartFileCloser {
  void operator()(FILE* file) const { fclose(file); }
};
using UniquePartFile = std::unique_ptr<FILE, PartFileCloser>;

// One byte range of the multi-part downloader and the file it is written to.
// Owned by the downloader's part list; its own part thread is the only one
// that writes it while it downloads, the progress callback of either part
// thread reads `downloaded`.
struct DownloadPartNode {
  UniquePartFile file;      // open (appending) while the part downloads
  int32_t writePos = 0;     // package offset of the next byte still missing
  int32_t endPos = -1;      // package offset of the part's last byte
  UniqueCurl curl;          // reused by every attempt of the part
  std::string url;          // the final URL of the package
  std::wstring partPath;    // "<destination>_<index>"
  // -1 to be downloaded, 0 complete, -2 the part file could not be opened,
  // else the libcurl result of the last attempt.
  int32_t state = -1;
  std::atomic<int64_t> downloaded{0};  // bytes of the part on disk
  bool responseChecked = false;        // first block of the attempt seen
};
