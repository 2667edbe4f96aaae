#pragma once

// The installer's usage-tracking calls. Every call first checks
// InstallerConfig.IsEnableAppBeacon and does nothing when tracking is off or
// no tracker exists; none of them throws. Callable from the UI thread, the
// downloader threads and the crash filter.
//
// Implemented by the tracking layer (tracking/installer_tracking.cpp), which
// only the executable links: tovrel_core calls these without depending on it.

#include <map>
#include <string>

// Extra event properties; only the key "AB" (the A/B group) is looked at.
using TrackingExtraProperties = std::map<std::wstring, std::wstring>;

// Creates the process-wide tracker from InstallerConfig (start-up, before the
// command line is applied).
void StartTracking();
// Releases the tracker, which sends what it still holds (end of the run).
void StopTracking();

void TrackTaskEvent(const wchar_t* name, const wchar_t* reason, float elapsed, TrackingExtraProperties extra);
void TrackClickEvent(const wchar_t* name, TrackingExtraProperties extra);
void TrackViewEvent(TrackingExtraProperties extra);
void TrackCrashEvent();
