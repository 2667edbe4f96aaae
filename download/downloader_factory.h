#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "download/downloader.h"

// Builds the downloader that a DownloadType setting selects (see
// downloader_selection.h) for one package URL and destination path.
std::unique_ptr<CDownloader> CreateDownloader(int32_t downloadType, DownloadCallback callback,
                                              const std::wstring& url, const std::wstring& filePath);
