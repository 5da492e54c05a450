// Where the preview draws a document: fitted into the holder's area with the
// document's aspect ratio kept, centred.
#pragma once
#include <cstdint>
#include <optional>

namespace core {

struct PreviewRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PreviewRect&) const = default;
};

// Area W x H, extent CX x CY (HIMETRIC; only the ratio counts). When the area is
// relatively wider than the document (W * CY > H * CX) the height fills it,
// otherwise the width; leftovers split with the smaller half first. Products
// are 64-bit, divisions truncate. An extent of (0, Y) gives an empty-width
// rectangle (nothing in an area of width 0) and (X, 0) an empty-height one;
// (0, 0), a negative extent or a negative area give nothing to draw.
std::optional<PreviewRect> FitPreview(int32_t w, int32_t h, int32_t cx, int32_t cy);

}  // namespace core
