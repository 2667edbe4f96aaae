#pragma once

#include <windows.h>

namespace Utils {

// Dispatches the calling thread's messages for about 100 ms so that a window
// can repaint before the thread goes on. True when the time ran out; false
// when `window` (if given) stopped being a window or a quit message came (it
// is posted again, with its exit code, for the outer loop). Must run on the
// thread that owns `window`.
bool PumpMessages(HWND window);

}  // namespace Utils
