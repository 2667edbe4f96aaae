// Test-only program linking the real settings record: prints every field of
// InstallerConfig as it stands after static initialisation (the settings
// file beside this executable), or, with "--apply" anywhere on the command
// line, after ApplyCommandLine. One "Field=value" line each, UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/installer_config.h"
#include "utils/text_convert.h"

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::wstring(argv[i]) == L"--apply") ApplyCommandLine();
  }
  const InstallerSettings& c = InstallerConfig;
  wchar_t scale[64];
  std::swprintf(scale, 64, L"%.17g", c.DownloadScale);
  const std::wstring text = L"ProductName=" + c.ProductName + L"\nProductVersion=" + c.ProductVersion +
                            L"\nExeName=" + c.ExeName + L"\nDlAppNameSuffix=" + c.DlAppNameSuffix +
                            L"\nDlAppVersion=" + c.DlAppVersion + L"\nInstCmd=" + c.InstCmd +
                            L"\nDownloadUrl=" + c.DownloadUrl + L"\nDownloadType=" + std::to_wstring(c.DownloadType) +
                            L"\nIsCheckNet=" + (c.IsCheckNet ? L"1" : L"0") +
                            L"\nIsEnableAppBeacon=" + (c.IsEnableAppBeacon ? L"1" : L"0") +
                            L"\nDownloadScale=" + scale + L"\nCurlReady=" + (c.CurlReady ? L"1" : L"0") +
                            L"\nAbValue=" + c.AbValue + L"\nLanguageIndex=" + std::to_wstring(c.LanguageIndex) +
                            L"\n";
  const std::string utf8 = Utils::WideToMultiByte(text, CP_UTF8);
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  return 0;
}
