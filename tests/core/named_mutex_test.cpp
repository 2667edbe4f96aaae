#include "core/named_mutex.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/core_constants.h"
#include "open_handles.h"

namespace {

std::wstring UniqueBaseName() { return L"CoreTest_" + std::to_wstring(::GetCurrentProcessId()); }

TEST(NamedMutex, NamedMutex_SecondHolderIsRefusedUntilTheFirstReleases) {
  Utils::NamedMutex first(UniqueBaseName());
  Utils::NamedMutex second(UniqueBaseName());
  EXPECT_EQ(first.Name(), L"D1A547DB89C0BC61_" + UniqueBaseName());

  first.Acquire();
  EXPECT_TRUE(first.IsHeld());
  second.Acquire();
  EXPECT_FALSE(second.IsHeld()) << "the object already existed: no handle is kept";

  first.Acquire();  // already held: no change
  EXPECT_TRUE(first.IsHeld());
  first.Release();
  EXPECT_FALSE(first.IsHeld());
  second.Acquire();
  EXPECT_TRUE(second.IsHeld());
}

TEST(NamedMutex, NamedMutex_RefusedAcquireLeavesNoHandleOpen) {
  Utils::NamedMutex holder(UniqueBaseName());
  holder.Acquire();
  ASSERT_TRUE(holder.IsHeld());
  const int before = testing_support::OpenHandleCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 10; ++i) {
    Utils::NamedMutex other(UniqueBaseName());
    other.Acquire();
    EXPECT_FALSE(other.IsHeld());
  }
  EXPECT_EQ(testing_support::OpenHandleCount(), before);
}

TEST(NamedMutex, NamedMutex_ProductLockNameIsPrefixPlusLiteral) {
  Utils::NamedMutex lock(Core::kSingleInstanceName);
  EXPECT_EQ(lock.Name(), L"D1A547DB89C0BC61_Installer_Tovrel Rezuv Ovozuzave");
}

}  // namespace
