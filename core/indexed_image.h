// Pictures of few colours and the two file layouts the program's own
// resources use: GIF 89a (LZW-compressed) and 16-colour BMP.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace core {

struct IndexedImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB, at most 256 entries
  std::vector<uint8_t> indexes;   // top-down, one per pixel
};

// The palette of the distinct colours in first-seen order, or nothing when
// there are more than maxColours. Pixels are 0x00RRGGBB (higher bits ignored).
std::optional<IndexedImage> ToIndexed(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                      size_t maxColours);

// A whole GIF 89a file with one image and a global colour table.
std::vector<uint8_t> EncodeGif89a(const IndexedImage& image);

// A whole BMP file of 4 bits per pixel with a 16-entry colour table; the
// palette must have at most 16 colours.
std::vector<uint8_t> EncodeBmp4(const IndexedImage& image);

}  // namespace core
