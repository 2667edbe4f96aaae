#pragma once

#include <string>
#include <vector>

namespace volen {
namespace beacon {

// The tracking log. In this installer it is a presence marker: while a
// tracker has one, the wrapper reports failed tracking calls; no entries are
// written.
class TrackLogger {
 public:
  virtual ~TrackLogger() = default;
  // The entries stored so far, oldest first.
  virtual std::vector<std::string> readEntries() = 0;
  // Empties the log file.
  virtual void clear() = 0;
};

}  // namespace beacon
}  // namespace volen
