#pragma once

#include <cstdint>

// Which downloader a DownloadType setting selects: 2 the system's URL
// download, 3 the multi-part libcurl downloader, anything else (the default
// 1, 0, negative numbers, ...) the single-stream libcurl downloader.
enum class DownloaderKind { SingleStream, MultiPart, System };

constexpr DownloaderKind DownloaderKindFor(int32_t downloadType) {
  return downloadType == 2 ? DownloaderKind::System
         : downloadType == 3 ? DownloaderKind::MultiPart
                             : DownloaderKind::SingleStream;
}
