#pragma once

#include <string>

// Reports a length probe that got no usable HTTP status to usage tracking
// (task "下载失败原因", reason "1.获取文件大小的状态码为=<status>；", A/B "IN").
// Called on the downloader's worker.
void ReportLengthProbeStatus(long status);

// The reason text for a status, as it is sent.
std::wstring LengthProbeReason(long status);

// Tests observe the reports through this hook instead of the tracker.
using LengthProbeReporter = void (*)(const std::wstring& reason);
void SetLengthProbeReporterForTesting(LengthProbeReporter reporter);
