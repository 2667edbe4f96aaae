#pragma once

#include <windows.h>

#include <fstream>
#include <string>

#include "test_paths.h"

// The scripted fake package / uninstaller (fake_setup.cpp) as the tests use
// it: where it is, and the script it follows while an instance of
// FakeScript lives (through the environment, which child processes inherit).
inline std::wstring FakeSetupPath() { return testing_support::UnixToWindowsPath(TOVREL_FAKE_SETUP); }

inline std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class FakeScript {
 public:
  // `variable`: TOVREL_FAKE_PACKAGE_SCRIPT or TOVREL_FAKE_UNINSTALLER_SCRIPT.
  FakeScript(const testing_support::ScratchDir& folder, const wchar_t* variable, const std::string& script,
             const std::string& name = "fake.script")
      : m_Variable(variable), m_Path(folder.File(name)) {
    std::ofstream(m_Path.c_str(), std::ios::binary) << script;
    ::SetEnvironmentVariableW(m_Variable, m_Path.c_str());
  }
  ~FakeScript() { ::SetEnvironmentVariableW(m_Variable, nullptr); }
  FakeScript(const FakeScript&) = delete;
  FakeScript& operator=(const FakeScript&) = delete;

 private:
  const wchar_t* m_Variable;
  std::wstring m_Path;
};

constexpr wchar_t kPackageScriptVariable[] = L"TOVREL_FAKE_PACKAGE_SCRIPT";
constexpr wchar_t kUninstallerScriptVariable[] = L"TOVREL_FAKE_UNINSTALLER_SCRIPT";
