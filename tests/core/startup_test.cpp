#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <psapi.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/child_process.h"
#include "core/core_constants.h"
#include "core/crash_filter.h"
#include "core/named_mutex.h"
#include "core/scoped_handle.h"
#include "core/startup.h"
#include "test_paths.h"
#include "utils/text_convert.h"

namespace {

using testing_support::ScratchDir;
using testing_support::UnixToWindowsPath;

std::wstring CopyInto(const ScratchDir& folder, const char* unixSource, const std::wstring& name) {
  const std::wstring target = folder.WindowsPath() + L"\\" + name;
  EXPECT_TRUE(::CopyFileW(UnixToWindowsPath(unixSource).c_str(), target.c_str(), FALSE)) << unixSource;
  return target;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  auto* target = reinterpret_cast<std::pair<DWORD, bool>*>(param);
  if (pid == target->first) target->second = true;
  return TRUE;
}

bool ProcessHasWindow(DWORD pid) {
  std::pair<DWORD, bool> target(pid, false);
  ::EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&target));
  return target.second;
}

// The text of an OUTPUT_DEBUG_STRING_EVENT, read from the debuggee.
std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
  const size_t units = info.nDebugStringLength;
  if (info.fUnicode) {
    std::wstring text(units, L'\0');
    SIZE_T read = 0;
    ::ReadProcessMemory(process, info.lpDebugStringData, &text[0], units * sizeof(wchar_t), &read);
    text.resize(read / sizeof(wchar_t));
    return text.c_str();
  }
  std::string text(units, '\0');
  SIZE_T read = 0;
  ::ReadProcessMemory(process, info.lpDebugStringData, &text[0], units, &read);
  text.resize(read);
  return Utils::MultiByteToWide(text.c_str(), CP_ACP);
}

// Runs `exe` with this test as its debugger. At the program's first
// debugger-output line -- start-up writes it right after taking the
// single-instance lock -- the program is frozen while `atFirstLine` runs
// with its process handle and the line. Returns the program's exit code.
DWORD RunUnderDebugger(const std::wstring& exe, const std::function<void(HANDLE, const std::wstring&)>& atFirstLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr,
                        &startup, &info)) {
    ADD_FAILURE() << "cannot start the installer";
    return 12345;
  }
  DWORD exitCode = 12345;
  bool sawLine = false;
  for (bool running = true; running;) {
    DEBUG_EVENT event = {};
    if (!::WaitForDebugEvent(&event, 30000)) {
      ADD_FAILURE() << "the installer stopped reporting";
      ::TerminateProcess(info.hProcess, 1);
      break;
    }
    DWORD continueStatus = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile) ::CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile) ::CloseHandle(event.u.LoadDll.hFile);
        break;
      case EXCEPTION_DEBUG_EVENT:
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
          continueStatus = DBG_EXCEPTION_NOT_HANDLED;
        }
        break;
      case OUTPUT_DEBUG_STRING_EVENT:
        if (!sawLine) {
          sawLine = true;
          atFirstLine(info.hProcess, ReadDebugString(info.hProcess, event.u.DebugString));
        }
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        if (event.dwProcessId == info.dwProcessId) {
          exitCode = event.u.ExitProcess.dwExitCode;
          running = false;
        }
        break;
      default:
        break;
    }
    ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
  }
  ::WaitForSingleObject(info.hProcess, 30000);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  EXPECT_TRUE(sawLine) << "the installer wrote no debugger output";
  return exitCode;
}

TEST(Startup, SecondCopyExitsMinusOneWhileTheFirstRuns) {
  ScratchDir scratch;
  const std::wstring exe = CopyInto(scratch, TOVREL_INSTALLER_EXE, L"TovrelRezuvOvozuzaveSetup.exe");
  std::wstring lockedLine;
  const DWORD firstExitCode = RunUnderDebugger(exe, [&](HANDLE first, const std::wstring& line) {
    lockedLine = line;
    // The first copy is stopped here, holding the lock.
    Utils::ChildProcess second;
    ASSERT_NO_THROW(second.Start(L"\"" + exe + L"\""));
    DWORD secondExitCode = 0;
    ASSERT_TRUE(second.WaitForExit(secondExitCode));
    EXPECT_EQ(secondExitCode, static_cast<DWORD>(-1));
    EXPECT_FALSE(ProcessHasWindow(second.ProcessId()));
    EXPECT_EQ(::WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first copy keeps running";
  });
  EXPECT_EQ(firstExitCode, 0u);
  // That line is a diagnostic line in the installer's format.
  const std::wregex shape(
      LR"(<P\d{5,}><T\d{5,}><\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}>\(RunInstaller\)<\d{4,}>: libcurl/.*\r\n)");
  EXPECT_TRUE(std::regex_match(lockedLine, shape)) << Utils::WideToMultiByte(lockedLine, CP_UTF8);
}

// What a main window sees of the start-up around it.
struct StepObservations {
  int made = 0;
  int ran = 0;
  int destroyed = 0;
  bool lockHeldDuringRun = false;
  bool crashFilterInstalled = false;
  HINSTANCE instance = nullptr;
};
StepObservations g_Step;

class ObservingStep : public MainWindowStep {
 public:
  ~ObservingStep() override { ++g_Step.destroyed; }
  void Run(HINSTANCE instance) override {
    ++g_Step.ran;
    g_Step.instance = instance;
    Utils::NamedMutex probe(Core::kSingleInstanceName);
    probe.Acquire();
    g_Step.lockHeldDuringRun = !probe.IsHeld();
    const LPTOP_LEVEL_EXCEPTION_FILTER current = ::SetUnhandledExceptionFilter(nullptr);
    g_Step.crashFilterInstalled = current == &CrashFilter;
    ::SetUnhandledExceptionFilter(current);
  }
};

std::unique_ptr<MainWindowStep> MakeObservingStep() {
  ++g_Step.made;
  return std::make_unique<ObservingStep>();
}

TEST(Startup, RunInstaller_RunsTheWindowStepUnderTheLockAndReleasesIt) {
  const LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = ::SetUnhandledExceptionFilter(nullptr);
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  g_Step = StepObservations();
  EXPECT_EQ(RunInstaller(instance, &MakeObservingStep), 0);
  EXPECT_EQ(g_Step.made, 1);
  EXPECT_EQ(g_Step.ran, 1);
  EXPECT_EQ(g_Step.destroyed, 1) << "the window is destroyed before start-up returns";
  EXPECT_EQ(g_Step.instance, instance);
  EXPECT_TRUE(g_Step.lockHeldDuringRun);
  EXPECT_TRUE(g_Step.crashFilterInstalled);
  EXPECT_EQ(CrashFilter(nullptr), EXCEPTION_CONTINUE_SEARCH);

  Utils::NamedMutex afterwards(Core::kSingleInstanceName);
  afterwards.Acquire();
  EXPECT_TRUE(afterwards.IsHeld()) << "the lock is released at shutdown";

  // While someone else holds the lock: -1 and no window at all.
  g_Step = StepObservations();
  EXPECT_EQ(RunInstaller(instance, &MakeObservingStep), -1);
  EXPECT_EQ(g_Step.made, 0);
  ::SetUnhandledExceptionFilter(previousFilter);
}

TEST(Startup, ExitsMinusOneWhenTheLockIsHeldAndZeroOtherwise) {
  ScratchDir scratch;
  const std::wstring exe = CopyInto(scratch, TOVREL_INSTALLER_EXE, L"setup.exe");
  const std::wstring lockName = std::wstring(Core::kNamedMutexPrefix) + Core::kSingleInstanceName;
  DWORD exitCode = 0;
  {
    // Released on every path, so a failure here cannot make later tests'
    // installers find the lock taken.
    struct HeldMutex {
      Utils::ScopedHandle Handle;
      ~HeldMutex() {
        if (Handle) ::ReleaseMutex(Handle.Get());
      }
    } held{Utils::ScopedHandle(::CreateMutexW(nullptr, TRUE, lockName.c_str()))};
    ASSERT_TRUE(held.Handle);
    Utils::ChildProcess installer;
    installer.Start(L"\"" + exe + L"\" -downloadtype=3");
    ASSERT_TRUE(installer.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
  }
  Utils::ChildProcess installer;
  installer.Start(L"\"" + exe + L"\" -downloadtype=3");
  ASSERT_TRUE(installer.WaitForExit(exitCode));
  EXPECT_EQ(exitCode, 0u);
}

// Wine prefers its built-in system libraries; "native first" for the given
// programs makes it search the way Windows does, so a library beside the
// program would be found. Set per program name, removed afterwards.
class NativeFirstOverrides {
 public:
  NativeFirstOverrides(std::initializer_list<const wchar_t*> programs, const std::vector<std::wstring>& libraries) {
    for (const wchar_t* program : programs) {
      const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + program;
      m_Keys.push_back(key);
      for (const auto& library : libraries) {
        const std::wstring name = library.substr(0, library.size() - 4);  // without ".dll"
        ::RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\DllOverrides").c_str(), name.c_str(), REG_SZ,
                          L"native,builtin", sizeof(L"native,builtin"));
      }
    }
  }
  ~NativeFirstOverrides() {
    for (const auto& key : m_Keys) ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  }

 private:
  std::vector<std::wstring> m_Keys;
};

std::string RunAndRead(const std::wstring& commandLine, DWORD& exitCode) {
  Utils::ChildProcess child;
  child.Start(commandLine);
  std::string output;
  char buffer[512];
  DWORD read = 0;
  while (::ReadFile(child.OutputReadEnd(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    output.append(buffer, read);
  }
  child.WaitForExit(exitCode);
  return output;
}

TEST(Startup, HardenDllSearchPath_LaterLoadsByNameFindTheSystemLibrary) {
  const std::vector<std::wstring> libraries = {L"version.dll", L"dwmapi.dll", L"msimg32.dll", L"WindowsCodecs.dll"};
  NativeFirstOverrides nativeFirst({L"tovrel_dll_probe.exe"}, libraries);
  for (const auto& library : libraries) {
    const std::string name = Utils::WideToMultiByte(library, CP_UTF8);
    ScratchDir scratch;
    CopyInto(scratch, TOVREL_MARKER_DLL, library);  // the marker names its mark after its own file
    const std::wstring mark = scratch.WindowsPath() + L"\\" + library + L".loaded";
    const std::wstring probe = CopyInto(scratch, TOVREL_DLL_PROBE, L"tovrel_dll_probe.exe");
    DWORD exitCode = 1;

    // Without hardening a load by name picks the planted library: the threat is real here.
    std::string loaded = RunAndRead(L"\"" + probe + L"\" plain " + library, exitCode);
    EXPECT_TRUE(FileExists(mark)) << name << " not picked up without hardening: " << loaded;
    ::DeleteFileW(mark.c_str());

    loaded = RunAndRead(L"\"" + probe + L"\" harden " + library, exitCode);
    EXPECT_EQ(exitCode, 0u) << name;
    EXPECT_FALSE(FileExists(mark)) << name << ": " << loaded;
    EXPECT_EQ(loaded.find(Utils::WideToMultiByte(scratch.WindowsPath(), CP_UTF8)), std::string::npos) << loaded;
  }
}

TEST(Startup, InstallerDoesNotLoadSystemNamedLibrariesBesideIt) {
  // Every preloaded name except two that the loader resolves before any
  // installer code runs: ws2_32.dll is imported by the executable (a known
  // DLL on Windows, always taken from the system folder there) and Wine's own
  // user32 imports version.dll (Windows' user32 does not).
  const std::vector<std::wstring> libraries = {L"sxs.dll",     L"dwmapi.dll",  L"msimg32.dll",
                                               L"d3d8.dll",    L"ieframe.dll", L"ws2help.dll",
                                               L"WindowsCodecs.dll"};
  NativeFirstOverrides nativeFirst({L"tovrel_setup_dll_test.exe"}, libraries);
  ScratchDir scratch;
  for (const auto& library : libraries) CopyInto(scratch, TOVREL_MARKER_DLL, library);
  const std::wstring installer = CopyInto(scratch, TOVREL_INSTALLER_EXE, L"tovrel_setup_dll_test.exe");
  wchar_t systemFolder[MAX_PATH] = {};
  ::GetSystemDirectoryW(systemFolder, MAX_PATH);
  const DWORD exitCode = RunUnderDebugger(installer, [&](HANDLE process, const std::wstring&) {
    // Start-up has run its hardening by now: the system copies are loaded,
    // so later loads by name get them.
    HMODULE modules[512];
    DWORD bytes = 0;
    ASSERT_TRUE(::EnumProcessModules(process, modules, sizeof(modules), &bytes));
    std::vector<std::wstring> paths;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
      wchar_t path[MAX_PATH] = {};
      ::GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
      paths.push_back(path);
    }
    for (const wchar_t* library : {L"sxs.dll", L"dwmapi.dll", L"msimg32.dll", L"d3d8.dll", L"WindowsCodecs.dll"}) {
      const std::wstring expected = std::wstring(systemFolder) + L"\\" + library;
      bool found = false;
      for (const auto& path : paths) found = found || ::lstrcmpiW(path.c_str(), expected.c_str()) == 0;
      EXPECT_TRUE(found) << Utils::WideToMultiByte(expected, CP_UTF8) << " is not loaded";
    }
  });
  EXPECT_EQ(exitCode, 0u);
  for (const auto& library : libraries) {
    EXPECT_FALSE(FileExists(scratch.WindowsPath() + L"\\" + library + L".loaded"))
        << Utils::WideToMultiByte(library, CP_UTF8);
  }
}

}  // namespace
