#pragma once
// Off-screen renders of the skin's screens: the four pages of the main window
// and the five dialogs, built from the current resource archive with the
// installer's custom controls, drawn into a 32-bit bitmap and saved as PNG.
// Used by the render test and by the skin_render tool; UI thread, GDI+ must
// be running.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "uiframework/resource_archive.h"

namespace skin_screens {

struct Screen {
  std::string Name;    // PNG file name without extension
  std::wstring Layout; // layout file in the archive
  int Page;            // page of "mainTabLt", or -1 for a dialog
};

// The nine screens, main window pages first.
const std::vector<Screen>& AllScreens();

struct Rendering {
  int Width = 0;
  int Height = 0;
  std::vector<DWORD> Pixels;  // 0x00RRGGBB, top-down rows
  DWORD Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x] & 0x00FFFFFF; }
};

// Renders a screen at its layout's window size. The main window's pages are
// shown as the window shows them (page background, title-bar tab, buttons
// hidden while installing), with the animation on its first frame and the
// progress bar at 40 %; the plain message boxes get a caption and a text as
// the installer sets them. False with a reason when the layout does not build.
bool RenderScreen(const Screen& screen, Rendering& rendering, std::wstring& error);

// Writes the rendering as a PNG file (GDI+).
bool SavePng(const Rendering& rendering, const std::wstring& path);

// The skin archive embedded in an installer executable, or null.
std::shared_ptr<SkinUI::IResourceArchive> LoadInstallerArchive(const std::wstring& exePath);

}  // namespace skin_screens
