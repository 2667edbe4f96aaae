#include "download/downloader_factory.h"

#include "download/curl_downloader.h"
#include "download/downloader_selection.h"

std::unique_ptr<CDownloader> CreateDownloader(int32_t downloadType, DownloadCallback callback,
                                              const std::wstring& url, const std::wstring& filePath) {
  switch (DownloaderKindFor(downloadType)) {
    case DownloaderKind::MultiPart:
    case DownloaderKind::System:
      // The multi-part and system downloaders join here as they are built;
      // until then these types download as a single stream.
    case DownloaderKind::SingleStream:
      break;
  }
  return std::make_unique<CCurlDownloader>(std::move(callback), url, filePath);
}
