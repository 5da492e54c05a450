// Whitelist checks of the drawing and state records of an enhanced metafile:
// only record types whose layout is checked here may appear. Metafile players
// (Wine's and Windows' alike) trust record contents, so anything not proven
// well-formed never reaches one.
#include "core/emf_checker.h"

#include <cmath>

#include "core/emf_validator.h"
#include "core/gdi_enums.h"

namespace core {
namespace {

constexpr uint32_t kMaxChars = 1u << 16;

bool Finite(float f, float limit) { return std::isfinite(f) && std::fabs(f) <= limit; }

}  // namespace

bool EmfChecker::Coord(int32_t v) {
  return (v >= -kMaxMetafileCoord && v <= kMaxMetafileCoord) || Fail("has a coordinate out of range");
}

bool EmfChecker::Enum(const ByteReader& r, uint32_t lo, uint32_t hi) {
  return Min(r, 12) && ((r.U32(8) >= lo && r.U32(8) <= hi) || Fail("has a mode out of range"));
}

bool EmfChecker::StockOrHandle(uint32_t i) {
  if (!(i & 0x80000000u)) return Handle(i);
  return (i & 0x7FFFFFFFu) <= gdi::kStockLast || Fail("selects an unknown stock object");
}

bool EmfChecker::Xform(const ByteReader& r, uint64_t off) {
  for (int i = 0; i < 4; ++i)
    if (!Finite(r.F32(off + 4 * i), 1e4f)) return Fail("has an unusable transform");
  if (!Finite(r.F32(off + 16), kMaxMetafileCoord) || !Finite(r.F32(off + 20), kMaxMetafileCoord))
    return Fail("has an unusable transform");
  const double det = double(r.F32(off)) * r.F32(off + 12) - double(r.F32(off + 4)) * r.F32(off + 8);
  return std::fabs(det) > 1e-9 || Fail("has a singular transform");
}

bool EmfChecker::Beziers(uint32_t type, uint32_t count) {
  bool ok;
  switch (type) {
    case emr::kPolyBezier:
    case emr::kPolyBezier16:
      ok = count >= 4 && (count - 1) % 3 == 0;
      break;
    case emr::kPolyBezierTo:
    case emr::kPolyBezierTo16:
      ok = count >= 3 && count % 3 == 0;
      break;
    default:
      ok = count >= 1;
  }
  return ok || Fail("has a point count that draws nothing it can");
}

bool EmfChecker::Points32(const ByteReader& r) {
  const uint32_t n = r.U32(24);
  if (!Min(r, 28)) return false;
  if (!r.Has(28, 8ull * n)) return Fail("has more points than it holds");
  for (uint64_t i = 0; i < n; ++i)
    if (!Point(r, 28 + 8 * i)) return false;
  return true;
}

bool EmfChecker::Points16(const ByteReader& r) {
  return Min(r, 28) && (r.Has(28, 4ull * r.U32(24)) || Fail("has more points than it holds"));
}

// bounds, nPolys, total points, counts[nPolys], points[total]
bool EmfChecker::PolyPoly(const ByteReader& r, uint64_t pointBytes) {
  if (!Min(r, 32)) return false;
  const uint32_t polys = r.U32(24), total = r.U32(28);
  if (polys == 0 || !r.Has(32, 4ull * polys)) return Fail("has more polygons than it holds");
  uint64_t sum = 0;
  for (uint64_t i = 0; i < polys; ++i) {
    const uint32_t c = r.U32(32 + 4 * i);
    if (c < 2) return Fail("has a polygon of fewer than two points");
    sum += c;
  }
  const uint64_t pts = 32 + 4ull * polys;
  if (sum != total) return Fail("has point counts that disagree with its total");
  // Byte counts in 64 bits: formed in a 32-bit size_t they wrap, and the
  // player copies `total` points into a buffer sized by the wrapped product.
  if (!r.Has(pts, pointBytes * total)) return Fail("has more points than it holds");
  if (pointBytes == 8)
    for (uint64_t i = 0; i < total; ++i)
      if (!Point(r, pts + 8 * i)) return false;
  return true;
}

// EMREXTTEXTOUT: bounds, graphics mode, scales, then EMRTEXT at 36.
bool EmfChecker::Text(const ByteReader& r, uint64_t charBytes) {
  if (!Min(r, 76)) return false;
  const uint32_t mode = r.U32(24);
  if (mode != gdi::kGmCompatible && mode != gdi::kGmAdvanced) return Fail("has a mode out of range");
  if (!Finite(r.F32(28), 1e4f) || !Finite(r.F32(32), 1e4f)) return Fail("has an unusable scale");
  const uint32_t chars = r.U32(44), offString = r.U32(48), options = r.U32(52), offDx = r.U32(72);
  if (!Point(r, 36)) return false;
  if (chars > kMaxChars) return Fail("has too many characters");
  constexpr uint32_t kKnown = gdi::kEtoOpaque | gdi::kEtoClipped | gdi::kEtoGlyphIndex |
                              gdi::kEtoRtlReading | gdi::kEtoNumericsLocal | gdi::kEtoNumericsLatin |
                              gdi::kEtoIgnoreLanguage | gdi::kEtoPdy;
  if (options & ~kKnown) return Fail("has unknown text options");
  if ((options & (gdi::kEtoOpaque | gdi::kEtoClipped)) && !Rect(r, 56)) return false;
  if (chars == 0) return true;
  if (offString < 76 || !r.Has(offString, charBytes * chars)) return Fail("has its string outside the record");
  const uint64_t dxCount = uint64_t(chars) * ((options & gdi::kEtoPdy) ? 2 : 1);
  if (offDx < 76 || !r.Has(offDx, 4 * dxCount)) return Fail("has its spacing array outside the record");
  for (uint64_t i = 0; i < dxCount; ++i)
    if (!Coord(r.I32(offDx + 4 * i))) return false;
  return true;
}

// EMREXTCREATEFONTINDIRECTW: object index 8, LOGFONTW 12.
bool EmfChecker::Font(const ByteReader& r) {
  if (!Min(r, 12 + gdi::kLogFontWBytes) || !Handle(r.U32(8))) return false;
  if (!Within(r.I32(12), 1 << 15) || !Within(r.I32(16), 1 << 15)) return false;
  const uint64_t face = 12 + gdi::kLogFontFaceName;
  for (uint64_t i = 0; i < gdi::kLfFaceSize; ++i)
    if (r.U16(face + 2 * i) == 0) return true;
  return Fail("has a face name without its end");  // it would be read past its field
}

// EMREXTSELECTCLIPRGN: cbRgnData, mode, RGNDATA at 16.
bool EmfChecker::ClipRegion(const ByteReader& r) {
  if (!Min(r, 16)) return false;
  const uint32_t bytes = r.U32(8), mode = r.U32(12);
  if (mode < gdi::kRgnAnd || mode > gdi::kRgnCopy) return Fail("has a mode out of range");
  if (bytes == 0) {  // resets the clip region
    if (mode != gdi::kRgnCopy) return Fail("combines with no region");
    // The player reads a region whenever the record is long enough for its
    // header, whatever cbRgnData says.
    return r.size() < emr::layout::kClipRgnStructBytes + gdi::kRgnDataHeaderBytes ||
           Fail("has a region the player reads though its size says there is none");
  }
  if (bytes < gdi::kRgnDataHeaderBytes || !r.Has(16, bytes)) return Fail("has its region outside the record");
  const uint32_t count = r.U32(24);
  if (r.U32(16) != gdi::kRgnDataHeaderBytes || r.U32(20) != gdi::kRdhRectangles)
    return Fail("has a region header of the wrong kind");
  if (!r.Has(16 + gdi::kRgnDataHeaderBytes, 16ull * count) || gdi::kRgnDataHeaderBytes + 16ull * count > bytes)
    return Fail("has more rectangles than its region holds");
  if (!Rect(r, 32)) return false;
  for (uint64_t i = 0; i < count; ++i)
    if (!Rect(r, 48 + 16 * i)) return false;
  return true;
}

}  // namespace core
