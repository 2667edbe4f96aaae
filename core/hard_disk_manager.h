#pragma once

// Free-space probe for the folder the user chose. Synchronous; any thread.

#include <cstdint>
#include <string>

namespace Utils {

class HardDiskManager {
 public:
  virtual ~HardDiskManager() = default;

  // Fills the three counters for the volume of `path` (a folder or a drive).
  // On failure logs the system error and leaves the counters as they were.
  bool CheckFreeSpace(const std::wstring& path);

  std::uint64_t AvailableBytes() const { return m_AvailableBytes; }  // to this caller (quotas)
  std::uint64_t TotalBytes() const { return m_TotalBytes; }
  std::uint64_t TotalFreeBytes() const { return m_TotalFreeBytes; }

 private:
  std::uint64_t m_AvailableBytes = 0;
  std::uint64_t m_TotalBytes = 0;
  std::uint64_t m_TotalFreeBytes = 0;
};

}  // namespace Utils
