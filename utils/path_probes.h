#pragma once

// Whether a path names an existing file or folder. An empty path, a missing
// one and one that cannot be queried all give false. Any thread; never throw.

#include <string>

namespace Utils {

bool IsExistingFile(const std::wstring& path);
bool IsExistingFolder(const std::wstring& path);

}  // namespace Utils
