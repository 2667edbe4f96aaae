#include "utils/path_probes.h"

#include <windows.h>

namespace Utils {
namespace {

// INVALID_FILE_ATTRIBUTES when the path is empty or cannot be queried.
DWORD AttributesOf(const std::wstring& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path.c_str());
}

}  // namespace

bool IsExistingFile(const std::wstring& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::wstring& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace Utils
