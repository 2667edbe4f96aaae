#include "utils/temp_folder.h"

#include <windows.h>

#include <cwchar>

#include "utils/path_probes.h"
#include "utils/utils_constants.h"

namespace Utils {

int GetInstallerTempFolder(wchar_t (&folder)[260]) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH, path);
  if (length == 0 || length >= MAX_PATH) return 1;
  const size_t nameLength = sizeof(kInstallerTempFolderName) / sizeof(wchar_t) - 1;
  if (length + nameLength >= MAX_PATH) return 1;
  std::wmemcpy(path + length, kInstallerTempFolderName, nameLength + 1);

  if (!IsExistingFolder(path) && !::CreateDirectoryW(path, nullptr)) return 1;
  std::wmemcpy(folder, path, MAX_PATH);
  return 0;
}

std::wstring GetInstallerTempFolder() {
  wchar_t folder[MAX_PATH] = {};
  return GetInstallerTempFolder(folder) == 0 ? std::wstring(folder) : std::wstring();
}

}  // namespace Utils
