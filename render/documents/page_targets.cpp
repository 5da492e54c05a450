// Where a page document's pixels go: straight into the bits of a 24-bit DIB
// section (the strip renderer's strips), or in bands through GDI for every
// other device context.
#include <algorithm>
#include <optional>
#include <vector>

#include "core/render_geometry.h"
#include "render/documents/page_content.h"
#include "toolkit/handles.h"

namespace documents {
namespace {

using Region = tk::UniqueHandle<HRGN, tk::GdiObjectDeleter>;

// Bytes of one band of pixels sent through GDI.
constexpr int64_t kBandBytes = 4 << 20;

core::PixelRect DeviceRect(HDC dc, const RECT& logical) {
  POINT p[2] = {{logical.left, logical.top}, {logical.right, logical.bottom}};
  LPtoDP(dc, p, 2);
  return {std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y), std::max(p[0].x, p[1].x), std::max(p[0].y, p[1].y)};
}

// Logical units are device pixels up to an offset.
bool PlainMapping(HDC dc) {
  if (GetMapMode(dc) != MM_TEXT) return false;
  if (GetGraphicsMode(dc) != GM_ADVANCED) return true;
  XFORM xf{};
  return GetWorldTransform(dc, &xf) && xf.eM11 == 1 && xf.eM22 == 1 && xf.eM12 == 0 && xf.eM21 == 0 &&
         xf.eDx == 0 && xf.eDy == 0;
}

// No clip region, or a rectangular one.
bool RectangularClip(HDC dc) {
  Region region(CreateRectRgn(0, 0, 0, 0));
  if (!region) return false;
  const int has = GetClipRgn(dc, region.get());
  if (has == 0) return true;
  RECT box;
  return has == 1 && GetRgnBox(region.get(), &box) == SIMPLEREGION;
}

// Whether memory row 0 of the selected section is its top row. GetObject
// reports a DIB section's height without its sign, so the answer comes from
// GDI itself: which of two marked memory rows it shows at the top-left.
// Empty when GDI shows neither (the corner lies outside the clip).
std::optional<bool> TopRowFirst(HDC dc, uint8_t* bits, int64_t stride, int64_t height) {
  if (height == 1) return true;
  GdiFlush();  // GDI's pending drawing lands before the bits are read
  uint8_t* first = bits;
  uint8_t* last = bits + (height - 1) * stride;
  const uint8_t keepFirst[3] = {first[0], first[1], first[2]}, keepLast[3] = {last[0], last[1], last[2]};
  first[0] = 1, first[1] = 2, first[2] = 3;
  last[0] = 4, last[1] = 5, last[2] = 6;
  POINT corner{0, 0};
  DPtoLP(dc, &corner, 1);
  const COLORREF shown = GetPixel(dc, corner.x, corner.y);
  std::copy(keepFirst, keepFirst + 3, first);
  std::copy(keepLast, keepLast + 3, last);
  if (shown == RGB(3, 2, 1)) return true;
  if (shown == RGB(6, 5, 4)) return false;
  return std::nullopt;
}

}  // namespace

void PageContent::Draw(HDC dc, const RECT& bounds) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (DrawIntoSection(dc, bounds)) {
    lastPath_ = Path::Section;
    return;
  }
  DrawInBands(dc, bounds);
  lastPath_ = Path::Bands;
}

bool PageContent::DrawIntoSection(HDC dc, const RECT& bounds) const {
  if (GetObjectType(dc) != OBJ_MEMDC || !PlainMapping(dc) || !RectangularClip(dc)) return false;
  const auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  DIBSECTION ds{};
  if (!bitmap || GetObjectW(bitmap, sizeof ds, &ds) != int(sizeof ds)) return false;
  if (ds.dsBm.bmBitsPixel != 24 || ds.dsBmih.biCompression != BI_RGB || !ds.dsBm.bmBits) return false;
  const int64_t width = ds.dsBm.bmWidth, height = ds.dsBm.bmHeight;
  const int64_t stride = core::DibStride(int32_t(width), 24);
  auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);

  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return false;
  const core::PixelRect target = DeviceRect(dc, bounds);
  const core::PixelRect visible =
      core::Intersect(core::Intersect(target, DeviceRect(dc, clip)), core::PixelRect{0, 0, width, height});
  if (visible.Empty()) return true;
  const std::optional<bool> topFirst = TopRowFirst(dc, bits, stride, height);
  if (!topFirst) return false;

  // The picture's own grid: the same map for every part drawn, so strips
  // match a drawing in one pass. A bottom-up section counts its memory rows
  // upwards, so the grid is flipped to match.
  const int64_t w = target.right - target.left, h = target.bottom - target.top;
  const int64_t flip = *topFirst ? 0 : h;
  const core::Affine map = core::PageToPixels(box_, {0, 0, w, h}, flip);
  const core::PixelRect inPicture{visible.left - target.left, visible.top - target.top, visible.right - target.left,
                                  visible.bottom - target.top};
  const core::PixelRect area = flip ? core::FlipRows(inPicture, h) : inPicture;
  const int64_t firstRow = *topFirst ? visible.top : height - visible.bottom;
  GdiFlush();
  RenderArea(map, area, bits + firstRow * stride + visible.left * 3, stride);
  return true;
}

void PageContent::DrawInBands(HDC dc, const RECT& bounds) const {
  const core::PixelRect target = DeviceRect(dc, bounds);
  tk::SavedDC saved(dc);
  // From here on logical units are device pixels.
  SetGraphicsMode(dc, GM_ADVANCED);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetMapMode(dc, MM_TEXT);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return;
  const core::PixelRect visible = core::Intersect(target, {clip.left, clip.top, clip.right, clip.bottom});
  if (visible.Empty()) return;
  const int64_t w = target.right - target.left, h = target.bottom - target.top;
  const core::Affine map = core::PageToPixels(box_, {0, 0, w, h});
  const int64_t bandWidth = visible.right - visible.left;
  const int64_t stride = core::DibStride(int32_t(bandWidth), 24);
  std::vector<uint8_t> buffer;
  for (const core::PixelRect& band : core::Bands(visible, 3, kBandBytes)) {
    const int64_t rows = band.bottom - band.top;
    buffer.resize(size_t(stride * rows));
    const core::PixelRect area{band.left - target.left, band.top - target.top, band.right - target.left,
                               band.bottom - target.top};
    if (!RenderArea(map, area, buffer.data(), stride)) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = LONG(bandWidth);
    bi.bmiHeader.biHeight = -LONG(rows);  // top-down, as MuPDF fills it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, int(band.left), int(band.top), int(bandWidth), int(rows), 0, 0, int(bandWidth), int(rows),
                  buffer.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  }
}

}  // namespace documents
