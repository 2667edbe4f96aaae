#include "collect/sdk.h"

#include <cstdlib>
#include <ctime>
#include <mutex>

#include "collect/checks.h"
#include "collect/diagnostics.h"
#include "collect/protocol.h"
#include "collect/record_store.h"
#include "collect/uploader.h"

namespace beacon_analytics {

namespace {

// Guards the instance pointer and everything record building reads.
std::mutex& SdkLock() {
  static std::mutex lock;
  return lock;
}

std::unique_ptr<Sdk>& Instance() {
  static std::unique_ptr<Sdk> instance;
  return instance;
}

}  // namespace

Sdk::Sdk(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId, bool isLoginId,
         const SdkOptions& options)
    : m_SuperProperties(std::make_unique<PropertiesNode>()),
      m_DistinctId(distinctId),
      m_IsLoginId(isLoginId),
      m_Environment(options.environment) {
  ResetSuperProperties(*m_SuperProperties);
  auto uploader = std::make_unique<Uploader>(serverUrl);
  if (!options.caFile.empty()) uploader->SetCaFile(options.caFile);
  m_Store = std::make_shared<RecordStore>(stagingPath, std::move(uploader));
  if (!m_Environment.nowMs) m_Environment.nowMs = &SystemNowMs;
  if (!m_Environment.random) m_Environment.random = &std::rand;
}

Sdk::~Sdk() = default;

void Sdk::ResetSuperProperties(PropertiesNode& superProperties) {
  superProperties = PropertiesNode();
  superProperties.SetString(protocol::kPropLib, protocol::kLibName);
  superProperties.SetString(protocol::kPropLibVersion, protocol::kLibVersion);
}

bool Sdk::Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
               bool isLoginId) {
  return Init(stagingPath, serverUrl, distinctId, isLoginId, SdkOptions());
}

bool Sdk::Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
               bool isLoginId, const SdkOptions& options) {
  if (!checks::CheckIdentity(protocol::kLabelDistinctId, distinctId)) return false;
  std::lock_guard<std::mutex> hold(SdkLock());
  if (!Instance()) {
    Instance().reset(new Sdk(stagingPath, serverUrl, distinctId, isLoginId, options));
    std::srand(static_cast<unsigned>(std::time(nullptr)));
  }
  return true;
}

void Sdk::Track(const std::string& eventName, const PropertiesNode& properties) {
  std::lock_guard<std::mutex> hold(SdkLock());
  Sdk* sdk = Instance().get();
  if (!sdk) return;
  sdk->BuildRecordLocked(protocol::kTypeTrack, eventName, properties, sdk->m_DistinctId, "");
}

void Sdk::TrackInstallation(const std::string& eventName, const PropertiesNode& properties) {
  std::lock_guard<std::mutex> hold(SdkLock());
  Sdk* sdk = Instance().get();
  if (!sdk) return;
  PropertiesNode withSource;
  withSource.SetString(protocol::kPropInstallSource, "");
  withSource.Merge(properties);
  sdk->BuildRecordLocked(protocol::kTypeTrack, eventName, withSource, sdk->m_DistinctId, "");
}

void Sdk::Login(const std::string& loginId) {
  std::lock_guard<std::mutex> hold(SdkLock());
  Sdk* sdk = Instance().get();
  if (!sdk) return;
  sdk->BuildRecordLocked(protocol::kTypeTrackSignup, protocol::kSignUpEvent, PropertiesNode(), loginId,
                         sdk->m_DistinctId);
  sdk->m_DistinctId = loginId;
  sdk->m_IsLoginId = true;
}

void Sdk::ProfileLocked(const char* type, const PropertiesNode& properties) {
  BuildRecordLocked(type, "", properties, m_DistinctId, "");
}

namespace {

// The one-name profile forms: a one-entry set built with the matching setter.
template <typename Value>
PropertiesNode OneNumber(const std::string& name, Value value) {
  PropertiesNode properties;
  properties.SetNumber(name, value);
  return properties;
}

PropertiesNode OneString(const std::string& name, const std::string& value) {
  PropertiesNode properties;
  properties.SetString(name, value);
  return properties;
}

// Runs a profile operation on the instance, if there is one.
template <typename Build>
void WithInstance(Build build) {
  std::lock_guard<std::mutex> hold(SdkLock());
  if (Sdk* sdk = Instance().get()) build(*sdk);
}

}  // namespace

void Sdk::ProfileSet(const PropertiesNode& properties) {
  WithInstance([&](Sdk& sdk) { sdk.ProfileLocked(protocol::kTypeProfileSet, properties); });
}
void Sdk::ProfileSet(const std::string& name, const std::string& value) { ProfileSet(OneString(name, value)); }
void Sdk::ProfileSet(const std::string& name, const char* value) { ProfileSet(name, std::string(value ? value : "")); }
void Sdk::ProfileSet(const std::string& name, int32_t value) { ProfileSet(OneNumber(name, value)); }
void Sdk::ProfileSet(const std::string& name, double value) { ProfileSet(OneNumber(name, value)); }

void Sdk::ProfileSetOnce(const PropertiesNode& properties) {
  WithInstance([&](Sdk& sdk) { sdk.ProfileLocked(protocol::kTypeProfileSetOnce, properties); });
}
void Sdk::ProfileSetOnce(const std::string& name, const std::string& value) { ProfileSetOnce(OneString(name, value)); }
void Sdk::ProfileSetOnce(const std::string& name, const char* value) {
  ProfileSetOnce(name, std::string(value ? value : ""));
}
void Sdk::ProfileSetOnce(const std::string& name, int32_t value) { ProfileSetOnce(OneNumber(name, value)); }
void Sdk::ProfileSetOnce(const std::string& name, double value) { ProfileSetOnce(OneNumber(name, value)); }

void Sdk::ProfileIncrement(const PropertiesNode& properties) {
  WithInstance([&](Sdk& sdk) { sdk.ProfileLocked(protocol::kTypeProfileIncrement, properties); });
}
void Sdk::ProfileIncrement(const std::string& name, int32_t value) { ProfileIncrement(OneNumber(name, value)); }

void Sdk::ProfileAppend(const std::string& name, const std::string& value) {
  PropertiesNode properties;
  properties.SetList(name, {value});
  WithInstance([&](Sdk& sdk) { sdk.ProfileLocked(protocol::kTypeProfileAppend, properties); });
}

void Sdk::RegisterSuperProperties(const PropertiesNode& properties) {
  // Checked like event properties: they end up in every event record, whose
  // keys are written unescaped and whose "$time" and "$project" are read by
  // kind.
  if (!checks::CheckProperties(properties)) return;
  WithInstance([&](Sdk& sdk) { sdk.m_SuperProperties->Merge(properties); });
}

void Sdk::ClearSuperProperties() {
  WithInstance([&](Sdk& sdk) { ResetSuperProperties(*sdk.m_SuperProperties); });
}

void Sdk::SetIdentity(const std::string& distinctId, bool isLoginId) {
  WithInstance([&](Sdk& sdk) {
    sdk.m_DistinctId = distinctId;
    sdk.m_IsLoginId = isLoginId;
  });
}

bool Sdk::BuildRecord(const std::string& type, const std::string& eventName, const PropertiesNode& properties,
                      const std::string& distinctId, const std::string& originalId) {
  std::lock_guard<std::mutex> hold(SdkLock());
  Sdk* sdk = Instance().get();
  return sdk && sdk->BuildRecordLocked(type, eventName, properties, distinctId, originalId);
}

bool Sdk::BuildRecordLocked(const std::string& type, const std::string& eventName, const PropertiesNode& properties,
                            const std::string& distinctId, const std::string& originalId) {
  if (!checks::CheckProperties(properties)) return false;
  const bool isTrack = type == protocol::kTypeTrack;
  const bool isSignup = type == protocol::kTypeTrackSignup;
  if (isTrack && !checks::CheckName(protocol::kLabelEventName, eventName)) return false;
  if (isSignup && !checks::CheckIdentity(protocol::kLabelOriginalId, originalId)) return false;

  PropertiesNode merged;
  if (type.find(protocol::kTypeTrack) != std::string::npos) merged.Merge(*m_SuperProperties);
  merged.Merge(properties);

  int64_t timeMs = 0;
  if (const PropertyValue* time = merged.Find(protocol::kPropTime)) {
    timeMs = time->AsDateTime().seconds * 1000 + time->AsDateTime().milliseconds;
    merged.Remove(protocol::kPropTime);
  } else {
    timeMs = m_Environment.nowMs();
  }
  std::string project;
  if (const PropertyValue* value = merged.Find(protocol::kPropProject)) {
    project = value->AsString();
    merged.Remove(protocol::kPropProject);
  }
  if (m_IsLoginId) merged.SetBool(protocol::kPropIsLoginId, true);

  utils::ObjectNode lib;
  lib.SetString(protocol::kPropLib, protocol::kLibName);
  lib.SetString(protocol::kPropLibVersion, protocol::kLibVersion);
  lib.SetString(protocol::kPropLibMethod, protocol::kLibMethod);

  utils::ObjectNode record;
  record.SetString(protocol::kKeyType, type);
  record.SetInt64(protocol::kKeyTime, timeMs);
  record.SetString(protocol::kKeyDistinctId, distinctId);
  record.SetObject(protocol::kKeyProperties, merged);
  record.SetObject(protocol::kKeyLib, lib);
  const int r1 = m_Environment.random();
  const int r2 = m_Environment.random();
  record.SetInt64(protocol::kKeyTrackId, MakeTrackId(r1, r2, m_Environment.nowMs()));
  if (!project.empty()) record.SetString(protocol::kKeyProject, project);
  if (isTrack || isSignup) record.SetString(protocol::kKeyEvent, eventName);
  if (isSignup) record.SetString(protocol::kKeyOriginalId, originalId);

  m_Store->Add(record.ToJson());
  return true;
}

bool Sdk::Flush() {
  std::shared_ptr<RecordStore> store;
  {
    std::lock_guard<std::mutex> hold(SdkLock());
    if (Instance()) store = Instance()->m_Store;
  }
  return store && store->FlushAll();
}

void Sdk::Shutdown() {
  std::lock_guard<std::mutex> hold(SdkLock());
  if (!Instance()) return;
  Instance()->m_Store->Close();
  Instance().reset();
}

}  // namespace beacon_analytics
