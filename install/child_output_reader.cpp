#include "install/child_output_reader.h"

bool ChildOutputReader::Read(std::string& bytes) {
  for (;;) {
    if (m_ChildEnded) {
      DWORD available = 0;
      if (!::PeekNamedPipe(m_Pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return false;
    }
    char buffer[kReadSize];
    DWORD read = 0;
    const BOOL ok = ::ReadFile(m_Pipe, buffer, kReadSize, &read, nullptr);
    if (!m_ChildEnded) {
      DWORD exitCode = 0;
      m_ChildEnded = ::GetExitCodeProcess(m_Process, &exitCode) && exitCode != STILL_ACTIVE;
    }
    if (!ok) return false;  // every writer has closed its end
    if (read == 0) continue;
    bytes.assign(buffer, read);
    return true;
  }
}
