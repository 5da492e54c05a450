// The layout of a bottom-up 24-bit BMP file: its 54 header bytes (file header
// and BITMAPINFOHEADER, little-endian) and the sizes that go with them. Rows
// are stored bottom row first, which every reader of the format accepts (a
// negative height for top-down rows is refused by some).
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// A BMP file's size fields hold 32 bits, so pictures whose file would pass
// 4 GB are refused rather than written with sizes that readers misread.
inline constexpr uint64_t kMaxBmpFileBytes = 0xFFFFFFFFu;
inline constexpr uint32_t kBmpFileHeaderBytes = 14;
inline constexpr uint32_t kBmpInfoHeaderBytes = 40;
inline constexpr uint32_t kBmpHeaderBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;

struct BmpLayout {
  std::vector<uint8_t> header;  // kBmpHeaderBytes, as they open the file
  int64_t stride = 0;           // bytes per row, padded to 4
  uint64_t imageBytes = 0;      // stride x height
  uint64_t fileBytes = 0;       // headers and pixels

  // File offset of the lowest of `rows` picture rows whose top one is row
  // `top` counted from the picture's top: a band of rows written bottom row
  // first lands there in one piece.
  uint64_t BandOffset(int32_t height, int32_t top, int32_t rows) const;
};

// The layout of a width x height picture whose resolution is `dpi` dots per
// inch (stored as pixels per metre; 0 stores none); nothing for sizes below 1
// or a file past 4 GB.
std::optional<BmpLayout> MakeBmpLayout(int32_t width, int32_t height, int32_t dpi);

}  // namespace core
