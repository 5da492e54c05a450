// The images the library has handed out. Every record we fill is registered
// under its header pointer and a serial number, so a record that is stale
// (already released), forged or never filled is recognised and ignored instead
// of freeing or touching memory twice.
#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "pictrix/block_pool.h"
#include "pictrix/pictrix.h"
#include "pictrix/pixel_access.h"

namespace pictrix {

class ImageStore {
 public:
  static ImageStore& Instance();

  void Create(TDibImage* image, int32_t width, int32_t height, int32_t bpp, const BITMAPINFO* colors,
              int32_t colorCount);
  // keepSize: the result has the source's size, and width/height are ignored.
  void CreateHalftone(TDibImage* result, const TDibImage& source, bool keepSize, int32_t width, int32_t height);
  void Release(const TDibImage& image);
  int32_t Get(const TDibImage& image, int32_t x, int32_t y);
  void Set(const TDibImage& image, int32_t x, int32_t y, int32_t value);

  int32_t LiveImages();
  void FailAllocationAfter(int32_t n);
  void PretendAvailableMemory(int64_t bytes);
  int64_t CachedBytes();

 private:
  struct Entry {
    uint32_t serial = 0;
    BITMAPINFO* info = nullptr;
    Block pixels;
    HPALETTE ownPalette = nullptr;
    PixelView view;
  };
  ImageStore();
  // Caller holds mu_. Fills *image and registers it; false leaves *image zeroed.
  bool CreateLocked(TDibImage* image, int32_t width, int32_t height, int32_t bpp, const RGBQUAD* table,
                    int32_t tableCount);
  const Entry* FindLocked(const TDibImage& image) const;
  bool InjectedFailureLocked();
  HPALETTE SharedPaletteLocked();
  MemoryFigures Figures();

  std::mutex mu_;
  BlockPool pool_;
  std::unordered_map<const BITMAPINFO*, Entry> live_;
  uint32_t nextSerial_ = 1;
  int32_t failAfter_ = -1;
  int64_t pretendAvail_ = -1;
  HPALETTE shared_ = nullptr;
};

// A GDI palette of the halftone colours; the caller owns it.
HPALETTE CreateHalftonePalette();

}  // namespace pictrix
