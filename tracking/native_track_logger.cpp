#include "tracking/native_track_logger.h"

#include <windows.h>

namespace volen {
namespace beacon {

NativeTrackLogger::~NativeTrackLogger() { close(); }

void NativeTrackLogger::open(const std::string& path) {
  if (path == m_Path) return;
  std::unique_lock<std::mutex> hold(m_Lock, std::try_to_lock);
  if (!hold.owns_lock()) return;
  if (m_Stream.is_open()) m_Stream.close();
  if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::ofstream create(path, std::ios::out);
  }
  m_Path = path;
}

void NativeTrackLogger::close() {
  std::unique_lock<std::mutex> hold(m_Lock, std::try_to_lock);
  if (!hold.owns_lock()) return;
  if (m_Stream.is_open()) m_Stream.close();
}

std::vector<std::string> NativeTrackLogger::readEntries() {
  std::lock_guard<std::mutex> hold(m_Lock);
  std::vector<std::string> entries;
  std::ifstream in(m_Path);
  for (std::string line; std::getline(in, line);) entries.push_back(line);
  m_ReadPosition = static_cast<int>(entries.size());
  return entries;
}

void NativeTrackLogger::clear() {
  std::lock_guard<std::mutex> hold(m_Lock);
  if (m_Stream.is_open()) m_Stream.close();
  if (!m_Path.empty()) std::ofstream truncate(m_Path, std::ios::out | std::ios::trunc);
  m_ReadPosition = -1;
}

}  // namespace beacon
}  // namespace volen
