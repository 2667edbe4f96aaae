#pragma once

// Fixed names and texts of the application core.

namespace Core {

// Registry key of the installation record, under HKEY_CURRENT_USER.
constexpr wchar_t kProductRegistryKey[] = L"Software\\VolenSoft\\Tovrel Rezuv Ovozuzave";

// Single-instance lock: kernel object name = prefix + base name, in the
// session namespace (no "Global\"), so it holds within one logon session.
constexpr wchar_t kNamedMutexPrefix[] = L"D1A547DB89C0BC61_";
constexpr wchar_t kSingleInstanceName[] = L"Installer_Tovrel Rezuv Ovozuzave";

// Debugger names of the worker threads.
constexpr wchar_t kUninstallerThreadName[] = L"UnInstaller";
constexpr wchar_t kWorkerThreadName[] = L"ABDEF";

// Exit codes of the installer process.
constexpr int kExitOk = 0;
constexpr int kExitAlreadyRunning = -1;

}  // namespace Core
