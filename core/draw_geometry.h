// The arithmetic of the display routine, free of handles: clipping the source
// rectangle to the image, choosing the way of drawing, the column map, the
// source row of each destination row, and the rows a clip box leaves visible.
// Everything is computed in 64 bits, so pictures wider or higher than 46341
// pixels keep exact products.
#pragma once
#include <cstdint>
#include <vector>

namespace core {

// num / den rounded to the nearest integer, halves to the even neighbour.
// den must not be 0.
int64_t RoundHalfEven(int64_t num, int64_t den);
// a * b / den rounded the same way; a product beyond 64 bits is rounded in
// extended precision instead, which only inputs far outside GDI's range reach.
int64_t ScaleRound(int64_t a, int64_t b, int64_t den);

struct DrawRect {
  int64_t destX = 0, destY = 0, destWidth = 0, destHeight = 0;
  int64_t srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;  // srcY counts rows up from the bottom
  bool operator==(const DrawRect&) const = default;
};

// Clips the source rectangle to a W x H image: right, bottom, top, left edge in
// turn, each using what the ones before left. Cutting the right or bottom
// shortens the destination; cutting the top or left also moves its edge inward.
// srcWidth and srcHeight must be positive.
DrawRect ClipToImage(DrawRect r, int64_t imageWidth, int64_t imageHeight);

// True when every field fits a signed 32-bit GDI coordinate.
bool FitsGdi(const DrawRect& r);

enum class Way { Halftone, Rows24, Rows8, DeviceStretch };

Way ChooseWay(int bitCount, int screenBitsPerPixel, bool halftone, bool isPrinter);

// Byte offset within a source row for each destination column, and the span
// First..Last of columns that fall inside the image (First > Last: none).
struct ColumnMap {
  std::vector<int64_t> offsets;
  int64_t first = 0;
  int64_t last = 0;
};
ColumnMap BuildColumnMap(int64_t srcX, int64_t srcWidth, int64_t destWidth, int64_t imageWidth,
                         int bytesPerPixel);

// Source row, counted from the image's top, that destination row r shows.
int64_t SourceRowFromTop(int64_t srcTop, int64_t srcHeight, int64_t destHeight, int64_t r);

// Nearest-neighbour index including both end points, for the scratch copy:
// src0 + (srcLen - 1) * i / (destLen - 1); every i maps to src0 when destLen is 1.
int64_t EndpointIndex(int64_t src0, int64_t srcLen, int64_t destLen, int64_t i);

// Indices i in [0, count) whose device position start + i lies in [clipBegin, clipEnd).
struct IndexRange {
  int64_t begin = 0;
  int64_t end = 0;  // exclusive
  bool empty() const { return end <= begin; }
  bool operator==(const IndexRange&) const = default;
};
IndexRange VisibleRange(int64_t start, int64_t count, int64_t clipBegin, int64_t clipEnd);

}  // namespace core
