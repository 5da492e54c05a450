#include "raster/draw_dib.h"

#include <optional>

#include "core/draw_geometry.h"
#include "raster/gdi_calls.h"
#include "toolkit/handles.h"
#include "raster/owned_dib.h"

namespace raster {
namespace {

bool FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// Way A: a palette screen gets a halftoned copy. When shrinking, the whole
// image is reduced by the destination-to-source ratios and the matching part
// of the reduced copy is drawn 1:1.
void DrawHalftoned(HDC dc, const core::DrawRect& r, const TDibImage& image, DWORD rop, HPALETTE palette) {
  const int64_t W = DIBWidth(image), H = DIBHeight(image);
  const bool shrinking = r.srcWidth > r.destWidth || r.srcHeight > r.destHeight;
  OwnedDib t;
  if (shrinking) {
    const int64_t tw = core::ScaleRound(W, r.destWidth, r.srcWidth);
    const int64_t th = core::ScaleRound(H, r.destHeight, r.srcHeight);
    if (!FitsInt32(tw) || !FitsInt32(th)) return;
    t = OwnedDib::HalftoneXY(image, static_cast<int32_t>(tw), static_cast<int32_t>(th));
  } else {
    t = OwnedDib::Halftone(image);
  }
  if (!t) return;  // nothing to draw with; nothing was obtained either
  // A caller without a palette of its own still gets the copy's colours.
  const tk::SelectedPalette selected(dc, palette ? palette : t.get().Palette);
  const int x = static_cast<int>(r.destX), y = static_cast<int>(r.destY);
  const int w = static_cast<int>(r.destWidth), h = static_cast<int>(r.destHeight);
  if (shrinking) {
    const int64_t sx = core::ScaleRound(DIBWidth(t.get()), r.srcX, W);
    const int64_t sy = core::ScaleRound(DIBHeight(t.get()), r.srcY, H);
    Gdi().stretchDIBits(dc, x, y, w, h, static_cast<int>(sx), static_cast<int>(sy), w, h, t.get().Bits,
                        t.get().Info, DIB_RGB_COLORS, rop);
  } else {
    Gdi().stretchDIBits(dc, x, y, w, h, static_cast<int>(r.srcX), static_cast<int>(r.srcY),
                        static_cast<int>(r.srcWidth), static_cast<int>(r.srcHeight), t.get().Bits, t.get().Info,
                        DIB_RGB_COLORS, rop);
  }
}  // the previous palette is selected again, then the copy is released

}  // namespace

bool IsDrawable(const TDibImage& image) {
  if (!image.Info || !image.Bits) return false;
  const BITMAPINFOHEADER& h = image.Info->bmiHeader;
  if (h.biWidth <= 0 || h.biHeight <= 0 || h.biBitCount == 0) return false;
  const int64_t minStride = ((int64_t{h.biWidth} * h.biBitCount + 31) / 32) * 4;
  if (image.BytesPerRow < minStride) return false;
  return h.biSizeImage == 0 || int64_t{image.BytesPerRow} * h.biHeight <= int64_t{h.biSizeImage};
}

}  // namespace raster

void DrawDIB(HDC dc, int32_t destX, int32_t destY, int32_t destWidth, int32_t destHeight, const TDibImage& image,
             int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight, bool halftone, DWORD rop,
             bool useImagePalette, HPALETTE paletteHandle) {
  using namespace raster;
  // A record without pixels (a failed allocation) has nothing to show, and its
  // missing pixels must not be read. Empty source sizes would divide by zero.
  if (!IsDrawable(image) || srcWidth <= 0 || srcHeight <= 0) return;
  const bool isPrinter = Gdi().getDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
  SetStretchBltMode(dc, COLORONCOLOR);

  const int64_t W = DIBWidth(image), H = DIBHeight(image);
  const core::DrawRect r =
      core::ClipToImage({destX, destY, destWidth, destHeight, srcX, srcY, srcWidth, srcHeight}, W, H);
  if (!core::FitsGdi(r)) return;

  const HPALETTE palette = useImagePalette ? image.Palette : paletteHandle;
  std::optional<tk::SelectedPalette> selected;
  if (image.HasPalette == 1) selected.emplace(dc, palette);

  const int bits = DIBBitCount(image);
  // The screen is only asked when its answer can matter.
  const int screen = (bits == 24 && halftone) ? ScreenBitsPerPixel() : 32;
  switch (core::ChooseWay(bits, screen, halftone, isPrinter)) {
    case core::Way::Halftone:
      DrawHalftoned(dc, r, image, rop, palette);
      break;
    case core::Way::Rows24:
    case core::Way::Rows8: {
      const int64_t srcTop = H - r.srcY - r.srcHeight;
      auto rows = bits == 24 ? DrawDIBRows24 : DrawDIBRows8;
      rows(dc, static_cast<int32_t>(r.destX), static_cast<int32_t>(r.destY), static_cast<int32_t>(r.destWidth),
           static_cast<int32_t>(r.destHeight), image, static_cast<int32_t>(r.srcX), static_cast<int32_t>(srcTop),
           static_cast<int32_t>(r.srcWidth), static_cast<int32_t>(r.srcHeight));
      break;
    }
    case core::Way::DeviceStretch:
      DrawDeviceStretch(dc, r, image, rop);
      break;
  }
}
