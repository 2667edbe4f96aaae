#include "install/output_lines.h"

#include <cstring>

void OutputLineAssembler::Append(const char* data, size_t size) {
  const void* zero = std::memchr(data, '\0', size);
  if (zero) size = static_cast<size_t>(static_cast<const char*>(zero) - data);
  m_Pending.append(data, size);
}

bool OutputLineAssembler::NextLine(std::string& line) {
  const size_t end = m_Pending.find('\n', m_Scanned);
  if (end == std::string::npos) {
    m_Scanned = m_Pending.size();
    if (m_Pending.size() <= kMaxPendingLine) return false;
    line.swap(m_Pending);
    m_Pending.clear();
    m_Scanned = 0;
    return true;
  }
  line.assign(m_Pending, 0, end);
  m_Pending.erase(0, end + 1);
  m_Scanned = 0;
  return true;
}

bool OutputLineAssembler::TakeRest(std::string& line) {
  if (m_Pending.empty()) return false;
  line.swap(m_Pending);
  m_Pending.clear();
  m_Scanned = 0;
  return true;
}
