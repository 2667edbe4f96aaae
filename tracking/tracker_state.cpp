#include "tracking/tracker_state.h"

#include <windows.h>

#include <algorithm>

#include "tracking/distinct_id.h"
#include "tracking/tracker_environment.h"
#include "tracking/tracking_constants.h"

namespace volen {
namespace beacon {

namespace {

bool PathExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Slashes(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// Values are read into 128 bytes, as the files of other tools of the product
// expect.
std::string ReadValue(const std::string& file, const char* section, const char* key) {
  char value[128] = {};
  ::GetPrivateProfileStringA(section, key, "", value, sizeof(value), file.c_str());
  return value;
}

void WriteValue(const std::string& file, const char* section, const char* key, const std::string& value) {
  ::WritePrivateProfileStringA(section, key, value.c_str(), file.c_str());
}

}  // namespace

bool EnsureFolders(std::string path) {
  if (PathExists(path)) return true;
  path = Slashes(path);
  if (path.empty() || path.back() != '\\') path += '\\';
  for (size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (prefix.empty() || prefix.back() == ':' || PathExists(prefix)) continue;
    if (!::CreateDirectoryA(prefix.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return true;
}

std::string ReadSharedStatePointer(const std::string& exeFolder) {
  const std::string file = exeFolder + "\\" + texts::kSharedPointerFile;
  if (!PathExists(file)) return std::string();
  return Slashes(ReadValue(file, texts::kSharedPointerSection, texts::kSharedPointerKey));
}

void ResolveStatePaths(TrackerState& state, const std::string& appName, const std::string& sharedPointer,
                       const std::string& baseFolder) {
  const size_t lastSlash = sharedPointer.find_last_of('\\');
  if (!sharedPointer.empty() && lastSlash != std::string::npos) {
    state.statePath = sharedPointer;
    state.dataFolder = sharedPointer.substr(0, lastSlash) + "\\";
    if (!PathExists(state.dataFolder)) {
      ::CreateDirectoryA(state.dataFolder.c_str(), nullptr);
      EnsureFolders(state.dataFolder);
    }
    return;
  }
  state.dataFolder = baseFolder + texts::kLocalFolder;
  if (!PathExists(state.dataFolder)) EnsureFolders(state.dataFolder);
  state.dataFolder += appName + "\\";
  if (!PathExists(state.dataFolder)) EnsureFolders(state.dataFolder);
  state.statePath = state.dataFolder + appName + "_" + texts::kStateFileSuffix;
}

void LoadState(TrackerState& state) {
  state.loginId.clear();
  state.distinctId.clear();
  state.primaryDistinctId.clear();
  state.url.clear();
  state.isLogined = false;
  const std::string& file = state.statePath;
  if (PathExists(file)) {
    state.distinctId = ReadValue(file, texts::kSectionBase, texts::kKeyDistinctId);
    state.primaryDistinctId = ReadValue(file, texts::kSectionBase, texts::kKeyPrimaryDistinctId);
    if (state.primaryDistinctId.empty()) state.primaryDistinctId = state.distinctId;
    state.loginId = ReadValue(file, texts::kSectionBase, texts::kKeyUserId);
    state.vipLevel =
        static_cast<int>(::GetPrivateProfileIntA(texts::kSectionBase, texts::kKeyUserVipLevel, 0, file.c_str()));
    state.isLogined = ReadValue(file, texts::kSectionBase, texts::kKeyIsLogined) == texts::kLoggedIn;
    state.url = ReadValue(file, texts::kSectionBase, texts::kKeyUrl);
  }
  if (state.distinctId.empty()) {
    state.distinctId = NewDistinctId(CurrentTrackerEnvironment().createGuid);
    SaveState(state);
  }
}

void ReconcileState(TrackerState& state, const std::string& endpoint) {
  if (state.url == endpoint && !state.distinctId.empty()) return;
  state.loginId.clear();
  state.isLogined = false;
  if (state.primaryDistinctId.empty()) {
    state.primaryDistinctId = NewDistinctId(CurrentTrackerEnvironment().createGuid);
    state.distinctId = state.primaryDistinctId;
  } else {
    state.distinctId = state.primaryDistinctId;
  }
  state.url = endpoint;
  SaveState(state);
}

void SaveState(const TrackerState& state) {
  const std::string& file = state.statePath;
  WriteValue(file, texts::kSectionBase, texts::kKeyDistinctId, state.distinctId);
  WriteValue(file, texts::kSectionBase, texts::kKeyPrimaryDistinctId, state.primaryDistinctId);
  WriteValue(file, texts::kSectionBase, texts::kKeyUserId, state.loginId);
  WriteValue(file, texts::kSectionBase, texts::kKeyUserVipLevel, std::to_string(state.vipLevel));
  WriteValue(file, texts::kSectionBase, texts::kKeyUrl, state.url);
  WriteValue(file, texts::kSectionBase, texts::kKeyIsLogined,
             state.isLogined ? texts::kLoggedIn : texts::kLoggedOut);
}

void SaveAppFacts(const TrackerState& state, const std::string& appStore, const std::string& appName,
                  const std::string& appVersion) {
  WriteValue(state.statePath, texts::kSectionUninstall, texts::kKeyAppStore, appStore);
  WriteValue(state.statePath, texts::kSectionUninstall, texts::kKeyAppName, appName);
  WriteValue(state.statePath, texts::kSectionUninstall, texts::kKeyAppVersion, appVersion);
}

}  // namespace beacon
}  // namespace volen
