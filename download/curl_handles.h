#pragma once

#include <windows.h>

#include <curl/curl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "utils/text_convert.h"

// Move-only owners for libcurl handles (only these call the cleanup
// functions) and the other libcurl pieces both downloaders use.
struct CurlEasyCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct CurlSlistCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using UniqueCurl = std::unique_ptr<CURL, CurlEasyCleanup>;
using UniqueCurlSlist = std::unique_ptr<curl_slist, CurlSlistCleanup>;

// Appends to a header list owned by `list`; false when libcurl is out of memory
// (the list is then unchanged).
inline bool AppendHeader(UniqueCurlSlist& list, const char* header) {
  curl_slist* grown = curl_slist_append(list.get(), header);
  if (!grown) return false;
  list.release();
  list.reset(grown);
  return true;
}

// libcurl's text for a result, for the log. Own results (negative) have no
// libcurl text; curl_easy_strerror names them unknown.
inline std::wstring CurlErrorText(int32_t code) {
  return Utils::MultiByteToWide(curl_easy_strerror(static_cast<CURLcode>(code)), CP_ACP);
}

// Write function of requests whose body nobody reads (probes).
inline size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }
