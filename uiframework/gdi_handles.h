#pragma once
// Move-only owners for the GDI and GDI+ resources the framework creates, and
// scoped helpers for device-context state. Only the owners release handles.
#include <windows.h>

#include <utility>

namespace SkinUI {

// Owns one GDI object (HBITMAP, HFONT, HBRUSH, HPEN, HRGN); DeleteObject on
// destruction.
template <typename T>
class UniqueGdiObject {
 public:
  UniqueGdiObject() = default;
  explicit UniqueGdiObject(T handle) : m_Handle(handle) {}
  ~UniqueGdiObject() { Reset(); }
  UniqueGdiObject(UniqueGdiObject&& other) noexcept : m_Handle(std::exchange(other.m_Handle, nullptr)) {}
  UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_Handle, nullptr));
    return *this;
  }
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;

  T Get() const { return m_Handle; }
  explicit operator bool() const { return m_Handle != nullptr; }
  // Gives up ownership, for handing the object to a call that takes it over
  // (SetWindowRgn owns the region it is given).
  T Release() { return std::exchange(m_Handle, nullptr); }
  void Reset(T handle = nullptr) {
    if (m_Handle) ::DeleteObject(m_Handle);
    m_Handle = handle;
  }

 private:
  T m_Handle = nullptr;
};

using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueRegion = UniqueGdiObject<HRGN>;

// A memory device context compatible with `reference` (the screen when null).
class UniqueMemoryDC {
 public:
  explicit UniqueMemoryDC(HDC reference = nullptr) : m_DC(::CreateCompatibleDC(reference)) {}
  ~UniqueMemoryDC() {
    if (m_DC) ::DeleteDC(m_DC);
  }
  UniqueMemoryDC(const UniqueMemoryDC&) = delete;
  UniqueMemoryDC& operator=(const UniqueMemoryDC&) = delete;
  HDC Get() const { return m_DC; }

 private:
  HDC m_DC;
};

// Selects an object into a DC and puts the previous one back on destruction.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : m_DC(dc), m_Previous(object ? ::SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (m_Previous) ::SelectObject(m_DC, m_Previous);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC m_DC;
  HGDIOBJ m_Previous;
};

// Saves the whole DC state (clip region, colours, modes) for one scope.
class ScopedSaveDC {
 public:
  explicit ScopedSaveDC(HDC dc) : m_DC(dc), m_Saved(::SaveDC(dc)) {}
  ~ScopedSaveDC() {
    if (m_Saved) ::RestoreDC(m_DC, m_Saved);
  }
  ScopedSaveDC(const ScopedSaveDC&) = delete;
  ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;

 private:
  HDC m_DC;
  int m_Saved;
};

// BeginPaint/EndPaint for one WM_PAINT.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND hwnd) : m_Hwnd(hwnd) { m_DC = ::BeginPaint(hwnd, &m_Paint); }
  ~ScopedPaint() { ::EndPaint(m_Hwnd, &m_Paint); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC DC() const { return m_DC; }
  const RECT& PaintRect() const { return m_Paint.rcPaint; }

 private:
  HWND m_Hwnd;
  HDC m_DC;
  PAINTSTRUCT m_Paint{};
};

// A screen DC for measuring, released on destruction.
class ScopedScreenDC {
 public:
  ScopedScreenDC() : m_DC(::GetDC(nullptr)) {}
  ~ScopedScreenDC() {
    if (m_DC) ::ReleaseDC(nullptr, m_DC);
  }
  ScopedScreenDC(const ScopedScreenDC&) = delete;
  ScopedScreenDC& operator=(const ScopedScreenDC&) = delete;
  HDC Get() const { return m_DC; }

 private:
  HDC m_DC;
};

// GDI+ start-up and shut-down for the UI thread, held by whoever runs the UI
// (the entry point, a test main). Image decoding needs one to be alive.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Ok() const { return m_Token != 0; }

 private:
  ULONG_PTR m_Token = 0;
};

}  // namespace SkinUI
