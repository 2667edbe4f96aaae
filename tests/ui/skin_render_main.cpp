// skin_render: writes PNG renders of every screen of the skin (the four pages
// of the main window and the five dialogs) from the archive embedded in an
// installer executable, so that the skin can be looked at without running an
// installation. Run by tools/skin/render-skin.sh.
//   skin_render.exe <installer.exe> <output folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "skin_screens.h"
#include "uiframework/gdi_handles.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fwprintf(stderr, L"usage: skin_render <installer.exe> <output folder>\n");
    return 2;
  }
  SkinUI::GdiplusSession gdiplus;
  auto archive = skin_screens::LoadInstallerArchive(argv[1]);
  if (!gdiplus.Ok() || !archive) {
    std::fwprintf(stderr, L"no readable skin archive in %ls\n", argv[1]);
    return 1;
  }
  SkinUI::SetResourceArchive(archive);
  const std::wstring folder = argv[2];
  ::CreateDirectoryW(folder.c_str(), nullptr);
  int failures = 0;
  for (const skin_screens::Screen& screen : skin_screens::AllScreens()) {
    const std::wstring file = folder + L"\\" + std::wstring(screen.Name.begin(), screen.Name.end()) + L".png";
    skin_screens::Rendering rendering;
    std::wstring error;
    if (!skin_screens::RenderScreen(screen, rendering, error) || !skin_screens::SavePng(rendering, file)) {
      std::fwprintf(stderr, L"%ls: failed %ls\n", file.c_str(), error.c_str());
      ++failures;
      continue;
    }
    std::fwprintf(stdout, L"%ls\n", file.c_str());
  }
  SkinUI::SetResourceArchive(nullptr);
  return failures == 0 ? 0 : 1;
}
