#pragma once

// An anonymous pipe whose two ends are created inheritable, for a child's
// standard stream. Move-only; each end is closed by its owner.

#include <windows.h>

#include "core/scoped_handle.h"

namespace Utils {

class Pipe {
 public:
  Pipe() = default;

  // Throws Utils::Exception when the system cannot create the pipe.
  static Pipe Create();

  HANDLE WriteEnd() const { return m_WriteEnd.Get(); }
  HANDLE ReadEnd() const { return m_ReadEnd.Get(); }
  bool IsOpen() const { return m_WriteEnd.IsValid() || m_ReadEnd.IsValid(); }

  void CloseWriteEnd() { m_WriteEnd.Reset(); }
  void CloseReadEnd() { m_ReadEnd.Reset(); }
  // Closes whichever ends are open.
  void Close() {
    CloseWriteEnd();
    CloseReadEnd();
  }

 private:
  ScopedHandle m_WriteEnd;
  ScopedHandle m_ReadEnd;
};

}  // namespace Utils
