#include "download/downloader_factory.h"

#include "download/curl_downloader.h"
#include "download/downloader_selection.h"
#include "download/mt_curl_downloader.h"
#include "download/win_downloader.h"

std::unique_ptr<CDownloader> CreateDownloader(int32_t downloadType, DownloadCallback callback,
                                              const std::wstring& url, const std::wstring& filePath) {
  switch (DownloaderKindFor(downloadType)) {
    case DownloaderKind::MultiPart:
      return std::make_unique<CMTCurlDownloader>(std::move(callback), url, filePath);
    case DownloaderKind::System:
      return std::make_unique<CWinDownloader>(std::move(callback), url, filePath);
    case DownloaderKind::SingleStream:
      break;
  }
  return std::make_unique<CCurlDownloader>(std::move(callback), url, filePath);
}
