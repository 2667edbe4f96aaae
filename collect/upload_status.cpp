#include "collect/upload_status.h"

#include <mutex>

namespace beacon_analytics {

namespace {

std::mutex& StatusLock() {
  static std::mutex lock;
  return lock;
}

bool g_LastSendOk = false;

}  // namespace

bool lastSendOk() {
  std::lock_guard<std::mutex> hold(StatusLock());
  return g_LastSendOk;
}

void SetLastSendOk(bool ok) {
  std::lock_guard<std::mutex> hold(StatusLock());
  g_LastSendOk = ok;
}

}  // namespace beacon_analytics
