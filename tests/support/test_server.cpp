#include "test_server.h"

#include <windows.h>

#include <curl/curl.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

std::wstring Widen(const std::string& text) {
  std::wstring wide;
  for (char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

std::string Quote(const std::string& arg) {
  if (arg.find_first_of(" \t\"") == std::string::npos && !arg.empty()) return arg;
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

size_t CollectBody(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

HttpReply Request(const std::string& url, const std::string* postBody, const std::string& caFile) {
  HttpReply reply;
  CURL* curl = curl_easy_init();
  if (!curl) return reply;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 30L);
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  if (!caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.c_str());
  if (postBody) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, postBody->data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(postBody->size()));
  }
  if (curl_easy_perform(curl) == CURLE_OK) {
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
  }
  curl_easy_cleanup(curl);
  return reply;
}

}  // namespace

TestServer::TestServer(const std::string& script, const std::vector<std::string>& args) {
  const std::string portFile = m_Scratch.UnixPath() + "/port";
  std::string command = Quote(HostPython()) + " " + Quote(SourceDir() + "/tests/servers/" + script) +
                        " --port-file " + Quote(portFile);
  for (const auto& arg : args) {
    command += " " + Quote(arg);
    if (arg == "--tls") m_Tls = true;
  }

  std::wstring commandLine = Widen(command);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw std::runtime_error("cannot start test server: " + command);
  }
  // Wine hands out no usable handles for a Unix child; nothing to wait on.
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);

  const std::wstring portPath = UnixToWindowsPath(portFile);
  for (int waited = 0; waited < 20000; waited += 20) {
    std::ifstream in(portPath.c_str());
    if (in >> m_Port && m_Port > 0) return;
    Sleep(20);
  }
  throw std::runtime_error("test server did not publish its port: " + command);
}

TestServer::~TestServer() { Get("/__control/shutdown"); }

std::string TestServer::BaseUrl() const {
  return (m_Tls ? "https://localhost:" : "http://127.0.0.1:") + std::to_string(m_Port);
}

std::string TestServer::CaFile() const {
  return m_Tls ? "Z:" + m_Scratch.UnixPath() + "/server-ca.pem" : std::string();
}

HttpReply TestServer::Get(const std::string& path) const { return Request(BaseUrl() + path, nullptr, CaFile()); }

HttpReply TestServer::Post(const std::string& path, const std::string& body) const {
  return Request(BaseUrl() + path, &body, CaFile());
}

}  // namespace testing_support
