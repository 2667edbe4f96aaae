#include "core/named_mutex.h"

#include "core/core_constants.h"

namespace Utils {

NamedMutex::NamedMutex(const std::wstring& baseName) : m_Name(Core::kNamedMutexPrefix + baseName) {}

void NamedMutex::Acquire() {
  if (m_Handle) return;
  const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, m_Name.c_str());
  const DWORD error = ::GetLastError();
  m_Handle.Reset(mutex);
  // Another process's object: we got a handle but not the ownership.
  if (m_Handle && error == ERROR_ALREADY_EXISTS) m_Handle.Reset();
}

void NamedMutex::Release() {
  if (!m_Handle) return;
  ::ReleaseMutex(m_Handle.Get());
  m_Handle.Reset();
}

}  // namespace Utils
