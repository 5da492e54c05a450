// Walks an enhanced metafile record by record; emf_checker.cpp and
// emf_bitmap_records.cpp hold the checks of the records themselves.
#include "core/emf_validator.h"

#include <cmath>
#include <string>

#include "core/emf_checker.h"
#include "core/gdi_enums.h"

namespace core {
namespace {

constexpr int kMaxSaveDepth = 1024;

std::string Describe(uint32_t index, uint32_t type, const char* why) {
  const char* name = EmfRecordName(type);
  return "record " + std::to_string(index) + " of type " + (name ? name : "unknown") + " (" +
         std::to_string(type) + ") " + why;
}

const char* CheckHeader(const ByteReader& h, uint32_t fileBytes) {
  if (h.size() < emr::kHeaderMinBytes || h.U32(0) != emr::kHeader) return "is no enhanced metafile header";
  if (h.U32(40) != emr::kSignature) return "lacks the enhanced metafile signature";
  if (h.U32(48) != fileBytes) return "states another file size";
  if (h.U16(56) == 0) return "has no handle table";  // handle 0 is the metafile itself
  for (uint64_t off : {24, 28})  // rclFrame: strictly positive extent, sane size
    if (h.I32(off) < -kMaxMetafileCoord || h.I32(off) > kMaxMetafileCoord || h.I32(off + 8) < -kMaxMetafileCoord ||
        h.I32(off + 8) > kMaxMetafileCoord || h.I32(off + 8) <= h.I32(off))
      return "has an empty or oversized frame";
  for (uint64_t off : {72, 76, 80, 84})  // szlDevice, szlMillimeters
    if (h.I32(off) <= 0 || h.I32(off) > (1 << 16)) return "has an unusable reference device";
  const uint32_t nDesc = h.U32(60), offDesc = h.U32(64);
  if (nDesc != 0 && (offDesc < emr::kHeaderMinBytes || !h.Has(offDesc, 2ull * nDesc)))
    return "has its description outside the header";
  if (h.size() >= 100 && h.U32(88) != 0 && (h.U32(92) < emr::kHeaderMinBytes || !h.Has(h.U32(92), h.U32(88))))
    return "has its pixel format outside the header";
  return nullptr;
}

}  // namespace

bool EmfChecker::Check(const ByteReader& r, uint32_t type) {
  why_ = nullptr;
  bool known = true;
  bool ok = SimpleRecord(r, type, known);
  if (!known) {
    known = true;
    ok = BitmapRecord(r, type, known);
  }
  if (!known) return Fail("is of a type this program does not draw");
  return ok || why_ ? ok : Fail("is malformed");
}

bool EmfChecker::SimpleRecord(const ByteReader& r, uint32_t type, bool& known) {
  switch (type) {
    case emr::kPolyBezier: case emr::kPolygon: case emr::kPolyline:
    case emr::kPolyBezierTo: case emr::kPolylineTo:
      return Points32(r) && Beziers(type, r.U32(24));
    case emr::kPolyBezier16: case emr::kPolygon16: case emr::kPolyline16:
    case emr::kPolyBezierTo16: case emr::kPolylineTo16:
      return Points16(r) && Beziers(type, r.U32(24));
    case emr::kPolyPolyline: case emr::kPolyPolygon:
      return PolyPoly(r, 8);
    case emr::kPolyPolyline16: case emr::kPolyPolygon16:
      return PolyPoly(r, 4);
    case emr::kSetWindowExtEx: case emr::kSetViewportExtEx:
      return Min(r, 16) && NonZeroCoord(r.I32(8)) && NonZeroCoord(r.I32(12));
    case emr::kSetWindowOrgEx: case emr::kSetViewportOrgEx: case emr::kSetBrushOrgEx:
    case emr::kOffsetClipRgn: case emr::kMoveToEx: case emr::kLineTo:
      return Min(r, 16) && Point(r, 8);
    case emr::kSetPixelV:
      return Min(r, 20) && Point(r, 8);
    case emr::kSetMapperFlags: case emr::kSetTextAlign: case emr::kSetTextColor:
    case emr::kSetBkColor: case emr::kSetMiterLimit:
      return Min(r, 12);
    case emr::kSetMapMode: return Enum(r, gdi::kMmText, gdi::kMmAnisotropic);
    case emr::kSetBkMode: return Enum(r, gdi::kTransparent, gdi::kOpaque);
    case emr::kSetPolyFillMode: return Enum(r, gdi::kAlternate, gdi::kWinding);
    case emr::kSetRop2: return Enum(r, gdi::kR2Black, gdi::kR2White);
    case emr::kSetStretchBltMode: return Enum(r, gdi::kBlackOnWhite, gdi::kHalftone);
    case emr::kSetArcDirection: return Enum(r, gdi::kAdCounterClockwise, gdi::kAdClockwise);
    case emr::kSetIcmMode: return Enum(r, gdi::kIcmOff, gdi::kIcmDoneOutsideDC);
    case emr::kSetLayout:
      return Min(r, 12) && ((r.U32(8) & ~(gdi::kLayoutRtl | gdi::kLayoutBitmapOrientationPreserved)) == 0 ||
                            Fail("has unknown layout flags"));
    case emr::kExcludeClipRect: case emr::kIntersectClipRect: case emr::kEllipse: case emr::kRectangle:
      return Min(r, 24) && Rect(r, 8);
    case emr::kRoundRect:
      return Min(r, 32) && Rect(r, 8) && Point(r, 24);
    case emr::kArc: case emr::kChord: case emr::kPie: case emr::kArcTo:
      return Min(r, 40) && Rect(r, 8) && Rect(r, 24);
    case emr::kAngleArc:
      return Min(r, 28) && Point(r, 8) && (r.U32(16) <= uint32_t(kMaxMetafileCoord) || Fail("has a radius out of range")) &&
             ((std::isfinite(r.F32(20)) && std::isfinite(r.F32(24)) && std::fabs(r.F32(20)) <= 1e6f &&
               std::fabs(r.F32(24)) <= 1e6f) ||
              Fail("has an unusable angle"));
    case emr::kScaleViewportExtEx: case emr::kScaleWindowExtEx:
      if (!Min(r, 24)) return false;
      for (uint64_t off = 8; off < 24; off += 4)
        if (r.I32(off) == 0 || !Within(r.I32(off), 1 << 16)) return Fail("has a scale out of range");
      return true;
    case emr::kSaveDC:
      return Min(r, 8) && (++depth_ <= kMaxSaveDepth || Fail("saves too many states"));
    case emr::kRestoreDC: {
      const int32_t rel = r.I32(8);
      if (!Min(r, 12)) return false;
      // Never past our own levels; negated in 64 bits, as -2^31 has no 32-bit opposite.
      if (rel >= 0 || -int64_t(rel) > depth_) return Fail("restores a state it never saved");
      depth_ += rel;
      return true;
    }
    case emr::kSetWorldTransform:
      return Min(r, 32) && Xform(r, 8);
    case emr::kModifyWorldTransform:
      return Min(r, 36) &&
             ((r.U32(32) >= gdi::kMwtIdentity && r.U32(32) <= gdi::kMwtSet) || Fail("has a mode out of range")) &&
             (r.U32(32) == gdi::kMwtIdentity || Xform(r, 8));
    case emr::kSelectObject:
      return Min(r, 12) && StockOrHandle(r.U32(8));
    case emr::kDeleteObject:
      return Min(r, 12) && Handle(r.U32(8));
    case emr::kSelectPalette:  // no palette records are accepted, so only the stock one
      return Min(r, 12) && (r.U32(8) == (0x80000000u | gdi::kDefaultPalette) || Fail("selects a palette"));
    case emr::kCreatePen:
      return Min(r, 28) && Handle(r.U32(8)) && (r.U32(12) <= gdi::kPsInsideFrame || Fail("has a pen style out of range")) &&
             Within(r.I32(16), 1 << 16);
    case emr::kCreateBrushIndirect: {
      const uint32_t style = r.U32(12);
      return Min(r, 24) && Handle(r.U32(8)) &&
             ((style == gdi::kBsSolid || style == gdi::kBsNull ||
               (style == gdi::kBsHatched && r.U32(20) <= gdi::kHsDiagCross)) ||
              Fail("has a brush style this program does not draw"));
    }
    case emr::kExtCreateFontIndirectW:
      return Font(r);
    case emr::kBeginPath: case emr::kEndPath: case emr::kCloseFigure: case emr::kAbortPath:
    case emr::kFlattenPath: case emr::kWidenPath: case emr::kSetMetaRgn:
      return Min(r, 8);
    case emr::kFillPath: case emr::kStrokeAndFillPath: case emr::kStrokePath:
      return Min(r, 24);
    case emr::kSelectClipPath: return Enum(r, gdi::kRgnAnd, gdi::kRgnCopy);
    case emr::kGdiComment:
      return Min(r, 12) && (r.Has(12, r.U32(8)) || Fail("has its comment outside the record"));
    case emr::kExtSelectClipRgn:
      return ClipRegion(r);
    case emr::kExtTextOutA: return Text(r, 1);
    case emr::kExtTextOutW: return Text(r, 2);
    default:
      known = false;
      return false;
  }
}

Verdict ValidateEnhMetafile(const uint8_t* data, size_t size) {
  if (!data || size < emr::kHeaderMinBytes) return Verdict::Refuse("the file is too short for an enhanced metafile");
  if (size > 0x7FFFFFFF) return Verdict::Refuse("the file is too large");
  const ByteReader file(data, size);
  const uint32_t total = file.U32(48);  // nBytes: the metafile ends there
  if (total < emr::kHeaderMinBytes || total > size || total % 4 != 0)
    return Verdict::Refuse("the header states a size the file does not have");
  const uint32_t headerSize = file.U32(4);
  if (headerSize % 4 != 0 || !file.Has(0, headerSize)) return Verdict::Refuse("the header overruns the file");
  if (const char* why = CheckHeader(file.Sub(0, headerSize), total))
    return Verdict::Refuse(std::string("the header ") + why);
  const uint32_t declaredRecords = file.U32(52);
  const uint32_t palEntries = file.U32(68);
  EmfChecker checker(file.U16(56));
  uint64_t offset = headerSize;
  uint32_t records = 1;
  while (offset < total) {
    const uint32_t type = file.U32(offset), recSize = file.U32(offset + 4);
    ++records;
    if (recSize < 8 || recSize % 4 != 0) return Verdict::Refuse(Describe(records, type, "has an impossible size"));
    if (recSize > total - offset) return Verdict::Refuse(Describe(records, type, "overruns the file"));
    const ByteReader rec = file.Sub(offset, recSize);
    if (type == emr::kEof) {
      // nPalEntries, offPalEntries, palette, nSizeLast: the last record of all.
      if (recSize < 20 || rec.U32(8) != palEntries || rec.U32(recSize - 4) != recSize)
        return Verdict::Refuse(Describe(records, type, "is malformed"));
      if (palEntries && (rec.U32(12) < 16 || !rec.Has(rec.U32(12), 4ull * palEntries + 4)))
        return Verdict::Refuse(Describe(records, type, "has its palette outside the record"));
      if (offset + recSize != total) return Verdict::Refuse(Describe(records, type, "is not the last record"));
      if (records != declaredRecords) return Verdict::Refuse("the header states another number of records");
      return Verdict::Accept();
    }
    if (!checker.Check(rec, type)) return Verdict::Refuse(Describe(records, type, checker.Why()));
    offset += recSize;
  }
  return Verdict::Refuse("the file ends without an end-of-file record");
}

}  // namespace core
