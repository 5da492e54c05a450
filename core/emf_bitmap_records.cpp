// Checks of the enhanced-metafile records that carry bitmaps. Players differ in
// what tells them a bitmap is there: Wine's follows the header offset whenever
// it is non-zero (bit-block transfers, alpha blends, transparent blits), or
// always (masked and parallelogram blits, DIB records, mono brushes), while
// the format describes each bitmap by its sizes. So a bitmap counts as absent
// only when its offsets and sizes are all zero, and otherwise everything the
// player would read must be inside the record.
#include "core/dib_check.h"
#include "core/emf_checker.h"
#include "core/gdi_enums.h"

namespace core {
namespace {

namespace L = emr::layout;

// A blended source is copied into a DIB section the player does not check it
// got; beyond this size the allocation could fail in a 32-bit process.
constexpr uint64_t kMaxBlendSourceBytes = 64ull << 20;

bool Absent(const ByteReader& r, const emr::BitmapFields& f) {
  return r.U32(f.offBmi) == 0 && r.U32(f.cbBmi) == 0 && r.U32(f.offBits) == 0 && r.U32(f.cbBits) == 0;
}

}  // namespace

bool EmfChecker::Dib(const ByteReader& r, const emr::BitmapFields& f, const DibUse& use, DibLayout* layout) {
  const DibSpan span{r.U32(f.offBmi), r.U32(f.cbBmi), r.U32(f.offBits), r.U32(f.cbBits), r.U32(f.usage)};
  const char* why = CheckEmbeddedDib(r, span, use, layout);
  return !why || Fail(why);
}

// BITBLT, STRETCHBLT, ALPHABLEND, TRANSPARENTBLT: destination, source point,
// source size (but BITBLT), transform and source bitmap.
bool EmfChecker::Blit(const ByteReader& r, uint32_t type) {
  const bool sized = type != emr::kBitBlt;
  if (!Min(r, sized ? L::kStretchBltBytes : L::kBitBltBytes) || !Rect(r, L::kBlitDest) || !Point(r, L::kBlitSrc))
    return false;
  if (sized && !Point(r, L::kStretchBltSrcSize)) return false;
  if (Absent(r, L::kBlitSource))  // a pattern fill; blends and transparent blits need a source
    return type == emr::kBitBlt || type == emr::kStretchBlt || Fail("has no source bitmap");
  DibLayout source;
  if (!Xform(r, L::kBlitXform) || !Dib(r, L::kBlitSource, {}, &source)) return false;
  if (type != emr::kAlphaBlend) return true;
  const uint32_t blend = r.U32(L::kBlitRop);  // op, flags, constant alpha, alpha format
  if ((blend & 0xFFFF) != 0 || (blend >> 24) > 1) return Fail("has an unknown blend function");
  if (source.imageBytes > kMaxBlendSourceBytes) return Fail("has a source bitmap too large to blend");
  // Older players copy cbBitsSrc bytes into a section of the rows' size.
  return r.U32(L::kBlitSource.cbBits) == source.imageBytes || Fail("has source bits of another size than its rows");
}

// MASKBLT and PLGBLT: the player reads the source and the mask, present or not.
bool EmfChecker::MaskedBlit(const ByteReader& r, uint32_t type) {
  const bool plg = type == emr::kPlgBlt;
  if (!Min(r, plg ? L::kPlgBltBytes : L::kMaskBltBytes)) return false;
  if (plg ? !(Point(r, L::kPlgBltPoints) && Point(r, L::kPlgBltPoints + 8) && Point(r, L::kPlgBltPoints + 16) &&
              Rect(r, L::kPlgBltSrc))
          : !(Rect(r, L::kBlitDest) && Point(r, L::kBlitSrc)))
    return false;
  const emr::BitmapFields& source = plg ? L::kPlgBltSource : L::kBlitSource;
  const emr::BitmapFields& mask = plg ? L::kPlgBltMask : L::kMaskBltMask;
  if (Absent(r, source)) return Fail("has no source bitmap, which the player reads anyway");
  if (Absent(r, mask)) return Fail("has no mask bitmap, which the player reads anyway");
  DibUse maskUse;
  maskUse.monochrome = true;
  return Point(r, plg ? L::kPlgBltMaskPoint : L::kMaskBltMaskPoint) && Xform(r, plg ? L::kPlgBltXform : L::kBlitXform) &&
         Dib(r, source) && Dib(r, mask, maskUse);
}

// SETDIBITSTODEVICE: its bits hold the scans it names, not the whole bitmap.
bool EmfChecker::SetDIBits(const ByteReader& r) {
  if (!Min(r, L::kSetDIBitsBytes) || !Point(r, L::kSetDIBitsDest) || !Rect(r, L::kSetDIBitsSrc)) return false;
  const uint32_t start = r.U32(L::kSetDIBitsStartScan), scans = r.U32(L::kSetDIBitsScans);
  DibUse use;
  use.rows = scans;
  DibLayout layout;
  if (!Dib(r, L::kSetDIBitsSource, use, &layout)) return false;
  const uint64_t height = layout.height < 0 ? -int64_t(layout.height) : layout.height;
  return (scans >= 1 && uint64_t(start) + scans <= height) || Fail("has scans outside its bitmap");
}

// CREATEDIBPATTERNBRUSHPT and CREATEMONOBRUSH.
bool EmfChecker::Brush(const ByteReader& r, uint32_t type) {
  if (!Min(r, L::kBrushBytes) || !Handle(r.U32(L::kBrushIndex))) return false;
  const emr::BitmapFields& f = L::kBrushBitmap;
  if (type == emr::kCreateMonoBrush) {
    DibUse use;
    use.monochrome = use.monoBrush = true;
    return Dib(r, f, use);
  }
  // A packed bitmap: the player finds the pixels right after the colour table,
  // and Wine's own check wants them to follow the header's bytes.
  DibLayout layout;
  if (!Dib(r, f, {}, &layout)) return false;
  return uint64_t(r.U32(f.offBmi)) + r.U32(f.cbBmi) == r.U32(f.offBits) || Fail("has its bits apart from its header");
}

// EMREXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, EXTLOGPEN32 at 28.
// Pattern pens are refused: Wine's player ignores their bitmap and hands the
// file's 32-bit hatch field to the platform as a pointer.
bool EmfChecker::ExtPen(const ByteReader& r) {
  if (!Min(r, L::kExtPenFixedBytes) || !Handle(r.U32(L::kExtPenIndex))) return false;
  if (r.U32(L::kExtPenOffBmi) != 0 || r.U32(L::kExtPenCbBmi) != 0 || r.U32(L::kExtPenOffBits) != 0 ||
      r.U32(L::kExtPenCbBits) != 0)
    return Fail("is a pen with a pattern bitmap");
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

bool EmfChecker::BitmapRecord(const ByteReader& r, uint32_t type, bool& known) {
  switch (type) {
    case emr::kBitBlt: case emr::kStretchBlt: case emr::kAlphaBlend: case emr::kTransparentBlt:
      return Blit(r, type);
    case emr::kMaskBlt: case emr::kPlgBlt:
      return MaskedBlit(r, type);
    case emr::kSetDIBitsToDevice:
      return SetDIBits(r);
    case emr::kStretchDIBits:
      return Min(r, L::kStretchDIBitsBytes) && Point(r, L::kStretchDIBitsDest) && Rect(r, L::kStretchDIBitsSrc) &&
             Point(r, L::kStretchDIBitsDestSize) && Dib(r, L::kStretchDIBitsSource);
    case emr::kCreateDIBPatternBrushPt: case emr::kCreateMonoBrush:
      return Brush(r, type);
    case emr::kExtCreatePen:
      return ExtPen(r);
    default:
      known = false;
      return false;
  }
}

}  // namespace core
