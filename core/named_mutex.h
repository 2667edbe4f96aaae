#pragma once

// A named kernel mutex held by at most one process of a logon session: the
// installer's single-instance lock. Used on one thread (start-up).

#include <windows.h>

#include <string>

#include "core/scoped_handle.h"

namespace Utils {

class NamedMutex {
 public:
  // The kernel object's name is the fixed prefix followed by `baseName`.
  explicit NamedMutex(const std::wstring& baseName);
  // Releases and closes a held lock.
  ~NamedMutex() { Release(); }
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Creates the mutex, owned by the caller, unless one is already held here.
  // When another process created it first (or creation fails) the handle
  // stays empty: IsHeld() is false.
  void Acquire();
  bool IsHeld() const { return m_Handle.IsValid(); }
  void Release();

  const std::wstring& Name() const { return m_Name; }

 private:
  std::wstring m_Name;
  ScopedHandle m_Handle;
};

}  // namespace Utils
