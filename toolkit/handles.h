// Move-only owners for the handles the program uses. Each stores everything
// its destructor needs, so release happens exactly once, on every path.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tk {

template <typename H, typename Deleter>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, H{});
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  H release() { return std::exchange(h_, H{}); }
  void reset(H h = H{}) {
    if (h_ != H{}) Deleter{}(h_);
    h_ = h;
  }

 private:
  H h_{};
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct DcDeleter {
  void operator()(HDC h) const { ::DeleteDC(h); }
};
struct GlobalDeleter {
  void operator()(HGLOBAL h) const { ::GlobalFree(h); }
};
struct KernelHandleDeleter {
  void operator()(HANDLE h) const { ::CloseHandle(h); }
};
struct ImageListDeleter {
  void operator()(HIMAGELIST h) const { ::ImageList_Destroy(h); }
};
struct EnhMetaFileDeleter {
  void operator()(HENHMETAFILE h) const { ::DeleteEnhMetaFile(h); }
};
struct MetaFileDeleter {
  void operator()(HMETAFILE h) const { ::DeleteMetaFile(h); }
};
struct RegKeyDeleter {
  void operator()(HKEY h) const { ::RegCloseKey(h); }
};

using GdiBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using GdiBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using GdiPen = UniqueHandle<HPEN, GdiObjectDeleter>;
using GdiFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using GdiPalette = UniqueHandle<HPALETTE, GdiObjectDeleter>;
using GdiRegion = UniqueHandle<HRGN, GdiObjectDeleter>;
using MemoryDC = UniqueHandle<HDC, DcDeleter>;
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalDeleter>;
using KernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;
using ImageList = UniqueHandle<HIMAGELIST, ImageListDeleter>;
using EnhMetaFile = UniqueHandle<HENHMETAFILE, EnhMetaFileDeleter>;
using MetaFile = UniqueHandle<HMETAFILE, MetaFileDeleter>;
using RegKey = UniqueHandle<HKEY, RegKeyDeleter>;  // an opened key, never a predefined root

// A file from CreateFile, whose "no handle" value is INVALID_HANDLE_VALUE.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(h_);
  }
  FileHandle(FileHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

 private:
  HANDLE h_;
};

// A window's DC from GetDC, released with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& ps() const { return ps_; }

 private:
  HWND hwnd_;
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// Selects an object into a DC for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A palette selected as a foreground palette and realised; on exit the DC's
// previous palette is selected again, as a foreground palette and unrealised.
class SelectedPalette {
 public:
  SelectedPalette(HDC dc, HPALETTE palette) : dc_(dc), old_(::SelectPalette(dc, palette, FALSE)) {
    ::RealizePalette(dc);
  }
  ~SelectedPalette() {
    if (old_) ::SelectPalette(dc_, old_, FALSE);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};

// SaveDC ... RestoreDC, for code that changes several DC attributes.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
  ~SavedDC() {
    if (id_) ::RestoreDC(dc_, id_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

}  // namespace tk
