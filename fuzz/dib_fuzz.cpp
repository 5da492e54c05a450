// The embedded-bitmap check on a record made of the input: the first 24 bytes
// say where the bitmap is and how the player uses it (header offset and size,
// pixels offset and size, colour usage, flags, rows), the rest is the record.
// For every bitmap accepted, what GDI reads (restated in fuzz/gdi_reads.h)
// must lie inside the header's and the pixels' bytes, and so in the record.
#include <cstdint>
#include <cstdlib>

#include "core/dib_check.h"
#include "fuzz/gdi_reads.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

uint32_t Get(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 24) return 0;
  const uint8_t* record = data + 24;
  const size_t recordBytes = size - 24;
  const core::DibSpan span{Get(data), Get(data + 4), Get(data + 8), Get(data + 12), data[16]};
  core::DibUse use;
  use.monochrome = data[17] & 1;
  use.monoBrush = data[17] & 2;
  if (data[17] & 4) use.rows = data[18] | data[19] << 8;
  core::DibLayout layout;
  const char* why = core::CheckEmbeddedDib(core::ByteReader(record, recordBytes), span, use, &layout);
  if (why) {
    Check(*why != 0);
    return 0;
  }
  const bool indices = span.usage == 2;
  Check(span.usage == 0 || (indices && use.monoBrush));
  // The header, masks and colour table: inside the header's bytes, or (colour
  // indices, which Windows takes as no table) at least inside the record.
  fuzzoracle::Reads info(record + span.offBmi, indices ? recordBytes - span.offBmi : span.cbBmi);
  const fuzzoracle::DibHeader h = fuzzoracle::ReadDibInfo(info, 0, span.usage, true);
  Check(info.inside() && h.valid && h.compression != 1 && h.compression != 2);
  Check(!use.monochrome || h.bits == 1);
  if (use.monoBrush) Check(info.Need(40, 8));  // the two colours the mono brush player compares
  // The rows of pixels the player reads, inside the pixels' bytes.
  fuzzoracle::Reads bits(record + span.offBits, span.cbBits);
  Check(bits.Need(0, h.Stride() * std::min<uint64_t>(use.rows, h.Rows())));
  // Read as a packed bitmap (pixels right after the colour table), still inside the record.
  if (!indices && uint64_t(span.offBmi) + span.cbBmi == span.offBits && use.rows == UINT64_MAX) {
    fuzzoracle::Reads packed(record, recordBytes);
    fuzzoracle::ReadPackedDib(packed, span.offBmi, span.usage);
    Check(packed.inside());
  }
  Check(layout.imageBytes <= span.cbBits && (indices || layout.infoBytes <= span.cbBmi));
  return 0;
}
