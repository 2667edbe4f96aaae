#pragma once

// Keeps libraries that an attacker drops beside the installer (a downloads
// folder) from being loaded in place of system ones: system folder first,
// current folder out of the search order, and the commonly hijacked system
// libraries loaded up front by full path. Called first thing at start-up, on
// the UI thread, before anything else can load a library.

namespace Startup {

// The libraries loaded up front, in order, from the system folder.
constexpr const wchar_t* kPreloadedSystemLibraries[] = {
    L"version.dll", L"ws2_32.dll", L"sxs.dll",   L"dwmapi.dll",       L"msimg32.dll",
    L"d3d8.dll",    L"ieframe.dll", L"ws2help.dll", L"WindowsCodecs.dll",
};

}  // namespace Startup

void HardenDllSearchPath();
