#pragma once

// A hidden child process whose standard error, output and input are
// anonymous pipes. Used by one thread at a time (the package runner and the
// previous-version removal). Every handle is owned and closed by Close or the
// destructor.

#include <windows.h>

#include <string>

#include "core/pipe.h"
#include "core/scoped_handle.h"

namespace Utils {

class ChildProcess {
 public:
  // Longest command line, terminator included.
  static constexpr size_t kCommandLineCapacity = 1024;

  ChildProcess() = default;
  ~ChildProcess() { Close(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Creates the error, output and input pipes, in that order. Throws
  // Utils::Exception.
  void CreatePipes();

  // Starts `commandLine` hidden (its first token names the program), with the
  // pipes as its standard streams; creates the pipes first when they do not
  // exist yet. Throws Utils::Exception when the command line does not fit
  // (1024 characters or more) or the process cannot be created. Afterwards
  // only the parent's ends stay open here: a read on OutputReadEnd fails
  // once the child (and whatever inherited its handles) has ended. One child
  // per object: a second Start after a successful one throws.
  void Start(const std::wstring& commandLine);

  // Closes the thread and process handles and every open pipe end. Does not
  // wait for or end the child.
  void Close();

  // Lets the child see the end of its standard input.
  void CloseInput() { m_InputPipe.CloseWriteEnd(); }

  HANDLE OutputReadEnd() const { return m_OutputPipe.ReadEnd(); }
  HANDLE ErrorReadEnd() const { return m_ErrorPipe.ReadEnd(); }
  HANDLE InputWriteEnd() const { return m_InputPipe.WriteEnd(); }
  HANDLE ProcessHandle() const { return m_Process.Get(); }
  DWORD ProcessId() const { return m_ProcessId; }
  const wchar_t* CommandLine() const { return m_CommandLine; }

  // Waits without limit for the child to end and gives its exit code; false
  // when there is no child or the code cannot be read.
  bool WaitForExit(DWORD& exitCode) const;

 private:
  wchar_t m_CommandLine[kCommandLineCapacity] = {};
  Pipe m_ErrorPipe;
  Pipe m_OutputPipe;
  Pipe m_InputPipe;
  ScopedHandle m_Process;
  ScopedHandle m_Thread;
  DWORD m_ProcessId = 0;
};

}  // namespace Utils
