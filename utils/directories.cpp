#include "utils/directories.h"

#include <windows.h>

#include "utils/path_probes.h"

namespace Utils {
namespace {

// Existing folder: fine. Missing: create. Existing non-folder: the creation
// fails.
bool EnsureFolder(const std::wstring& path) {
  return IsExistingFolder(path) || ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

}  // namespace

bool CreateDirectories(const std::wstring& path) {
  if (path.size() > MAX_PATH) return false;
  for (size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    if (!EnsureFolder(path.substr(0, slash + 1))) return false;
  }
  if (!path.empty() && path.back() != L'\\' && !EnsureFolder(path)) return false;
  return !path.empty();
}

}  // namespace Utils
