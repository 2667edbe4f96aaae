#pragma once

// The tracker's identity and its files: where the data folder is, the state
// file (a Windows initialisation file in the ANSI code page) and how a stored
// identity is reconciled with the endpoint in use. Used on the thread that
// initialises, logs in, pays or releases the tracker; no file lock.

#include <string>

namespace volen {
namespace beacon {

struct TrackerState {
  bool isLogined = false;
  std::string loginId;            // "UserId"
  std::string distinctId;         // "DistinctId"
  std::string primaryDistinctId;  // "PrimaryDistinctId"
  int vipLevel = 0;               // "UserVipLevel"
  std::string logPath;
  std::string locale;
  std::string dataFolder;  // always ends with "\"
  std::string statePath;
  std::string url;  // "URL": the endpoint the identity belongs to
};

// Creates every missing folder along `path` ("/" counts as "\"); false at
// the first folder that cannot be created.
bool EnsureFolders(std::string path);

// The "VLBeaconAnalyticsIni" value of "Set.ini" in `exeFolder` with "/"
// turned into "\"; empty when there is no such file.
std::string ReadSharedStatePointer(const std::string& exeFolder);

// Data folder and state file from the shared pointer (when it names a path
// with a "\") or from `baseFolder` + "\VLLocal\" + appName + "\"; creates
// the folders.
void ResolveStatePaths(TrackerState& state, const std::string& appName, const std::string& sharedPointer,
                       const std::string& baseFolder);

// Reads the "Base" keys; a missing id becomes a new one, which is saved.
void LoadState(TrackerState& state);
// An identity stored for another endpoint (or none) is logged out and
// returns to the installation's first anonymous id; saved when changed.
void ReconcileState(TrackerState& state, const std::string& endpoint);
// Writes the six "Base" keys.
void SaveState(const TrackerState& state);
// Writes the "UninstallInfo" keys.
void SaveAppFacts(const TrackerState& state, const std::string& appStore, const std::string& appName,
                  const std::string& appVersion);

}  // namespace beacon
}  // namespace volen
