// The installer's Windows GUI entry point.
#include <windows.h>

#include <curl/curl.h>

#include <string>

#include "core/library_versions.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const bool curlReady = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
  const std::wstring line = L"[TovrelInstaller] " + LibraryVersions() + L"\n";
  OutputDebugStringW(line.c_str());
  if (curlReady) curl_global_cleanup();
  return 0;
}
