#include "test_paths.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace testing_support {

std::wstring UnixToWindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

std::string SourceDir() { return TOVREL_SOURCE_DIR; }
std::string BinaryDir() { return TOVREL_BINARY_DIR; }
std::string HostPython() { return TOVREL_HOST_PYTHON; }

namespace {

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = dir + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  CreateDirectoryW(L"Z:\\tmp\\tovrel-tests", nullptr);
  m_UnixPath = "/tmp/tovrel-tests/" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount64()) + "-" + std::to_string(counter++);
  if (!CreateDirectoryW(WindowsPath().c_str(), nullptr)) {
    throw std::runtime_error("cannot create scratch folder " + m_UnixPath);
  }
}

ScratchDir::~ScratchDir() { RemoveTree(WindowsPath()); }

}  // namespace testing_support
