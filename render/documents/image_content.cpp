#include "render/documents/image_content.h"

#include <algorithm>
#include <cmath>

#include "toolkit/handles.h"
#include "toolkit/wic_decode.h"

namespace documents {

int32_t HimetricFromPixels(int32_t pixels, double dpi) {
  if (!std::isfinite(dpi) || dpi < 1.0 || dpi > 100000.0) dpi = 96.0;
  return static_cast<int32_t>(std::max<int64_t>(1, std::llround(pixels * 2540.0 / dpi)));
}

HRESULT ImageContent::FromBytes(const std::vector<uint8_t>& bytes, bool largestFrame,
                                std::unique_ptr<DocumentContent>& out) {
  if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) return kInvalidContent;
  tk::DecodedImage decoded;
  HRESULT hr = tk::WicDecode(bytes.data(), bytes.size(), largestFrame, kMaxImagePixels, decoded);
  if (FAILED(hr)) return hr;
  const UINT w = decoded.width, h = decoded.height;
  const double dpiX = decoded.dpiX, dpiY = decoded.dpiY;
  core::ImagePixels pixels;
  pixels.width = static_cast<int32_t>(w);
  pixels.height = static_cast<int32_t>(h);
  pixels.data = std::move(decoded.pixels);
  core::CompositeOverWhite(pixels.data.data(), pixels.data.size());
  const SIZEL extent{HimetricFromPixels(pixels.width, dpiX), HimetricFromPixels(pixels.height, dpiY)};
  out.reset(new ImageContent(std::move(pixels), extent));
  return S_OK;
}

void ImageContent::Draw(HDC dc, const RECT& bounds) const {
  // Pixel-exact resampling needs logical units to be device pixels; anything else
  // (printer mapping modes, metafile DCs, world transforms) gets GDI's stretching.
  XFORM xf{};
  const DWORD kind = GetObjectType(dc);
  const bool plain = (kind == OBJ_DC || kind == OBJ_MEMDC) && GetMapMode(dc) == MM_TEXT &&
                     (GetGraphicsMode(dc) != GM_ADVANCED ||
                      (GetWorldTransform(dc, &xf) && xf.eM11 == 1 && xf.eM22 == 1 &&
                       xf.eM12 == 0 && xf.eM21 == 0));
  if (!plain) return DrawStretched(dc, bounds);
  RECT clip{}, visible{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  if (!IntersectRect(&visible, &bounds, &clip)) return;
  DrawExact(dc, bounds, visible);
}

void ImageContent::DrawExact(HDC dc, const RECT& bounds, const RECT& visible) const {
  const int64_t fullW = int64_t(bounds.right) - bounds.left, fullH = int64_t(bounds.bottom) - bounds.top;
  const auto cols = core::MapAxis(pixels_.width, fullW, visible.left - bounds.left, visible.right - bounds.left);
  const int width = visible.right - visible.left;
  const int band = std::max(1, (1 << 20) / width);  // about 4 MB of pixels at a time
  std::vector<uint32_t> buffer(size_t(width) * std::min(band, int(visible.bottom - visible.top)));
  for (int y = visible.top; y < visible.bottom; y += band) {
    const int rowsHere = std::min(band, int(visible.bottom - y));
    const auto rows = core::MapAxis(pixels_.height, fullH, y - bounds.top, y - bounds.top + rowsHere);
    core::ScaleBlock(pixels_, cols, rows, buffer.data());
    const BITMAPINFO bi = tk::TopDown32Info(width, rowsHere);
    StretchDIBits(dc, visible.left, y, width, rowsHere, 0, 0, width, rowsHere, buffer.data(), &bi,
                  DIB_RGB_COLORS, SRCCOPY);
  }
}

void ImageContent::DrawStretched(HDC dc, const RECT& bounds) const {
  tk::SavedDC saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const BITMAPINFO bi = tk::TopDown32Info(pixels_.width, pixels_.height);
  StretchDIBits(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                0, 0, pixels_.width, pixels_.height, pixels_.data.data(), &bi, DIB_RGB_COLORS,
                SRCCOPY);
}

}  // namespace documents
