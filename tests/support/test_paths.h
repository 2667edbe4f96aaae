#pragma once

#include <string>

// Paths of the checkout and the build tree as the tests see them. The build
// passes them in as Unix paths; Wine maps the Unix root to drive Z:.
namespace testing_support {

// "/a/b" -> "Z:\a\b" (for Windows APIs).
std::wstring UnixToWindowsPath(const std::string& unixPath);

std::string SourceDir();        // Unix path of the checkout
std::string BinaryDir();        // Unix path of the build tree
std::string HostPython();       // Unix path of python3 for the test servers

// A fresh, empty Unix folder under /tmp for one test, removed by its owner.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& UnixPath() const { return m_UnixPath; }
  std::wstring WindowsPath() const { return UnixToWindowsPath(m_UnixPath); }
  // Windows path of a file inside the folder.
  std::wstring File(const std::string& name) const { return UnixToWindowsPath(m_UnixPath + "/" + name); }

 private:
  std::string m_UnixPath;
};

}  // namespace testing_support
