// Checks of the enhanced-metafile records that carry bitmaps.
#include "core/dib_check.h"
#include "core/emf_checker.h"
#include "core/gdi_enums.h"

namespace core {

namespace L = emr::layout;

bool EmfChecker::Dib(const ByteReader& r, const emr::BitmapFields& f) {
  const char* why = CheckEmbeddedDib(r, r.U32(f.offBmi), r.U32(f.cbBmi), r.U32(f.offBits), r.U32(f.cbBits),
                                     r.U32(f.usage));
  return !why || Fail(why);
}

// EMREXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, EXTLOGPEN32 at 28.
bool EmfChecker::ExtPen(const ByteReader& r) {
  if (!Min(r, L::kExtPenFixedBytes) || !Handle(r.U32(L::kExtPenIndex))) return false;
  if (r.U32(L::kExtPenCbBmi) != 0 || r.U32(L::kExtPenCbBits) != 0) return Fail("is a pen with a pattern bitmap");
  const uint32_t style = r.U32(28), brush = r.U32(36), hatch = r.U32(44), entries = r.U32(48);
  const uint32_t kind = style & gdi::kPsStyleMask;
  if (style & ~(gdi::kPsStyleMask | gdi::kPsEndcapMask | gdi::kPsJoinMask | gdi::kPsTypeMask))
    return Fail("has unknown pen style flags");
  if ((style & gdi::kPsEndcapMask) > gdi::kPsEndcapFlat || (style & gdi::kPsJoinMask) > gdi::kPsJoinMiter ||
      kind > gdi::kPsAlternate)
    return Fail("has a pen style out of range");
  if (r.U32(32) > (1u << 16)) return Fail("has a pen width out of range");
  if (brush != gdi::kBsSolid && brush != gdi::kBsNull && brush != gdi::kBsHatched)
    return Fail("has a brush style this program does not draw");
  if (brush == gdi::kBsHatched && hatch > gdi::kHsDiagCross) return Fail("has a hatch out of range");
  if (kind == gdi::kPsUserStyle ? (entries == 0 || entries > 16) : entries != 0)
    return Fail("has a dash pattern that does not fit its style");
  if (!r.Has(52, 4ull * entries)) return Fail("has its dash pattern outside the record");
  for (uint64_t i = 0; i < entries; ++i)
    if (r.U32(52 + 4 * i) > (1u << 16)) return Fail("has a dash out of range");
  return true;
}

// EMRBITBLT and EMRSTRETCHBLT: no bitmap means a pattern fill.
bool EmfChecker::Blit(const ByteReader& r, uint64_t min) {
  if (!Min(r, min) || !Rect(r, L::kBlitDest) || !Point(r, L::kBlitSrc)) return false;
  const emr::BitmapFields& f = L::kBlitSource;
  if (r.U32(f.cbBmi) == 0) return r.U32(f.cbBits) == 0 || Fail("has bitmap bits without a bitmap header");
  return Xform(r, L::kBlitXform) && Dib(r, f);
}

bool EmfChecker::BitmapRecord(const ByteReader& r, uint32_t type, bool& known) {
  switch (type) {
    case emr::kExtCreatePen:
      return ExtPen(r);
    case emr::kBitBlt:
      return Blit(r, L::kBitBltBytes);
    case emr::kStretchBlt:
      return Blit(r, L::kStretchBltBytes) && Point(r, L::kStretchBltSrcSize);
    case emr::kStretchDIBits:
      return Min(r, L::kStretchDIBitsBytes) && Point(r, L::kStretchDIBitsDest) && Rect(r, L::kStretchDIBitsSrc) &&
             Point(r, L::kStretchDIBitsDestSize) && Dib(r, L::kStretchDIBitsSource);
    default:
      known = false;
      return false;
  }
}

}  // namespace core
