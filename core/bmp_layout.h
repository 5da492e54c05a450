// The layout of a bottom-up 24-bit BMP file: its 54 header bytes (file header
// and BITMAPINFOHEADER, little-endian) and the sizes that go with them.
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
};

// The layout of a width x height picture; nothing for sizes below 1 or a file
// past 4 GB.
std::optional<BmpLayout> MakeBmpLayout(int32_t width, int32_t height);

}  // namespace core
