#include "core/render_geometry.h"

#include <algorithm>

namespace core {

RenderSettings ClampedSettings(const RenderSettings& s) {
  RenderSettings c = s;
  c.width = std::clamp(s.width, 1, kMaxSide);
  c.height = std::clamp(s.height, 1, kMaxSide);
  c.left = std::clamp(s.left, 0, kMaxEdgePercent);
  c.right = std::clamp(s.right, 0, kMaxEdgePercent);
  c.top = std::clamp(s.top, 0, kMaxEdgePercent);
  c.bottom = std::clamp(s.bottom, 0, kMaxBottomPercent);
  return c;
}

FrameGeometry ComputeFrame(const RenderSettings& s) {
  FrameGeometry f{s.width, s.height, 0, 0};
  if (!s.border) return f;
  const int64_t w = s.width, h = s.height;
  f.totalWidth = static_cast<int32_t>((int64_t{s.left} + 100 + s.right) * w / 100);
  f.totalHeight = static_cast<int32_t>((int64_t{s.top} + 100 + s.bottom) * h / 100);
  f.leftOffset = static_cast<int32_t>(int64_t{s.left} * w / 100);
  f.topOffset = static_cast<int32_t>(int64_t{s.top} * h / 100);
  return f;
}

int32_t StripRows(int32_t height, int32_t rowsDone) {
  const int32_t left = height - rowsDone;
  return left > kStripRows ? kStripRows : left;
}

std::vector<StripSpan> StripSequence(int32_t height, bool bottomFirst) {
  std::vector<StripSpan> strips;
  for (int32_t done = 0; done < height; done += StripRows(height, done)) strips.push_back({done, StripRows(height, done)});
  if (bottomFirst) std::reverse(strips.begin(), strips.end());
  return strips;
}

int32_t StripProgress(int32_t rowsBefore, int32_t stripRows, int32_t height) {
  if (height <= 0) return 0;
  return static_cast<int32_t>((int64_t{rowsBefore} + stripRows) * 100 / height);
}

int64_t DibStride(int32_t width, int32_t bitsPerPixel) {
  return (int64_t{width} * bitsPerPixel + 31) / 32 * 4;
}

int64_t TargetRowForStripRow(const FrameGeometry& f, int32_t rowsDone, int32_t stripRows, int32_t i) {
  // Strip memory row i is strip row h-1-i from the top, which sits at target
  // row topOffset + rowsDone + h-1-i from the top; memory rows count from the bottom.
  return int64_t{f.totalHeight} - f.topOffset - rowsDone - stripRows + i;
}

PixelBytes BorderPixel(uint32_t color) {
  return PixelBytes{static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                    static_cast<uint8_t>(color)};
}

}  // namespace core
