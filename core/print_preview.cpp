#include "core/print_preview.h"

#include <algorithm>

#include "core/preview_fit.h"

namespace core {
namespace {

// One page coordinate on the preview's axis: origin + v * scaled / whole,
// rounded down, with v clamped to the sheet.
int32_t MapEdge(int64_t v, int32_t origin, int32_t scaled, int32_t whole) {
  v = std::clamp<int64_t>(v, 0, whole);
  return origin + static_cast<int32_t>(v * scaled / whole);
}

PrintRect MapRect(const PageGeometry& page, const PrintRect& sheet, int64_t x, int64_t y, int64_t w, int64_t h,
                  bool keepVisible) {
  PrintRect r;
  r.x = MapEdge(x, sheet.x, sheet.width, page.pageWidth);
  r.y = MapEdge(y, sheet.y, sheet.height, page.pageHeight);
  r.width = MapEdge(x + w, sheet.x, sheet.width, page.pageWidth) - r.x;
  r.height = MapEdge(y + h, sheet.y, sheet.height, page.pageHeight) - r.y;
  if (keepVisible && w > 0 && h > 0) {
    r.width = std::max(r.width, 1);
    r.height = std::max(r.height, 1);
  }
  return r;
}

}  // namespace

PagePreview PreviewPage(const PageGeometry& page, const PrintRect& placed, int32_t boxWidth, int32_t boxHeight,
                        int32_t margin) {
  PagePreview out;
  const int32_t innerW = boxWidth - 2 * std::max(margin, 0);
  const int32_t innerH = boxHeight - 2 * std::max(margin, 0);
  if (page.pageWidth <= 0 || page.pageHeight <= 0 || innerW <= 0 || innerH <= 0) return out;
  const auto fit = FitPreview(innerW, innerH, page.pageWidth, page.pageHeight);
  if (!fit || fit->width <= 0 || fit->height <= 0) return out;
  out.page = PrintRect{fit->x + std::max(margin, 0), fit->y + std::max(margin, 0), fit->width, fit->height};
  out.printable = MapRect(page, out.page, page.printableX, page.printableY, page.printableWidth,
                          page.printableHeight, true);
  if (placed.width > 0 && placed.height > 0)
    out.picture = MapRect(page, out.page, int64_t{page.printableX} + placed.x, int64_t{page.printableY} + placed.y,
                          placed.width, placed.height, true);
  return out;
}

}  // namespace core
