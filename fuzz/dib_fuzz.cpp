// The embedded-bitmap check on a record made of the input: the first 24 bytes
// say where the bitmap is and how the player uses it (header offset and size,
// pixels offset and size, colour usage, flags, rows), the rest is the record,
// which the check may mend. For every bitmap accepted, what GDI reads of the
// mended record (restated in fuzz/gdi_reads.h) must lie inside the header's
// and the pixels' bytes, and so in the record.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/dib_check.h"
#include "fuzz/gdi_reads.h"

namespace {

// Traps, naming the oracle's line that found the fault.
void Check(bool ok, int line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "oracle: %s:%d\n", __FILE__, line);
  __builtin_trap();
}

uint32_t Get(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 24) return 0;
  std::vector<uint8_t> record(data + 24, data + size);
  const core::DibSpan span{Get(data), Get(data + 4), Get(data + 8), Get(data + 12), data[16]};
  core::DibUse use;
  use.monoBrush = data[17] & 1;
  use.compressed = data[17] & 2;
  use.section = data[17] & 4;
  use.packed = data[17] & 8;
  if (data[17] & 16) use.rows = data[18] | data[19] << 8;
  core::DibLayout layout;
  const core::ByteReader r(record.data(), record.size());
  const core::DibCheck c = core::CheckEmbeddedDib(r, span, use, &layout, record.data());
  if (!c) {
    Check(*c.why != 0);
    return 0;
  }
  const bool indices = span.usage == 2;
  Check(span.usage <= 1 || (indices && use.monoBrush));
  // The header, masks and colour table: inside the header's bytes, or (colour
  // indices, which Windows takes as no table) at least inside the record.
  fuzzoracle::Reads info(record.data() + span.offBmi, indices ? record.size() - span.offBmi : span.cbBmi);
  const fuzzoracle::DibHeader h = fuzzoracle::ReadDibInfo(info, 0, span.usage, use.compressed);
  Check(info.inside() && h.valid);
  const bool runLength = h.compression == 1 || h.compression == 2;
  Check(!runLength || use.compressed);
  if (use.monoBrush) Check(info.Need(40, 8) || fuzzoracle::Reads(record.data(), record.size()).Need(span.offBmi, 48));
  const uint64_t image = runLength ? h.sizeImage : h.Stride() * std::min<uint64_t>(use.rows, h.Rows());
  if (use.packed) {
    // The pixels right after the table, inside the header's bytes.
    Check(fuzzoracle::PackedInfoSize(h, span.usage) + image <= span.cbBmi);
  } else {
    fuzzoracle::Reads bits(record.data() + span.offBits, span.cbBits);
    Check(bits.Need(0, image));
  }
  if (use.section) Check(!runLength && h.Stride() * h.Rows() <= (64ull << 20));
  Check(layout.imageBytes == image);
  return 0;
}
