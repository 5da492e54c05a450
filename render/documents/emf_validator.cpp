// Whitelist validator for EMF files: only record types whose layout is checked
// here may appear. Metafile players (Wine's and Windows' alike) trust record
// contents, so anything not proven well-formed never reaches one.
#include "render/documents/emf_validator.h"

#include <windows.h>

#include <cmath>
#include <vector>

#include "render/documents/dib_check.h"
#include "render/documents/record_reader.h"

namespace documents {
namespace {

constexpr uint32_t kMaxChars = 1u << 16;
constexpr int kMaxSaveDepth = 1024;

bool Coord(int32_t v) { return v >= -kMaxMetafileCoord && v <= kMaxMetafileCoord; }
bool NonZeroCoord(int32_t v) { return v != 0 && Coord(v); }
bool Point(const RecordReader& r, size_t off) { return Coord(r.I32(off)) && Coord(r.I32(off + 4)); }
bool Rect(const RecordReader& r, size_t off) { return Point(r, off) && Point(r, off + 8); }
bool Within(int32_t v, int32_t limit) { return v >= -limit && v <= limit; }
bool Finite(float f, float limit) { return std::isfinite(f) && std::fabs(f) <= limit; }

bool Xform(const RecordReader& r, size_t off) {
  for (int i = 0; i < 4; ++i)
    if (!Finite(r.F32(off + 4 * i), 1e4f)) return false;
  if (!Finite(r.F32(off + 16), kMaxMetafileCoord) || !Finite(r.F32(off + 20), kMaxMetafileCoord))
    return false;
  const double det = double(r.F32(off)) * r.F32(off + 12) - double(r.F32(off + 4)) * r.F32(off + 8);
  return std::fabs(det) > 1e-9;
}

class EmfChecker {
 public:
  explicit EmfChecker(uint32_t handles) : handles_(handles) {}
  bool Check(const RecordReader& r, uint32_t type);

 private:
  bool Min(const RecordReader& r, size_t bytes) const { return r.size() >= bytes; }
  bool Enum(const RecordReader& r, uint32_t lo, uint32_t hi) const {
    return Min(r, 12) && r.U32(8) >= lo && r.U32(8) <= hi;
  }
  bool Handle(uint32_t i) const { return i >= 1 && i < handles_; }
  bool StockOrHandle(uint32_t i) const {
    return (i & 0x80000000u) ? (i & 0x7FFFFFFFu) <= STOCK_LAST : Handle(i);
  }
  bool Points32(const RecordReader& r) const;
  bool Points16(const RecordReader& r) const;
  bool PolyPoly(const RecordReader& r, size_t pointBytes) const;
  bool Beziers(uint32_t type, uint32_t count) const;
  bool Text(const RecordReader& r, size_t charBytes) const;
  bool ExtPen(const RecordReader& r) const;
  bool ClipRegion(const RecordReader& r) const;
  bool Blit(const RecordReader& r, size_t bmiAt, size_t min) const;

  uint32_t handles_;
  int depth_ = 0;
};

bool EmfChecker::Beziers(uint32_t type, uint32_t count) const {
  switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16:
      return count >= 4 && (count - 1) % 3 == 0;
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16:
      return count >= 3 && count % 3 == 0;
    default:
      return count >= 1;
  }
}

bool EmfChecker::Points32(const RecordReader& r) const {
  const uint32_t n = r.U32(24);
  if (!Min(r, 28) || !r.Has(28, 8ull * n)) return false;
  for (uint32_t i = 0; i < n; ++i)
    if (!Point(r, 28 + 8 * size_t(i))) return false;
  return true;
}

bool EmfChecker::Points16(const RecordReader& r) const {
  return Min(r, 28) && r.Has(28, 4ull * r.U32(24));
}

// bounds, nPolys, total points, counts[nPolys], points[total]
bool EmfChecker::PolyPoly(const RecordReader& r, size_t pointBytes) const {
  if (!Min(r, 32)) return false;
  const uint32_t polys = r.U32(24), total = r.U32(28);
  if (polys == 0 || !r.Has(32, 4ull * polys)) return false;
  uint64_t sum = 0;
  for (uint32_t i = 0; i < polys; ++i) {
    const uint32_t c = r.U32(32 + 4 * size_t(i));
    if (c < 2) return false;
    sum += c;
  }
  const size_t pts = 32 + 4 * size_t(polys);
  if (sum != total || !r.Has(pts, pointBytes * total)) return false;
  if (pointBytes == 8)
    for (uint32_t i = 0; i < total; ++i)
      if (!Point(r, pts + 8 * size_t(i))) return false;
  return true;
}

// EMREXTTEXTOUT: bounds, graphics mode, scales, then EMRTEXT at 36.
bool EmfChecker::Text(const RecordReader& r, size_t charBytes) const {
  if (!Min(r, 76)) return false;
  const uint32_t mode = r.U32(24);
  if (mode != GM_COMPATIBLE && mode != GM_ADVANCED) return false;
  if (!Finite(r.F32(28), 1e4f) || !Finite(r.F32(32), 1e4f)) return false;
  const uint32_t chars = r.U32(44), offString = r.U32(48), options = r.U32(52), offDx = r.U32(72);
  if (!Point(r, 36) || chars > kMaxChars) return false;
  constexpr uint32_t kKnown = ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX | ETO_RTLREADING |
                              ETO_NUMERICSLOCAL | ETO_NUMERICSLATIN | ETO_IGNORELANGUAGE | ETO_PDY;
  if (options & ~kKnown) return false;
  if ((options & (ETO_OPAQUE | ETO_CLIPPED)) && !Rect(r, 56)) return false;
  if (chars == 0) return true;
  if (offString < 76 || !r.Has(offString, charBytes * chars)) return false;
  const size_t dxCount = size_t(chars) * ((options & ETO_PDY) ? 2 : 1);
  if (offDx < 76 || !r.Has(offDx, 4ull * dxCount)) return false;
  for (size_t i = 0; i < dxCount; ++i)
    if (!Coord(r.I32(offDx + 4 * i))) return false;
  return true;
}

// EMREXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, EXTLOGPEN32 at 28.
bool EmfChecker::ExtPen(const RecordReader& r) const {
  if (!Min(r, 52) || !Handle(r.U32(8))) return false;
  if (r.U32(16) != 0 || r.U32(24) != 0) return false;  // no pattern-bitmap pens
  const uint32_t style = r.U32(28), brush = r.U32(36), hatch = r.U32(44), entries = r.U32(48);
  const uint32_t kind = style & PS_STYLE_MASK;
  if (style & ~(PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK | PS_TYPE_MASK)) return false;
  if ((style & PS_ENDCAP_MASK) > PS_ENDCAP_FLAT || (style & PS_JOIN_MASK) > PS_JOIN_MITER)
    return false;
  if (kind > PS_ALTERNATE || r.U32(32) > (1u << 16)) return false;
  if (brush != BS_SOLID && brush != BS_NULL && brush != BS_HATCHED) return false;
  if (brush == BS_HATCHED && hatch > HS_DIAGCROSS) return false;
  if (kind == PS_USERSTYLE ? (entries == 0 || entries > 16) : entries != 0) return false;
  if (!r.Has(52, 4ull * entries)) return false;
  for (uint32_t i = 0; i < entries; ++i)
    if (r.U32(52 + 4 * size_t(i)) > (1u << 16)) return false;
  return true;
}

// EMREXTSELECTCLIPRGN: cbRgnData, mode, RGNDATA at 16.
bool EmfChecker::ClipRegion(const RecordReader& r) const {
  if (!Min(r, 16)) return false;
  const uint32_t bytes = r.U32(8), mode = r.U32(12);
  if (mode < RGN_AND || mode > RGN_COPY) return false;
  if (bytes == 0) return mode == RGN_COPY;  // resets the clip region
  if (bytes < sizeof(RGNDATAHEADER) || !r.Has(16, bytes)) return false;
  const uint32_t count = r.U32(24);
  if (r.U32(16) != sizeof(RGNDATAHEADER) || r.U32(20) != RDH_RECTANGLES) return false;
  if (!r.Has(16 + sizeof(RGNDATAHEADER), 16ull * count) ||
      sizeof(RGNDATAHEADER) + 16ull * count > bytes)
    return false;
  if (!Rect(r, 32)) return false;
  for (uint32_t i = 0; i < count; ++i)
    if (!Rect(r, 48 + 16 * size_t(i))) return false;
  return true;
}

// EMRBITBLT and EMRSTRETCHBLT: dest rect at 24, rop at 40, src point at 44,
// xform at 52, source bitmap fields from bmiAt; no bitmap means a pattern fill.
bool EmfChecker::Blit(const RecordReader& r, size_t bmiAt, size_t min) const {
  if (!Min(r, min) || !Rect(r, 24) || !Point(r, 44)) return false;
  const uint32_t cbBmi = r.U32(bmiAt + 4), cbBits = r.U32(bmiAt + 12);
  if (cbBmi == 0) return cbBits == 0;
  return Xform(r, 52) && CheckEmbeddedDib(r, r.U32(bmiAt), cbBmi, r.U32(bmiAt + 8), cbBits, r.U32(bmiAt - 4));
}

bool EmfChecker::Check(const RecordReader& r, uint32_t type) {
  switch (type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE:
    case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
      return Points32(r) && Beziers(type, r.U32(24));
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
      return Points16(r) && Beziers(type, r.U32(24));
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
      return PolyPoly(r, 8);
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
      return PolyPoly(r, 4);
    case EMR_SETWINDOWEXTEX: case EMR_SETVIEWPORTEXTEX:
      return Min(r, 16) && NonZeroCoord(r.I32(8)) && NonZeroCoord(r.I32(12));
    case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTORGEX: case EMR_SETBRUSHORGEX:
    case EMR_OFFSETCLIPRGN: case EMR_MOVETOEX: case EMR_LINETO:
      return Min(r, 16) && Point(r, 8);
    case EMR_SETPIXELV:
      return Min(r, 20) && Point(r, 8);
    case EMR_SETMAPPERFLAGS: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR: case EMR_SETMITERLIMIT:
      return Min(r, 12);
    case EMR_SETMAPMODE: return Enum(r, MM_TEXT, MM_ANISOTROPIC);
    case EMR_SETBKMODE: return Enum(r, TRANSPARENT, OPAQUE);
    case EMR_SETPOLYFILLMODE: return Enum(r, ALTERNATE, WINDING);
    case EMR_SETROP2: return Enum(r, R2_BLACK, R2_WHITE);
    case EMR_SETSTRETCHBLTMODE: return Enum(r, BLACKONWHITE, HALFTONE);
    case EMR_SETARCDIRECTION: return Enum(r, AD_COUNTERCLOCKWISE, AD_CLOCKWISE);
    case EMR_SETICMMODE: return Enum(r, ICM_OFF, ICM_DONE_OUTSIDEDC);
    case EMR_SETLAYOUT: return Min(r, 12) && (r.U32(8) & ~uint32_t(LAYOUT_RTL | 8)) == 0;
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_ELLIPSE: case EMR_RECTANGLE:
      return Min(r, 24) && Rect(r, 8);
    case EMR_ROUNDRECT:
      return Min(r, 32) && Rect(r, 8) && Point(r, 24);
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO:
      return Min(r, 40) && Rect(r, 8) && Rect(r, 24);
    case EMR_ANGLEARC:
      return Min(r, 28) && Point(r, 8) && r.U32(16) <= uint32_t(kMaxMetafileCoord) &&
             Finite(r.F32(20), 1e6f) && Finite(r.F32(24), 1e6f);
    case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX:
      for (size_t off = 8; off < 24; off += 4)
        if (!Min(r, 24) || r.I32(off) == 0 || !Within(r.I32(off), 1 << 16)) return false;
      return true;
    case EMR_SAVEDC:
      return Min(r, 8) && ++depth_ <= kMaxSaveDepth;
    case EMR_RESTOREDC: {
      const int32_t rel = r.I32(8);
      if (!Min(r, 12) || rel >= 0 || -rel > depth_) return false;  // never past our own levels
      depth_ += rel;
      return true;
    }
    case EMR_SETWORLDTRANSFORM:
      return Min(r, 32) && Xform(r, 8);
    case EMR_MODIFYWORLDTRANSFORM:
      return Min(r, 36) && r.U32(32) >= MWT_IDENTITY && r.U32(32) <= 4 &&
             (r.U32(32) == MWT_IDENTITY || Xform(r, 8));
    case EMR_SELECTOBJECT:
      return Min(r, 12) && StockOrHandle(r.U32(8));
    case EMR_DELETEOBJECT:
      return Min(r, 12) && Handle(r.U32(8));
    case EMR_SELECTPALETTE:  // no palette records are accepted, so only the stock one
      return Min(r, 12) && r.U32(8) == (0x80000000u | DEFAULT_PALETTE);
    case EMR_CREATEPEN: {
      const uint32_t style = r.U32(12);
      return Min(r, 28) && Handle(r.U32(8)) && style <= PS_INSIDEFRAME &&
             Within(r.I32(16), 1 << 16);
    }
    case EMR_CREATEBRUSHINDIRECT: {
      const uint32_t style = r.U32(12);
      return Min(r, 24) && Handle(r.U32(8)) &&
             (style == BS_SOLID || style == BS_NULL || (style == BS_HATCHED && r.U32(20) <= HS_DIAGCROSS));
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
      if (!Min(r, 12 + sizeof(LOGFONTW)) || !Handle(r.U32(8))) return false;
      if (!Within(r.I32(12), 1 << 15) || !Within(r.I32(16), 1 << 15)) return false;
      const size_t face = 12 + offsetof(LOGFONTW, lfFaceName);
      for (size_t i = 0; i < LF_FACESIZE; ++i)
        if (r.U16(face + 2 * i) == 0) return true;
      return false;  // an unterminated face name would be read past its field
    }
    case EMR_BEGINPATH: case EMR_ENDPATH: case EMR_CLOSEFIGURE: case EMR_ABORTPATH:
    case EMR_FLATTENPATH: case EMR_WIDENPATH: case EMR_SETMETARGN:
      return Min(r, 8);
    case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH:
      return Min(r, 24);
    case EMR_SELECTCLIPPATH: return Enum(r, RGN_AND, RGN_COPY);
    case EMR_GDICOMMENT:
      return Min(r, 12) && r.Has(12, r.U32(8));
    case EMR_EXTSELECTCLIPRGN:
      return ClipRegion(r);
    case EMR_EXTTEXTOUTA: return Text(r, 1);
    case EMR_EXTTEXTOUTW: return Text(r, 2);
    case EMR_EXTCREATEPEN: return ExtPen(r);
    case EMR_BITBLT: return Blit(r, 84, 100);
    case EMR_STRETCHBLT: return Blit(r, 84, 108) && Point(r, 100);
    case EMR_STRETCHDIBITS:
      // dest point 24, src rect 32..48, bitmap fields 48..64, usage 64, dest size 72
      return Min(r, 80) && Point(r, 24) && Rect(r, 32) && Point(r, 72) &&
             CheckEmbeddedDib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60), r.U32(64));
    default:
      return false;
  }
}

bool CheckHeader(const RecordReader& h, uint32_t fileBytes) {
  if (h.size() < 88 || h.U32(0) != EMR_HEADER) return false;
  if (h.U32(40) != ENHMETA_SIGNATURE || h.U32(48) != fileBytes) return false;
  if (h.U16(56) == 0) return false;  // handle 0 is the metafile itself
  for (size_t off : {24, 28})        // rclFrame: strictly positive extent, sane size
    if (!Coord(h.I32(off)) || !Coord(h.I32(off + 8)) || h.I32(off + 8) <= h.I32(off)) return false;
  for (size_t off : {72, 76, 80, 84})  // szlDevice, szlMillimeters
    if (h.I32(off) <= 0 || h.I32(off) > (1 << 16)) return false;
  const uint32_t nDesc = h.U32(60), offDesc = h.U32(64);
  if (nDesc != 0 && (offDesc < 88 || !h.Has(offDesc, 2ull * nDesc))) return false;
  if (h.size() >= 100 && h.U32(88) != 0 && (h.U32(92) < 88 || !h.Has(h.U32(92), h.U32(88))))
    return false;
  return true;
}

}  // namespace

bool ValidateEnhMetafile(const uint8_t* data, size_t size) {
  if (!data || size < 88 || size > 0x7FFFFFFF) return false;
  const RecordReader file(data, size);
  const uint32_t total = file.U32(48);  // nBytes: the metafile ends there
  if (total < 88 || total > size || total % 4 != 0) return false;
  const uint32_t headerSize = file.U32(4);
  if (headerSize % 4 != 0 || !file.Has(0, headerSize)) return false;
  if (!CheckHeader(RecordReader(data, headerSize), total)) return false;
  const uint32_t declaredRecords = file.U32(52);
  const uint32_t palEntries = file.U32(68);
  EmfChecker checker(file.U16(56));
  uint64_t offset = headerSize;
  uint32_t records = 1;
  while (offset < total) {
    const uint32_t type = file.U32(offset), recSize = file.U32(offset + 4);
    if (recSize < 8 || recSize % 4 != 0 || recSize > total - offset) return false;
    const RecordReader rec(data + offset, recSize);
    ++records;
    if (type == EMR_EOF) {
      // nPalEntries, offPalEntries, palette, nSizeLast: the last record of all.
      if (recSize < 20 || offset + recSize != total || rec.U32(8) != palEntries) return false;
      if (palEntries && (rec.U32(12) < 16 || !rec.Has(rec.U32(12), 4ull * palEntries + 4)))
        return false;
      return rec.U32(recSize - 4) == recSize && records == declaredRecords;
    }
    if (!checker.Check(rec, type)) return false;
    offset += recSize;
  }
  return false;  // no EMR_EOF
}

}  // namespace documents
