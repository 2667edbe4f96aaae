#pragma once

#include <windows.h>

// The process's unhandled-exception filter: reports the crash through the
// tracking calls, then lets the system's default handling end the process
// (EXCEPTION_CONTINUE_SEARCH). Runs on the faulting thread; cleans nothing up.
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* exception);
