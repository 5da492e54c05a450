// Size arithmetic of a render: the framed picture's size and offsets, the
// strip sequence, progress values and where a strip's rows land in the target.
// No handles here, so every formula is tested on its own.
#pragma once
#include <cstdint>
#include <vector>

namespace core {

// What Render reads from the size band when it starts.
struct RenderSettings {
  int32_t width = 750;     // W, 1..30000
  int32_t height = 1000;   // H, 1..30000
  bool border = false;
  int32_t left = 0;        // percent of W, 0..100
  int32_t right = 0;       // percent of W, 0..100
  int32_t top = 0;         // percent of H, 0..100
  int32_t bottom = 0;      // percent of H, 0..1000
  uint32_t color = 0x00FFFFFF;  // 0x00BBGGRR
};

inline constexpr int32_t kMaxSide = 30000;
inline constexpr int32_t kMaxEdgePercent = 100;
inline constexpr int32_t kMaxBottomPercent = 1000;
inline constexpr int32_t kStripRows = 500;

// The settings forced into the ranges of the size band's fields, as the fields
// themselves do when they lose the focus; anything else would ask for a
// negative or absurd picture.
RenderSettings ClampedSettings(const RenderSettings& s);

struct FrameGeometry {
  int32_t totalWidth = 0;
  int32_t totalHeight = 0;
  int32_t leftOffset = 0;
  int32_t topOffset = 0;
};

// Sizes of the framed picture for settings within range. Every quotient
// truncates; the largest product, 1200 x 30000, still fits in 32 bits, but the
// sums are formed in 64 bits so out-of-range input cannot wrap.
FrameGeometry ComputeFrame(const RenderSettings& s);

// Rows of the strip that starts at rowsDone: 500, or what is left.
int32_t StripRows(int32_t height, int32_t rowsDone);

// One strip: its top picture row and its rows.
struct StripSpan {
  int32_t top;
  int32_t rows;
};
// The strips of a picture `height` rows high: 500 rows each from the top, the
// rest in the last. Top strip first, or bottom strip first for a file whose
// rows are stored bottom-up; the strips are the same either way.
std::vector<StripSpan> StripSequence(int32_t height, bool bottomFirst);

// Progress after a strip: the share of picture rows up to its end, in percent.
int32_t StripProgress(int32_t rowsBefore, int32_t stripRows, int32_t height);

// Bytes per row of an uncompressed DIB: width x bits rounded up to 32 bits.
int64_t DibStride(int32_t width, int32_t bitsPerPixel);

// Memory row of the target that receives strip memory row i (both bottom-up).
int64_t TargetRowForStripRow(const FrameGeometry& f, int32_t rowsDone, int32_t stripRows, int32_t i);

// The border colour's pixel bytes in memory order: blue, green, red.
struct PixelBytes {
  uint8_t b, g, r;
};
PixelBytes BorderPixel(uint32_t color);

}  // namespace core
