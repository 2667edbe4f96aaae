// Stand-in for the installer's tracking calls until the tracking layer
// exists: every call does nothing. The tracking layer deletes this file and
// implements installer_tracking.h itself.
#include "core/installer_tracking.h"

void StartTracking() {}
void StopTracking() {}
void TrackTaskEvent(const wchar_t*, const wchar_t*, float, TrackingExtraProperties) {}
void TrackClickEvent(const wchar_t*, TrackingExtraProperties) {}
void TrackViewEvent(TrackingExtraProperties) {}
void TrackCrashEvent() {}
