// EMF+ record and object numbers, and the flag bits the checks read. EMF+
// records live inside EMR_GDICOMMENT records whose data begins with "EMF+";
// each has a 12-byte header: type (16 bits), flags (16), size (32, the whole
// record), data size (32, what follows the header).
#pragma once
#include <cstdint>

namespace core {
namespace emfplus {

inline constexpr uint32_t kSignature = 0x2B464D45;  // "EMF+" read as a little-endian word
inline constexpr uint32_t kRecordHeaderBytes = 12;
inline constexpr uint32_t kObjectSlots = 64;  // the player's object table

inline constexpr uint16_t kHeader = 0x4001, kEndOfFile = 0x4002, kComment = 0x4003, kGetDC = 0x4004,
                          kMultiFormatStart = 0x4005, kMultiFormatSection = 0x4006, kMultiFormatEnd = 0x4007,
                          kObject = 0x4008, kClear = 0x4009, kFillRects = 0x400A, kDrawRects = 0x400B,
                          kFillPolygon = 0x400C, kDrawLines = 0x400D, kFillEllipse = 0x400E,
                          kDrawEllipse = 0x400F, kFillPie = 0x4010, kDrawPie = 0x4011, kDrawArc = 0x4012,
                          kFillRegion = 0x4013, kFillPath = 0x4014, kDrawPath = 0x4015,
                          kFillClosedCurve = 0x4016, kDrawClosedCurve = 0x4017, kDrawCurve = 0x4018,
                          kDrawBeziers = 0x4019, kDrawImage = 0x401A, kDrawImagePoints = 0x401B,
                          kDrawString = 0x401C, kSetRenderingOrigin = 0x401D, kSetAntiAliasMode = 0x401E,
                          kSetTextRenderingHint = 0x401F, kSetTextContrast = 0x4020,
                          kSetInterpolationMode = 0x4021, kSetPixelOffsetMode = 0x4022,
                          kSetCompositingMode = 0x4023, kSetCompositingQuality = 0x4024, kSave = 0x4025,
                          kRestore = 0x4026, kBeginContainer = 0x4027, kBeginContainerNoParams = 0x4028,
                          kEndContainer = 0x4029, kSetWorldTransform = 0x402A, kResetWorldTransform = 0x402B,
                          kMultiplyWorldTransform = 0x402C, kTranslateWorldTransform = 0x402D,
                          kScaleWorldTransform = 0x402E, kRotateWorldTransform = 0x402F,
                          kSetPageTransform = 0x4030, kResetClip = 0x4031, kSetClipRect = 0x4032,
                          kSetClipPath = 0x4033, kSetClipRegion = 0x4034, kOffsetClip = 0x4035,
                          kDrawDriverString = 0x4036, kStrokeFillPath = 0x4037, kSerializableObject = 0x4038,
                          kSetTSGraphics = 0x4039, kSetTSClip = 0x403A;
inline constexpr uint16_t kFirstRecord = kHeader, kLastRecord = kSetTSClip;
// Types the player hands to its EMF player as plain EMF records.
inline constexpr uint16_t kLastEmfRecord = 0x7A;

// Kinds of object an EmfPlusObject record defines (bits 8-14 of its flags).
inline constexpr uint8_t kObjBrush = 1, kObjPen = 2, kObjPath = 3, kObjRegion = 4, kObjImage = 5, kObjFont = 6,
                         kObjStringFormat = 7, kObjImageAttributes = 8, kObjCustomLineCap = 9;

// Record flags.
inline constexpr uint16_t kFlagSolidColor = 0x8000;  // S: a brush id field holds an ARGB colour instead
inline constexpr uint16_t kFlagContinued = 0x8000;   // an object record whose object goes on in the next
inline constexpr uint16_t kFlagCompressed = 0x4000;  // C: 16-bit integer points and rectangles
inline constexpr uint16_t kFlagRelative = 0x0800;    // P: relative points of one or two bytes a coordinate
inline constexpr uint16_t kFlagTSClipCompressed = 0x8000;

// Path point flags, also used by records that carry points.
inline constexpr uint32_t kPathCompressed = 0x4000, kPathRle = 0x1000, kPathRelative = 0x0800;

}  // namespace emfplus

// "EmfPlusFillRects" for 0x400A; nullptr for a number the format does not define.
const char* EmfPlusRecordName(uint16_t type);

// Records that make an object or draw: a player that cannot play one of them
// leaves part of the picture out. (The others set state: transforms, clips,
// rendering hints, containers, comments.)
bool IsEmfPlusDrawingRecord(uint16_t type);

}  // namespace core
