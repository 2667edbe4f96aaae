#include "core/hard_disk_manager.h"

#include <windows.h>

#include "core/debug_log.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::wstring& path) {
  ULARGE_INTEGER available = {}, total = {}, totalFree = {};
  if (!::GetDiskFreeSpaceExW(path.c_str(), &available, &total, &totalFree)) {
    LOG_LINE(L"Utils::HardDiskManager::CheckFreeSpace", L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n",
             static_cast<long>(::GetLastError()));
    return false;
  }
  m_AvailableBytes = available.QuadPart;
  m_TotalBytes = total.QuadPart;
  m_TotalFreeBytes = totalFree.QuadPart;
  return true;
}

}  // namespace Utils
