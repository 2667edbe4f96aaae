#include "core/crash_filter.h"

#include "core/installer_tracking.h"

LONG WINAPI CrashFilter(EXCEPTION_POINTERS*) {
  TrackTaskEvent(L"崩溃退出", L"", 0.0f, {{L"AB", L"IN"}});
  TrackCrashEvent();
  return EXCEPTION_CONTINUE_SEARCH;
}
