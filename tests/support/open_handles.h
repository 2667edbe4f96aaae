#pragma once

#include <windows.h>

#include <vector>

namespace testing_support {

// Number of kernel handles this process holds, from the system's handle
// table (GetProcessHandleCount answers 0 under Wine). For "nothing leaks"
// checks: run the code under test a few times, compare before and after.
// Returns -1 when the table cannot be read.
inline int OpenHandleCount() {
  struct Entry {
    ULONG OwnerPid;
    BYTE ObjectType;
    BYTE HandleFlags;
    USHORT HandleValue;
    PVOID ObjectPointer;
    ULONG AccessMask;
  };
  struct Table {
    ULONG Count;
    Entry Handles[1];
  };
  using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  LONG status;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
         kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  const Table* table = reinterpret_cast<const Table*>(buffer.data());
  const ULONG self = ::GetCurrentProcessId();
  int count = 0;
  for (ULONG i = 0; i < table->Count; ++i) {
    if (table->Handles[i].OwnerPid == self) ++count;
  }
  return count;
}

}  // namespace testing_support
