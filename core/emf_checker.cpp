// Checks of the state, object and drawing records of an enhanced metafile, by
// what the player reads of each: every array and offset it follows inside the
// record, every object index inside the handle table. Players (Wine's and
// Windows' alike) trust record contents; what could harm the program is
// refused or left out here before any of them sees it.
#include "core/emf_checker.h"

#include <algorithm>
#include <cmath>

#include "core/emf_validator.h"
#include "core/gdi_enums.h"

namespace core {
namespace {

// Far more than any picture shows, and far less than the rasteriser's own
// ranges: beyond it a shape could take the rasteriser minutes.
constexpr uint32_t kMaxChars = 1u << 20;
constexpr int32_t kMaxFontSize = 1 << 15;  // glyphs are rasterised whole, unclipped
// A wide pen is drawn by widening its path on the device: a width the
// rasteriser takes minutes over is left out.
constexpr int32_t kMaxPenWidth = 1 << 16;
constexpr uint32_t kMaxPaletteEntries = 0xFFFF;  // a palette's count is 16 bits
constexpr uint32_t kMaxHandle = 0xFFFE;          // so is the header's table size
constexpr int kMaxSaveDepth = 1024;

bool Finite(float f, float limit) { return std::isfinite(f) && std::fabs(f) <= limit; }

void Put32(uint8_t* p, uint64_t off, int64_t v) {
  const uint32_t u = static_cast<uint32_t>(static_cast<int32_t>(v));
  for (int i = 0; i < 4; ++i) p[off + i] = static_cast<uint8_t>(u >> (8 * i));
}

int64_t Clamp(int64_t v, int64_t lo, int64_t hi) { return std::min(std::max(v, lo), hi); }

// A colour's fourth byte is reserved in a metafile and to be ignored; some
// writers put an alpha there, which Wine's GDI takes for a palette index. The
// two kinds GDI defines (a palette index, a palette-relative colour) stay.
void PlainColour(uint8_t* p, uint64_t off) {
  if (p[off + 3] != 1 && p[off + 3] != 2) p[off + 3] = 0;
}

// A rectangle's coordinates pulled into [lo, hi] on both axes.
void ClampRect(uint8_t* p, const ByteReader& r, uint64_t off, const DeviceBox& box) {
  Put32(p, off, Clamp(r.I32(off), box.left, box.right));
  Put32(p, off + 4, Clamp(r.I32(off + 4), box.top, box.bottom));
  Put32(p, off + 8, Clamp(r.I32(off + 8), box.left, box.right));
  Put32(p, off + 12, Clamp(r.I32(off + 12), box.top, box.bottom));
}

}  // namespace

bool EmfChecker::Coord(int64_t v) {
  return (v >= -kMaxMetafileCoord && v <= kMaxMetafileCoord) || Unplayable("has a coordinate out of range");
}

bool EmfChecker::Points(const ByteReader& r, uint64_t off, uint64_t count, uint64_t pointBytes) {
  // Byte counts in 64 bits: formed in a 32-bit size_t they wrap.
  if (!Holds(r, off, pointBytes * count, "has more points than it holds")) return false;
  if (pointBytes == 8)
    for (uint64_t i = 0; i < count; ++i)
      if (!Point(r, off + 8 * i)) return false;
  return true;
}

bool EmfChecker::Xform(const ByteReader& r, uint64_t off) {
  for (int i = 0; i < 4; ++i)
    if (!Finite(r.F32(off + 4 * i), 1e4f)) return Unplayable("has an unusable transform");
  if (!Finite(r.F32(off + 16), kMaxMetafileCoord) || !Finite(r.F32(off + 20), kMaxMetafileCoord))
    return Unplayable("has an unusable transform");
  const double det = double(r.F32(off)) * r.F32(off + 12) - double(r.F32(off + 4)) * r.F32(off + 8);
  return std::fabs(det) > 1e-9 || Unplayable("has a singular transform");
}

// Slot 0 holds the metafile itself: deleting it while it plays would free
// what is being played. Past the header's table, the table is made larger.
bool EmfChecker::Handle(uint32_t i) {
  if (i == 0) return Unplayable("uses the handle table's slot of the metafile itself");
  if (i > kMaxHandle) return Damaged("uses an object index beyond any handle table");
  needed_ = std::max(needed_, i + 1);
  return true;
}

// bounds, nPolys, total points, counts[nPolys], points[total]
bool EmfChecker::PolyPoly(const ByteReader& r, uint64_t pointBytes) {
  if (!Min(r, 32)) return false;
  const uint32_t polys = r.U32(24), total = r.U32(28);
  if (!Holds(r, 32, 4ull * polys, "has more polygons than it holds")) return false;
  uint64_t sum = 0;
  for (uint64_t i = 0; i < polys; ++i) sum += r.U32(32 + 4 * i);
  // The 32-bit form is drawn straight from the record, as many points as the
  // counts add up to; the 16-bit form is first widened into `total` points.
  if (pointBytes == 4 && sum > total) return Damaged("has point counts that add up to more than its total");
  return Points(r, 32 + 4ull * polys, std::max<uint64_t>(sum, total), pointBytes);
}

// bounds, count, points[count], types[count]
bool EmfChecker::PolyDraw(const ByteReader& r, uint64_t pointBytes) {
  if (!Min(r, 28)) return false;
  const uint64_t n = r.U32(24);
  return Points(r, 28, n, pointBytes) && Holds(r, 28 + pointBytes * n, n, "has its point types outside the record");
}

// EMRTEXT at `at`: reference point, nChars, offString, fOptions, rectangle, offDx.
bool EmfChecker::Text(const ByteReader& r, uint64_t at, uint64_t charBytes, bool zeroDxIsNone) {
  const uint32_t chars = r.U32(at + 8), offString = r.U32(at + 12), options = r.U32(at + 16);
  const uint32_t offDx = r.U32(at + 36);
  if (!Point(r, at)) return false;
  if ((options & (gdi::kEtoOpaque | gdi::kEtoClipped)) && !Rect(r, at + 20)) return false;
  if (chars == 0) return true;
  if (!Holds(r, offString, charBytes * chars, "has its string outside the record")) return false;
  // One player takes an offset of 0 for no spacing array; the other reads it
  // from the record's start.
  if (offDx == 0 && zeroDxIsNone) return chars <= kMaxChars || Unplayable("has too many characters");
  const uint64_t dx = 4ull * chars * ((options & gdi::kEtoPdy) ? 2 : 1);
  return Holds(r, offDx, dx, "has its spacing array outside the record") &&
         (chars <= kMaxChars || Unplayable("has too many characters"));
}

// EXTTEXTOUT: bounds, graphics mode, scales, EMRTEXT at 36.
bool EmfChecker::ExtText(const ByteReader& r, uint64_t charBytes) {
  return Min(r, 76) && Text(r, 36, charBytes, true);
}

// POLYTEXTOUT: bounds, graphics mode, scales, cStrings at 36, EMRTEXT[] at 40.
bool EmfChecker::PolyText(const ByteReader& r, uint64_t charBytes) {
  if (!Min(r, 40)) return false;
  const uint64_t strings = r.U32(36);
  if (!Holds(r, 40, 40 * strings, "has more strings than it holds")) return false;
  for (uint64_t i = 0; i < strings; ++i)
    if (!Text(r, 40 + 40 * i, charBytes, false)) return false;
  return true;
}

// EXTCREATEFONTINDIRECTW: object index 8, LOGFONTW 12. A face name without its
// end would be read past its field, so the copy's last unit ends it.
bool EmfChecker::Font(uint8_t* p, const ByteReader& r) {
  if (!Min(r, 12 + gdi::kLogFontWBytes) || !Handle(r.U32(8))) return false;
  const int32_t height = r.I32(12), width = r.I32(16);
  if (height < -kMaxFontSize || height > kMaxFontSize || width < -kMaxFontSize || width > kMaxFontSize)
    return Unplayable("has a font too large to draw");
  const uint64_t last = 12 + gdi::kLogFontFaceName + 2 * (gdi::kLfFaceSize - 1);
  p[last] = p[last + 1] = 0;
  return true;
}

// RGNDATA at `at`, `bytes` of it by the record's count. The players read the
// 32-byte header and nCount rectangles after it, whatever the header's own
// size field says.
bool EmfChecker::RegionData(const ByteReader& r, uint64_t at, uint64_t bytes, bool everRead) {
  if (!Holds(r, at, bytes, "has its region outside the record")) return false;
  if (!everRead && bytes < gdi::kRgnDataHeaderBytes) return true;
  if (!Holds(r, at, gdi::kRgnDataHeaderBytes, "has its region header outside the record")) return false;
  return Holds(r, at + gdi::kRgnDataHeaderBytes, 16ull * r.U32(at + gdi::kRgnDataCount),
               "has more rectangles than it holds");
}

// EXTSELECTCLIPRGN: cbRgnData, mode, RGNDATA at 16. One player reads a region
// whenever the record could hold a header, whatever cbRgnData says; the
// other resets the clip when cbRgnData is 0. The copy of such a record is
// cut to its fixed part, which both take for a reset. Rectangles are
// clamped: a region is made scan line by scan line from top to bottom.
bool EmfChecker::ClipRegion(uint8_t* p, const ByteReader& r) {
  namespace L = emr::layout;
  if (!Min(r, L::kClipRgnData)) return false;
  const uint32_t bytes = r.U32(L::kClipRgnBytes);
  if (bytes == 0) {
    if (r.size() > L::kClipRgnData) Put32(p, 4, L::kClipRgnData);
    return true;
  }
  if (!RegionData(r, L::kClipRgnData, bytes, true)) return false;
  const uint64_t count = r.U32(L::kClipRgnData + gdi::kRgnDataCount);
  ClampRect(p, r, L::kClipRgnData + 16, clamp_);  // rdh.rcBound
  for (uint64_t i = 0; i < count; ++i) ClampRect(p, r, L::kClipRgnData + gdi::kRgnDataHeaderBytes + 16 * i, clamp_);
  return true;
}

bool EmfChecker::Palette(const ByteReader& r, uint64_t count, uint64_t entriesAt) {
  return Holds(r, entriesAt, 4 * count, "has more palette entries than it holds");
}

// GRADIENTFILL: bounds, nVer 24, nTri 28, ulMode 32, vertices of 16 bytes at 36,
// then the mesh: triangles of three indices or rectangles of two.
bool EmfChecker::Gradient(const ByteReader& r) {
  if (!Min(r, 36)) return false;
  const uint64_t vertices = r.U32(24), shapes = r.U32(28);
  const uint32_t mode = r.U32(32);
  if (!Holds(r, 36, 16 * vertices, "has more vertices than it holds")) return false;
  for (uint64_t i = 0; i < vertices; ++i)
    if (!Point(r, 36 + 16 * i)) return false;
  if (mode > 2) return true;  // GDI refuses the mode before it reads the mesh
  return Holds(r, 36 + 16 * vertices, (mode == 2 ? 12 : 8) * shapes, "has more shapes than it holds");
}

// A restore past the metafile's own saves would restore the caller's states.
bool EmfChecker::RestoreDC(const ByteReader& r) {
  if (!Min(r, 12)) return false;
  const int32_t rel = r.I32(8);
  // Negated in 64 bits: -2^31 has no 32-bit opposite.
  if (rel >= 0 || -int64_t(rel) > depth_) return Unplayable("restores a state the metafile never saved");
  depth_ += rel;
  return true;
}

RecordFate EmfChecker::Check(uint8_t* record, uint32_t size, uint32_t type) {
  Reset();
  rec_ = record;
  const ByteReader r(record, size);
  bool known = true;
  bool ok = SimpleRecord(record, r, type, known);
  if (!known) known = true, ok = DrawingRecord(r, type, known);
  if (!known) known = true, ok = BitmapRecord(r, type, known);
  if (!known) Unplayable("is of a type no player draws");
  return Fate(ok && known);
}

// Records that set state or make objects.
bool EmfChecker::SimpleRecord(uint8_t* p, const ByteReader& r, uint32_t type, bool& known) {
  switch (type) {
    case emr::kSetWindowExtEx: case emr::kSetViewportExtEx:
      // GDI refuses a zero extent; one player would divide by it.
      return Min(r, 16) && Point(r, 8) && ((r.I32(8) != 0 && r.I32(12) != 0) || Unplayable("has a zero extent"));
    case emr::kSetWindowOrgEx: case emr::kSetViewportOrgEx: case emr::kSetBrushOrgEx:
    case emr::kOffsetClipRgn: case emr::kMoveToEx: case emr::kLineTo:
      return Min(r, 16) && Point(r, 8);
    case emr::kSetTextColor: case emr::kSetBkColor:
      if (!Min(r, 12)) return false;
      PlainColour(p, 8);
      return true;
    case emr::kSetMapperFlags: case emr::kSetTextAlign: case emr::kSetMiterLimit: case emr::kSetMapMode: case emr::kSetBkMode: case emr::kSetPolyFillMode:
    case emr::kSetRop2: case emr::kSetStretchBltMode: case emr::kSetArcDirection: case emr::kSetIcmMode:
    case emr::kSetLayout: case emr::kSelectClipPath:
      return Min(r, 12);
    case emr::kSetColorAdjustment: return Min(r, 32);
    case emr::kSetTextJustification: case emr::kForceUfiMapping: return Min(r, 16);
    case emr::kScaleViewportExtEx: case emr::kScaleWindowExtEx:
      if (!Min(r, 24)) return false;
      for (uint64_t off = 8; off < 24; off += 4)
        if (r.I32(off) < -(1 << 16) || r.I32(off) > (1 << 16)) return Unplayable("has a scale out of range");
      return true;
    case emr::kSaveDC:
      return Min(r, 8) && (++depth_ <= kMaxSaveDepth || (--depth_, Unplayable("saves too many states")));
    case emr::kRestoreDC: return RestoreDC(r);
    case emr::kSetWorldTransform: return Min(r, 32) && Xform(r, 8);
    case emr::kModifyWorldTransform: {
      if (!Min(r, 36)) return false;
      const uint32_t mode = r.U32(32);
      return mode < gdi::kMwtLeftMultiply || mode > gdi::kMwtSet || Xform(r, 8);
    }
    case emr::kSelectObject: case emr::kSelectPalette: return Min(r, 12) && StockOrHandle(r.U32(8));
    case emr::kDeleteObject: case emr::kSetColorSpace: case emr::kDeleteColorSpace:
      return Min(r, 12) && Handle(r.U32(8));
    case emr::kCreatePen:  // LOGPEN: style, width as a point, colour
      if (!Min(r, 28) || !Handle(r.U32(8))) return false;
      PlainColour(p, 24);
      return (r.I32(16) >= -kMaxPenWidth && r.I32(16) <= kMaxPenWidth) || Unplayable("has a pen too wide to draw");
    case emr::kCreateBrushIndirect: {
      if (!Min(r, 24) || !Handle(r.U32(8))) return false;
      PlainColour(p, 16);
      // Other styles take the record's hatch field for a handle or a pointer.
      const uint32_t style = r.U32(12);
      return style == gdi::kBsSolid || style == gdi::kBsNull || style == gdi::kBsHatched ||
             Unplayable("has a brush style that needs a handle of the recording program");
    }
    case emr::kExtCreateFontIndirectW: return Font(p, r);
    case emr::kCreatePalette:
      return Min(r, 16) && Handle(r.U32(8)) && Palette(r, r.U16(14), 16);  // LOGPALETTE at 12
    case emr::kSetPaletteEntries:
      return Min(r, 20) && Handle(r.U32(8)) && Palette(r, r.U32(16), 20);
    case emr::kResizePalette:
      return Min(r, 16) && Handle(r.U32(8)) &&
             (r.U32(12) <= kMaxPaletteEntries || Unplayable("has more palette entries than a palette holds"));
    case emr::kColorCorrectPalette: return Min(r, 24) && Handle(r.U32(8));
    case emr::kCreateColorSpace: case emr::kCreateColorSpaceW: {
      const bool wide = type == emr::kCreateColorSpaceW;
      const uint64_t fixed = 12 + (wide ? gdi::kLogColorSpaceWBytes + 8 : gdi::kLogColorSpaceABytes);
      if (!Min(r, fixed) || !Handle(r.U32(8))) return false;
      if (wide && !Holds(r, fixed, r.U32(fixed - 4), "has its profile outside the record")) return false;
      // The file name is read up to its end: the copy's last unit ends it.
      const uint64_t last = 12 + gdi::kLogColorSpaceName + (wide ? 2 : 1) * (gdi::kMaxPath - 1);
      p[last] = 0;
      if (wide) p[last + 1] = 0;
      return true;
    }
    case emr::kSetIcmProfileA: case emr::kSetIcmProfileW:
      return Min(r, 20) && Holds(r, 20, uint64_t(r.U32(12)) + r.U32(16), "has its profile outside the record");
    case emr::kColorMatchToTargetW:
      return Min(r, 24) && Holds(r, 24, uint64_t(r.U32(16)) + r.U32(20), "has its profile outside the record");
    case emr::kSetLinkedUfis:
      return Min(r, 12) && Holds(r, 12, 8ull * r.U32(8), "has more font identifiers than it holds");
    case emr::kRealizePalette: case emr::kBeginPath: case emr::kEndPath: case emr::kCloseFigure:
    case emr::kAbortPath: case emr::kFlattenPath: case emr::kWidenPath: case emr::kSetMetaRgn:
    case emr::kFillPath: case emr::kStrokeAndFillPath: case emr::kStrokePath:
      return Min(r, 8);
    case emr::kGdiComment:
      return Min(r, 12) && Holds(r, 12, r.U32(8), "has its comment outside the record");
    case emr::kExtSelectClipRgn: return ClipRegion(p, r);
    case emr::kExcludeClipRect: case emr::kIntersectClipRect:
      // Drawing never reaches past the coordinate range, so a clip beyond it
      // is the same as one at its edge.
      if (!Min(r, 24)) return false;
      ClampRect(p, r, 8, {-kMaxMetafileCoord, -kMaxMetafileCoord, kMaxMetafileCoord, kMaxMetafileCoord});
      return true;
    case emr::kDrawEscape: case emr::kExtEscape:
      return Min(r, 16) && Holds(r, 16, r.U32(12), "has its escape data outside the record") &&
             Unplayable("is a device escape, which a picture does not play");
    case emr::kNamedEscape:
      return Min(r, 20) && Holds(r, 20, uint64_t(r.U32(12)) + r.U32(16), "has its escape data outside the record") &&
             Unplayable("is a device escape, which a picture does not play");
    case emr::kGlsRecord: case emr::kGlsBoundedRecord: case emr::kPixelFormat:
      return Unplayable("is an OpenGL record, which a picture does not play");
    case emr::kHeader:
      return Unplayable("is a second header");
    default:
      known = false;
      return false;
  }
}

// Records that draw.
bool EmfChecker::DrawingRecord(const ByteReader& r, uint32_t type, bool& known) {
  switch (type) {
    case emr::kPolyBezier: case emr::kPolygon: case emr::kPolyline: case emr::kPolyBezierTo: case emr::kPolylineTo:
      return Min(r, 28) && Points(r, 28, r.U32(24), 8);
    case emr::kPolyBezier16: case emr::kPolygon16: case emr::kPolyline16: case emr::kPolyBezierTo16:
    case emr::kPolylineTo16:
      return Min(r, 28) && Points(r, 28, r.U32(24), 4);
    case emr::kPolyPolyline: case emr::kPolyPolygon: return PolyPoly(r, 8);
    case emr::kPolyPolyline16: case emr::kPolyPolygon16: return PolyPoly(r, 4);
    case emr::kPolyDraw: return PolyDraw(r, 8);
    case emr::kPolyDraw16: return PolyDraw(r, 4);
    case emr::kSetPixelV: return Min(r, 20) && Point(r, 8) && (PlainColour(rec_, 16), true);
    case emr::kExtFloodFill: return Min(r, 24) && Point(r, 8);
    case emr::kEllipse: case emr::kRectangle: return Min(r, 24) && Rect(r, 8);
    case emr::kRoundRect: return Min(r, 32) && Rect(r, 8) && Point(r, 24);
    case emr::kArc: case emr::kChord: case emr::kPie: case emr::kArcTo:
      return Min(r, 40) && Rect(r, 8) && Rect(r, 24);
    case emr::kAngleArc:
      return Min(r, 28) && Point(r, 8) && (r.U32(16) <= uint32_t(kMaxMetafileCoord) || Unplayable("has a radius out of range")) &&
             ((Finite(r.F32(20), 1e6f) && Finite(r.F32(24), 1e6f)) || Unplayable("has an unusable angle"));
    // A stock brush here is the program's to play: Wine's player would take
    // its number for an index into the handle table.
    case emr::kFillRgn:  // bounds, cbRgnData 24, ihBrush 28, RGNDATA 32
      return Min(r, 32) && StockOrHandle(r.U32(28)) && RegionData(r, 32, r.U32(24), true);
    case emr::kFrameRgn:  // bounds, cbRgnData 24, ihBrush 28, stroke 32, RGNDATA 40
      return Min(r, 40) && StockOrHandle(r.U32(28)) && Point(r, 32) && RegionData(r, 40, r.U32(24), true);
    case emr::kInvertRgn: case emr::kPaintRgn:  // bounds, cbRgnData 24, RGNDATA 28
      return Min(r, 28) && RegionData(r, 28, r.U32(24), true);
    case emr::kExtTextOutA: return ExtText(r, 1);
    case emr::kExtTextOutW: return ExtText(r, 2);
    case emr::kPolyTextOutA: return PolyText(r, 1);
    case emr::kPolyTextOutW: return PolyText(r, 2);
    case emr::kSmallTextOut: {  // reference 8, nChars 16, options 20, mode, scales, [clip], text
      if (!Min(r, 36) || !Point(r, 8)) return false;
      const uint32_t options = r.U32(20);
      const uint64_t text = (options & gdi::kEtoNoRect) ? 36 : 52;
      if (!(options & gdi::kEtoNoRect) && (!Min(r, 52) || !Rect(r, 36))) return false;
      return Holds(r, text, uint64_t(r.U32(16)) * ((options & gdi::kEtoSmallChars) ? 1 : 2),
                   "has its string outside the record");
    }
    case emr::kGradientFill: return Gradient(r);
    default:
      known = false;
      return false;
  }
}

}  // namespace core
