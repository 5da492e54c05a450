// Owners for the GDI handles the display routine creates or selects. Each one
// is move-only and undoes exactly what it did, in reverse order of creation.
#pragma once
#include <windows.h>

#include <utility>

namespace raster {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, Handle{});
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Handle{}; }
  void reset() {
    if (h_) Traits::Close(h_);
    h_ = Handle{};
  }

 private:
  Handle h_{};
};

struct GdiObjectTraits {
  static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct DcTraits {
  static void Close(HDC h) { DeleteDC(h); }
};
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueMemoryDC = UniqueHandle<HDC, DcTraits>;

// A window's DC from GetDC, released with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// An object selected into a DC; the previous one is selected again on exit.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~ScopedSelection() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A palette selected as a foreground palette and realised; on exit the DC's
// previous palette is selected again, as a foreground palette and unrealised.
class ScopedPalette {
 public:
  ScopedPalette(HDC dc, HPALETTE palette) : dc_(dc), old_(SelectPalette(dc, palette, FALSE)) {
    RealizePalette(dc);
  }
  ~ScopedPalette() {
    if (old_) SelectPalette(dc_, old_, FALSE);
  }
  ScopedPalette(const ScopedPalette&) = delete;
  ScopedPalette& operator=(const ScopedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};

}  // namespace raster
