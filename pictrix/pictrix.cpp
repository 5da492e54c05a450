// The exported entry points of Pictrix.dll.
#include "pictrix/pictrix.h"

#include "pictrix/image_store.h"

using pictrix::ImageStore;

void __stdcall newdib(TDibImage* image, int32_t width, int32_t height, int32_t bitsPerPixel,
                      const BITMAPINFO* colors, int32_t colorCount) {
  ImageStore::Instance().Create(image, width, height, bitsPerPixel, colors, colorCount);
}

void __stdcall deldib(TDibImage image) { ImageStore::Instance().Release(image); }

int32_t __stdcall getpixel(TDibImage image, int32_t x, int32_t y) {
  return ImageStore::Instance().Get(image, x, y);
}

void __stdcall setpixel(TDibImage image, int32_t x, int32_t y, int32_t value) {
  ImageStore::Instance().Set(image, x, y, value);
}

void __stdcall DIBHalftoneDIB(TDibImage* result, TDibImage source) {
  ImageStore::Instance().CreateHalftone(result, source, true, 0, 0);
}

void __stdcall DIBHalftoneDIBXY(TDibImage* result, TDibImage source, int32_t newWidth, int32_t newHeight) {
  ImageStore::Instance().CreateHalftone(result, source, false, newWidth, newHeight);
}

int32_t __stdcall PictrixLiveImages() { return ImageStore::Instance().LiveImages(); }

void __stdcall PictrixFailAllocationAfter(int32_t n) { ImageStore::Instance().FailAllocationAfter(n); }

void __stdcall PictrixPretendAvailableMemory(int64_t bytes) {
  ImageStore::Instance().PretendAvailableMemory(bytes);
}

int64_t __stdcall PictrixCachedBytes() { return ImageStore::Instance().CachedBytes(); }
