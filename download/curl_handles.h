#pragma once

#include <curl/curl.h>

#include <memory>

// Move-only owners for libcurl handles; only these call the cleanup functions.
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
