// The off-screen surface one strip is drawn on: a white 24-bit DIB section of
// exactly W x h pixels, selected into its own memory DC.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "toolkit/handles.h"

namespace render {

// Pixel memory shared by the strip bitmaps of one render. Each strip's DIB
// section is a fresh view of this one section, so its pages are committed and
// touched once per render instead of once per strip. Without a section (the
// platform refused one) each strip bitmap gets memory of its own.
class StripMemory {
 public:
  // Room for `rows` rows of a 24-bit DIB `width` pixels wide.
  StripMemory(int32_t width, int32_t rows);
  HANDLE section() const { return section_.get(); }
  int64_t bytes() const { return bytes_; }

 private:
  tk::KernelHandle section_;
  int64_t bytes_ = 0;
};

class StripBitmap {
 public:
  // Creates the W x h bitmap and its DC and paints it white; check with
  // operator bool. A failure leaves nothing behind.
  StripBitmap(const StripMemory& memory, int32_t width, int32_t rows);
  StripBitmap(const StripBitmap&) = delete;
  StripBitmap& operator=(const StripBitmap&) = delete;

  explicit operator bool() const { return dc_ && bitmap_; }
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int32_t rows() const { return rows_; }
  // Puts the DC's own bitmap back. GetDIBits wants a bitmap that is not
  // selected into any DC, so this comes before the strip is read back.
  void Deselect();

 private:
  tk::MemoryDC dc_;
  tk::GdiBitmap bitmap_;
  std::optional<tk::SelectedObject> selection_;
  int32_t rows_ = 0;
};

}  // namespace render
