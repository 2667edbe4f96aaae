#pragma once

// A named worker thread with a start gate. The owner creates it (suspended),
// starts it, and joins it -- or lets the destructor join it -- always from the
// same thread, never from the worker itself. The body's argument lives as
// long as the owner says; the thread only passes it on.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "core/scoped_handle.h"

namespace Utils {

class Thread {
 public:
  using Body = std::function<std::uint32_t(void* argument)>;

  // Creates the thread suspended and announces its debugger name ("t" + id
  // when `name` is empty). If creation fails, Start returns false and Join
  // does nothing.
  Thread(void* argument, const std::wstring& name, Body body);
  // Waits without limit for a started thread. A thread that was never started
  // is let go without running its body.
  ~Thread();

  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  Thread(Thread&&) = delete;
  Thread& operator=(Thread&&) = delete;

  // True when the thread was resumed.
  bool Start();
  // Waits without limit, then closes the handle; id becomes all bits set. A
  // thread that was never started ends without running its body.
  void Join();

  DWORD Id() const { return m_ThreadId; }
  bool IsCreated() const { return m_Handle.IsValid(); }
  const std::wstring& Name() const { return m_Name; }

 private:
  static unsigned __stdcall CallBack(void* self);

  DWORD m_ThreadId = 0;
  ScopedHandle m_Handle;
  Body m_Body;
  void* m_Argument = nullptr;
  std::wstring m_Name;
  bool m_Started = false;
  std::atomic<bool> m_SkipBody{false};
};

// The name a debugger shows for a thread: the ANSI form of `name`, or "t"
// followed by the id when `name` is empty.
std::string ThreadDebugName(const std::wstring& name, DWORD threadId);

// The conventional debugger announcement (exception 0x406D1388), swallowed
// when no debugger takes it.
void AnnounceThreadName(DWORD threadId, const std::string& name);

}  // namespace Utils
