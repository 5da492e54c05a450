#include "render/renderer/strip_bitmap.h"

#include <cstring>

#include "core/render_geometry.h"

namespace render {

StripMemory::StripMemory(int32_t width, int32_t rows) {
  const int64_t bytes = core::DibStride(width, 24) * rows;
  if (bytes <= 0) return;
  HANDLE h = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                  static_cast<DWORD>(uint64_t(bytes) >> 32), static_cast<DWORD>(bytes), nullptr);
  if (!h) return;
  section_.reset(h);
  bytes_ = bytes;
}

StripBitmap::StripBitmap(const StripMemory& memory, int32_t width, int32_t rows) : rows_(rows) {
  tk::MemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = rows;  // bottom-up, exactly the strip's rows
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  const int64_t bytes = core::DibStride(width, 24) * rows;
  const HANDLE section = bytes <= memory.bytes() ? memory.section() : nullptr;
  void* bits = nullptr;
  tk::GdiBitmap bitmap(::CreateDIBSection(dc.get(), &bmi, DIB_RGB_COLORS, &bits, section, 0));
  if (!bitmap || !bits) return;
  // A view of the shared section still holds the previous strip's pixels, so
  // the white start is painted here every time.
  std::memset(bits, 0xFF, static_cast<size_t>(bytes));
  selection_.emplace(dc.get(), bitmap.get());
  if (::GetCurrentObject(dc.get(), OBJ_BITMAP) != bitmap.get()) {
    selection_.reset();
    return;
  }
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
}

void StripBitmap::Deselect() {
  ::GdiFlush();
  selection_.reset();
}

}  // namespace render
