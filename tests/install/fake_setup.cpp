// A scripted stand-in for the product's package and for the previous
// version's uninstaller, run for real by the installation tests (never
// shipped). Its role comes from its command line: "_?=<folder>" (last)
// makes it the uninstaller, "/D=<folder>" (last) or any other "/S" run the
// package; without "/S" it is the installed product and just exits.
//
// The script is a UTF-8 text file named by the environment variable
// TOVREL_FAKE_PACKAGE_SCRIPT or TOVREL_FAKE_UNINSTALLER_SCRIPT (by role),
// else "<this program>.script" beside it, else a built-in default that
// behaves like a real package or uninstaller. One directive per line:
//   record <file>          append the command line (UTF-8) and a line feed
//   chunk <bytes> [<ms>]   later output goes out in writes of at most
//                          <bytes> (0: whole), with a pause after each
//   out <text>             write <text>; escapes \n \r \t \\ \xHH
//   line <text>            the same followed by a line feed
//   sleep <ms>
//   file <name> [<text>]   create a file in the target folder
//   copyself <name>        copy this program into the target folder
//   delete <name>          delete a file of the target folder
//   exit <code>            end now with <code> (default at the end: 0)
//   spawn <ms> <pid file>  leave behind a copy of this program that holds
//                          every inherited handle (the output pipe too) for
//                          <ms> and then exits; its process id goes to
//                          <pid file> as decimal text
// "${TARGET}" in a text or name stands for the target folder (put in after
// the escapes are read, so its backslashes stay). Lines
// starting with "#" are comments.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], size);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], size, nullptr, nullptr);
  return utf8;
}

enum class Role { Package, Uninstaller, Product };

struct Invocation {
  Role role = Role::Product;
  std::wstring target;  // the folder after "/D=" or "_?=", possibly empty
};

Invocation ReadCommandLine(const std::wstring& commandLine) {
  Invocation invocation;
  const size_t uninstall = commandLine.rfind(L" _?=");
  const size_t folder = commandLine.rfind(L" /D=");
  if (uninstall != std::wstring::npos) {
    invocation.role = Role::Uninstaller;
    invocation.target = commandLine.substr(uninstall + 4);
  } else if (commandLine.find(L" /S") != std::wstring::npos) {
    invocation.role = Role::Package;
    if (folder != std::wstring::npos) invocation.target = commandLine.substr(folder + 4);
  }
  return invocation;
}

std::wstring OwnPath() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof(path) / sizeof(path[0])));
  return path;
}

const char kDefaultPackageScript[] =
    "line Progress=0.1\nsleep 300\nline Progress=0.4\nsleep 300\n"
    "copyself TovrelRezuvOvozuzave.exe\ncopyself uninst.ep\n"
    "line Progress=0.8\nsleep 300\n"
    "line InstPath=${TARGET}\nline ExePath=${TARGET}\\\\TovrelRezuvOvozuzave.exe\n"
    "line UninstEp=${TARGET}\\\\uninst.ep\nline Progress=1\nline State=Success\n";
const char kDefaultUninstallerScript[] =
    "line Progress=0.5\nsleep 300\ndelete TovrelRezuvOvozuzave.exe\nline Progress=1\nline State=Success\n";

std::string LoadScript(Role role) {
  const wchar_t* variable =
      role == Role::Uninstaller ? L"TOVREL_FAKE_UNINSTALLER_SCRIPT" : L"TOVREL_FAKE_PACKAGE_SCRIPT";
  wchar_t named[MAX_PATH * 4] = {};
  std::wstring path;
  if (GetEnvironmentVariableW(variable, named, static_cast<DWORD>(sizeof(named) / sizeof(named[0]))) > 0) {
    path = named;
  } else {
    path = OwnPath() + L".script";
  }
  std::ifstream file(path.c_str(), std::ios::binary);
  if (file) {
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  return role == Role::Uninstaller ? kDefaultUninstallerScript : kDefaultPackageScript;
}

// The process `spawn` leaves behind: "<this program>" -linger=<ms>.
constexpr wchar_t kLingerSwitch[] = L" -linger=";

void SpawnLingering(const std::string& arguments) {
  std::istringstream words(arguments);
  unsigned long milliseconds = 0;
  std::string pidFile;
  words >> milliseconds;
  std::getline(words >> std::ws, pidFile);
  std::wstring commandLine = L"\"" + OwnPath() + L"\"" + kLingerSwitch + std::to_wstring(milliseconds);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return;
  std::ofstream(Widen(pidFile).c_str(), std::ios::binary) << info.dwProcessId;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

std::string Unescape(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      bytes.push_back(text[i]);
      continue;
    }
    const char next = text[++i];
    if (next == 'n') bytes.push_back('\n');
    else if (next == 'r') bytes.push_back('\r');
    else if (next == 't') bytes.push_back('\t');
    else if (next == 'x' && i + 2 < text.size()) {
      bytes.push_back(static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16)));
      i += 2;
    } else bytes.push_back(next);
  }
  return bytes;
}

std::string Substitute(std::string text, const std::string& target) {
  const std::string marker = "${TARGET}";
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + target.size())) {
    text.replace(at, marker.size(), target);
  }
  return text;
}

class Output {
 public:
  void SetChunking(size_t size, DWORD pause) {
    m_ChunkSize = size;
    m_Pause = pause;
  }
  void Write(const std::string& bytes) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    size_t offset = 0;
    while (offset < bytes.size()) {
      const size_t piece = m_ChunkSize == 0 ? bytes.size() - offset : std::min(m_ChunkSize, bytes.size() - offset);
      DWORD written = 0;
      if (!WriteFile(out, bytes.data() + offset, static_cast<DWORD>(piece), &written, nullptr)) return;
      offset += piece;
      if (m_Pause) Sleep(m_Pause);
    }
  }

 private:
  size_t m_ChunkSize = 0;
  DWORD m_Pause = 0;
};

std::wstring InTarget(const std::wstring& target, const std::string& name) {
  return (target.empty() ? std::wstring(L".") : target) + L"\\" + Widen(name);
}

}  // namespace

int main() {
  const std::wstring commandLine = GetCommandLineW();
  const size_t linger = commandLine.find(kLingerSwitch);
  if (linger != std::wstring::npos) {
    Sleep(static_cast<DWORD>(std::wcstoul(commandLine.c_str() + linger + std::wcslen(kLingerSwitch), nullptr, 10)));
    return 0;
  }
  const Invocation invocation = ReadCommandLine(commandLine);
  if (invocation.role == Role::Product) return 0;
  const std::string target = Narrow(invocation.target);

  Output output;
  std::istringstream script(LoadScript(invocation.role));
  std::string directive;
  while (std::getline(script, directive)) {
    if (!directive.empty() && directive.back() == '\r') directive.pop_back();
    if (directive.empty() || directive[0] == '#') continue;
    const size_t space = directive.find(' ');
    const std::string verb = directive.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : directive.substr(space + 1);
    if (verb == "record") {
      std::ofstream file(Widen(rest).c_str(), std::ios::binary | std::ios::app);
      file << Narrow(commandLine) << "\n";
    } else if (verb == "chunk") {
      std::istringstream numbers(rest);
      size_t size = 0;
      DWORD pause = 0;
      numbers >> size >> pause;
      output.SetChunking(size, pause);
    } else if (verb == "out") {
      output.Write(Substitute(Unescape(rest), target));
    } else if (verb == "line") {
      output.Write(Substitute(Unescape(rest), target) + "\n");
    } else if (verb == "sleep") {
      Sleep(static_cast<DWORD>(std::strtoul(rest.c_str(), nullptr, 10)));
    } else if (verb == "file") {
      const size_t split = rest.find(' ');
      CreateDirectoryW(InTarget(invocation.target, "").c_str(), nullptr);
      std::ofstream file(InTarget(invocation.target, Substitute(rest.substr(0, split), target)).c_str(),
                         std::ios::binary);
      if (split != std::string::npos) file << Substitute(Unescape(rest.substr(split + 1)), target);
    } else if (verb == "copyself") {
      CreateDirectoryW(InTarget(invocation.target, "").c_str(), nullptr);
      CopyFileW(OwnPath().c_str(), InTarget(invocation.target, Substitute(rest, target)).c_str(), FALSE);
    } else if (verb == "delete") {
      DeleteFileW(InTarget(invocation.target, Substitute(rest, target)).c_str());
    } else if (verb == "spawn") {
      SpawnLingering(rest);
    } else if (verb == "exit") {
      return std::atoi(rest.c_str());
    }
  }
  return 0;
}
