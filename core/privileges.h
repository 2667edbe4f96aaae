#pragma once

// Privilege and session questions. They never throw: any failure is "no".
// Any thread.

#include <string>

namespace Utils {

// Is the caller's token a member of BUILTIN\Administrators? Under user
// account control, true only in an elevated process.
bool IsRunningAsAdmin();

// Does the local account database give `accountName` administrator
// privilege? An unknown or empty name gives false.
bool IsUserAccountAdmin(const std::wstring& accountName);

// The user name of the active console session; false (and `userName`
// unchanged) when it cannot be read.
bool GetActiveSessionUserName(std::wstring& userName);

}  // namespace Utils
