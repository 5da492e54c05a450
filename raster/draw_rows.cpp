// The row ways: one destination row at a time through a one-row image, so
// memory stays at one row and one integer per column whatever the picture's size.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "raster/draw_dib.h"
#include "core/draw_geometry.h"
#include "raster/gdi_calls.h"
#include "raster/owned_dib.h"

namespace raster {
namespace {

struct VisibleArea {
  core::IndexRange cols, rows;
};

bool IsIdentity(HDC dc) {
  if (GetGraphicsMode(dc) != GM_ADVANCED) return true;
  XFORM x{};
  return GetWorldTransform(dc, &x) && x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f &&
         x.eDx == 0.0f && x.eDy == 0.0f;
}

// The destination rows and columns that can reach the device. Only a screen or
// memory DC in plain pixel mapping tells reliably; anything else (metafiles,
// scaled or mirrored DCs) gets every row.
VisibleArea FindVisibleArea(HDC dc, int64_t destX, int64_t destY, int64_t width, int64_t height) {
  const VisibleArea all{{0, width}, {0, height}};
  const DWORD type = GetObjectType(dc);
  if (type != OBJ_DC && type != OBJ_MEMDC) return all;
  if (GetMapMode(dc) != MM_TEXT || GetLayout(dc) != 0 || !IsIdentity(dc)) return all;
  RECT clip;
  const int kind = GetClipBox(dc, &clip);
  if (kind == ERROR) return all;
  if (kind == NULLREGION) return {};
  return {core::VisibleRange(destX, width, clip.left, clip.right),
          core::VisibleRange(destY, height, clip.top, clip.bottom)};
}

bool FitsInt(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

void DrawRows(HDC dc, int64_t destX, int64_t destY, int64_t n, int64_t destHeight, const TDibImage& image,
              int64_t srcX, int64_t srcTop, int64_t srcWidth, int64_t srcHeight, int bytesPerPixel) {
  RowDrawStats& stats = LastRowDrawStats();
  stats = {};
  if (!IsDrawable(image) || n <= 0 || destHeight <= 0) return;
  const VisibleArea vis = FindVisibleArea(dc, destX, destY, n, destHeight);
  if (vis.cols.empty() || vis.rows.empty()) return;

  const bool indexed = bytesPerPixel == 1;
  OwnedDib row = OwnedDib::New(static_cast<int32_t>(n), 1, indexed ? 8 : 24, indexed ? image.Info : nullptr,
                               indexed ? 256 : 0);
  if (!row) return;
  const core::ColumnMap map = core::BuildColumnMap(srcX, srcWidth, n, DIBWidth(image), bytesPerPixel);
  const int64_t copyFirst = std::max(map.first, vis.cols.begin);
  const int64_t copyLast = std::min(map.last, vis.cols.end - 1);

  const int64_t H = DIBHeight(image);
  const int64_t stride = image.BytesPerRow;
  const int64_t maxOffset = (H - 1) * stride;
  const auto* src = static_cast<const uint8_t*>(image.Bits);
  auto* buf = static_cast<uint8_t*>(row.get().Bits);
  const int64_t sendX = destX + vis.cols.begin;
  const int64_t sendWidth = vis.cols.end - vis.cols.begin;
  int64_t prev = -1;
  for (int64_t r = vis.rows.begin; r < vis.rows.end; ++r) {
    const int64_t y = core::SourceRowFromTop(srcTop, srcHeight, destHeight, r);
    const int64_t off = (H - 1 - y) * stride;
    if (off < 0 || off > maxOffset) {
      std::memset(buf, 0, static_cast<size_t>(row.get().BytesPerRow));
      prev = -1;  // the buffer no longer holds any source row
    } else if (off != prev) {
      const uint8_t* line = src + off;
      if (indexed) {
        for (int64_t j = copyFirst; j <= copyLast; ++j) buf[j] = line[map.offsets[j]];
      } else {
        for (int64_t j = copyFirst; j <= copyLast; ++j) std::memcpy(buf + 3 * j, line + map.offsets[j], 3);
      }
      prev = off;
      ++stats.rowsCopied;
    }
    const int64_t sendY = destY + r;
    if (!FitsInt(sendX) || !FitsInt(sendY)) continue;
    Gdi().setDIBitsToDevice(dc, static_cast<int>(sendX), static_cast<int>(sendY), static_cast<DWORD>(sendWidth), 1,
                            static_cast<int>(vis.cols.begin), 0, 0, 1, buf, row.get().Info, DIB_RGB_COLORS);
    ++stats.rowsSent;
  }
}

}  // namespace
}  // namespace raster

void DrawDIBRows24(HDC dc, int32_t destX, int32_t destY, int32_t destWidth, int32_t destHeight,
                   const TDibImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight) {
  raster::DrawRows(dc, destX, destY, destWidth, destHeight, image, srcX, srcTop, srcWidth, srcHeight, 3);
}

void DrawDIBRows8(HDC dc, int32_t destX, int32_t destY, int32_t destWidth, int32_t destHeight,
                  const TDibImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight) {
  raster::DrawRows(dc, destX, destY, destWidth, destHeight, image, srcX, srcTop, srcWidth, srcHeight, 1);
}
