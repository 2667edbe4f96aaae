#pragma once

#include <string>

namespace Utils {

// The user's temporary folder + "~VolenTemp.92482B06FB471E17\", created when
// missing (that one folder, not its parents) and reused when present. Returns
// 0 with the path in `folder`, 1 on failure (folder cannot be created or the
// path does not fit). Any thread; never throws.
int GetInstallerTempFolder(wchar_t (&folder)[260]);

// The same as a string; empty on failure.
std::wstring GetInstallerTempFolder();

}  // namespace Utils
