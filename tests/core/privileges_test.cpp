#include "core/privileges.h"

#include <windows.h>
#include <lm.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// What the system itself answers, asked the plain way, so the test holds on
// Wine (administrator by token, guest by the account database) and Windows.
std::wstring CurrentUserName() {
  wchar_t name[256] = {};
  DWORD size = 256;
  return ::GetUserNameW(name, &size) ? name : L"";
}

TEST(Privileges, IsRunningAsAdmin_MatchesTokenMembership) {
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof(sid);
  ASSERT_TRUE(::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &size));
  BOOL member = FALSE;
  ASSERT_TRUE(::CheckTokenMembership(nullptr, sid, &member));
  EXPECT_EQ(Utils::IsRunningAsAdmin(), member != FALSE);
}

TEST(Privileges, IsUserAccountAdmin_FollowsTheAccountDatabase) {
  const std::wstring user = CurrentUserName();
  ASSERT_FALSE(user.empty());
  LPBYTE buffer = nullptr;
  bool expected = false;
  if (::NetUserGetInfo(nullptr, user.c_str(), 1, &buffer) == NERR_Success && buffer) {
    expected = reinterpret_cast<USER_INFO_1*>(buffer)->usri1_priv == USER_PRIV_ADMIN;
  }
  if (buffer) ::NetApiBufferFree(buffer);
  EXPECT_EQ(Utils::IsUserAccountAdmin(user), expected);

  EXPECT_FALSE(Utils::IsUserAccountAdmin(L"no-such-account-7f3a"));
  EXPECT_FALSE(Utils::IsUserAccountAdmin(L""));
}

TEST(Privileges, GetActiveSessionUserName_GivesTheSignedInUser) {
  std::wstring name = L"unchanged";
  ASSERT_TRUE(Utils::GetActiveSessionUserName(name));
  EXPECT_EQ(name, CurrentUserName());
}

}  // namespace
