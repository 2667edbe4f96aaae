#pragma once

#include <string>

namespace Utils {

// Creates every missing folder of a backslash-separated path, from the left.
// True when every folder of the path exists afterwards; a path longer than
// 260 characters fails before anything is created, and so does a path one of
// whose prefixes is an existing file. Any thread; never throws.
bool CreateDirectories(const std::wstring& path);

}  // namespace Utils
