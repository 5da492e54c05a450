// The WMF validator, with a check of its own on every file it accepts: the
// layout facts describe bytes inside the file, and what the player reads of
// each record (points, polygon counts, strings, spacing, face names, object
// slots) lies inside that record, restated here from the format.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/wmf_validator.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

uint16_t U16(const uint8_t* p, uint64_t off) { return uint16_t(p[off] | p[off + 1] << 8); }
uint32_t U32(const uint8_t* p, uint64_t off) { return U16(p, off) | uint32_t(U16(p, off + 2)) << 16; }

// One record of `words` 16-bit parameters after its 6-byte head.
void RecordReadsInside(const uint8_t* r, uint64_t words, uint16_t function, std::vector<bool>& slots) {
  auto param = [&](uint64_t i) {
    Check(i < words);
    return U16(r, 6 + 2 * i);
  };
  switch (function) {
    case 0x0324: case 0x0325:  // POLYGON, POLYLINE
      Check(1 + 2ull * param(0) <= words);
      break;
    case 0x0538: {  // POLYPOLYGON
      const uint64_t polys = param(0);
      uint64_t points = 0;
      for (uint64_t i = 0; i < polys; ++i) points += param(1 + i);
      Check(1 + polys + 2 * points <= words);
      break;
    }
    case 0x0521:  // TEXTOUT: count, string, y, x
      Check(1 + (param(0) + 1ull) / 2 + 2 <= words);
      break;
    case 0x0A32: {  // EXTTEXTOUT: y, x, count, options, [rect], string, [dx]
      const uint64_t count = param(2), rect = (param(3) & 6) ? 4 : 0, text = 4 + rect + (count + 1) / 2;
      Check(text <= words);
      Check(words == text || words - text >= count);
      break;
    }
    case 0x02FB: {  // CREATEFONTINDIRECT: the face name ends inside the record
      bool ended = false;
      for (uint64_t i = 18; i < 18 + 32 && i < 2 * words; ++i) ended = ended || r[6 + i] == 0;
      Check(ended);
      break;
    }
    case 0x012D:  // SELECTOBJECT
      Check(param(0) < slots.size() && slots[param(0)]);
      break;
    case 0x01F0:  // DELETEOBJECT
      Check(param(0) < slots.size() && slots[param(0)]);
      slots[param(0)] = false;
      break;
    case 0x02FA: case 0x02FC: {  // CREATEPENINDIRECT, CREATEBRUSHINDIRECT take the first free slot
      size_t i = 0;
      while (i < slots.size() && slots[i]) ++i;
      Check(i < slots.size());
      slots[i] = true;
      break;
    }
    default:
      break;
  }
  if (function == 0x02FB) {  // fonts take a slot too
    size_t i = 0;
    while (i < slots.size() && slots[i]) ++i;
    Check(i < slots.size());
    slots[i] = true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  core::WmfInfo info;
  const core::Verdict v = core::ValidateWindowsMetafile(data, size, info);
  if (!v) {
    Check(!v.reason.empty());
    return 0;
  }
  Check(info.headerOffset + info.bytes <= size && info.bytes >= 18 + 6);
  Check(!info.placeable || (info.right > info.left && info.bottom > info.top && info.unitsPerInch > 0));
  const uint8_t* meta = data + info.headerOffset;
  std::vector<bool> slots(U16(meta, 10), false);
  uint64_t offset = 18;
  while (true) {
    Check(offset + 6 <= info.bytes);
    const uint64_t bytes = 2ull * U32(meta, offset);
    Check(bytes >= 6 && offset + bytes <= info.bytes);
    const uint16_t function = U16(meta, offset + 4);
    if (function == 0) {
      Check(offset + bytes == info.bytes);
      break;
    }
    RecordReadsInside(meta + offset, (bytes - 6) / 2, function, slots);
    offset += bytes;
  }
  return 0;
}
