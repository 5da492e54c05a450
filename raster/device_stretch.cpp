// Way D: the device's own DIB stretching, then a scratch copy at the
// destination's size for devices that take DIBs only unscaled, then a
// device-dependent bitmap for devices that take no DIBs at all.
#include <cstring>

#include "raster/draw_dib.h"
#include "core/draw_geometry.h"
#include "raster/gdi_calls.h"
#include "toolkit/handles.h"
#include "raster/owned_dib.h"
#include "toolkit/modal.h"

namespace raster {
namespace {

// Nearest-neighbour copy of the source rectangle into s, both end points
// included, rows in memory order. Pixels outside the image are left black.
void FillScratch(const TDibImage& s, const core::DrawRect& r, const TDibImage& image) {
  const int bits = DIBBitCount(image);
  const int64_t W = DIBWidth(image), H = DIBHeight(image);
  const auto* src = static_cast<const uint8_t*>(image.Bits);
  auto* dst = static_cast<uint8_t*>(s.Bits);
  const int64_t srcStride = image.BytesPerRow, dstStride = s.BytesPerRow;
  for (int64_t row = 0; row < r.destHeight; ++row) {
    const int64_t y = core::EndpointIndex(r.srcY, r.srcHeight, r.destHeight, row);
    if (y < 0 || y >= H) continue;
    const uint8_t* in = src + y * srcStride;
    uint8_t* out = dst + row * dstStride;
    for (int64_t u = 0; u < r.destWidth; ++u) {
      const int64_t x = core::EndpointIndex(r.srcX, r.srcWidth, r.destWidth, u);
      if (x < 0 || x >= W) continue;
      switch (bits) {
        case 1:
          setpixel(s, static_cast<int32_t>(u), static_cast<int32_t>(row),
                   getpixel(image, static_cast<int32_t>(x), static_cast<int32_t>(y)));
          break;
        case 4: {
          const uint8_t nibble = (x % 2 == 0) ? in[x / 2] >> 4 : in[x / 2] & 15;
          out[u / 2] |= (u % 2 == 0) ? static_cast<uint8_t>(nibble << 4) : nibble;
          break;
        }
        case 8: out[u] = in[x]; break;
        case 24: std::memcpy(out + 3 * u, in + 3 * x, 3); break;
        default: break;  // other depths stay black
      }
    }
  }
}

// The scratch copy; false when it could not be made or the device refused it.
bool DrawScratchCopy(HDC dc, const core::DrawRect& r, const TDibImage& image) {
  const int64_t colors = DIBColorCount(image);
  OwnedDib s = OwnedDib::New(static_cast<int32_t>(r.destWidth), static_cast<int32_t>(r.destHeight),
                             DIBBitCount(image), image.Info, colors <= 256 ? static_cast<int32_t>(colors) : 0);
  if (!s) return false;
  FillScratch(s.get(), r, image);
  return Gdi().setDIBitsToDevice(dc, static_cast<int>(r.destX), static_cast<int>(r.destY),
                                 static_cast<DWORD>(r.destWidth), static_cast<DWORD>(r.destHeight), 0, 0, 0,
                                 static_cast<UINT>(r.destHeight), s.get().Bits, s.get().Info, DIB_RGB_COLORS) != 0;
}

void DrawThroughDeviceBitmap(HDC dc, const core::DrawRect& r, const TDibImage& image, DWORD rop) {
  const int W = DIBWidth(image), H = DIBHeight(image);
  tk::GdiBitmap bitmap(Gdi().createCompatibleBitmap(dc, W, H));
  if (!bitmap) {
    tk::ShowMessageNoCaption(nullptr, L"Could not create bitmap.", MB_OK);
    return;
  }
  tk::MemoryDC memory(CreateCompatibleDC(dc));
  if (!memory) return;
  if (Gdi().setDIBits(memory.get(), bitmap.get(), 0, H, image.Bits, image.Info, DIB_RGB_COLORS) == 0) {
    tk::ShowMessageNoCaption(nullptr, L"The device does not support the Funtkion setdibits!", MB_OK);
    return;
  }
  bool blitted;
  {
    const tk::SelectedObject selected(memory.get(), bitmap.get());
    // The bitmap's rows count from the top, the source rectangle's from the bottom.
    const int64_t top = H - r.srcY - r.srcHeight;
    blitted = Gdi().stretchBlt(dc, static_cast<int>(r.destX), static_cast<int>(r.destY),
                               static_cast<int>(r.destWidth), static_cast<int>(r.destHeight), memory.get(),
                               static_cast<int>(r.srcX), static_cast<int>(top), static_cast<int>(r.srcWidth),
                               static_cast<int>(r.srcHeight), rop) != FALSE;
  }
  if (!blitted) tk::ShowMessageNoCaption(nullptr, L"The device does not support the function StretchBlt!", MB_OK);
}  // the memory DC goes first, then the bitmap

}  // namespace

void DrawDeviceStretch(HDC dc, const core::DrawRect& r, const TDibImage& image, DWORD rop) {
  const bool canDibToDev = (Gdi().getDeviceCaps(dc, RASTERCAPS) & RC_DIBTODEV) != 0;
  const int drawn = Gdi().stretchDIBits(
      dc, static_cast<int>(r.destX), static_cast<int>(r.destY), static_cast<int>(r.destWidth),
      static_cast<int>(r.destHeight), static_cast<int>(r.srcX), static_cast<int>(r.srcY), static_cast<int>(r.srcWidth),
      static_cast<int>(r.srcHeight), image.Bits, image.Info, DIB_RGB_COLORS, rop);
  if (drawn != static_cast<int>(GDI_ERROR)) return;
  if (canDibToDev && DrawScratchCopy(dc, r, image)) return;
  DrawThroughDeviceBitmap(dc, r, image, rop);
}

}  // namespace raster
