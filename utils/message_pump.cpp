#include "utils/message_pump.h"

#include <mmsystem.h>

namespace Utils {

bool PumpMessages(HWND window) {
  constexpr DWORD kPumpMilliseconds = 100;
  const DWORD start = ::timeGetTime();
  for (;;) {
    if (window && !::IsWindow(window)) return false;
    const DWORD elapsed = ::timeGetTime() - start;
    if (elapsed > kPumpMilliseconds) return true;
    // Wait for a message at most until the time is up: an idle thread must
    // not keep the caller waiting for a message that never comes.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, kPumpMilliseconds + 1 - elapsed, QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return false;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
      if (window && !::IsWindow(window)) return false;
      if (::timeGetTime() - start > kPumpMilliseconds) return true;
    }
  }
}

}  // namespace Utils
