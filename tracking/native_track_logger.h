#pragma once

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "tracking/track_logger.h"

namespace volen {
namespace beacon {

// The log bound to one text file (ANSI path, passed to the system as it
// is). Opening creates the file empty when it is missing and leaves an
// existing one untouched. open and close skip their work rather than wait
// when another thread is inside either.
class NativeTrackLogger : public TrackLogger {
 public:
  NativeTrackLogger() = default;
  ~NativeTrackLogger() override;
  NativeTrackLogger(const NativeTrackLogger&) = delete;
  NativeTrackLogger& operator=(const NativeTrackLogger&) = delete;

  void open(const std::string& path);
  void close();
  const std::string& path() const { return m_Path; }

  std::vector<std::string> readEntries() override;
  void clear() override;

 private:
  std::string m_Path;
  std::ofstream m_Stream;
  std::mutex m_Lock;
  int m_ReadPosition = -1;
};

}  // namespace beacon
}  // namespace volen
