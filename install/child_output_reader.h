#pragma once

// Reads a child's standard output in pieces of at most 1024 bytes for the
// runners. While the child runs, each read waits for output or the child's
// end. Once the child has ended, only what is already in the pipe is read:
// a verdict written just before the end is not lost, and a process that
// inherited the pipe from the child cannot hold the runner after the child
// is gone. Used on the runner's thread only.

#include <windows.h>

#include <string>

#include "core/child_process.h"

class ChildOutputReader {
 public:
  static constexpr DWORD kReadSize = 1024;
  // How long a read with nothing to read waits on the child before it looks
  // at the pipe again.
  static constexpr DWORD kPollMilliseconds = 50;

  explicit ChildOutputReader(const Utils::ChildProcess& child)
      : m_Pipe(child.OutputReadEnd()), m_Process(child.ProcessHandle()) {}

  // The bytes of the next read; false once the output has ended.
  bool Read(std::string& bytes);

 private:
  HANDLE m_Pipe;
  HANDLE m_Process;
  bool m_ChildEnded = false;
};
