// The GDI enumerations, flags and structure sizes that metafile records carry,
// as the file formats define them. render/documents checks each value against
// the platform's headers at compile time.
#pragma once
#include <cstdint>

namespace core {
namespace gdi {

// Mapping modes.
inline constexpr uint32_t kMmText = 1, kMmAnisotropic = 8;
// Background modes.
inline constexpr uint32_t kTransparent = 1, kOpaque = 2;
// Polygon fill modes.
inline constexpr uint32_t kAlternate = 1, kWinding = 2;
// Binary raster operations.
inline constexpr uint32_t kR2Black = 1, kR2White = 16;
// Stretching modes.
inline constexpr uint32_t kBlackOnWhite = 1, kHalftone = 4;
// Arc directions.
inline constexpr uint32_t kAdCounterClockwise = 1, kAdClockwise = 2;
// Colour management modes.
inline constexpr uint32_t kIcmOff = 1, kIcmDoneOutsideDC = 4;
// Layout flags.
inline constexpr uint32_t kLayoutRtl = 1, kLayoutBitmapOrientationPreserved = 8;
// World transform modifications; 4 (set) is the file format's own addition.
inline constexpr uint32_t kMwtIdentity = 1, kMwtRightMultiply = 3, kMwtSet = 4;
// Graphics modes.
inline constexpr uint32_t kGmCompatible = 1, kGmAdvanced = 2;

// Text output options.
inline constexpr uint32_t kEtoOpaque = 0x2, kEtoClipped = 0x4, kEtoGlyphIndex = 0x10,
                          kEtoRtlReading = 0x80, kEtoNumericsLocal = 0x400,
                          kEtoNumericsLatin = 0x800, kEtoIgnoreLanguage = 0x1000, kEtoPdy = 0x2000;

// Pen styles.
inline constexpr uint32_t kPsInsideFrame = 6, kPsUserStyle = 7, kPsAlternate = 8,
                          kPsStyleMask = 0xF, kPsEndcapFlat = 0x200, kPsEndcapMask = 0xF00,
                          kPsJoinMiter = 0x2000, kPsJoinMask = 0xF000, kPsTypeMask = 0xF0000;
// Brush styles and hatches.
inline constexpr uint32_t kBsSolid = 0, kBsNull = 1, kBsHatched = 2;
inline constexpr uint32_t kHsDiagCross = 5;

// Region combination modes and region data.
inline constexpr uint32_t kRgnAnd = 1, kRgnCopy = 5;
inline constexpr uint32_t kRdhRectangles = 1;
inline constexpr uint32_t kRgnDataHeaderBytes = 32;

// Stock objects.
inline constexpr uint32_t kDefaultPalette = 15, kStockLast = 19;

// LOGFONTW: 92 bytes, the face name of 32 UTF-16 units from byte 28.
inline constexpr uint32_t kLogFontWBytes = 92, kLogFontFaceName = 28, kLfFaceSize = 32;

}  // namespace gdi
}  // namespace core
