#pragma once

#include <cstddef>

// Fixed texts of the collection core: record keys and values, the upload
// request, and every diagnostic message. The collection server and the
// tracking layer depend on these exact bytes.
namespace beacon_analytics {
namespace protocol {

// Record types.
inline constexpr char kTypeTrack[] = "track";
inline constexpr char kTypeTrackSignup[] = "track_signup";
inline constexpr char kTypeProfileSet[] = "profile_set";
inline constexpr char kTypeProfileSetOnce[] = "profile_set_once";
inline constexpr char kTypeProfileIncrement[] = "profile_increment";
inline constexpr char kTypeProfileAppend[] = "profile_append";

// Record keys.
inline constexpr char kKeyTrackId[] = "_track_id";
inline constexpr char kKeyDistinctId[] = "distinct_id";
inline constexpr char kKeyEvent[] = "event";
inline constexpr char kKeyLib[] = "lib";
inline constexpr char kKeyOriginalId[] = "original_id";
inline constexpr char kKeyProject[] = "project";
inline constexpr char kKeyProperties[] = "properties";
inline constexpr char kKeyTime[] = "time";
inline constexpr char kKeyType[] = "type";

// Preset property keys and values.
inline constexpr char kPropLib[] = "$lib";
inline constexpr char kPropLibVersion[] = "$lib_version";
inline constexpr char kPropLibMethod[] = "$lib_method";
inline constexpr char kPropTime[] = "$time";
inline constexpr char kPropProject[] = "$project";
inline constexpr char kPropIsLoginId[] = "$is_login_id";
inline constexpr char kPropInstallSource[] = "$ios_install_source";
inline constexpr char kLibName[] = "cpp";
inline constexpr char kLibVersion[] = "0.9";
inline constexpr char kLibMethod[] = "code";
inline constexpr char kSignUpEvent[] = "$SignUp";

// Check labels and limits.
inline constexpr char kLabelDistinctId[] = "Distinct ID";
inline constexpr char kLabelOriginalId[] = "Original ID";
inline constexpr char kLabelEventName[] = "Event Name";
inline constexpr char kLabelPropertyKey[] = "Property Key";
inline constexpr size_t kMaxIdentityBytes = 255;
inline constexpr size_t kMaxNameBytes = 100;
inline constexpr size_t kMaxStringBytes = 8192;

// Staging and upload.
inline constexpr int kQueueCapacity = 1024;
inline constexpr size_t kBatchSize = 30;
inline constexpr long kUploadTimeoutSeconds = 3;
inline constexpr long kHttpOk = 200;
inline constexpr char kUserAgent[] = "BeaconAnalytics CPP SDK 0.9";
inline constexpr char kBodyPrefix[] = "data_list=";
inline constexpr char kBodySuffix[] = "&gzip=1";

// Diagnostic messages (standard error unless noted).
inline constexpr char kMsgTimeType[] = "The property '$time' should be DateTime type.";
inline constexpr char kMsgProjectType[] = "The property '$project' should be String type.";
inline constexpr char kMsgCurlInit[] = "Couldn't initialize curl handle";
inline constexpr char kMsgDeflateInit[] = "deflateInit2 failed while compressing.";
inline constexpr char kMsgSendFailed[] = "BeaconAnalytics SDK send failed: ";
inline constexpr wchar_t kDebugSendFailed[] = L"[beacon] BeaconAnalytics SDK send failed\n";

}  // namespace protocol
}  // namespace beacon_analytics
