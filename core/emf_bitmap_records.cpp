// Checks of the enhanced-metafile records that carry bitmaps. Players differ in
// what tells them a bitmap is there: Wine's follows the header offset whenever
// it is non-zero (bit-block transfers, alpha blends), or always (masked and
// parallelogram blits, DIB records, mono brushes), while Windows' goes by the
// sizes. So whatever either would read must be inside the record.
#include "core/dib_check.h"
#include "core/dib_format.h"
#include "core/emf_checker.h"
#include "core/gdi_enums.h"

namespace core {
namespace {

namespace L = emr::layout;

constexpr uint32_t kMaxPenWidth = 1u << 16;  // as for EMR_CREATEPEN (emf_checker.cpp), and dashes

}  // namespace

// Windows' player goes by the sizes: whatever they claim lies inside the
// record, bitmap or not.
bool EmfChecker::SizesInside(const ByteReader& r, const emr::BitmapFields& f) {
  if (r.U32(f.cbBmi) && !Holds(r, r.U32(f.offBmi), r.U32(f.cbBmi), "has its bitmap header outside the record"))
    return false;
  return !r.U32(f.cbBits) || Holds(r, r.U32(f.offBits), r.U32(f.cbBits), "has its bitmap bits outside the record");
}

bool EmfChecker::Dib(const ByteReader& r, const emr::BitmapFields& f, const DibUse& use, DibLayout* layout) {
  const DibSpan span{r.U32(f.offBmi), r.U32(f.cbBmi), r.U32(f.offBits), r.U32(f.cbBits), r.U32(f.usage)};
  const DibCheck c = CheckEmbeddedDib(r, span, use, layout, rec_);
  return c || (c.damaged ? Damaged(c.why) : Unplayable(c.why));
}

// BITBLT, STRETCHBLT, ALPHABLEND, TRANSPARENTBLT: destination, source point,
// source size (but BITBLT), source transform and bitmap. Without a bitmap
// offset the first two are pattern fills and the others draw nothing.
bool EmfChecker::Blit(const ByteReader& r, uint32_t type) {
  const bool sized = type != emr::kBitBlt;
  if (!Min(r, sized ? L::kStretchBltBytes : L::kBitBltBytes) || !Rect(r, L::kBlitDest) || !Point(r, L::kBlitSrc))
    return false;
  if (sized && !Point(r, L::kStretchBltSrcSize)) return false;
  if (!SizesInside(r, L::kBlitSource)) return false;
  if (r.U32(L::kBlitSource.offBmi) == 0) return true;
  DibUse use;
  // The blend's source is a DIB section the player copies cbBitsSrc bytes
  // into without looking whether it was made.
  use.section = type == emr::kAlphaBlend;
  use.compressed = !use.section;
  DibLayout source;
  if (!Dib(r, L::kBlitSource, use, &source)) return false;
  return !use.section || r.U32(L::kBlitSource.cbBits) <= source.imageBytes ||
         Damaged("has more source bits than its bitmap holds");
}

// MASKBLT and PLGBLT: the player reads the source and the mask, present or
// not; without either it would take the record's own start for a bitmap.
bool EmfChecker::MaskedBlit(const ByteReader& r, uint32_t type) {
  const bool plg = type == emr::kPlgBlt;
  if (!Min(r, plg ? L::kPlgBltBytes : L::kMaskBltBytes)) return false;
  if (plg ? !(Point(r, L::kPlgBltPoints) && Point(r, L::kPlgBltPoints + 8) && Point(r, L::kPlgBltPoints + 16) &&
              Rect(r, L::kPlgBltSrc))
          : !(Rect(r, L::kBlitDest) && Point(r, L::kBlitSrc)))
    return false;
  if (!Point(r, plg ? L::kPlgBltMaskPoint : L::kMaskBltMaskPoint)) return false;
  const emr::BitmapFields& source = plg ? L::kPlgBltSource : L::kBlitSource;
  const emr::BitmapFields& mask = plg ? L::kPlgBltMask : L::kMaskBltMask;
  if (!SizesInside(r, source) || !SizesInside(r, mask)) return false;
  if (r.U32(source.offBmi) == 0 || r.U32(mask.offBmi) == 0)
    return Unplayable("has no source or mask bitmap, which one player reads anyway");
  DibUse use;
  use.compressed = true;
  return Dib(r, source, use) && Dib(r, mask, use);
}

// SETDIBITSTODEVICE: its bits hold the scans it names, not the whole bitmap.
bool EmfChecker::SetDIBits(const ByteReader& r) {
  if (!Min(r, L::kSetDIBitsBytes) || !Point(r, L::kSetDIBitsDest) || !Rect(r, L::kSetDIBitsSrc)) return false;
  DibUse use;
  use.rows = r.U32(L::kSetDIBitsScans);
  use.compressed = true;
  return Dib(r, L::kSetDIBitsSource, use);
}

// CREATEDIBPATTERNBRUSHPT and CREATEMONOBRUSH.
bool EmfChecker::Brush(const ByteReader& r, uint32_t type) {
  if (!Min(r, L::kBrushBytes) || !Handle(r.U32(L::kBrushIndex))) return false;
  const emr::BitmapFields& f = L::kBrushBitmap;
  if (type == emr::kCreateMonoBrush) {
    DibUse use;
    use.monoBrush = true;
    return Dib(r, f, use);
  }
  // One player packs the header's bytes and the pixels' bytes one after the
  // other and finds the pixels right after the colour table.
  DibLayout layout;
  if (!Dib(r, f, {}, &layout)) return false;
  return layout.infoBytes + layout.imageBytes <= uint64_t(r.U32(f.cbBmi)) + r.U32(f.cbBits) ||
         Damaged("has its pixels outside what the player packs");
}

// EXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, EXTLOGPEN32 at 28 (style,
// width, brush style, colour, hatch, dash count, dashes). A pattern pen is made
// by the program from the record's bitmap: Wine's player ignores it and hands
// the file's hatch field to the platform as a pointer.
bool EmfChecker::ExtPen(const ByteReader& r) {
  if (!Min(r, L::kExtPenFixedBytes) || !Handle(r.U32(L::kExtPenIndex))) return false;
  const uint32_t brush = r.U32(36), entries = r.U32(48);
  if (!Holds(r, L::kExtPenFixedBytes, 4ull * entries, "has its dash pattern outside the record")) return false;
  // The colour field of a pattern pen says what its bitmap's table holds.
  const emr::BitmapFields bitmap{40, L::kExtPenOffBmi, L::kExtPenCbBmi, L::kExtPenOffBits, L::kExtPenCbBits};
  if (!SizesInside(r, bitmap)) return false;
  if (r.U32(32) > kMaxPenWidth) return Unplayable("has a pen too wide to draw");
  // Dashes of no length at all would be stepped along a line for ever.
  uint64_t dashes = 0;
  for (uint64_t i = 0; i < entries; ++i) {
    if (r.U32(L::kExtPenFixedBytes + 4 * i) > kMaxPenWidth) return Unplayable("has a dash out of range");
    dashes += r.U32(L::kExtPenFixedBytes + 4 * i);
  }
  if (entries && dashes == 0) return Unplayable("has dashes of no length");
  if (brush == gdi::kBsSolid || brush == gdi::kBsNull || brush == gdi::kBsHatched) {
    if (rec_[43] != 1 && rec_[43] != 2) rec_[43] = 0;  // the colour's reserved byte, as for EMR_CREATEPEN
    return true;
  }
  if (!IsPatternPenRecord(r)) return Unplayable("has a brush style that needs a handle of the recording program");
  if (r.U32(bitmap.cbBmi) == 0) return Unplayable("is a pattern pen without its pattern");
  const DibSpan span{r.U32(bitmap.offBmi), r.U32(bitmap.cbBmi), r.U32(bitmap.offBits), r.U32(bitmap.cbBits),
                     brush == gdi::kBsPattern ? dib::kRgbColors : r.U32(40)};
  const DibCheck c = CheckEmbeddedDib(r, span, {}, nullptr, rec_);
  return c || (c.damaged ? Damaged(c.why) : Unplayable(c.why));
}

bool EmfChecker::BitmapRecord(const ByteReader& r, uint32_t type, bool& known) {
  switch (type) {
    case emr::kBitBlt: case emr::kStretchBlt: case emr::kAlphaBlend: case emr::kTransparentBlt:
      return Blit(r, type);
    case emr::kMaskBlt: case emr::kPlgBlt:
      return MaskedBlit(r, type);
    case emr::kSetDIBitsToDevice:
      return SetDIBits(r);
    case emr::kStretchDIBits: {
      if (!Min(r, L::kStretchDIBitsBytes) || !Point(r, L::kStretchDIBitsDest) || !Rect(r, L::kStretchDIBitsSrc) ||
          !Point(r, L::kStretchDIBitsDestSize))
        return false;
      DibUse use;
      use.compressed = true;
      return Dib(r, L::kStretchDIBitsSource, use);
    }
    case emr::kCreateDIBPatternBrushPt: case emr::kCreateMonoBrush:
      return Brush(r, type);
    case emr::kExtCreatePen:
      return ExtPen(r);
    default:
      known = false;
      return false;
  }
}

bool IsPatternPenRecord(const ByteReader& record) {
  if (record.U32(0) != emr::kExtCreatePen || record.size() < L::kExtPenFixedBytes) return false;
  const uint32_t brush = record.U32(36);
  return brush == gdi::kBsPattern || brush == gdi::kBsDibPattern || brush == gdi::kBsDibPatternPt;
}

bool NeedsProgramPlayer(const ByteReader& record) {
  const uint32_t type = record.U32(0);
  if (type == emr::kFillRgn || type == emr::kFrameRgn) return record.U32(28) & 0x80000000u;
  return IsPatternPenRecord(record);
}

}  // namespace core
