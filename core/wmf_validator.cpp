// Whitelist validator for WMF files; see emf_checker.cpp for why.
#include "core/wmf_validator.h"

#include <string>
#include <vector>

#include "core/gdi_enums.h"
#include "core/le_bytes.h"
#include "core/wmf_records.h"

namespace core {
namespace {

constexpr int kMaxSaveDepth = 1024;

class WmfChecker {
 public:
  WmfChecker(uint16_t objects, WmfInfo& info) : slots_(objects, false), info_(info) {}
  // r spans the whole record; parameters start at byte 6. False with Why() set
  // when the record is malformed.
  bool Check(const ByteReader& r, uint16_t function);
  const char* Why() const { return why_; }

 private:
  bool Fail(const char* why) {
    why_ = why;
    return false;
  }
  uint64_t Words(const ByteReader& r) const { return (r.size() - 6) / 2; }
  int16_t P(const ByteReader& r, uint64_t i) const { return r.I16(6 + 2 * i); }
  bool Params(const ByteReader& r, uint64_t n) { return Words(r) >= n || Fail("is shorter than its parameters"); }
  bool Enum(const ByteReader& r, int lo, int hi) {
    return Params(r, 1) && ((P(r, 0) >= lo && P(r, 0) <= hi) || Fail("has a mode out of range"));
  }
  bool NonZero(const ByteReader& r, uint64_t n) {
    for (uint64_t i = 0; i < n; ++i)
      if (P(r, i) == 0) return Fail("has a zero extent or scale");
    return true;
  }
  bool Create() {
    for (size_t i = 0; i < slots_.size(); ++i)
      if (!slots_[i]) return slots_[i] = true;
    return Fail("creates an object with the object table full");  // the player would have nowhere to put it
  }
  bool Used(uint16_t i) { return (i < slots_.size() && slots_[i]) || Fail("uses an empty object slot"); }
  bool PolyPolygon(const ByteReader& r);
  bool ExtTextOut(const ByteReader& r);

  std::vector<bool> slots_;
  WmfInfo& info_;
  int depth_ = 0;
  const char* why_ = nullptr;
};

bool WmfChecker::PolyPolygon(const ByteReader& r) {
  if (!Params(r, 1)) return false;
  const uint16_t polys = r.U16(6);
  if (polys == 0 || !Params(r, 1ull + polys)) return Fail("has more polygons than it holds");
  uint64_t points = 0;
  for (uint64_t i = 0; i < polys; ++i) {
    const uint16_t c = r.U16(8 + 2 * i);
    if (c < 2) return Fail("has a polygon of fewer than two points");
    points += c;
  }
  return Words(r) >= 1ull + polys + 2 * points || Fail("has more points than it holds");
}

// y, x, count, options, [rectangle], string padded to words, [dx per char]
bool WmfChecker::ExtTextOut(const ByteReader& r) {
  if (!Params(r, 4)) return false;
  const uint16_t count = r.U16(10), options = r.U16(12);
  if (options & ~(gdi::kEtoOpaque | gdi::kEtoClipped | gdi::kEtoGlyphIndex | gdi::kEtoRtlReading))
    return Fail("has unknown text options");
  const uint64_t rect = (options & (gdi::kEtoOpaque | gdi::kEtoClipped)) ? 4 : 0;
  const uint64_t text = (count + 1ull) / 2;
  if (Words(r) < 4 + rect + text) return Fail("has more characters than it holds");
  const uint64_t rest = Words(r) - (4 + rect + text);
  return rest == 0 || rest >= count || Fail("has a partial spacing array");  // all there or absent
}

bool WmfChecker::Check(const ByteReader& r, uint16_t f) {
  why_ = nullptr;
  switch (f) {
    case meta::kSaveDC:
      return ++depth_ <= kMaxSaveDepth || Fail("saves too many states");
    case meta::kRestoreDC: {
      const int16_t rel = Words(r) >= 1 ? P(r, 0) : 0;
      if (rel >= 0 || -rel > depth_) return Fail("restores a state it never saved");
      depth_ += rel;
      return true;
    }
    case meta::kSetBkMode: return Enum(r, gdi::kTransparent, gdi::kOpaque);
    case meta::kSetMapMode: return Enum(r, gdi::kMmText, gdi::kMmAnisotropic);
    case meta::kSetRop2: return Enum(r, gdi::kR2Black, gdi::kR2White);
    case meta::kSetPolyFillMode: return Enum(r, gdi::kAlternate, gdi::kWinding);
    case meta::kSetStretchBltMode: return Enum(r, gdi::kBlackOnWhite, gdi::kHalftone);
    case meta::kSetTextAlign: return Params(r, 1);
    case meta::kSetBkColor: case meta::kSetTextColor: return Params(r, 2);
    case meta::kSetWindowExt:
      if (!Params(r, 2) || !NonZero(r, 2)) return false;
      if (info_.windowExtX == 0) {
        info_.windowExtX = P(r, 1);
        info_.windowExtY = P(r, 0);
      }
      return true;
    case meta::kSetViewportExt:
      return Params(r, 2) && NonZero(r, 2);
    case meta::kSetWindowOrg: case meta::kSetViewportOrg: case meta::kOffsetWindowOrg:
    case meta::kOffsetViewportOrg: case meta::kLineTo: case meta::kMoveTo: case meta::kOffsetClipRgn:
      return Params(r, 2);
    case meta::kScaleWindowExt: case meta::kScaleViewportExt:
      return Params(r, 4) && NonZero(r, 4);
    case meta::kExcludeClipRect: case meta::kIntersectClipRect: case meta::kRectangle:
    case meta::kEllipse: case meta::kSetPixel:
      return Params(r, 4);
    case meta::kRoundRect: return Params(r, 6);
    case meta::kArc: case meta::kPie: case meta::kChord: return Params(r, 8);
    case meta::kPolygon: case meta::kPolyline: {
      const uint16_t n = Words(r) >= 1 ? r.U16(6) : 0;
      if (n < 2) return Fail("has fewer than two points");
      return Words(r) >= 1ull + 2ull * n || Fail("has more points than it holds");
    }
    case meta::kPolyPolygon: return PolyPolygon(r);
    case meta::kTextOut: {
      const uint16_t n = Words(r) >= 1 ? r.U16(6) : 0;
      return Params(r, 1 + (n + 1ull) / 2 + 2);
    }
    case meta::kExtTextOut: return ExtTextOut(r);
    case meta::kSelectObject: return Params(r, 1) && Used(r.U16(6));
    case meta::kDeleteObject:
      if (!Params(r, 1) || !Used(r.U16(6))) return false;
      slots_[r.U16(6)] = false;
      return true;
    case meta::kCreatePenIndirect:
      return Params(r, 5) && (r.U16(6) <= gdi::kPsInsideFrame || Fail("has a pen style out of range")) && Create();
    case meta::kCreateBrushIndirect: {
      if (!Params(r, 4)) return false;
      const uint16_t style = r.U16(6), hatch = r.U16(12);
      const bool ok = style == gdi::kBsSolid || style == gdi::kBsNull ||
                      (style == gdi::kBsHatched && hatch <= gdi::kHsDiagCross);
      return (ok || Fail("has a brush style this program does not draw")) && Create();
    }
    case meta::kCreateFontIndirect: {
      // LOGFONT16: 18 bytes of fields, then a face name that must end inside the record.
      if (!Params(r, 9)) return false;
      for (uint64_t i = 6 + 18; i < r.size() && i < 6 + 18 + gdi::kLfFaceSize; ++i)
        if (r.U8(i) == 0) return Create();
      return Fail("has a face name without its end");
    }
    default:
      return Fail("is of a function this program does not draw");
  }
}

std::string Describe(uint32_t index, uint16_t function, const char* why) {
  const char* name = WmfFunctionName(function);
  char number[8];
  static const char kHex[] = "0123456789ABCDEF";
  number[0] = '0', number[1] = 'x';
  for (int i = 0; i < 4; ++i) number[2 + i] = kHex[(function >> (12 - 4 * i)) & 0xF];
  number[6] = 0;
  return "record " + std::to_string(index) + " of function " + (name ? name : "unknown") + " (" + number +
         ") " + why;
}

}  // namespace

Verdict ValidateWindowsMetafile(const uint8_t* data, size_t size, WmfInfo& info) {
  info = WmfInfo();
  if (!data || size > 0x7FFFFFFF) return Verdict::Refuse("the file is too large");
  const ByteReader file(data, size);
  if (file.U32(0) == meta::kPlaceableKey) {
    if (size < meta::kPlaceableBytes) return Verdict::Refuse("the file is too short for its placeable header");
    info.placeable = true;
    info.left = file.I16(6);
    info.top = file.I16(8);
    info.right = file.I16(10);
    info.bottom = file.I16(12);
    info.unitsPerInch = file.U16(14);
    if (info.right <= info.left || info.bottom <= info.top || info.unitsPerInch == 0)
      return Verdict::Refuse("the placeable header has an empty box or no units per inch");
    info.headerOffset = meta::kPlaceableBytes;
  }
  const uint64_t h = info.headerOffset;
  if (!file.Has(h, meta::kHeaderBytes)) return Verdict::Refuse("the file is too short for a metafile header");
  const uint16_t type = file.U16(h), headerWords = file.U16(h + 2), version = file.U16(h + 4);
  const uint64_t bytes = 2ull * file.U32(h + 6);
  const uint16_t objects = file.U16(h + 10);
  const uint32_t maxRecord = file.U32(h + 12);
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
    return Verdict::Refuse("the metafile header is of an unknown kind");
  if (bytes < meta::kHeaderBytes + 6 || !file.Has(h, bytes))
    return Verdict::Refuse("the header states a size the file does not have");
  info.bytes = static_cast<size_t>(bytes);
  WmfChecker checker(objects, info);
  const ByteReader whole = file.Sub(h, bytes);
  uint64_t offset = meta::kHeaderBytes;
  uint32_t records = 0;
  while (offset < bytes) {
    const uint64_t recBytes = 2ull * whole.U32(offset);
    const uint16_t function = whole.U16(offset + 4);
    ++records;
    if (recBytes < 6) return Verdict::Refuse(Describe(records, function, "has an impossible size"));
    if (recBytes > bytes - offset) return Verdict::Refuse(Describe(records, function, "overruns the file"));
    if (recBytes / 2 > maxRecord)
      return Verdict::Refuse(Describe(records, function, "is larger than the header's largest record"));
    const ByteReader rec = whole.Sub(offset, recBytes);
    if (function == meta::kEof) {  // the last record of all
      if (recBytes != 6) return Verdict::Refuse(Describe(records, function, "is malformed"));
      if (offset + recBytes != bytes) return Verdict::Refuse(Describe(records, function, "is not the last record"));
      return Verdict::Accept();
    }
    if (!checker.Check(rec, function)) return Verdict::Refuse(Describe(records, function, checker.Why()));
    offset += recBytes;
  }
  return Verdict::Refuse("the file ends without an end-of-file record");
}

}  // namespace core
