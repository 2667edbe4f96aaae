#pragma once

#include <string>
#include <vector>

#include "test_paths.h"

namespace testing_support {

struct HttpReply {
  long status = 0;   // 0 when the request did not complete
  std::string body;
};

// One loopback server from tests/servers, started for the lifetime of this
// object. Under Wine the server is a Unix child process: it publishes its
// port through a file and is stopped through its control route (a server
// whose test died stops itself after its idle timeout).
class TestServer {
 public:
  TestServer(const std::string& script, const std::vector<std::string>& args = {});
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  int Port() const { return m_Port; }
  // "http://127.0.0.1:<port>", or "https://localhost:<port>" for a server
  // started with --tls (its certificate names localhost).
  std::string BaseUrl() const;
  // The server's own folder (port file, certificates it made).
  const ScratchDir& Folder() const { return m_Scratch; }
  // For a --tls server: the Windows path of its certificate, else empty.
  std::string CaFile() const;

  HttpReply Get(const std::string& path) const;
  HttpReply Post(const std::string& path, const std::string& body) const;

 private:
  ScratchDir m_Scratch;
  int m_Port = 0;
  bool m_Tls = false;
};

}  // namespace testing_support
