#pragma once

#include <string>

namespace beacon_analytics {

// Sends one batch text ("[" + records + "]"); true when it was accepted.
// Called by the record store on the flushing thread with no queue lock held.
class BatchSender {
 public:
  virtual ~BatchSender() = default;
  virtual bool Send(const std::string& batch) = 0;
};

// Posts a batch, compressed and encoded as the form field "data_list", to the
// collection server URL given at start-up, with a 3-second time-out. Every
// attempt that reaches the network updates lastSendOk().
class Uploader : public BatchSender {
 public:
  explicit Uploader(std::string serverUrl);

  // Trusted certificates in place of the system store (tests with their own
  // certificate authority use it; the product does not).
  void SetCaFile(std::string caFile) { m_CaFile = std::move(caFile); }

  bool Send(const std::string& batch) override;

 private:
  std::string m_ServerUrl;
  std::string m_CaFile;
};

}  // namespace beacon_analytics
