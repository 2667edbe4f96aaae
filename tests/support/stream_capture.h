#pragma once

// Captures what the code under test writes to standard output or standard
// error (the C runtime's file descriptors, so printf and std::cerr alike).

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_support {

// The whole file as bytes; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Everything written to one file descriptor (1 or 2) while it lives.
class StreamCapture {
 public:
  explicit StreamCapture(int descriptor) : m_Descriptor(descriptor) {
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "cap", 0, name);
    m_Path = name;
    std::fflush(Stream());
    m_Saved = _dup(m_Descriptor);
    const int file = _open(m_Path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, 0600);
    _dup2(file, m_Descriptor);
    _close(file);
  }
  ~StreamCapture() {
    Restore();
    std::remove(m_Path.c_str());
  }
  StreamCapture(const StreamCapture&) = delete;
  StreamCapture& operator=(const StreamCapture&) = delete;

  // Stops capturing and returns what was written.
  std::string Text() {
    Restore();
    return ReadAll(m_Path);
  }

 private:
  FILE* Stream() const { return m_Descriptor == 1 ? stdout : stderr; }
  void Restore() {
    if (m_Saved < 0) return;
    std::fflush(Stream());
    _dup2(m_Saved, m_Descriptor);
    _close(m_Saved);
    m_Saved = -1;
  }

  int m_Descriptor;
  std::string m_Path;
  int m_Saved = -1;
};

class StdoutCapture : public StreamCapture {
 public:
  StdoutCapture() : StreamCapture(1) {}
};

class StderrCapture : public StreamCapture {
 public:
  StderrCapture() : StreamCapture(2) {}
};

}  // namespace testing_support
