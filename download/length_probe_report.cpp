#include "download/length_probe_report.h"

#include <atomic>
#include <cwchar>

#include "core/installer_tracking.h"

namespace {

void SendToTracker(const std::wstring& reason) {
  TrackTaskEvent(L"下载失败原因", reason.c_str(), 0.0f, {{L"AB", L"IN"}});
}

std::atomic<LengthProbeReporter> g_Reporter{&SendToTracker};

}  // namespace

std::wstring LengthProbeReason(long status) {
  wchar_t reason[200] = {};
  swprintf(reason, 200, L"1.获取文件大小的状态码为=%ld；", status);
  return reason;
}

void ReportLengthProbeStatus(long status) { g_Reporter.load()(LengthProbeReason(status)); }

void SetLengthProbeReporterForTesting(LengthProbeReporter reporter) {
  g_Reporter = reporter ? reporter : &SendToTracker;
}
