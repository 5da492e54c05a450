// Enhanced metafile record types and the layouts of the records that carry
// bitmaps, as the file format defines them. render/documents checks each value
// against the platform's headers at compile time.
#pragma once
#include <cstdint>

namespace core {
namespace emr {

inline constexpr uint32_t kHeader = 1, kPolyBezier = 2, kPolygon = 3, kPolyline = 4,
                          kPolyBezierTo = 5, kPolylineTo = 6, kPolyPolyline = 7, kPolyPolygon = 8,
                          kSetWindowExtEx = 9, kSetWindowOrgEx = 10, kSetViewportExtEx = 11,
                          kSetViewportOrgEx = 12, kSetBrushOrgEx = 13, kEof = 14, kSetPixelV = 15,
                          kSetMapperFlags = 16, kSetMapMode = 17, kSetBkMode = 18,
                          kSetPolyFillMode = 19, kSetRop2 = 20, kSetStretchBltMode = 21,
                          kSetTextAlign = 22, kSetColorAdjustment = 23, kSetTextColor = 24,
                          kSetBkColor = 25, kOffsetClipRgn = 26, kMoveToEx = 27, kSetMetaRgn = 28,
                          kExcludeClipRect = 29, kIntersectClipRect = 30, kScaleViewportExtEx = 31,
                          kScaleWindowExtEx = 32, kSaveDC = 33, kRestoreDC = 34,
                          kSetWorldTransform = 35, kModifyWorldTransform = 36, kSelectObject = 37,
                          kCreatePen = 38, kCreateBrushIndirect = 39, kDeleteObject = 40,
                          kAngleArc = 41, kEllipse = 42, kRectangle = 43, kRoundRect = 44, kArc = 45,
                          kChord = 46, kPie = 47, kSelectPalette = 48, kCreatePalette = 49,
                          kSetPaletteEntries = 50, kResizePalette = 51, kRealizePalette = 52,
                          kExtFloodFill = 53, kLineTo = 54, kArcTo = 55, kPolyDraw = 56,
                          kSetArcDirection = 57, kSetMiterLimit = 58, kBeginPath = 59, kEndPath = 60,
                          kCloseFigure = 61, kFillPath = 62, kStrokeAndFillPath = 63,
                          kStrokePath = 64, kFlattenPath = 65, kWidenPath = 66,
                          kSelectClipPath = 67, kAbortPath = 68, kGdiComment = 70, kFillRgn = 71,
                          kFrameRgn = 72, kInvertRgn = 73, kPaintRgn = 74, kExtSelectClipRgn = 75,
                          kBitBlt = 76, kStretchBlt = 77, kMaskBlt = 78, kPlgBlt = 79,
                          kSetDIBitsToDevice = 80, kStretchDIBits = 81,
                          kExtCreateFontIndirectW = 82, kExtTextOutA = 83, kExtTextOutW = 84,
                          kPolyBezier16 = 85, kPolygon16 = 86, kPolyline16 = 87,
                          kPolyBezierTo16 = 88, kPolylineTo16 = 89, kPolyPolyline16 = 90,
                          kPolyPolygon16 = 91, kPolyDraw16 = 92, kCreateMonoBrush = 93,
                          kCreateDIBPatternBrushPt = 94, kExtCreatePen = 95, kPolyTextOutA = 96,
                          kPolyTextOutW = 97, kSetIcmMode = 98, kCreateColorSpace = 99,
                          kSetColorSpace = 100, kDeleteColorSpace = 101, kGlsRecord = 102,
                          kGlsBoundedRecord = 103, kPixelFormat = 104, kDrawEscape = 105,
                          kExtEscape = 106, kSmallTextOut = 108, kForceUfiMapping = 109,
                          kNamedEscape = 110, kColorCorrectPalette = 111, kSetIcmProfileA = 112,
                          kSetIcmProfileW = 113, kAlphaBlend = 114, kSetLayout = 115,
                          kTransparentBlt = 116, kGradientFill = 118, kSetLinkedUfis = 119,
                          kSetTextJustification = 120, kColorMatchToTargetW = 121,
                          kCreateColorSpaceW = 122;

// " EMF" in the header's dSignature.
inline constexpr uint32_t kSignature = 0x464D4520;
inline constexpr uint32_t kHeaderMinBytes = 88;  // ENHMETAHEADER without the pixel-format fields

// Where one embedded bitmap's fields sit in a record: the colour usage, the
// header's offset and size, the pixels' offset and size (all from the record's
// start, in bytes).
struct BitmapFields {
  uint32_t usage, offBmi, cbBmi, offBits, cbBits;
};

// Fixed sizes and field offsets of the records that carry bitmaps.
namespace layout {
// BITBLT, STRETCHBLT, MASKBLT, ALPHABLEND and TRANSPARENTBLT share their head:
// bounds 8, destination 24 (x, y, cx, cy), raster operation or blend 40, source
// point 44, source transform 52, background colour 76, source bitmap 80.
inline constexpr uint32_t kBlitDest = 24, kBlitRop = 40, kBlitSrc = 44, kBlitXform = 52;
inline constexpr BitmapFields kBlitSource{80, 84, 88, 92, 96};
inline constexpr uint32_t kBitBltBytes = 100;
inline constexpr uint32_t kStretchBltSrcSize = 100, kStretchBltBytes = 108;  // also ALPHABLEND, TRANSPARENTBLT
inline constexpr uint32_t kMaskBltMaskPoint = 100;
inline constexpr BitmapFields kMaskBltMask{108, 112, 116, 120, 124};
inline constexpr uint32_t kMaskBltBytes = 128;
// PLGBLT: bounds 8, three destination points 24, source rectangle 48, transform 64.
inline constexpr uint32_t kPlgBltPoints = 24, kPlgBltSrc = 48, kPlgBltXform = 64;
inline constexpr BitmapFields kPlgBltSource{92, 96, 100, 104, 108};
inline constexpr uint32_t kPlgBltMaskPoint = 112;
inline constexpr BitmapFields kPlgBltMask{120, 124, 128, 132, 136};
inline constexpr uint32_t kPlgBltBytes = 140;
// SETDIBITSTODEVICE: bounds 8, destination point 24, source rectangle 32.
inline constexpr uint32_t kSetDIBitsDest = 24, kSetDIBitsSrc = 32;
inline constexpr BitmapFields kSetDIBitsSource{64, 48, 52, 56, 60};
inline constexpr uint32_t kSetDIBitsStartScan = 68, kSetDIBitsScans = 72, kSetDIBitsBytes = 76;
// STRETCHDIBITS: bounds 8, destination point 24, source rectangle 32, rop 68, destination size 72.
inline constexpr uint32_t kStretchDIBitsDest = 24, kStretchDIBitsSrc = 32, kStretchDIBitsRop = 68,
                          kStretchDIBitsDestSize = 72, kStretchDIBitsBytes = 80;
inline constexpr BitmapFields kStretchDIBitsSource{64, 48, 52, 56, 60};
// CREATEMONOBRUSH and CREATEDIBPATTERNBRUSHPT: object index 8, then the bitmap.
inline constexpr uint32_t kBrushIndex = 8, kBrushBytes = 32;
inline constexpr BitmapFields kBrushBitmap{12, 16, 20, 24, 28};
// EXTCREATEPEN: object index 8, the bitmap's offsets and sizes 12, EXTLOGPEN32 28.
inline constexpr uint32_t kExtPenIndex = 8, kExtPenLogPen = 28, kExtPenFixedBytes = 52;
inline constexpr uint32_t kExtPenOffBmi = 12, kExtPenCbBmi = 16, kExtPenOffBits = 20, kExtPenCbBits = 24;
// EXTSELECTCLIPRGN: region bytes 8, mode 12, RGNDATA 16.
inline constexpr uint32_t kClipRgnBytes = 8, kClipRgnMode = 12, kClipRgnData = 16;
// The fixed part the platform's structure declares (with its one-byte data
// array, padded); a record at least this long plus a region header has its
// region read by the player whatever cbRgnData says.
inline constexpr uint32_t kClipRgnStructBytes = 20;
}  // namespace layout

}  // namespace emr

// "EMR_BITBLT" for 76; nullptr for a number the format does not define.
const char* EmfRecordName(uint32_t type);

}  // namespace core
