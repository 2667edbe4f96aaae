#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "collect/properties_node.h"
#include "collect/record_environment.h"

namespace beacon_analytics {

class RecordStore;

// Optional start-up settings beyond the identity: where "time" and
// "_track_id" come from, and the certificates the upload trusts (empty: the
// system store). The product passes none of them.
struct SdkOptions {
  RecordEnvironment environment = SystemRecordEnvironment();
  std::string caFile;
};

// The process's event collection core: checks events and profile updates,
// turns each into one record text and stages it for upload.
//
// Every operation is static and does nothing (false where a result is
// returned) until Init has succeeded, and again after Shutdown. Record
// building and identity changes are serialised by one process-wide lock, so
// any thread may track; Flush sends without that lock (it blocks for the
// network and belongs on a delivery thread). Invalid input never throws: it
// drops the record (or the single string) and writes a line to standard
// error.
class Sdk {
 public:
  // stagingPath: file that keeps unsent records between runs (ANSI bytes);
  // serverUrl: the collection endpoint. False only when distinctId fails the
  // identity check; an existing instance is left as it is.
  static bool Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
                   bool isLoginId);
  static bool Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
                   bool isLoginId, const SdkOptions& options);

  static void Track(const std::string& eventName, const PropertiesNode& properties = PropertiesNode());
  static void TrackInstallation(const std::string& eventName, const PropertiesNode& properties);
  // Records the switch from the current identity to loginId, then makes
  // loginId the login identity, whatever became of the record.
  static void Login(const std::string& loginId);

  static void ProfileSet(const PropertiesNode& properties);
  static void ProfileSet(const std::string& name, const std::string& value);
  static void ProfileSet(const std::string& name, const char* value);
  static void ProfileSet(const std::string& name, int32_t value);
  static void ProfileSet(const std::string& name, double value);
  static void ProfileSetOnce(const PropertiesNode& properties);
  static void ProfileSetOnce(const std::string& name, const std::string& value);
  static void ProfileSetOnce(const std::string& name, const char* value);
  static void ProfileSetOnce(const std::string& name, int32_t value);
  static void ProfileSetOnce(const std::string& name, double value);
  static void ProfileIncrement(const PropertiesNode& properties);
  static void ProfileIncrement(const std::string& name, int32_t value);
  static void ProfileAppend(const std::string& name, const std::string& value);

  static void RegisterSuperProperties(const PropertiesNode& properties);
  static void ClearSuperProperties();
  // The tracking layer's identity change (for example after its own login).
  static void SetIdentity(const std::string& distinctId, bool isLoginId);

  // The common step of every record; true when a record was staged.
  static bool BuildRecord(const std::string& type, const std::string& eventName, const PropertiesNode& properties,
                          const std::string& distinctId, const std::string& originalId);

  // Uploads everything staged; true when all of it was accepted.
  static bool Flush();
  // Destroys the instance; records still staged go to the staging file.
  static void Shutdown();

  ~Sdk();

 private:
  Sdk(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId, bool isLoginId,
      const SdkOptions& options);

  static void ResetSuperProperties(PropertiesNode& superProperties);
  bool BuildRecordLocked(const std::string& type, const std::string& eventName, const PropertiesNode& properties,
                         const std::string& distinctId, const std::string& originalId);
  void ProfileLocked(const char* type, const PropertiesNode& properties);

  std::unique_ptr<PropertiesNode> m_SuperProperties;
  std::string m_DistinctId;
  bool m_IsLoginId;
  // Shared with a flush in progress, which must be able to finish after the
  // instance is gone.
  std::shared_ptr<RecordStore> m_Store;
  RecordEnvironment m_Environment;
};

}  // namespace beacon_analytics
