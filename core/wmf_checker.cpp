// Checks of Windows-metafile records by what the player reads of each: the
// parameters it takes, the points, strings, regions and bitmaps they lead
// to, and every object index inside the object table.
#include "core/wmf_checker.h"

#include "core/dib_check.h"
#include "core/gdi_enums.h"
#include "core/wmf_records.h"

namespace core {
namespace {

constexpr int kMaxSaveDepth = 1024;
constexpr uint64_t kFontParams = 9 + 16;  // LOGFONT16's fields, then a face name of 32 bytes

// How many parameters each function with a fixed list takes; 0 where the
// function takes none, -1 where it is not one of them.
int FixedParams(uint16_t f) {
  switch (f) {
    case meta::kSaveDC: case meta::kRealizePalette: return 0;
    case meta::kSetBkMode: case meta::kSetMapMode: case meta::kSetRop2: case meta::kSetRelAbs:
    case meta::kSetPolyFillMode: case meta::kSetStretchBltMode: case meta::kSetTextCharExtra:
    case meta::kSetTextAlign: case meta::kResizePalette:
      return 1;
    case meta::kSetBkColor: case meta::kSetTextColor: case meta::kSetWindowOrg: case meta::kSetViewportOrg:
    case meta::kSetViewportExt: case meta::kOffsetWindowOrg: case meta::kOffsetViewportOrg: case meta::kLineTo:
    case meta::kMoveTo: case meta::kOffsetClipRgn: case meta::kSetMapperFlags: case meta::kSetTextJustification:
      return 2;
    case meta::kScaleWindowExt: case meta::kScaleViewportExt: case meta::kExcludeClipRect:
    case meta::kIntersectClipRect: case meta::kEllipse: case meta::kFloodFill: case meta::kRectangle:
    case meta::kSetPixel:
      return 4;
    case meta::kExtFloodFill: case meta::kCreatePenIndirect: return 5;
    case meta::kRoundRect: case meta::kPatBlt: return 6;
    case meta::kArc: case meta::kPie: case meta::kChord: return 8;
    default: return -1;
  }
}

bool JobOrQueryEscape(uint16_t e) {
  switch (e) {
    case gdi::kEscNewFrame: case gdi::kEscAbortDoc: case gdi::kEscSetAbortProc: case gdi::kEscStartDoc:
    case gdi::kEscEndDoc: case gdi::kEscGetPhysPageSize: case gdi::kEscGetPrintingOffset:
    case gdi::kEscGetScalingFactor:
      return true;
    default:
      return false;
  }
}

}  // namespace

// polygons, counts, points
bool WmfChecker::PolyPolygon(const ByteReader& r) {
  if (!Params(r, 1)) return false;
  const uint64_t polys = P(r, 0);
  if (!Params(r, 1 + polys)) return false;
  uint64_t points = 0;
  for (uint64_t i = 0; i < polys; ++i) {
    // The player adds the counts up as signed 16-bit numbers.
    if (P(r, 1 + i) > 0x7FFF) return Unplayable("has a polygon of more points than its count can say");
    points += P(r, 1 + i);
  }
  return Words(r) >= 1 + polys + 2 * points || Damaged("has more points than it holds");
}

// y, x, count, options, [rectangle], string padded to words, [dx per char]
bool WmfChecker::ExtTextOut(const ByteReader& r) {
  if (!Params(r, 4)) return false;
  const uint64_t count = P(r, 2), rect = (P(r, 3) & (gdi::kEtoOpaque | gdi::kEtoClipped)) ? 8 : 0;
  return r.Has(14 + rect, count) || Damaged("has more characters than it holds");
}

// Regions as bands: count, y0, y1, x pairs..., count again; the band count is
// parameter 5 and the bands start at parameter 11. The player stops at the
// first band that does not end inside the record, having read at most two
// words past it: the next record's, or the copy's closing META_EOF.
bool WmfChecker::Region(const ByteReader& r) { return Params(r, 11); }

// function, byte count, data
bool WmfChecker::Escape(const ByteReader& r) {
  if (!Params(r, 2)) return false;
  if (!r.Has(10, P(r, 1))) return Damaged("has its escape data outside the record");
  return !JobOrQueryEscape(P(r, 0)) || Unplayable("controls a print job or asks the device, which a picture does not");
}

// The player copies a face name of 32 bytes and reads it to its end: a short
// record is padded in the copy, and the name's last byte ends it.
bool WmfChecker::Font(std::vector<uint8_t>& out, size_t at, const ByteReader& r) {
  if (!Params(r, 9)) return false;
  if (Words(r) < kFontParams) {
    out.resize(at + 6 + 2 * kFontParams, 0);
    const uint32_t words = 3 + kFontParams;
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(words >> (8 * i));
  }
  out[at + 6 + 18 + 31] = 0;
  return true;
}

// A packed bitmap at byte `at`: header, colour table, then the pixels.
bool WmfChecker::PackedDib(const ByteReader& r, uint64_t at, uint32_t usage, uint64_t rows, bool compressed) {
  if (!r.Has(at, 0)) return Damaged("has its bitmap outside the record");
  const uint32_t rest = static_cast<uint32_t>(r.size() - at);
  DibUse use;
  use.rows = rows;
  use.compressed = compressed;
  use.packed = true;
  DibLayout layout;
  const DibCheck c = CheckEmbeddedDib(r, {uint32_t(at), rest, uint32_t(at), rest, usage}, use, &layout, mend_);
  if (!c) return c.damaged ? Damaged(c.why) : Unplayable(c.why);
  // A table of all 2^bits colours is stated as such: Wine's recorder copies
  // only the entries biClrUsed counts into the enhanced metafile, none for 0.
  const uint64_t clrUsed = at + 32;
  if (layout.bitCount <= 8 && r.U32(clrUsed) == 0)
    for (int i = 0; i < 4; ++i) mend_[clrUsed + i] = static_cast<uint8_t>((1u << layout.bitCount) >> (8 * i));
  return true;
}

bool WmfChecker::Bitmaps(const ByteReader& r, uint16_t f, bool& known) {
  switch (f) {
    case meta::kStretchDib:  // rop, usage, source and destination, bitmap at parameter 11
      return Params(r, 11) && PackedDib(r, 28, P(r, 2));
    case meta::kDibStretchBlt:  // rop, source and destination, bitmap at parameter 10
      return Words(r) > 10 ? PackedDib(r, 26, 0)
                           : Unplayable("has no bitmap, which the player reads anyway");
    case meta::kDibBitBlt:  // with a bitmap at parameter 8, or a pattern fill of 9 parameters
      // The player finds these pixels as if the raster operation's low word
      // were the colour usage: never further than a full RGB table puts them.
      return Words(r) > 9 ? PackedDib(r, 22, 0) : Params(r, 9);
    case meta::kSetDibToDev:  // usage, scans, first scan, source, destination, bitmap at parameter 9
      return Params(r, 9) && PackedDib(r, 24, P(r, 0), P(r, 1));
    // The old transfers of device bitmaps: Wine's player takes their fields
    // one to two words from where the format puts them (and one of them has
    // crashed it), so it is never given them.
    case meta::kStretchBlt: case meta::kBitBlt:
      return Unplayable("copies a device bitmap, which one player misreads");
    case meta::kDibCreatePatternBrush:  // style, usage, packed bitmap
      if (!Params(r, 4)) return false;
      // Some writers put a device bitmap behind BS_PATTERN, which the player
      // would read as a packed bitmap with a header of absurd size.
      if (P(r, 0) == gdi::kBsPattern && (r.U32(10) < 40 || r.U32(10) > 124))
        return Unplayable("has a pattern that is no device-independent bitmap");
      return PackedDib(r, 10, P(r, 1), UINT64_MAX, false);
    case meta::kCreatePatternBrush:  // style, usage, then a bitmap as the style says
      if (!Params(r, 2)) return false;
      if (P(r, 0) == gdi::kBsDibPattern) return PackedDib(r, 10, P(r, 1), UINT64_MAX, false);
      return P(r, 0) != gdi::kBsPattern || Unplayable("makes a brush of a device bitmap, which one player misreads");
    default:
      known = false;
      return false;
  }
}

// Objects go into the first free slot of the player's table.
void WmfChecker::Created(std::optional<std::vector<uint32_t>> palette) {
  size_t i = 0;
  while (i < slots_.size() && slots_[i]) ++i;
  if (i == slots_.size()) slots_.emplace_back();
  slots_[i] = std::move(palette);
}

void WmfChecker::Palettes(const ByteReader& r, uint16_t f) {
  auto entries = [&](uint64_t first, uint64_t count) {
    std::vector<uint32_t> e;
    for (uint64_t i = 0; i < count; ++i) e.push_back(r.U32(6 + 2 * (first + 2 * i)));
    return e;
  };
  std::vector<uint32_t>* selected = selectedPalette_ >= 0 && size_t(selectedPalette_) < slots_.size() &&
                                            slots_[size_t(selectedPalette_)] && *slots_[size_t(selectedPalette_)]
                                        ? &**slots_[size_t(selectedPalette_)]
                                        : nullptr;
  switch (f) {
    case meta::kCreatePalette: Created(entries(2, P(r, 1))); break;
    case meta::kCreatePenIndirect: case meta::kCreateBrushIndirect: case meta::kCreateFontIndirect:
    case meta::kCreateRegion: case meta::kDibCreatePatternBrush: case meta::kCreatePatternBrush:
      Created(std::nullopt);
      break;
    case meta::kDeleteObject:
      if (P(r, 0) < slots_.size()) slots_[P(r, 0)].reset();
      if (P(r, 0) == selectedPalette_) selectedPalette_ = -1;
      break;
    case meta::kSelectPalette: selectedPalette_ = P(r, 0); break;
    case meta::kSetPalEntries:  // first, count, entries
      if (selected)
        for (uint64_t i = 0; i < P(r, 1) && P(r, 0) + i < selected->size(); ++i)
          (*selected)[P(r, 0) + i] = r.U32(6 + 2 * (2 + 2 * i));
      break;
    case meta::kResizePalette:
      if (selected) selected->resize(P(r, 0));
      break;
    default: break;
  }
}

// A colour of two words at parameter `param`: a palette index becomes the
// selected palette's colour, a palette-relative colour its plain RGB, as a
// picture of true colours shows them.
void WmfChecker::PlainColour(const ByteReader& r, uint64_t param) {
  const uint64_t off = 6 + 2 * param;
  const uint8_t kind = r.U8(off + 3);
  if (kind == 2) mend_[off + 3] = 0;
  if (kind != 1 || selectedPalette_ < 0 || size_t(selectedPalette_) >= slots_.size() ||
      !slots_[size_t(selectedPalette_)] || !*slots_[size_t(selectedPalette_)])
    return;
  const std::vector<uint32_t>& palette = **slots_[size_t(selectedPalette_)];
  const uint16_t index = r.U16(off);
  if (index >= palette.size()) return;
  for (int i = 0; i < 3; ++i) mend_[off + i] = static_cast<uint8_t>(palette[index] >> (8 * i));
  mend_[off + 3] = 0;
}

RecordFate WmfChecker::Check(std::vector<uint8_t>& out, size_t at, uint16_t f) {
  Reset();
  mend_ = out.data() + at;
  const ByteReader r(out.data() + at, out.size() - at);
  bool known = true;
  bool ok = Known(out, at, r, f, known);
  if (!known) known = true, ok = Bitmaps(r, f, known);
  if (!known) Unplayable("is of a function the player does not play");
  if (ok && known) {
    const ByteReader copy(out.data() + at, out.size() - at);
    mend_ = out.data() + at;
    switch (f) {
      case meta::kSetBkColor: case meta::kSetTextColor: case meta::kSetPixel: case meta::kFloodFill:
        PlainColour(copy, 0);
        break;
      case meta::kExtFloodFill: case meta::kCreateBrushIndirect: PlainColour(copy, 1); break;
      case meta::kCreatePenIndirect: PlainColour(copy, 3); break;
      default: break;
    }
    Palettes(copy, f);
  }
  return Fate(ok && known);
}

bool WmfChecker::Known(std::vector<uint8_t>& out, size_t at, const ByteReader& r, uint16_t f, bool& known) {
  if (const int n = FixedParams(f); n >= 0) {
    if (!Params(r, n)) return false;
    if (f == meta::kSaveDC) return ++depth_ <= kMaxSaveDepth || (--depth_, Unplayable("saves too many states"));
    return true;
  }
  switch (f) {
    case meta::kSetWindowExt:
      if (!Params(r, 2)) return false;
      if (windowExtX == 0 && P(r, 0) != 0 && P(r, 1) != 0)
        windowExtX = static_cast<int16_t>(P(r, 1)), windowExtY = static_cast<int16_t>(P(r, 0));
      return true;
    case meta::kRestoreDC: {
      if (!Params(r, 1)) return false;
      // A restore past the metafile's own saves would restore the caller's states.
      const int rel = static_cast<int16_t>(P(r, 0));
      if (rel >= 0 || -rel > depth_) return Unplayable("restores a state the metafile never saved");
      depth_ += rel;
      return true;
    }
    case meta::kSelectObject: case meta::kDeleteObject: case meta::kInvertRegion: case meta::kPaintRegion:
    case meta::kSelectClipRegion:
      return Params(r, 1) && Object(P(r, 0));
    case meta::kSelectPalette:  // the palette's index
      if (!Params(r, 1)) return false;
      // Wine's player reads a flag first and the index second, one word past
      // the record as written; the copy carries the index in both places.
      if (Words(r) == 1) {
        const uint16_t index = P(r, 0);
        out.resize(at + 10);
        out[at] = 5, out[at + 1] = out[at + 2] = out[at + 3] = 0;
        out[at + 8] = static_cast<uint8_t>(index), out[at + 9] = static_cast<uint8_t>(index >> 8);
        return Object(index);
      }
      return Object(P(r, 0)) && Object(P(r, 1));
    case meta::kFillRegion: return Params(r, 2) && Object(P(r, 0)) && Object(P(r, 1));
    case meta::kFrameRegion: return Params(r, 4) && Object(P(r, 2)) && Object(P(r, 3));
    case meta::kCreateBrushIndirect: {
      if (!Params(r, 4)) return false;
      // Other styles take the hatch parameter for a handle or a pointer.
      const uint16_t style = P(r, 0);
      return style == gdi::kBsSolid || style == gdi::kBsNull || style == gdi::kBsHatched ||
             Unplayable("has a brush style that needs a handle of the recording program");
    }
    case meta::kCreateFontIndirect: return Font(out, at, r);
    case meta::kCreatePalette:  // LOGPALETTE: version, count, entries
      return Params(r, 2) && (Params(r, 2 + 2ull * P(r, 1)) || Damaged("has more palette entries than it holds"));
    case meta::kSetPalEntries: case meta::kAnimatePalette:  // first, count, entries
      return Params(r, 2) && (Params(r, 2 + 2ull * P(r, 1)) || Damaged("has more palette entries than it holds"));
    case meta::kPolygon: case meta::kPolyline:
      return Params(r, 1) && (Words(r) >= 1 + 2ull * P(r, 0) || Damaged("has more points than it holds"));
    case meta::kPolyPolygon: return PolyPolygon(r);
    case meta::kTextOut: {  // count, string, y, x
      if (!Params(r, 1)) return false;
      // The player takes the count as signed and finds the position by it.
      const int count = static_cast<int16_t>(P(r, 0));
      if (count < 0) return Unplayable("has a negative character count");
      return Params(r, 1 + (count + 1ull) / 2 + 2);
    }
    case meta::kExtTextOut: return ExtTextOut(r);
    case meta::kCreateRegion: return Region(r);
    case meta::kEscape: return Escape(r);
    default:
      known = false;
      return false;
  }
}

}  // namespace core
