#include "core/privileges.h"

#include <windows.h>
#include <lm.h>
#include <wtsapi32.h>

namespace Utils {

bool IsRunningAsAdmin() {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                  0, 0, 0, &administrators)) {
    return false;
  }
  BOOL isMember = FALSE;
  if (!::CheckTokenMembership(nullptr, administrators, &isMember)) isMember = FALSE;
  ::FreeSid(administrators);
  return isMember != FALSE;
}

bool IsUserAccountAdmin(const std::wstring& accountName) {
  if (accountName.empty()) return false;
  LPBYTE buffer = nullptr;
  const NET_API_STATUS status = ::NetUserGetInfo(nullptr, accountName.c_str(), 1, &buffer);
  bool isAdmin = false;
  if (status == NERR_Success && buffer) {
    isAdmin = reinterpret_cast<const USER_INFO_1*>(buffer)->usri1_priv == USER_PRIV_ADMIN;
  }
  if (buffer) ::NetApiBufferFree(buffer);
  return isAdmin;
}

bool GetActiveSessionUserName(std::wstring& userName) {
  const DWORD session = ::WTSGetActiveConsoleSessionId();
  LPWSTR name = nullptr;
  DWORD bytes = 0;
  if (!::WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, session, WTSUserName, &name, &bytes) || !name) {
    return false;
  }
  userName = name;
  ::WTSFreeMemory(name);
  return true;
}

}  // namespace Utils
