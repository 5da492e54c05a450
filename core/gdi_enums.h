// The GDI enumerations, flags and structure sizes that metafile records carry,
// as the file formats define them. render/documents checks each value against
// the platform's headers at compile time.
#pragma once
#include <cstdint>

namespace core {
namespace gdi {

// World transform modifications; 4 (set) is the file format's own addition.
inline constexpr uint32_t kMwtIdentity = 1, kMwtLeftMultiply = 2, kMwtSet = 4;

// Text output options; the last two are the small-text record's own.
inline constexpr uint32_t kEtoOpaque = 0x2, kEtoClipped = 0x4, kEtoPdy = 0x2000, kEtoNoRect = 0x100,
                          kEtoSmallChars = 0x200;

// Brush styles and hatches. Pattern styles carry a bitmap, or in a record
// that has none, a handle or a pointer of the recording process.
inline constexpr uint32_t kBsSolid = 0, kBsNull = 1, kBsHatched = 2, kBsPattern = 3, kBsDibPattern = 5,
                          kBsDibPatternPt = 6;
inline constexpr uint32_t kHsDiagCross = 5;

// Region data: a 32-byte header, then nCount rectangles of 16 bytes.
inline constexpr uint32_t kRgnDataHeaderBytes = 32, kRgnDataCount = 8;

// LOGFONTW: 92 bytes, the face name of 32 UTF-16 units from byte 28.
inline constexpr uint32_t kLogFontWBytes = 92, kLogFontFaceName = 28, kLfFaceSize = 32;
// LOGCOLORSPACEA and LOGCOLORSPACEW: the file name of 260 units from byte 68.
inline constexpr uint32_t kLogColorSpaceABytes = 328, kLogColorSpaceWBytes = 588, kLogColorSpaceName = 68,
                          kMaxPath = 260;

// Escapes of a Windows metafile that control a print job or ask the device
// for answers: a picture has no job, and their answers would go nowhere.
inline constexpr uint16_t kEscNewFrame = 1, kEscAbortDoc = 2, kEscSetAbortProc = 9, kEscStartDoc = 10,
                          kEscEndDoc = 11, kEscGetPhysPageSize = 12, kEscGetPrintingOffset = 13,
                          kEscGetScalingFactor = 14, kEscMfComment = 15;

}  // namespace gdi
}  // namespace core
