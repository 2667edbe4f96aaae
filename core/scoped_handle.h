#pragma once

// Move-only owners for Windows handles. Only the traits below release a
// resource; code elsewhere never calls CloseHandle, RegCloseKey or FreeLibrary
// on an owned value. Other subsystems add owners of their own (GDI objects,
// COM pointers, CURL*) by writing a traits struct for ScopedResource.

#include <windows.h>

#include <utility>

namespace Utils {

// Traits: Type, static Type Empty(), static bool IsValid(Type), static void Close(Type).
template <typename Traits>
class ScopedResource {
 public:
  using Type = typename Traits::Type;

  ScopedResource() noexcept : m_Value(Traits::Empty()) {}
  explicit ScopedResource(Type value) noexcept : m_Value(value) {}
  ~ScopedResource() { Reset(); }

  ScopedResource(const ScopedResource&) = delete;
  ScopedResource& operator=(const ScopedResource&) = delete;
  ScopedResource(ScopedResource&& other) noexcept : m_Value(other.Release()) {}
  ScopedResource& operator=(ScopedResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const noexcept { return m_Value; }
  bool IsValid() const noexcept { return Traits::IsValid(m_Value); }
  explicit operator bool() const noexcept { return IsValid(); }

  // Gives up ownership without releasing.
  Type Release() noexcept { return std::exchange(m_Value, Traits::Empty()); }

  // Releases the current value (if any) and takes `value`.
  void Reset(Type value = Traits::Empty()) noexcept {
    const Type old = std::exchange(m_Value, value);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

  // For functions that return a resource through an out parameter: releases
  // the current value and hands out the slot.
  Type* Receive() noexcept {
    Reset();
    return &m_Value;
  }

 private:
  Type m_Value;
};

// Kernel handles. Both null and INVALID_HANDLE_VALUE count as "no handle", so
// CreateFileW results and CreateThread results fit the same owner.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Empty() noexcept { return nullptr; }
  static bool IsValid(Type h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) noexcept { ::CloseHandle(h); }
};
using ScopedHandle = ScopedResource<KernelHandleTraits>;

struct RegKeyTraits {
  using Type = HKEY;
  static Type Empty() noexcept { return nullptr; }
  static bool IsValid(Type k) noexcept { return k != nullptr; }
  static void Close(Type k) noexcept { ::RegCloseKey(k); }
};
using ScopedRegKey = ScopedResource<RegKeyTraits>;

// A module loaded with LoadLibrary*; freed on destruction. Never use it for
// GetModuleHandle results, which are not reference-counted.
struct LoadedModuleTraits {
  using Type = HMODULE;
  static Type Empty() noexcept { return nullptr; }
  static bool IsValid(Type m) noexcept { return m != nullptr; }
  static void Close(Type m) noexcept { ::FreeLibrary(m); }
};
using ScopedLibrary = ScopedResource<LoadedModuleTraits>;

// Memory from LocalAlloc and the system functions that allocate with it
// (CommandLineToArgvW, FormatMessageW).
struct LocalMemoryTraits {
  using Type = HLOCAL;
  static Type Empty() noexcept { return nullptr; }
  static bool IsValid(Type m) noexcept { return m != nullptr; }
  static void Close(Type m) noexcept { ::LocalFree(m); }
};
using ScopedLocalMemory = ScopedResource<LocalMemoryTraits>;

// A COM interface pointer: one reference, released on destruction.
template <typename Interface>
struct ComPointerTraits {
  using Type = Interface*;
  static Type Empty() noexcept { return nullptr; }
  static bool IsValid(Type p) noexcept { return p != nullptr; }
  static void Close(Type p) noexcept { p->Release(); }
};
template <typename Interface>
using ScopedComPtr = ScopedResource<ComPointerTraits<Interface>>;

}  // namespace Utils
