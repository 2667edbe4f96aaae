#include "core/thread.h"

#include <process.h>

#include "core/debug_log.h"
#include "utils/text_convert.h"

namespace Utils {
namespace {

constexpr DWORD kSetThreadNameException = 0x406D1388;

// Runs after any debugger and after every handler that was added in front of
// it, so a debugger still sees the announcement first.
LONG CALLBACK SwallowThreadNameException(EXCEPTION_POINTERS* info) {
  if (info && info->ExceptionRecord && info->ExceptionRecord->ExceptionCode == kSetThreadNameException) {
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

#pragma pack(push, 8)
struct ThreadNameInfo {
  DWORD Type;        // 0x1000
  LPCSTR Name;
  DWORD ThreadId;
  DWORD Flags;       // 0
};
#pragma pack(pop)

}  // namespace

std::string ThreadDebugName(const std::wstring& name, DWORD threadId) {
  if (name.empty()) return "t" + std::to_string(threadId);
  return WideToMultiByte(name, CP_ACP);
}

void AnnounceThreadName(DWORD threadId, const std::string& name) {
  const ThreadNameInfo info = {0x1000, name.c_str(), threadId, 0};
  PVOID handler = ::AddVectoredExceptionHandler(0, &SwallowThreadNameException);
  if (!handler) return;  // without a handler the exception would end the process
  ::RaiseException(kSetThreadNameException, 0, sizeof(info) / sizeof(ULONG_PTR),
                   reinterpret_cast<const ULONG_PTR*>(&info));
  ::RemoveVectoredExceptionHandler(handler);
}

Thread::Thread(void* argument, const std::wstring& name, Body body)
    : m_Body(std::move(body)), m_Argument(argument), m_Name(name) {
  unsigned id = 0;
  m_Handle.Reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &Thread::CallBack, this, CREATE_SUSPENDED, &id)));
  if (!m_Handle) return;
  m_ThreadId = id;
  AnnounceThreadName(m_ThreadId, ThreadDebugName(m_Name, m_ThreadId));
}

Thread::~Thread() { Join(); }

bool Thread::Start() {
  if (!m_Handle) return false;
  if (::ResumeThread(m_Handle.Get()) == static_cast<DWORD>(-1)) return false;
  m_Started = true;
  return true;
}

void Thread::Join() {
  if (!m_Handle) return;
  if (!m_Started) {
    // Waiting for a suspended thread would never end; let it run to its end
    // without the body instead.
    m_SkipBody = true;
    m_Started = ::ResumeThread(m_Handle.Get()) != static_cast<DWORD>(-1);
  }
  // From the worker itself a wait would never end: only let go of the handle.
  if (m_Started && ::GetCurrentThreadId() != m_ThreadId) ::WaitForSingleObject(m_Handle.Get(), INFINITE);
  m_Handle.Reset();
  m_ThreadId = static_cast<DWORD>(-1);
  m_Started = false;
}

unsigned __stdcall Thread::CallBack(void* self) {
  Thread* thread = static_cast<Thread*>(self);
  if (thread->m_SkipBody) return 0;
  LOG_LINE(L"Utils::Thread::CallBack", L"THREAD BEGIN\r\n");
  if (thread->m_Body) thread->m_Body(thread->m_Argument);
  // The owner may be gone once the body has returned; touch nothing of it.
  LOG_LINE(L"Utils::Thread::CallBack", L"THREAD END\r\n");
  return 0;
}

}  // namespace Utils
