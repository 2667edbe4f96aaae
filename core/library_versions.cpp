#include "core/library_versions.h"

#include <curl/curl.h>
#include <json/version.h>
#include <pugixml.hpp>
#include <zlib.h>

extern "C" {
#include <lzma/7zVersion.h>
}

#include <sstream>

std::wstring LibraryVersions() {
  const curl_version_info_data* curl = curl_version_info(CURLVERSION_NOW);
  std::wostringstream text;
  text << L"libcurl/" << (curl ? curl->version : "?") << L" zlib/" << zlibVersion()
       << L" jsoncpp/" << JSONCPP_VERSION_STRING << L" pugixml/" << PUGIXML_VERSION / 1000
       << L"." << PUGIXML_VERSION % 1000 / 10 << L" 7z/" << MY_VERSION_NUMBERS;
  return text.str();
}
