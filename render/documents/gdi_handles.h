// Move-only owners for the GDI handles the document objects create.
#pragma once
#include <windows.h>

#include <utility>

namespace documents {

// Owns any handle released by one function, e.g. DeleteEnhMetaFile or DeleteObject.
template <typename H, auto Free>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(H h = nullptr) {
    if (h_) Free(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

inline void FreeGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void FreeEnhMetaFile(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
inline void FreeMetaFile(HMETAFILE h) { DeleteMetaFile(h); }
inline void FreeMemoryDc(HDC h) { DeleteDC(h); }

using UniqueFont = UniqueHandle<HFONT, FreeGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, FreeGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, FreeGdiObject>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, FreeEnhMetaFile>;
using UniqueMetaFile = UniqueHandle<HMETAFILE, FreeMetaFile>;
using UniqueMemoryDc = UniqueHandle<HDC, FreeMemoryDc>;

// Saves the whole DC state and restores it, clip region included.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (id_ != 0) RestoreDC(dc_, id_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int id_;
};

// Selects an object into a DC and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace documents
