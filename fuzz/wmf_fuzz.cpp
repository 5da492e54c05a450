// The WMF checks, with a check of their own on the copy of every file they
// accept: the copy is a memory metafile whose records chain to META_EOF; what
// Wine's player (PlayMetaFileRecord) reads of each record lies inside it,
// restated here (fuzz/gdi_reads.h for the bitmaps), but for the two words a
// region's band walk may read past; every object index is inside the copy's
// table; no record the player would misread is left in; and the copy,
// checked again, is itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/emf_validator.h"
#include "core/wmf_validator.h"
#include "fuzz/gdi_reads.h"

namespace {

// Traps, naming the oracle's line that found the fault.
void Check(bool ok, int line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "oracle: %s:%d\n", __FILE__, line);
  __builtin_trap();
}

uint16_t U16(const uint8_t* p, uint64_t off) { return uint16_t(p[off] | p[off + 1] << 8); }
uint32_t U32(const uint8_t* p, uint64_t off) { return U16(p, off) | uint32_t(U16(p, off + 2)) << 16; }

// A packed bitmap at `at` as StretchDIBits or CreateDIBPatternBrushPt reads
// it: the pixels right after the colour table bitmap_info_size counts.
void PackedReads(fuzzoracle::Reads& r, uint64_t at, uint32_t usage, uint64_t rows = UINT64_MAX) {
  const fuzzoracle::DibHeader h = fuzzoracle::ReadDibInfo(r, at, usage, true);
  if (!h.valid) return;
  const uint64_t bits = at + fuzzoracle::PackedInfoSize(h, usage);
  if (h.compression == 1 || h.compression == 2)
    r.Need(bits, h.sizeImage);
  else
    r.Need(bits, h.Stride() * std::min(rows, h.Rows()));
}

// One record of `words` parameters after its 6-byte head.
void RecordReadsInside(const uint8_t* p, uint64_t bytes, uint16_t function, uint32_t objects) {
  fuzzoracle::Reads r(p, bytes);
  const uint64_t words = (bytes - 6) / 2;
  auto param = [&](uint64_t i) {
    Check(i < words);
    return U16(p, 6 + 2 * i);
  };
  auto object = [&](uint64_t i) { Check(param(i) < objects); };
  switch (function) {
    case 0x0324: case 0x0325:  // POLYGON, POLYLINE
      Check(1 + 2ull * param(0) <= words);
      break;
    case 0x0538: {  // POLYPOLYGON: counts added as signed 16-bit numbers
      const uint64_t polys = param(0);
      int64_t points = 0;
      for (uint64_t i = 0; i < polys; ++i) points += int16_t(param(1 + i));
      Check(points >= 0 && 1 + polys + 2 * uint64_t(points) <= words);
      break;
    }
    case 0x0521: {  // TEXTOUT: count, string, y, x
      const int16_t n = int16_t(param(0));
      Check(n >= 0 && 1 + (n + 1ull) / 2 + 2 <= words);
      break;
    }
    case 0x0A32:  // EXTTEXTOUT: y, x, count, options, [rect], string
      r.Need(14 + ((param(3) & 6) ? 8 : 0), param(2));
      break;
    case 0x02FB:  // CREATEFONTINDIRECT: 32 bytes of face name copied, read to its end
      Check(words >= 25 && p[6 + 18 + 31] == 0);
      break;
    case 0x00F7:  // CREATEPALETTE
      Check(2 + 2ull * param(1) <= words);
      break;
    case 0x0626: {  // ESCAPE: no job control, no questions for the device, no kept metafile
      r.Need(10, param(1));
      const uint16_t e = param(0);
      Check(e != 1 && e != 2 && (e < 9 || e > 14));
      Check(!(e == 15 && words >= 4 && U32(p, 10) == 0x43464D57));
      break;
    }
    case 0x06FF:  // CREATEREGION: the band walk reads at most two words past the record,
      Check(words >= 11);  // which the copy's META_EOF always provides
      break;
    case 0x0F43: PackedReads(r, 28, param(2)); break;                    // STRETCHDIB
    case 0x0B41: PackedReads(r, 26, 0); break;                           // DIBSTRETCHBLT
    case 0x0D33: PackedReads(r, 24, param(0), param(1)); break;          // SETDIBTODEV
    case 0x0940: if (words > 9) PackedReads(r, 22, 0); break;            // DIBBITBLT
    case 0x0142: PackedReads(r, 10, param(1)); break;                    // DIBCREATEPATTERNBRUSH
    case 0x01F9: if (param(0) == 5) PackedReads(r, 10, param(1)); else Check(param(0) != 3); break;
    case 0x0922: case 0x0B23: Check(false); break;  // device bitmaps, which the player misreads
    case 0x012D: case 0x01F0: case 0x012A: case 0x012B: case 0x012C: object(0); break;
    case 0x0234: object(0), object(1); break;  // SELECTPALETTE, one of each reading
    case 0x0228: object(0), object(1); break;  // FILLREGION
    case 0x0429: object(2), object(3); break;  // FRAMEREGION
    case 0x02FC: Check(param(0) <= 2); break;  // CREATEBRUSHINDIRECT: no handles of the recording program
    default: break;
  }
  Check(r.inside());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const core::PreparedWmf p = core::PrepareWindowsMetafile(data, size);
  if (!p.verdict) {
    Check(!p.verdict.reason.empty() && p.bytes.empty());
    return 0;
  }
  Check(!p.info.placeable || (p.info.right > p.info.left && p.info.bottom > p.info.top && p.info.unitsPerInch > 0));
  const std::vector<uint8_t>& c = p.bytes;
  Check(c.size() >= 18 + 6 && U16(c.data(), 0) == 1 && U16(c.data(), 2) == 9 && U16(c.data(), 4) == 0x300);
  Check(2ull * U32(c.data(), 6) == c.size());
  const uint32_t objects = U16(c.data(), 10);
  for (uint64_t offset = 18;;) {
    Check(offset + 6 <= c.size());
    const uint64_t bytes = 2ull * U32(c.data(), offset);
    Check(bytes >= 6 && offset + bytes <= c.size());
    const uint16_t function = U16(c.data(), offset + 4);
    if (function == 0) {
      Check(offset + bytes == c.size());
      break;
    }
    RecordReadsInside(c.data() + offset, bytes, function, objects);
    offset += bytes;
  }
  const core::PreparedWmf again = core::PrepareWindowsMetafile(c.data(), c.size());
  Check(again.verdict && again.leftOut == 0 && again.bytes == c);
  if (!p.embeddedEmf.empty()) core::PrepareEnhMetafile(p.embeddedEmf.data(), p.embeddedEmf.size());
  return 0;
}
