#include "install/child_output_reader.h"

bool ChildOutputReader::Read(std::string& bytes) {
  for (;;) {
    DWORD available = 0;
    // Fails once every writer has closed its end.
    if (!::PeekNamedPipe(m_Pipe, nullptr, 0, nullptr, &available, nullptr)) return false;
    if (available > 0) {
      // Returns at once with what is there (at most kReadSize bytes).
      char buffer[kReadSize];
      DWORD read = 0;
      if (!::ReadFile(m_Pipe, buffer, kReadSize, &read, nullptr)) return false;
      if (read == 0) continue;
      bytes.assign(buffer, read);
      return true;
    }
    if (m_ChildEnded) return false;
    // A blocking read would also wait for whatever inherited the pipe from
    // the child; waiting on the child itself, with a look at the pipe now
    // and then, ends with the child. A failed wait counts as the end.
    m_ChildEnded = ::WaitForSingleObject(m_Process, kPollMilliseconds) != WAIT_TIMEOUT;
  }
}
