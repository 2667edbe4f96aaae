#pragma once

#include <cstdint>

// Status codes every long-running component reports through DownloadCallback.
// The numbers are shared with the pipeline and the main window and are unique
// across components.
enum : int32_t {
  DL_CODE_START = 1001,
  DL_CODE_PROGRESS = 1002,
  DL_CODE_SUCCESS = 1003,
  DL_CODE_FAIL = 1004,
  DL_CODE_RETRY = 1005,
  DL_CODE_REASON = 1006,
};

// Texts the downloaders send with their outcome codes.
namespace DownloadText {
inline constexpr const wchar_t* kLibCurl = L"LibCurl";
inline constexpr const wchar_t* kUrlDownloadToFile = L"URLDownloadToFile";
inline constexpr const wchar_t* kDigestMissing = L"curl获取url-md5失败";
inline constexpr const wchar_t* kDigestMismatch = L"curl文件md5校验失败";
// The multi-part downloader names itself in its digest reports.
inline constexpr const wchar_t* kMtDigestMissing = L"mtcurl获取url-md5失败";
inline constexpr const wchar_t* kMtDigestMismatch = L"mtcurl文件md5校验失败";
}  // namespace DownloadText

// Smallest package the libcurl downloaders accept; a shorter (or unknown)
// length means the probe did not reach the real package.
inline constexpr double kMinPackageLength = 1048576.0;
