#include "core/child_process.h"

#include <cwchar>

#include "core/utils_exception.h"

namespace Utils {

void ChildProcess::CreatePipes() {
  m_ErrorPipe = Pipe::Create();
  m_OutputPipe = Pipe::Create();
  m_InputPipe = Pipe::Create();
}

void ChildProcess::Start(const std::wstring& commandLine) {
  if (m_Process || commandLine.size() >= kCommandLineCapacity || commandLine.find(L'\0') != std::wstring::npos) {
    throw Exception();
  }
  if (!m_ErrorPipe.IsOpen() || !m_OutputPipe.IsOpen() || !m_InputPipe.IsOpen()) CreatePipes();
  std::wmemset(m_CommandLine, 0, kCommandLineCapacity);
  std::wmemcpy(m_CommandLine, commandLine.c_str(), commandLine.size());

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = m_InputPipe.ReadEnd();
  startup.hStdOutput = m_OutputPipe.WriteEnd();
  startup.hStdError = m_ErrorPipe.WriteEnd();

  // The parent's own ends must not leak into the child, or the child would
  // hold its own output pipe open and a read would never see the end.
  ::SetHandleInformation(m_OutputPipe.ReadEnd(), HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(m_ErrorPipe.ReadEnd(), HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(m_InputPipe.WriteEnd(), HANDLE_FLAG_INHERIT, 0);

  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, m_CommandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    throw Exception();
  }
  m_Process.Reset(info.hProcess);
  m_Thread.Reset(info.hThread);
  m_ProcessId = info.dwProcessId;

  m_OutputPipe.CloseWriteEnd();
  m_ErrorPipe.CloseWriteEnd();
  m_InputPipe.CloseReadEnd();
}

void ChildProcess::Close() {
  m_Thread.Reset();
  m_Process.Reset();
  m_ErrorPipe.Close();
  m_OutputPipe.Close();
  m_InputPipe.Close();
}

bool ChildProcess::WaitForExit(DWORD& exitCode) const {
  if (!m_Process) return false;
  if (::WaitForSingleObject(m_Process.Get(), INFINITE) != WAIT_OBJECT_0) return false;
  return ::GetExitCodeProcess(m_Process.Get(), &exitCode) != FALSE;
}

}  // namespace Utils
