#include "raster/dib.h"

#include "toolkit/handles.h"

namespace {
int32_t g_screenDepthOverride = 0;  // 0: ask the system
}

int32_t DIBWidth(const TDibImage& image) { return image.Info ? image.Info->bmiHeader.biWidth : 0; }

int32_t DIBHeight(const TDibImage& image) { return image.Info ? image.Info->bmiHeader.biHeight : 0; }

int32_t DIBBitCount(const TDibImage& image) { return image.Info ? image.Info->bmiHeader.biBitCount : 0; }

int64_t DIBColorCount(const TDibImage& image) {
  int64_t n = 1;
  for (int32_t i = 0; i < DIBBitCount(image) && i < 32; ++i) n *= 2;
  return n;
}

int32_t ScreenBitsPerPixel() {
  if (g_screenDepthOverride > 0) return g_screenDepthOverride;
  tk::WindowDC dc(GetDesktopWindow());
  if (!dc) return 0;
  tk::GdiBitmap bmp(CreateCompatibleBitmap(dc.get(), 1, 1));
  BITMAP bm{};
  if (!bmp || !GetObjectW(bmp.get(), sizeof bm, &bm)) return 0;
  return bm.bmBitsPixel;
}

namespace raster {

ScopedScreenDepth::ScopedScreenDepth(int32_t bitsPerPixel) : previous_(g_screenDepthOverride) {
  g_screenDepthOverride = bitsPerPixel;
}

ScopedScreenDepth::~ScopedScreenDepth() { g_screenDepthOverride = previous_; }

}  // namespace raster
