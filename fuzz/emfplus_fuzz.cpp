// The EMF+ checker on whole enhanced metafiles, walked leniently by their
// record sizes, with a check of its own on every comment it accepts: what
// Wine's player (enum_metafile_proc, GdipPlayMetafileRecord and the
// metafile_deserialize_* functions it calls) would read of each EMF+ record,
// by the player's rules restated here with the 32-bit product's arithmetic,
// must lie inside the record's data; its walk must move forward through the
// comment; and nothing it builds may keep a pointer it later follows unset.
// A mutator that knows EMF+ records edits their sizes, counts, ids and flags.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "core/emfplus_checker.h"
#include "fuzz/gdi_reads.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

uint32_t Get(const uint8_t* p, size_t off) {
  return p[off] | p[off + 1] << 8 | p[off + 2] << 16 | uint32_t(p[off + 3]) << 24;
}
uint16_t Get16(const uint8_t* p, size_t off) { return uint16_t(p[off] | p[off + 1] << 8); }
void Set(uint8_t* p, size_t off, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[off + i] = uint8_t(v >> (8 * i));
}

using fuzzoracle::Reads;

// The 32-bit product's size_t, UINT and DWORD arithmetic.
uint32_t W(uint64_t v) { return static_cast<uint32_t>(v); }
constexpr uint64_t k32 = 0xFFFFFFFFull;

void Comment(const uint8_t* p, uint32_t cb, int depth);

// metafile_deserialize_path: false where the player makes no path. A path
// it makes is flattened by GdipFlattenPath, which takes any point neither a
// start nor a line for a Bezier segment and reads on without the count.
bool PlayerPath(Reads& r, uint64_t base, uint32_t size) {
  if (size <= 12) return false;
  size -= 12;
  const uint32_t count = r.U32(base + 4), flags = r.U32(base + 8);
  if (flags & 0x800) return false;
  const uint32_t point = (flags & 0x4000) ? 4 : 8;
  if (size < W(uint64_t(point + 1) * count)) return false;
  Check(8ull * count <= k32);
  r.Need(base + 12, uint64_t(point + 1) * count);
  if (!r.inside()) return true;
  const uint64_t types = base + 12 + uint64_t(point) * count;
  for (uint64_t i = 1; i < count;) {
    const uint8_t t = r.U8(types + i) & 7;
    if (t == 0 || t == 1) {
      ++i;
      continue;
    }
    Check(i + 1 < count);
    if (r.U8(types + i + 1) & 0x80) {
      i += 2;
    } else {
      Check(i + 2 < count);
      i += 3;
    }
  }
  return true;
}

// metafile_deserialize_image, and for an EMF the playback of its comments.
bool PlayerImage(Reads& r, uint64_t base, uint32_t size, int depth) {
  if (size < 8) return false;
  size -= 8;
  const uint32_t type = r.U32(base + 4);
  if (type == 1) {
    if (size <= 20) return false;
    size -= 20;
    const int32_t width = int32_t(r.U32(base + 8)), height = int32_t(r.U32(base + 12)),
                  stride = int32_t(r.U32(base + 16));
    const uint32_t format = r.U32(base + 20), kind = r.U32(base + 24);
    if (kind == 1) return r.Need(base + 28, size);  // a memory stream the decoders read within
    if (kind != 0) return false;
    uint64_t scan = base + 28;
    uint32_t count = 0;
    if (format & 0x10000) {
      if (size <= 8) return false;
      count = r.U32(base + 32);
      const uint32_t palette = W(8 + uint64_t(count) * 4);
      if (size < palette) return false;
      size -= palette;
      scan += palette;
    }
    if (size < W(uint64_t(uint32_t(height)) * uint32_t(stride))) return false;
    // GdipCreateBitmapFromScan0 keeps scan0: the bitmap's rows are read from the record.
    if (width <= 0 || height <= 0 || stride % 4 || stride == 0) return false;
    const int64_t rowBits = int64_t(width) * ((format >> 8) & 0xFF);
    Check(rowBits + 7 <= 0x7FFFFFFF);  // row_size is an int
    const int64_t last = int64_t(height - 1) * stride;
    r.Need(uint64_t(int64_t(scan) + std::min<int64_t>(last, 0)),
           uint64_t(std::abs(last)) + uint64_t((rowBits + 7) / 8));
    if (format & 0x10000 && count <= 256) r.Need(base + 28, 8 + 4ull * count);  // GdipSetImagePalette
    return true;
  }
  if (type == 2) {
    if (size <= 8) return false;
    size -= 8;
    const uint32_t kind = r.U32(base + 8);
    if (kind < 3 || kind > 5 || !r.inside()) return false;
    // SetEnhMetaFileBits takes the rest; the metafile's nBytes must fit in it.
    if (!r.Need(base + 16, size)) return false;  // SetEnhMetaFileBits copies it all
    const uint8_t* emf = r.at(base + 16);
    if (size < 88 || Get(emf, 0) != 1 || Get(emf, 40) != 0x464D4520 || Get(emf, 48) > size || Get(emf, 48) % 4)
      return false;
    Check(depth < 16);
    // EnumEnhMetaFile walks by nSize inside nBytes; the comments go through this oracle again.
    const uint32_t bytes = Get(emf, 48);
    for (uint64_t off = 0; off + 8 <= bytes && Get(emf, off + 4) >= 8 && off + Get(emf, off + 4) <= bytes;
         off += Get(emf, off + 4)) {
      const uint32_t recSize = Get(emf, off + 4);
      if (Get(emf, off) != 70 || recSize < 16) continue;
      const uint32_t cb = Get(emf, off + 8);
      if (cb >= 4 && Get(emf, off + 12) == 0x2B464D45) {
        Check(cb <= recSize - 12);
        Comment(emf + off + 12, cb, depth + 1);
      }
    }
    return true;
  }
  return false;
}

// metafile_deserialize_brush, at `base` with `size` bytes as the player counts them.
bool PlayerBrush(Reads& r, uint64_t base, uint32_t size, int depth) {
  if (size < 8) return false;
  switch (r.U32(base + 4)) {
    case 0:
      if (size != 12) return false;
      r.Need(base, 12);
      return true;
    case 1:
      if (size != 20) return false;
      r.Need(base, 20);
      return true;
    case 2: {
      uint32_t offset = 16;
      if (size <= offset) return false;
      const uint32_t flags = r.U32(base + 8);
      if (flags & 2) {
        if (size <= offset + 24) return false;
        r.Need(base + offset, 24);
        offset += 24;
      }
      return PlayerImage(r, base + offset, size - offset, depth);
    }
    case 4: {
      uint32_t offset = 48;
      if (size < offset) return false;
      r.Need(base, 48);
      const uint32_t flags = r.U32(base + 8);
      if ((flags & 4) && (flags & 0x18)) return false;
      if (flags & 2) {
        if (size < offset + 24) return false;
        r.Need(base + offset, 24);
        offset += 24;
      }
      uint32_t count = 0;
      if (flags & 0x1C) {
        if (size <= offset + 4) return false;
        count = r.U32(base + offset);
        offset += 4;
      }
      if ((flags & 4) || (flags & 8)) {
        if (size != W(offset + uint64_t(count) * 8)) return false;
        Check(4ull * count <= k32);  // the blend arrays the brush copies
        r.Need(base + offset, 8ull * count);
      }
      return true;
    }
    default: return false;
  }
}

// metafile_read_region_node over a buffer of `size` bytes with an int position.
enum class Node { kOk, kMissing, kFailed };
struct RegionBuffer {
  Reads& r;
  int32_t size, pos = 0;
  bool Read(int32_t n, uint64_t& at) {  // buffer_read
    if (int64_t(size) - pos < n) return false;
    at = uint64_t(int64_t(pos));
    pos = int32_t(int64_t(pos) + n);
    return true;
  }
};
Node PlayerNode(RegionBuffer& b, int depth, uint32_t& kind, int& leaves) {
  Check(depth < 4096);  // a recursion the thread's stack holds
  uint64_t at;
  if (!b.Read(4, at)) return Node::kMissing;
  kind = b.r.U32(at);
  if (kind <= 5) {
    uint32_t k;
    const Node left = PlayerNode(b, depth + 1, k, leaves);
    if (left == Node::kFailed) return left;
    const Node right = PlayerNode(b, depth + 1, k, leaves);
    if (right == Node::kFailed) return right;
    Check(left == Node::kOk && right == Node::kOk);  // a child left zeroed, later freed as a combination
    return Node::kOk;
  }
  switch (kind) {
    case 0x10000000:
      if (!b.Read(16, at)) return Node::kFailed;
      b.r.Need(at, 16);
      ++leaves;
      return Node::kOk;
    case 0x10000001: {
      if (!b.Read(4, at)) return Node::kFailed;
      const uint32_t bytes = b.r.U32(at);
      if (!b.Read(int32_t(bytes), at)) return Node::kFailed;
      // A path the player cannot make stays a null pointer it follows later.
      Check(PlayerPath(b.r, at, bytes));
      ++leaves;
      return Node::kOk;
    }
    case 0x10000002:
    case 0x10000003: ++leaves; return Node::kOk;
    default: return Node::kFailed;
  }
}

void PlayerRegion(Reads& r, uint32_t size) {
  RegionBuffer b{r, int32_t(size)};
  uint64_t at;
  if (!b.Read(8, at)) return;
  uint32_t root = 0x10000003;  // GdipCreateRegion's infinite region
  int leaves = 0;
  const Node n = PlayerNode(b, 0, root, leaves);
  // On failure the region is freed: a root combination never got its children.
  if (n == Node::kFailed || leaves == 0) Check(root >= 0x10000000 && root <= 0x10000003);
}

// metafile_get_pen_brush_data_offset, then the pen's second walk of its fields.
void PlayerPen(Reads& r, uint32_t size, int depth) {
  uint32_t offset = 8;
  if (size <= offset) return;
  offset += 12;
  if (size <= offset) return;
  const uint32_t flags = r.U32(8);
  if (flags & 0x1) offset += 24;
  for (uint32_t bit = 0x2; bit <= 0x80; bit <<= 1)
    if (flags & bit) offset += 4;
  auto sized = [&](uint32_t bit, uint32_t unit) {
    if (!(flags & bit)) return true;
    const uint32_t at = offset;
    offset += 4;
    if (size <= offset) return false;
    offset = W(offset + uint64_t(r.U32(at)) * unit);
    return true;
  };
  if (!sized(0x100, 4)) return;
  if (flags & 0x200) offset += 4;
  if (!sized(0x400, 4) || !sized(0x800, 1) || !sized(0x1000, 1)) return;
  if (!PlayerBrush(r, offset, W(uint64_t(size) - offset), depth)) return;
  // GdipCreatePen2 succeeded: the fields again, relative to the pen data at 8.
  uint64_t at = 8 + 12;
  if (flags & 0x1) at += 24;
  for (uint32_t bit = 0x2; bit <= 0x80; bit <<= 1) {
    if (!(flags & bit)) continue;
    if (bit != 0x40) r.Need(at, 4);  // all but the dash cap, which the player skips
    at += 4;
  }
  auto again = [&](uint32_t bit, uint32_t unit) {
    if (flags & bit) at = 8 + W(at - 8 + 4 + uint64_t(r.U32(at)) * unit);
  };
  again(0x100, 4);
  if (flags & 0x200) at += 4;
  again(0x400, 4), again(0x800, 1), again(0x1000, 1);
}

// METAFILE_PlaybackObject.
void PlayerObject(Reads& r, uint16_t flags, uint32_t size, int depth) {
  const uint8_t type = flags >> 8, id = flags & 0xFF;
  if (type > 9 || id >= 64) return;  // continued parts carry bit 15 in the type: refused
  switch (type) {
    case 1: PlayerBrush(r, 0, size, depth); break;
    case 2: PlayerPen(r, size, depth); break;
    case 3: PlayerPath(r, 0, size); break;
    case 4: PlayerRegion(r, size); break;
    case 5: PlayerImage(r, 0, size, depth); break;
    case 6: {
      if (size <= 24) break;
      const uint32_t length = r.U32(20);
      if (size - 24 < W(uint64_t(length) * 2)) break;
      Check(2ull * length + 2 <= k32);
      r.Need(24, 2ull * length);
      break;
    }
    case 8:
      if (size == 24) r.Need(0, 24);
      break;
    default: break;
  }
}

// GdipPlayMetafileRecord of one EMF+ record.
void PlayerRecord(Reads& r, uint16_t type, uint16_t flags, uint32_t size, int depth) {
  const bool c = flags & 0x4000, p = flags & 0x800;
  Check(type == 0 || type > 0x7A);  // played as an EMF record, which no check has seen
  switch (type) {
    case 0x4009:
      if (size == 4) r.Need(0, 4);
      break;
    case 0x400A: {
      if (W(uint64_t(size) + 12) < 20) break;
      const uint32_t count = r.U32(4);
      if (W(uint64_t(size) + 12) < W(20 + uint64_t(count) * (c ? 8 : 16))) break;
      if (!(flags & 0x8000) && r.U32(0) >= 64) break;
      if (c) Check(16ull * count <= k32);
      r.Need(8, uint64_t(count) * (c ? 8 : 16));
      break;
    }
    case 0x4032:
      if (W(uint64_t(size) + 12) >= 28) r.Need(0, 16);
      break;
    case 0x4030:
    case 0x402F:
      if (W(uint64_t(size) + 12) >= 16) r.Need(0, 4);
      break;
    case 0x402A:
    case 0x402C:
      if (W(uint64_t(size) + 12) >= 36) r.Need(0, 24);
      break;
    case 0x402D:
    case 0x402E:
      if (W(uint64_t(size) + 12) >= 20) r.Need(0, 8);
      break;
    case 0x4027: r.Need(0, 36); break;  // read whatever the size
    case 0x4025:
    case 0x4026:
    case 0x4028:
    case 0x4029: r.Need(0, 4); break;
    case 0x4008: PlayerObject(r, flags, size, depth); break;
    case 0x401A:
      if (size == 24u + (c ? 8 : 16)) r.Need(0, size);
      break;
    case 0x401B: {
      if (size <= 28) break;
      r.Need(0, 4);
      if (r.U32(24) != 3) break;
      const uint32_t bytes = 3 * (p ? 2 : c ? 4 : 8);
      if (size - 28 == bytes) r.Need(28, bytes);
      break;
    }
    case 0x4014:
    case 0x4013:
    case 0x4015:
      if (size == 4) r.Need(0, 4);
      break;
    case 0x4016: {
      if (size <= 12) break;
      const uint32_t count = r.U32(8);
      if (count == 0) break;
      const uint32_t bytes = p ? (W(12 + 2ull * count + 3) & ~3u) : W(12 + uint64_t(count) * (c ? 4 : 8));
      if (size != bytes) break;
      r.Need(0, 12);
      if (p || c) Check(8ull * count <= k32);
      r.Need(12, uint64_t(count) * (p ? 2 : c ? 4 : 8));
      break;
    }
    case 0x400E:
      if (size > 4 && size - 4 == (c ? 8u : 16u)) r.Need(0, size);
      break;
    case 0x4010:
      if (size > 12 && size - 12 == (c ? 8u : 16u)) r.Need(0, size);
      break;
    case 0x4011:
    case 0x4012:
      if (size == 8u + (c ? 8 : 16)) r.Need(0, size);
      break;
    case 0x400F:
      if (size == (c ? 8u : 16u)) r.Need(0, size);
      break;
    case 0x400B: {
      if (size <= 4) break;
      const uint32_t count = r.U32(0);
      if (size - 4 != W(uint64_t(count) * (c ? 8 : 16))) break;
      if (c) Check(16ull * count <= k32);
      r.Need(4, uint64_t(count) * (c ? 8 : 16));
      break;
    }
    case 0x4036: {
      if (size < 16) break;
      const uint32_t count = r.U32(12), matrix = r.U32(8);
      if (count == 0) break;
      uint32_t expected = W(16 + uint64_t(count) * 10);
      if (matrix) expected = W(uint64_t(expected) + 24);
      expected = W((uint64_t(expected) + 3) & ~3ull);
      if (size != expected) break;
      r.Need(0, 4);
      const uint64_t tail = 8ull * count + (matrix ? 24 : 0);
      if (count % 2) Check(tail <= k32);  // the aligned copy of positions and matrix
      r.Need(16, 2ull * count + tail);
      break;
    }
    default: break;
  }
}

// enum_metafile_proc's walk: an int offset advancing by each record's Size,
// while a whole header remains.
void Comment(const uint8_t* p, uint32_t cb, int depth) {
  int64_t offset = 4;
  while (offset + 12 <= int64_t(cb)) {
    const uint16_t type = Get16(p, size_t(offset)), flags = Get16(p, size_t(offset) + 2);
    const uint32_t size = Get(p, size_t(offset) + 4), dataSize = Get(p, size_t(offset) + 8);
    Check(uint64_t(offset) + 12 + dataSize <= cb);  // the data the player is handed
    Reads r(dataSize ? p + offset + 12 : nullptr, dataSize);
    PlayerRecord(r, type, flags, dataSize, depth);
    Check(r.inside());
    Check(size >= 1 && offset + int64_t(size) <= 0x7FFFFFFF);  // moving on, in an int
    offset += size;
  }
}

// The file's records by their sizes, as far as they chain.
template <typename F>
void EachRecord(const uint8_t* data, size_t size, F f) {
  if (size < 8) return;
  size_t off = Get(data, 4);
  for (int n = 0; n < 1 << 16 && off + 8 <= size; ++n) {
    const uint32_t recSize = Get(data, off + 4);
    if (recSize < 8 || recSize > size - off) break;
    if (!f(off, recSize)) break;
    off += recSize;
  }
}

bool IsEmfPlus(const uint8_t* data, size_t off, uint32_t recSize) {
  return Get(data, off) == 70 && recSize >= 16 && Get(data, off + 8) >= 4 && Get(data, off + 8) <= recSize - 12 &&
         Get(data, off + 12) == core::emfplus::kSignature;
}

// A record of a kind whose layout random edits seldom reach: objects whose
// parts hang together (paths, regions with path nodes, pens, bitmaps,
// gradients, embedded metafiles) and records with point and glyph arrays.
std::vector<uint8_t> Synthesize(std::minstd_rand& rng) {
  std::vector<uint8_t> d;
  auto u32 = [&d](uint32_t v) {
    for (int i = 0; i < 4; ++i) d.push_back(uint8_t(v >> (8 * i)));
  };
  auto any = [&](size_t n) {
    for (size_t i = 0; i < n; ++i) d.push_back(uint8_t(rng()));
  };
  auto small = [&rng] { return std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 7, 8, 16, 64}[rng() % 10]; };
  auto path = [&](uint32_t n, uint32_t flags) {
    u32(0xDBC01002), u32(n), u32(flags);
    any(n * ((flags & 0x800) ? 2 : (flags & 0x4000) ? 4 : 8));
    for (uint32_t i = 0; i < n; ++i) d.push_back(std::vector<uint8_t>{0, 1, 3, 0x81, 0x83, 0x41, 2}[rng() % 7]);
    while (d.size() % 4) d.push_back(0);
  };
  const uint32_t pathFlags[] = {0, 0x4000, 0x800, 0x1000, 0x4800};
  uint16_t type = 0x4008, flags = uint16_t(rng() % 64);
  switch (rng() % 8) {
    case 0:
      flags |= 3 << 8;
      path(small(), pathFlags[rng() % 5]);
      break;
    case 1: {  // a region: a combination of a path node and a rectangle, or a leaf
      flags |= 4 << 8;
      u32(0xDBC01002), u32(small());
      if (rng() % 2) u32(rng() % 6);
      u32(0x10000001);
      const size_t at = d.size();
      u32(0);
      path(small(), pathFlags[rng() % 5]);
      const uint32_t bytes = uint32_t(d.size() - at - 4);
      for (int i = 0; i < 4; ++i) d[at + i] = uint8_t(bytes >> (8 * i));
      u32(0x10000000 + rng() % 5), any(16);
      break;
    }
    case 2: {  // a pen: its optional fields, then a solid brush
      flags |= 2 << 8;
      const uint32_t pen = rng() & 0x1FFF;
      u32(0xDBC01002), u32(0), u32(pen), u32(2), u32(0x40000000);
      if (pen & 1) any(24);
      for (uint32_t bit = 0x2; bit <= 0x80; bit <<= 1)
        if (pen & bit) u32(bit == 0x20 ? rng() % 7 : small());
      for (uint32_t bit : {0x100u, 0x200u, 0x400u, 0x800u, 0x1000u}) {
        if (!(pen & bit)) continue;
        const uint32_t n = small();
        u32(bit == 0x200 ? 0 : n);
        if (bit != 0x200) any(bit >= 0x800 ? n : 4 * n);
      }
      u32(0xDBC01002), u32(0), u32(0xFF000000);
      break;
    }
    case 3: {  // a bitmap of pixels, indexed or not
      flags |= 5 << 8;
      const uint32_t formats[] = {0x30101, 0x30402, 0x30803, 0x21005, 0x21808, 0x26200A, 0x34400D, 0};
      const uint32_t w = small(), h = small(), format = formats[rng() % 8];
      const uint32_t stride = (w * ((format >> 8) & 0xFF) + 31) / 32 * 4 + 4 * (rng() % 2);
      u32(0xDBC01002), u32(1), u32(w), u32(h), u32(stride), u32(format), u32(0);
      if (format & 0x10000) u32(0), u32(small()), any(4 * small());
      any(stride * h);
      break;
    }
    case 4: {  // a linear gradient with a transform and blend entries
      flags |= 1 << 8;
      const uint32_t brush = rng() & 0x1E, n = small();
      u32(0xDBC01002), u32(4), u32(brush), u32(0), any(32);
      if (brush & 2) any(24);
      if (brush & 0x1C) u32(n), any(8 * n);
      break;
    }
    case 5: {  // an image holding a small EMF whose comment holds a GetDC record
      flags |= 5 << 8;
      std::vector<uint8_t> emf(108 + 28 + 20, 0);
      const uint32_t fields[][2] = {{0, 1},    {4, 108},         {24, 0},       {28, 0},           {32, 100},
                                    {36, 100}, {40, 0x464D4520}, {44, 0x10000}, {48, 156},         {52, 3},
                                    {56, 1},   {72, 100},        {76, 100},     {80, 100},         {84, 100},
                                    {108, 70}, {112, 28},        {116, 16},     {120, 0x2B464D45}, {124, 0x4004},
                                    {128, 12}, {136, 14},        {140, 20},     {148, 16},         {152, 20}};
      for (const auto& f : fields) Set(emf.data(), f[0], f[1]);
      u32(0xDBC01002), u32(2), u32(3 + rng() % 3), u32(uint32_t(emf.size()));
      d.insert(d.end(), emf.begin(), emf.end());
      break;
    }
    case 6: {  // driver string: brush, options, matrix, glyphs, positions
      type = 0x4036, flags = uint16_t(0x8000 | (rng() % 64));
      const uint32_t n = small(), matrix = rng() % 2;
      u32(0), u32(rng() % 16), u32(matrix), u32(n), any(10 * n + 24 * matrix);
      while (d.size() % 4) d.push_back(0);
      break;
    }
    default: {  // a closed curve of 16-bit, relative or float points
      type = 0x4016;
      const uint16_t kinds[] = {0, 0x4000, 0x800};
      flags = uint16_t(0x8000 | kinds[rng() % 3]);
      const uint32_t n = small();
      u32(0), u32(0), u32(n), any(n * ((flags & 0x800) ? 2 : (flags & 0x4000) ? 4 : 8));
      while (d.size() % 4) d.push_back(0);
      break;
    }
  }
  std::vector<uint8_t> rec(12);
  rec[0] = uint8_t(type), rec[1] = uint8_t(type >> 8), rec[2] = uint8_t(flags), rec[3] = uint8_t(flags >> 8);
  Set(rec.data(), 4, uint32_t(12 + d.size()));
  Set(rec.data(), 8, uint32_t(d.size()));
  rec.insert(rec.end(), d.begin(), d.end());
  return rec;
}

// Puts the record at the end of the comment of the EMR_GDICOMMENT at `emr`,
// or in a new comment after the header; false when it does not fit.
bool Insert(uint8_t* data, size_t& size, size_t maxSize, const std::vector<uint8_t>& rec, size_t emr) {
  if (emr == 0) {
    const size_t at = Get(data, 4), add = 16 + rec.size();
    if (at > size || size + add > maxSize) return false;
    std::memmove(data + at + add, data + at, size - at);
    Set(data, at, 70), Set(data, at + 4, uint32_t(add)), Set(data, at + 8, uint32_t(4 + rec.size()));
    Set(data, at + 12, core::emfplus::kSignature);
    std::memcpy(data + at + 16, rec.data(), rec.size());
    size += add;
    return true;
  }
  const size_t end = emr + 12 + Get(data, emr + 8);
  if (size + rec.size() > maxSize || end > size) return false;
  std::memmove(data + end + rec.size(), data + end, size - end);
  std::memcpy(data + end, rec.data(), rec.size());
  Set(data, emr + 4, Get(data, emr + 4) + uint32_t(rec.size()));
  Set(data, emr + 8, Get(data, emr + 8) + uint32_t(rec.size()));
  size += rec.size();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  core::EmfPlusChecker checker;
  EachRecord(data, size, [&](size_t off, uint32_t recSize) {
    if (Get(data, off) == 14) {
      Check(checker.End() || !checker.Why().empty());
      return false;
    }
    if (!IsEmfPlus(data, off, recSize)) return true;
    const uint32_t cb = Get(data, off + 8);
    if (!checker.Comment(core::ByteReader(data + off + 12, cb))) {
      Check(!checker.Why().empty());
      return false;  // the file is refused
    }
    Comment(data + off + 12, cb, 0);
    return true;
  });
  return 0;
}

// Adds a made-up EMF+ record, or picks one inside a comment and edits what
// the checks turn on.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  std::minstd_rand rng(seed);
  struct At {
    size_t emr, rec;  // the EMR_GDICOMMENT, the EMF+ record inside it
  };
  std::vector<At> records;
  EachRecord(data, size, [&](size_t off, uint32_t recSize) {
    if (!IsEmfPlus(data, off, recSize)) return true;
    const size_t end = off + 12 + Get(data, off + 8);
    for (size_t r = off + 16; r + 12 <= end && records.size() < 4096;) {
      records.push_back({off, r});
      const uint32_t s = Get(data, r + 4);
      if (s < 12 || s > end - r) break;
      r += s;
    }
    return true;
  });
  if (rng() % 5 == 0 || (records.empty() && size >= 108 && rng() % 2)) {
    if (Insert(data, size, maxSize, Synthesize(rng), records.empty() ? 0 : records[rng() % records.size()].emr))
      return size;
  }
  if (records.empty() || rng() % 4 == 0) return LLVMFuzzerMutate(data, size, maxSize);
  const At at = records[rng() % records.size()];
  const size_t rec = at.rec, end = at.emr + 12 + Get(data, at.emr + 8);
  const uint32_t recSize = Get(data, rec + 4), dataSize = Get(data, rec + 8);
  const uint32_t room = uint32_t(end - rec);
  switch (rng() % 6) {
    case 0: {  // Size or DataSize
      const uint32_t sizes[] = {0,
                                4,
                                11,
                                12,
                                16,
                                dataSize + 12,
                                dataSize + 11,
                                recSize - 4,
                                recSize + 4,
                                room,
                                room + 4,
                                0x7FFFFFFF,
                                0xFFFFFFF4u,
                                0xFFFFFFFFu,
                                uint32_t(rng() % (room + 1))};
      Set(data, rec + (rng() % 2 ? 4 : 8), sizes[rng() % std::size(sizes)]);
      return size;
    }
    case 1: {  // flags: the id byte, the object type, the S, C, P, R and continue bits
      uint16_t flags = Get16(data, rec + 2);
      switch (rng() % 4) {
        case 0: flags = uint16_t((flags & 0xFF00) | std::vector<uint8_t>{0, 1, 2, 63, 64, 255}[rng() % 6]); break;
        case 1: flags = uint16_t((flags & 0x80FF) | (rng() % 11) << 8); break;
        case 2:
          flags ^= uint16_t(std::vector<uint16_t>{0x8000, 0x4000, 0x2000, 0x1000, 0x0800, 0x0100}[rng() % 6]);
          break;
        default: flags = uint16_t(rng()); break;
      }
      data[rec + 2] = uint8_t(flags), data[rec + 3] = uint8_t(flags >> 8);
      return size;
    }
    case 2: {  // the type
      const uint16_t type = rng() % 8 == 0 ? uint16_t(0x7A + rng() % 2) : uint16_t(0x4000 + rng() % 0x3C);
      data[rec] = uint8_t(type), data[rec + 1] = uint8_t(type >> 8);
      return size;
    }
    case 3: {  // a count, size or offset inside the data
      const uint32_t words = std::min<uint32_t>(dataSize, room - 12) / 4;
      if (words == 0) break;
      const size_t field = rec + 12 + 4 * (rng() % words);
      const uint32_t old = Get(data, field);
      const uint32_t values[] = {0,
                                 1,
                                 2,
                                 3,
                                 4,
                                 8,
                                 12,
                                 old + 1,
                                 old - 1,
                                 old * 2,
                                 dataSize,
                                 dataSize / 4,
                                 dataSize / 8,
                                 0x10000000,
                                 0x10000001,
                                 0x10000003,
                                 0x20000001,
                                 0x40000001,
                                 0x1C71C71D,
                                 0x1999999A,
                                 0x7FFFFFFF,
                                 0x80000000,
                                 0xFFFFFFFFu,
                                 256,
                                 257,
                                 65536};
      Set(data, field, values[rng() % std::size(values)]);
      return size;
    }
    case 4: {  // bytes of the data, mutated in place
      const size_t len = std::min<size_t>(std::min<uint32_t>(dataSize, room - 12), 4096);
      if (len == 0) break;
      std::vector<uint8_t> copy(data + rec + 12, data + rec + 12 + len);
      const size_t n = LLVMFuzzerMutate(copy.data(), len, len);
      std::memcpy(data + rec + 12, copy.data(), n);
      return size;
    }
    default: {  // the record again, right after itself, with the comment and EMF record grown
      if (recSize < 12 || recSize > room || size + recSize > maxSize) break;
      std::memmove(data + rec + 2 * recSize, data + rec + recSize, size - rec - recSize);
      std::memcpy(data + rec + recSize, data + rec, recSize);
      size += recSize;
      Set(data, at.emr + 4, Get(data, at.emr + 4) + recSize);
      Set(data, at.emr + 8, Get(data, at.emr + 8) + recSize);
      return size;
    }
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}
