#include "tracking/tracker_environment.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "tracking/system_facts.h"
#include "tracking/tracking_constants.h"

namespace volen {
namespace beacon {

namespace {

// Frees an item-id list from the shell.
struct ScopedIdList {
  LPITEMIDLIST list = nullptr;
  ~ScopedIdList() {
    if (list) ::CoTaskMemFree(list);
  }
};

// Local application data from Windows 7 on, the common documents before;
// shortened to its 8.3 form. Empty on any failure.
std::string SystemBaseFolder() {
  const KernelVersion version = ReadKernelVersion();
  const bool sevenOrLater = version.major > 6 || (version.major == 6 && version.minor >= 1);
  ScopedIdList ids;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, sevenOrLater ? CSIDL_LOCAL_APPDATA : CSIDL_COMMON_DOCUMENTS,
                                          &ids.list)) ||
      !ids.list)
    return std::string();
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(ids.list, path)) return std::string();
  char shortPath[MAX_PATH] = {};
  const DWORD length = ::GetShortPathNameA(path, shortPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return shortPath;
}

std::string SystemExeFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string folder(path, length);
  const size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

TrackerEnvironment& Current() {
  static TrackerEnvironment environment = SystemTrackerEnvironment();
  return environment;
}

}  // namespace

TrackerEnvironment SystemTrackerEnvironment() {
  TrackerEnvironment environment;
  environment.baseFolder = &SystemBaseFolder;
  environment.exeFolder = &SystemExeFolder;
  environment.createGuid = [](_GUID* guid) -> long { return ::CoCreateGuid(guid); };
  environment.defaultServerUrl = texts::kDefaultServerUrl;
  return environment;
}

const TrackerEnvironment& CurrentTrackerEnvironment() { return Current(); }

ScopedTrackerEnvironment::ScopedTrackerEnvironment(TrackerEnvironment environment) : m_Previous(Current()) {
  Current() = std::move(environment);
}

ScopedTrackerEnvironment::~ScopedTrackerEnvironment() { Current() = std::move(m_Previous); }

}  // namespace beacon
}  // namespace volen
