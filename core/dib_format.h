// Device-independent bitmap headers as the file formats store them: header
// sizes, field offsets, compressions and colour-table kinds. render/documents
// checks each value against the platform's headers at compile time.
#pragma once
#include <cstdint>

namespace core {
namespace dib {

// BITMAPCOREHEADER, BITMAPINFOHEADER, its V2 and V3 extensions (with the colour
// masks, then alpha mask), BITMAPV4HEADER and BITMAPV5HEADER.
inline constexpr uint32_t kCoreHeaderBytes = 12, kInfoHeaderBytes = 40, kV2HeaderBytes = 52,
                          kV3HeaderBytes = 56, kV4HeaderBytes = 108, kV5HeaderBytes = 124;

// BITMAPINFOHEADER fields.
inline constexpr uint32_t kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14,
                          kCompression = 16, kSizeImage = 20, kClrUsed = 32;
// Where the three colour masks of a bit-field bitmap are read: right after the
// 40 bytes of BITMAPINFOHEADER, inside the larger headers.
inline constexpr uint32_t kMasks = 40, kMaskBytes = 12;

// Compressions.
inline constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4,
                          kBiPng = 5;
// What the colour table holds.
inline constexpr uint32_t kRgbColors = 0, kPalColors = 1, kPalIndices = 2;

}  // namespace dib
}  // namespace core
