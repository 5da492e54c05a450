// Resampling of a decoded image into part of a destination rectangle. Every
// destination pixel depends only on the full destination size and its own
// position in it, never on which part is being computed, so drawing a picture in
// strips gives exactly the pixels of drawing it whole.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core {

// Pixels as 0x00RRGGBB (B, G, R, x in memory), top row first.
struct ImagePixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> data;
};

// The run of source pixels one destination pixel takes its colour from.
struct SourceSpan {
  int32_t first = 0;
  int32_t count = 1;
};

// For destination pixels [from, to) of a destination `dest` pixels long, drawn
// from `source` pixels: enlarging picks the source pixel under the destination
// pixel's centre, reducing averages the source pixels whose start falls in it.
std::vector<SourceSpan> MapAxis(int64_t source, int64_t dest, int64_t from, int64_t to);

// Fills out (cols.size() x rows.size(), top row first) with the average colour
// of each span's source block.
void ScaleBlock(const ImagePixels& src, const std::vector<SourceSpan>& cols,
                const std::vector<SourceSpan>& rows, uint32_t* out);

// Blends straight-alpha BGRA over white paper, in place; the alpha byte becomes 0.
void CompositeOverWhite(uint32_t* pixels, size_t count);

}  // namespace core
