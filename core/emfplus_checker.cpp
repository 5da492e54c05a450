// The walk of EMF+ records through a comment and the checks of the drawing and
// state records; emfplus_objects.cpp checks the objects records define.
#include "core/emfplus_checker.h"

#include <algorithm>
#include <cstdio>

namespace core {
namespace emfplus {
namespace {

// The player keeps its walk's offset in an int, so no comment may reach 2 GB.
constexpr uint64_t kMaxCommentBytes = 0x7FFFFFF0;

std::string Hex4(uint16_t v) {
  char s[8];
  std::snprintf(s, sizeof s, "0x%04X", v);
  return s;
}

}  // namespace
}  // namespace emfplus

using namespace emfplus;

bool EmfPlusChecker::Fail(std::string detail) {
  detail_ = std::move(detail);
  return false;
}

bool EmfPlusChecker::Min(const ByteReader& d, uint64_t bytes) {
  return d.size() >= bytes || Fail("with less data than its fields need");
}

bool EmfPlusChecker::Id(uint32_t id, const char* what) {
  return id < kObjectSlots || Fail("that uses " + std::string(what) + " " + std::to_string(id) +
                                   " outside the object table");
}

// Image attributes and string formats may be absent, written as all ones.
bool EmfPlusChecker::OptionalId(uint32_t id, const char* what) { return id == 0xFFFFFFFFu || Id(id, what); }

// The S flag makes the brush field a colour; otherwise it names a brush object.
bool EmfPlusChecker::BrushField(const ByteReader& d, uint16_t flags) {
  return Min(d, 4) && ((flags & kFlagSolidColor) || Id(d.U32(0), "brush"));
}

// `count` points at `at`: 8 bytes each, 4 with the C flag, or with the P flag
// relative points whose coordinates take one byte, or two when the first has
// its top bit set. (Wine's player takes P points as two bytes each, never more.)
bool EmfPlusChecker::Points(const ByteReader& d, uint64_t at, uint64_t count, uint16_t flags) {
  if (flags & kFlagRelative) {
    uint64_t off = at;
    for (uint64_t i = 0; i < 2 * count; ++i) {
      if (!d.Has(off, 1)) return Fail("with more points than it holds");
      off += (d.U8(off) & 0x80) ? 2 : 1;
    }
    return d.Has(at, off - at) || Fail("with more points than it holds");
  }
  return d.Has(at, count * ((flags & kFlagCompressed) ? 4 : 8)) || Fail("with more points than it holds");
}

bool EmfPlusChecker::Rects(const ByteReader& d, uint64_t at, uint64_t count, bool compressed) {
  return d.Has(at, count * (compressed ? 8 : 16)) || Fail("with more rectangles than it holds");
}

// Each draw of an image costs what the image costs; the sums are bounded.
bool EmfPlusChecker::Draw(uint8_t image) {
  if (!Id(image, "image")) return false;
  replayed_ += table_[image].replay;
  drawnPixels_ += table_[image].pixels;
  if (replayed_ > kMaxReplayedRecords) return Fail("that draws embedded metafiles more often than this program allows");
  if (drawnPixels_ > kMaxDrawnPixels) return Fail("that draws images more often than this program allows");
  return true;
}

bool EmfPlusChecker::Push(uint32_t index, bool container) {
  if (states_.size() >= kMaxStates) return Fail("that saves more graphics states than this program allows");
  states_.push_back({index, container, clipDepth_});
  return true;
}

// The player looks for the newest state of that index and kind, and drops it
// with everything newer; without one it changes nothing.
void EmfPlusChecker::Pop(uint32_t index, bool container) {
  for (size_t i = states_.size(); i-- > 0;) {
    if (states_[i].index == index && states_[i].container == container) {
      clipDepth_ = states_[i].clipDepth;
      states_.resize(i);
      return;
    }
  }
}

// Wine's player keeps the clip as a tree: replacing it (mode 0) starts over,
// any other mode puts the old tree and the new region under a new root.
bool EmfPlusChecker::Clip(uint16_t flags, int depth) {
  const unsigned mode = (flags >> 8) & 0xF;
  clipDepth_ = mode == 0 ? depth : std::max(clipDepth_, depth) + 1;
  return clipDepth_ <= kMaxRegionDepth || Fail("that combines the clip more deeply than this program allows");
}

// Rectangles of 8 bytes each, or with the top flag bit four coordinates of one
// byte (top bit set) or two.
bool EmfPlusChecker::TSClip(const ByteReader& d, uint16_t flags) {
  const uint64_t rects = flags & 0x7FFF;
  if (!(flags & kFlagTSClipCompressed)) return Rects(d, 0, rects, true);
  uint64_t off = 0;
  for (uint64_t i = 0; i < 4 * rects; ++i) {
    if (!d.Has(off, 1)) return Fail("with more rectangles than it holds");
    off += (d.U8(off) & 0x80) ? 1 : 2;
  }
  return d.Has(0, off) || Fail("with more rectangles than it holds");
}

// An image effect: a GUID, the parameters' size, the parameters, whose layout
// the GUID fixes.
bool EmfPlusChecker::Effect(const ByteReader& d) {
  struct Known {
    uint32_t data1;
    uint16_t data2, data3;
    uint8_t data4[8];
    uint32_t bytes;
  };
  static const Known kEffects[] = {
      {0x633C80A4, 0x1843, 0x482B, {0x9E, 0xF2, 0xBE, 0x28, 0x34, 0xC5, 0xFD, 0xD4}, 8},     // blur
      {0xD3A1DBE1, 0x8EC4, 0x4C17, {0x9F, 0x4C, 0xEA, 0x97, 0xAD, 0x1C, 0x34, 0x3D}, 8},     // brightness, contrast
      {0x537E597D, 0x251E, 0x48DA, {0x96, 0x64, 0x29, 0xCA, 0x49, 0x6B, 0x70, 0xF8}, 12},    // colour balance
      {0xDD6A0022, 0x58E4, 0x4A67, {0x9D, 0x9B, 0xD4, 0x8E, 0xB8, 0x81, 0xA5, 0x3D}, 12},    // colour curve
      {0xA7CE72A9, 0x0F7F, 0x40D7, {0xB3, 0xCC, 0xD0, 0xC0, 0x2D, 0x5C, 0x32, 0x12}, 1024},  // lookup tables
      {0x718F2615, 0x7933, 0x40E3, {0xA5, 0x11, 0x5F, 0x68, 0xFE, 0x14, 0xDD, 0x74}, 100},   // colour matrix
      {0x8B2DD6C3, 0xEB07, 0x4D87, {0xA5, 0xF0, 0x71, 0x08, 0xE2, 0x6A, 0x9C, 0x5F}, 12},    // hue, saturation
      {0x99C354EC, 0x2A31, 0x4F3A, {0x8C, 0x34, 0x17, 0xA8, 0x03, 0xB3, 0x3A, 0x25}, 12},    // levels
      {0x63CBF3EE, 0xC526, 0x402C, {0x8F, 0x71, 0x62, 0xC5, 0x40, 0xBF, 0x51, 0x42}, 8},     // sharpen
      {0x1077AF00, 0x2848, 0x4441, {0x94, 0x89, 0x44, 0xAD, 0x4C, 0x2D, 0x7A, 0x2C}, 8},     // tint
  };
  constexpr uint32_t kRedEye1 = 0x74D29D05;  // red-eye correction: a count, then that many RECTLs
  if (!Min(d, 20)) return false;
  const uint32_t bytes = d.U32(16);
  if (!d.Has(20, bytes)) return Fail("with effect parameters larger than the record");
  uint64_t need = 0;
  for (const Known& k : kEffects) {
    bool same = d.U32(0) == k.data1 && d.U16(4) == k.data2 && d.U16(6) == k.data3;
    for (int i = 0; i < 8 && same; ++i) same = d.U8(8 + i) == k.data4[i];
    if (same) need = k.bytes;
  }
  if (d.U32(0) == kRedEye1 && d.U16(4) == 0x69A4 && d.U16(6) == 0x4266)
    need = bytes >= 4 ? 4 + 16ull * d.U32(20) : 4;
  return need <= bytes || Fail("with effect parameters shorter than their kind");
}

bool EmfPlusChecker::Comment(const ByteReader& data) {
  why_.clear();
  if (data.size() < 4 || data.U32(0) != kSignature) {
    why_ = "holds no EMF+ records";
    return false;
  }
  if (data.size() > kMaxCommentBytes) {
    why_ = "holds more EMF+ data than the player can walk";
    return false;
  }
  // The player stops when fewer bytes remain than a record header; whatever
  // is left is padding.
  uint64_t off = 4;
  for (uint32_t n = 1; data.Has(off, kRecordHeaderBytes); ++n) {
    const uint16_t type = data.U16(off), flags = data.U16(off + 2);
    const uint32_t size = data.U32(off + 4), dataSize = data.U32(off + 8);
    bool ok;
    // A size under 12 would have the player read the next header inside this
    // one, or (0) walk on the spot forever.
    if (size < kRecordHeaderBytes)
      ok = Fail("with a size smaller than its header");
    else if (size > data.size() - off)
      ok = Fail("whose size runs past the comment");
    else if (dataSize > size - kRecordHeaderBytes)
      ok = Fail("with more data than its size holds");
    else
      ok = Record(data.Sub(off + kRecordHeaderBytes, dataSize), type, flags);
    if (!ok) {
      const char* name = EmfPlusRecordName(type);
      why_ = "holds EMF+ record " + std::to_string(n) + ", " + (name ? name : "of unknown type") + " (" +
             Hex4(type) + "), " + detail_;
      return false;
    }
    off += size;
  }
  return true;
}

bool EmfPlusChecker::End() {
  if (!pending_) return true;
  why_ = "ends before all parts of EMF+ object " + std::to_string(pendingFlags_ & 0xFF) + " arrive";
  return false;
}

bool EmfPlusChecker::Record(const ByteReader& d, uint16_t type, uint16_t flags) {
  ++records_;
  if (!seenRecord_) {
    seenRecord_ = true;
    sawHeader_ = type == kHeader;
    dual_ = sawHeader_ && (flags & 1);
  }
  // Windows' player gathers an object's parts until it has them all; another
  // record in between would leave it half built.
  if (pending_ && (type != kObject || (flags & 0x7FFF) != (pendingFlags_ & 0x7FFF)))
    return Fail("that comes between the parts of EMF+ object " + std::to_string(pendingFlags_ & 0xFF));
  const uint8_t low = flags & 0xFF;
  const bool compressed = flags & kFlagCompressed;
  switch (type) {
    case kHeader:  // version, flags, horizontal and vertical resolution
      return Min(d, 16);
    case kObject:
      return Object(d, flags);
    case kClear:
      return Min(d, 4);
    case kFillRects:  // brush, count, rectangles
      return BrushField(d, flags) && Min(d, 8) && Rects(d, 8, d.U32(4), compressed);
    case kDrawRects:  // count, rectangles
      return Id(low, "pen") && Min(d, 4) && Rects(d, 4, d.U32(0), compressed);
    case kFillPolygon:  // brush, count, points
      return BrushField(d, flags) && Min(d, 8) && Points(d, 8, d.U32(4), flags);
    case kDrawLines: case kDrawBeziers:  // count, points
      return Id(low, "pen") && Min(d, 4) && Points(d, 4, d.U32(0), flags);
    case kFillEllipse:  // brush, rectangle
      return BrushField(d, flags) && Rects(d, 4, 1, compressed);
    case kDrawEllipse:
      return Id(low, "pen") && Rects(d, 0, 1, compressed);
    case kFillPie:  // brush, start and sweep angles, rectangle
      return BrushField(d, flags) && Rects(d, 12, 1, compressed);
    case kDrawPie: case kDrawArc:
      return Id(low, "pen") && Rects(d, 8, 1, compressed);
    case kFillRegion:
      return Id(low, "region") && BrushField(d, flags);
    case kFillPath:
      return Id(low, "path") && BrushField(d, flags);
    case kDrawPath:  // the pen
      return Id(low, "path") && Min(d, 4) && Id(d.U32(0), "pen");
    case kStrokeFillPath:
      return Id(low, "path");
    case kFillClosedCurve:  // brush, tension, count, points
      return BrushField(d, flags) && Min(d, 12) && Points(d, 12, d.U32(8), flags);
    case kDrawClosedCurve:  // tension, count, points
      return Id(low, "pen") && Min(d, 8) && Points(d, 8, d.U32(4), flags);
    case kDrawCurve: {  // tension, offset, segments, count, points
      if (!Id(low, "pen") || !Min(d, 16) || !Points(d, 16, d.U32(12), flags)) return false;
      const uint64_t last = uint64_t(d.U32(4)) + d.U32(8);  // the curve runs over points offset..offset+segments
      return last < d.U32(12) || Fail("with a curve that runs past its points");
    }
    case kDrawImage:  // attributes, source unit, source rectangle, destination
      return Min(d, 24) && OptionalId(d.U32(0), "image attributes") && Rects(d, 24, 1, compressed) && Draw(low);
    case kDrawImagePoints:  // attributes, unit, source rectangle, count, points
      return Min(d, 28) && OptionalId(d.U32(0), "image attributes") && Points(d, 28, d.U32(24), flags) &&
             Draw(low);
    case kDrawString:  // brush, format, length, layout rectangle, characters
      return Id(low, "font") && BrushField(d, flags) && Min(d, 28) && OptionalId(d.U32(4), "string format") &&
             (d.Has(28, 2ull * d.U32(8)) || Fail("with more characters than it holds"));
    case kDrawDriverString: {  // brush, options, matrix present, count, glyphs, positions, matrix
      if (!Id(low, "font") || !BrushField(d, flags) || !Min(d, 16)) return false;
      const uint64_t glyphs = d.U32(12);
      return d.Has(16, glyphs * (2 + 8) + (d.U32(8) ? 24 : 0)) || Fail("with more glyphs than it holds");
    }
    case kSetRenderingOrigin: case kOffsetClip: case kTranslateWorldTransform: case kScaleWorldTransform:
      return Min(d, 8);
    case kRotateWorldTransform: case kSetPageTransform:
      return Min(d, 4);
    case kSetWorldTransform: case kMultiplyWorldTransform:
      return Min(d, 24);
    // The player reads the state index whatever the data size, and with no
    // data at all from a null pointer.
    case kSave:
      return Min(d, 4) && Push(d.U32(0), false);
    case kBeginContainerNoParams:
      return Min(d, 4) && Push(d.U32(0), true);
    case kBeginContainer:  // destination and source rectangles, index
      return Min(d, 36) && Push(d.U32(32), true);
    case kRestore: case kEndContainer:
      if (!Min(d, 4)) return false;
      Pop(d.U32(0), type == kEndContainer);
      return true;
    case kSetClipRect:
      return Min(d, 16) && Clip(flags, 0);
    case kSetClipPath:
      return Id(low, "path") && Clip(flags, 0);
    case kSetClipRegion:
      return Id(low, "region") && Clip(flags, table_[low].regionDepth);
    case kSerializableObject:
      return Effect(d);
    case kSetTSGraphics: {  // twelve bytes of settings, the device transform, a palette with bit 0
      if (!Min(d, 36)) return false;
      return !(flags & 1) || (d.Has(36, 8) && d.Has(44, 4ull * d.U32(40))) || Fail("with a palette it does not hold");
    }
    case kSetTSClip:
      return TSClip(d, flags);
    case kEndOfFile: case kComment: case kGetDC: case kMultiFormatStart: case kMultiFormatSection:
    case kMultiFormatEnd: case kResetWorldTransform: case kResetClip: case kSetAntiAliasMode:
    case kSetTextRenderingHint: case kSetTextContrast: case kSetInterpolationMode: case kSetPixelOffsetMode:
    case kSetCompositingMode: case kSetCompositingQuality:
      return true;  // nothing but the flags, or data the player never reads
    default:
      // The player hands these to its EMF player as plain EMF records, which
      // would then be played without the checks every EMF record gets.
      if (type >= 1 && type <= kLastEmfRecord) return Fail("that the player would play as an unchecked EMF record");
      return true;  // an unknown record: the player skips it
  }
}

}  // namespace core
