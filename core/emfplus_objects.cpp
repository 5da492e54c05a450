// Checks of the objects EmfPlusObject records define: brushes, pens, paths,
// regions, images (bitmaps, compressed images, metafiles), fonts, string
// formats, image attributes and line caps, each by what the players read of
// it; and the gathering of objects spread over several records.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/emf_records.h"
#include "core/emf_validator.h"
#include "core/emfplus_checker.h"

namespace core {
using namespace emfplus;
namespace {

// How deep metafiles inside image objects are being checked on this thread:
// the checker of an embedded metafile may itself be reached through the EMF
// validator, so the count cannot live in one checker.
thread_local int tEmbedded = 0;

struct Nesting {
  Nesting() { ++tEmbedded; }
  ~Nesting() { --tEmbedded; }
  Nesting(const Nesting&) = delete;
  Nesting& operator=(const Nesting&) = delete;
};

uint16_t Be16(const ByteReader& r, uint64_t o) { return static_cast<uint16_t>(r.U8(o) << 8 | r.U8(o + 1)); }
uint32_t Be32(const ByteReader& r, uint64_t o) { return uint32_t(Be16(r, o)) << 16 | Be16(r, o + 2); }

bool Starts(const ByteReader& r, const char* sig, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (!r.Has(i, 1) || r.U8(i) != static_cast<uint8_t>(sig[i])) return false;
  return true;
}

// Wine's path flattening takes every point that is neither a start nor a line
// for the first control point of a Bezier segment and reads the next two
// points (one when the next closes the figure) without looking at the count.
bool FlattenFits(const ByteReader& types, uint64_t count) {
  for (uint64_t i = 1; i < count;) {
    const unsigned t = types.U8(i) & 7;
    if (t == 0 || t == 1) {
      ++i;
    } else if (i + 1 >= count) {
      return false;
    } else if (types.U8(i + 1) & 0x80) {
      i += 2;
    } else if (i + 2 >= count) {
      return false;
    } else {
      i += 3;
    }
  }
  return true;
}

// The pixel sizes compressed images declare in their own headers, which is
// what the decoders allocate by: false when a header the decoders would take
// holds no size this can read.
bool PngPixels(const ByteReader& r, uint64_t& px) {
  if (!r.Has(0, 24) || !Starts(r.Sub(12, 4), "IHDR", 4)) return false;
  px = uint64_t(Be32(r, 16)) * Be32(r, 20);
  return true;
}

// The first frame header (SOF0-SOF15 less DHT, JPG and DAC) before the scan,
// stepping over the other segments by their lengths.
bool JpegPixels(const ByteReader& r, uint64_t& px) {
  uint64_t off = 2;
  while (true) {
    if (r.U8(off) != 0xFF) return false;
    while (r.Has(off, 1) && r.U8(off) == 0xFF) ++off;  // fill bytes
    if (!r.Has(off, 1)) return false;
    const uint8_t m = r.U8(off++);
    if (m == 0x01 || m == 0xD8 || (m >= 0xD0 && m <= 0xD7)) continue;  // markers without a segment
    if (m == 0xD9 || m == 0xDA || !r.Has(off, 2) || Be16(r, off) < 2) return false;
    if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
      if (!r.Has(off, 7)) return false;
      px = uint64_t(Be16(r, off + 3)) * Be16(r, off + 5);
      return true;
    }
    off += Be16(r, off);
  }
}

// Wine's decoder reads every frame into memory: the frames together are bounded.
bool GifPixels(const ByteReader& r, uint64_t& px) {
  if (!r.Has(0, 13)) return false;
  const uint64_t screen = uint64_t(r.U16(6)) * r.U16(8);
  uint64_t frames = 0, off = 13;
  if (r.U8(10) & 0x80) off += 3ull << ((r.U8(10) & 7) + 1);
  auto blocks = [&r](uint64_t& at) {
    while (r.Has(at, 1) && r.U8(at) != 0) at += 1 + r.U8(at);
    ++at;
  };
  while (r.Has(off, 1)) {
    const uint8_t kind = r.U8(off);
    if (kind == 0x21) {  // extension: label, then data blocks
      off += 2;
      blocks(off);
    } else if (kind == 0x2C && r.Has(off, 10)) {  // image: position, size, flags, colours, code size, data
      frames += uint64_t(r.U16(off + 5)) * r.U16(off + 7);
      const uint8_t flags = r.U8(off + 9);
      off += 10 + ((flags & 0x80) ? 3ull << ((flags & 7) + 1) : 0) + 1;
      blocks(off);
    } else {
      break;  // the trailer, or something the decoder stops at
    }
  }
  px = std::max(screen, frames);
  return true;
}

bool BmpPixels(const ByteReader& r, uint64_t& px) {
  const uint32_t header = r.U32(14);
  if (header == 12 && r.Has(14, 12)) {
    px = uint64_t(r.U16(18)) * r.U16(20);
    return true;
  }
  if (header < 16 || !r.Has(14, 16)) return false;
  px = uint64_t(std::llabs(r.I32(18))) * uint64_t(std::llabs(r.I32(22)));
  return true;
}

// The first directory's width, length and tile size, in either byte order.
bool TiffPixels(const ByteReader& r, uint64_t& px) {
  const bool big = r.U8(0) == 'M';
  auto u16 = [&](uint64_t o) { return big ? Be16(r, o) : r.U16(o); };
  auto u32 = [&](uint64_t o) { return big ? Be32(r, o) : r.U32(o); };
  const uint64_t dir = u32(4);
  if (!r.Has(dir, 2) || !r.Has(dir + 2, 12ull * u16(dir))) return false;
  uint64_t dims[4] = {0, 0, 0, 0};  // width, length, tile width, tile length
  bool seen[2] = {false, false};
  for (uint64_t e = dir + 2, n = u16(dir); n-- > 0; e += 12) {
    const uint16_t tag = u16(e);
    const int which = tag == 256 ? 0 : tag == 257 ? 1 : tag == 322 ? 2 : tag == 323 ? 3 : -1;
    if (which < 0) continue;
    const uint16_t type = u16(e + 2);
    if (u32(e + 4) != 1 || (type != 3 && type != 4)) return false;
    dims[which] = type == 3 ? u16(e + 8) : u32(e + 8);
    if (which < 2) seen[which] = true;
  }
  if (!seen[0] || !seen[1]) return false;
  px = std::max(dims[0] * dims[1], dims[2] * dims[3]);
  return true;
}

// Every icon the directory lists: a PNG, or a DIB whose height covers the
// colour and mask rows.
bool IcoPixels(const ByteReader& r, uint64_t& px) {
  px = 0;
  for (uint64_t i = 0, n = r.U16(4); i < n && r.Has(6 + 16 * i, 16); ++i) {
    const ByteReader icon = r.Sub(r.U32(6 + 16 * i + 12), r.U32(6 + 16 * i + 8));
    uint64_t p = 0;
    if (Starts(icon, "\x89PNG\r\n\x1a\n", 8)) {
      if (!PngPixels(icon, p)) return false;
    } else if (icon.Has(0, 12)) {
      p = uint64_t(std::llabs(icon.I32(4))) * (uint64_t(std::llabs(icon.I32(8))) / 2);
    }
    px = std::max(px, p);
  }
  return true;
}

}  // namespace

bool EmfPlusChecker::Object(const ByteReader& d, uint16_t flags) {
  const uint8_t id = flags & 0xFF, kind = (flags >> 8) & 0x7F;
  if (id >= kObjectSlots) return Fail("that defines object " + std::to_string(id) + " outside the object table");
  std::vector<uint8_t> whole;
  ByteReader data = d;
  if (flags & kFlagContinued) {
    // Every part begins with the object's whole size; the parts follow one
    // another until they add up to it (Wine's player ignores them all).
    if (!Min(d, 4)) return false;
    const uint32_t total = d.U32(0);
    if (!pending_) {
      if (total > kMaxObjectBytes) return Fail("announcing an object larger than this program allows");
      pending_ = true;
      pendingFlags_ = flags;
      pendingTotal_ = total;
      pendingData_.clear();
    } else if (total != pendingTotal_) {
      return Fail("whose parts disagree on their object's size");
    }
    if (d.size() - 4 > pendingTotal_ - pendingData_.size()) return Fail("with parts larger than their object");
    pendingData_.insert(pendingData_.end(), d.data() + 4, d.data() + d.size());
    if (pendingData_.size() < pendingTotal_) return true;
    pending_ = false;
    whole.swap(pendingData_);
    data = ByteReader(whole.data(), whole.size());
  } else if (pending_) {
    // Players disagree on whether such a last part starts with the size too.
    return Fail("that ends a continued object without the continue flag");
  }
  Slot slot;
  if (!ObjectData(data, kind, slot)) return false;
  // The player keeps the slot's old object when it cannot make the new one,
  // so the slot's costs only grow.
  Slot& s = table_[id];
  s.regionDepth = std::max(s.regionDepth, slot.regionDepth);
  s.replay = std::max(s.replay, slot.replay);
  s.pixels = std::max(s.pixels, slot.pixels);
  return true;
}

bool EmfPlusChecker::ObjectData(const ByteReader& d, uint8_t kind, Slot& slot) {
  switch (kind) {
    case kObjBrush: return Brush(d);
    case kObjPen: return Pen(d);
    case kObjPath: return Path(d, false);
    case kObjRegion: return Region(d, slot);
    case kObjImage: return Image(d, slot, false);
    case kObjFont:  // version, em size, unit, style, reserved, length, family name
      return Min(d, 24) && (d.Has(24, 2ull * d.U32(20)) || Fail("with a font name longer than the record"));
    case kObjStringFormat: {  // fifteen fields, then tab stops and character ranges
      if (!Min(d, 60)) return false;
      return d.Has(60, 4ull * d.U32(52) + 8ull * d.U32(56)) || Fail("with more tab stops or ranges than it holds");
    }
    case kObjImageAttributes:
      return Min(d, 24);
    case kObjCustomLineCap:
      return LineCap(d);
    default:
      return true;  // no such object: the player makes none
  }
}

// Version, type, then by type: a colour; a hatch style and two colours; a
// texture; a path gradient; a linear gradient.
bool EmfPlusChecker::Brush(const ByteReader& d) {
  if (!Min(d, 8)) return false;
  switch (d.U32(4)) {
    case 0: return Min(d, 12);
    case 1: return Min(d, 20);
    case 2: {  // flags, wrap mode, a transform with bit 1, then the image, if any room is left
      if (!Min(d, 16)) return false;
      uint64_t off = 16;
      if (d.U32(8) & 2) {
        if (!Min(d, off + 24)) return false;
        off += 24;
      }
      Slot image;
      return d.size() == off || Image(d.Sub(off, d.size() - off), image, true);
    }
    case 3: return PathGradient(d);
    case 4: return LinearGradient(d);
    default: return true;  // no such brush: the player makes none
  }
}

// A count, then that many positions and as many colours or factors.
bool EmfPlusChecker::Blend(const ByteReader& d, uint64_t& off) {
  if (!d.Has(off, 4) || !d.Has(off + 4, 8ull * d.U32(off))) return Fail("with more blend entries than it holds");
  off += 4 + 8ull * d.U32(off);
  return true;
}

// Flags, wrap mode, rectangle, two colours, two reserved words; then a
// transform, and preset colours or horizontal and vertical blend factors.
bool EmfPlusChecker::LinearGradient(const ByteReader& d) {
  if (!Min(d, 48)) return false;
  const uint32_t flags = d.U32(8);
  uint64_t off = 48;
  if (flags & 2) {
    if (!Min(d, off + 24)) return false;
    off += 24;
  }
  if (flags & 4) return Blend(d, off);
  return (!(flags & 8) || Blend(d, off)) && (!(flags & 0x10) || Blend(d, off));
}

// Flags, wrap mode, centre colour and point, the surrounding colours, the
// boundary (a path with bit 0, else points), then a transform, preset colours
// or blend factors, and focus scales.
bool EmfPlusChecker::PathGradient(const ByteReader& d) {
  if (!Min(d, 32)) return false;
  const uint32_t flags = d.U32(8);
  uint64_t off = 32 + 4ull * d.U32(28);
  if (!d.Has(off, 4)) return Fail("with more surrounding colours than it holds");
  const uint64_t n = d.U32(off);
  off += 4;
  if (flags & 1) {
    if (!d.Has(off, n)) return Fail("with a boundary path longer than the record");
    if (!Path(d.Sub(off, n), false)) return false;
    off += n;
  } else {
    if (!d.Has(off, 8 * n)) return Fail("with more boundary points than it holds");
    off += 8 * n;
  }
  if (flags & 2) {
    if (!Min(d, off + 24)) return false;
    off += 24;
  }
  if ((flags & 4) || (flags & 8)) {
    if (!Blend(d, off)) return false;
  }
  return !(flags & 0x40) || Min(d, off + 12);
}

// Version, type, pen flags, unit, width, the optional fields the flags name
// (in this order), and the brush in what is left. Wine's player sums the
// fields in a 32-bit offset it only partly checks, then hands the brush
// `size - offset` bytes.
bool EmfPlusChecker::Pen(const ByteReader& d) {
  if (!Min(d, 20)) return false;
  const uint32_t flags = d.U32(8);
  uint64_t off = 20;
  if (flags & 0x1) off += 24;  // transform
  for (uint32_t bit = 0x2; bit <= 0x80; bit <<= 1)
    if (flags & bit) off += 4;  // start cap, end cap, join, miter limit, line style, dash cap, dash offset
  auto array = [&](uint32_t bit) {  // dashes, compound line: a count and that many floats
    if (!(flags & bit)) return true;
    if (!d.Has(off, 4) || !d.Has(off + 4, 4ull * d.U32(off))) return Fail("with more pen data than it holds");
    off += 4 + 4ull * d.U32(off);
    return true;
  };
  auto cap = [&](uint32_t bit) {  // custom caps: a size and a line cap object
    if (!(flags & bit)) return true;
    if (!d.Has(off, 4) || !d.Has(off + 4, d.U32(off))) return Fail("with a line cap longer than the record");
    if (!LineCap(d.Sub(off + 4, d.U32(off)))) return false;
    off += 4 + d.U32(off);
    return true;
  };
  if (!array(0x100)) return false;
  if (flags & 0x200) off += 4;  // alignment
  if (!array(0x400) || !cap(0x800) || !cap(0x1000)) return false;
  if (off > d.size()) return Fail("with more pen data than it holds");
  return Brush(d.Sub(off, d.size() - off));
}

// Version, type, then for a default cap its data (48 bytes) and optional fill
// and line paths; for an arrow cap its 52 bytes.
bool EmfPlusChecker::LineCap(const ByteReader& d) {
  if (!Min(d, 8)) return false;
  if (d.U32(4) == 1) return Min(d, 60);
  if (d.U32(4) != 0) return true;
  if (!Min(d, 56)) return false;
  uint64_t off = 56;
  for (uint32_t bit : {1u, 2u}) {
    if (!(d.U32(8) & bit)) continue;
    if (!d.Has(off, 4) || !d.Has(off + 4, d.U32(off))) return Fail("with a line cap path longer than the record");
    if (!Path(d.Sub(off + 4, d.U32(off)), false)) return false;
    off += 4 + d.U32(off);
  }
  return true;
}

// Version, count, flags, points, types. Windows reads points as the P and C
// flags say and types run-length coded with R; Wine's player reads neither
// coding: plain points and a byte of type each, or no path at all.
bool EmfPlusChecker::Path(const ByteReader& d, bool inRegion) {
  if (!Min(d, 12)) return false;
  const uint64_t count = d.U32(4);
  const uint32_t flags = d.U32(8);
  const uint64_t pointBytes = (flags & kPathCompressed) ? 4 : 8;
  uint64_t off = 12;
  if (flags & kPathRelative) {
    for (uint64_t i = 0; i < 2 * count; ++i) {
      if (!d.Has(off, 1)) return Fail("with a path of more points than it holds");
      off += (d.U8(off) & 0x80) ? 2 : 1;
    }
  } else {
    if (!d.Has(off, count * pointBytes)) return Fail("with a path of more points than it holds");
    off += count * pointBytes;
  }
  if (flags & kPathRle) {
    for (uint64_t covered = 0; covered < count;) {
      if (!d.Has(off, 1)) return Fail("with a path of more point types than it holds");
      const bool run = d.Has(off, 2) && (d.U8(off + 1) & 0x40);
      covered += run ? (d.U8(off + 1) & 0x3F) : 1;
      off += run ? 2 : 1;
    }
  } else if (!d.Has(off, count)) {
    return Fail("with a path of more point types than it holds");
  }
  const bool wineReads = !(flags & kPathRelative) && d.size() > 12 && d.Has(12, count * (pointBytes + 1));
  // A region keeps a path node whose path the player could not make, and
  // later reads that path through a null pointer.
  if (inRegion && !wineReads) return Fail("with a region path that Wine's player cannot read");
  if (wineReads && !FlattenFits(d.Sub(12 + count * pointBytes, count), count))
    return Fail("with a path ending inside a Bezier segment");
  return true;
}

bool EmfPlusChecker::Region(const ByteReader& d, Slot& slot) {
  if (!Min(d, 8)) return false;
  uint64_t off = 8, nodes = 0;
  int deepest = 0;
  if (!RegionNode(d, off, 0, nodes, deepest)) return false;
  // The node count is not needed to read the tree, but could size an allocation.
  if (d.U32(4) > nodes) return Fail("with more region nodes than it holds");
  slot.regionDepth = deepest;
  return true;
}

// A node: combinations (0-5) have two child nodes, then rectangle, path, empty
// and infinite leaves. Wine's player leaves a combination whose child is cut
// short, or a node of another kind, with missing children it later follows.
bool EmfPlusChecker::RegionNode(const ByteReader& d, uint64_t& off, int depth, uint64_t& nodes, int& deepest) {
  if (depth > kMaxRegionDepth) return Fail("with a region nested more deeply than this program allows");
  if (!d.Has(off, 4)) return Fail("with a region node cut short");
  const uint32_t kind = d.U32(off);
  off += 4;
  ++nodes;
  deepest = std::max(deepest, depth);
  if (kind <= 5) return RegionNode(d, off, depth + 1, nodes, deepest) && RegionNode(d, off, depth + 1, nodes, deepest);
  switch (kind) {
    case 0x10000000:
      if (!d.Has(off, 16)) return Fail("with a region node cut short");
      off += 16;
      return true;
    case 0x10000001: {
      if (!d.Has(off, 4) || !d.Has(off + 4, d.U32(off))) return Fail("with a region path longer than the record");
      const uint32_t bytes = d.U32(off);
      if (!Path(d.Sub(off + 4, bytes), true)) return false;
      off += 4 + uint64_t(bytes);
      return true;
    }
    case 0x10000002: case 0x10000003:
      return true;
    default:
      return Fail("with a region node of unknown kind");
  }
}

// Version, type, then a bitmap or a metafile.
bool EmfPlusChecker::Image(const ByteReader& d, Slot& slot, bool texture) {
  if (!Min(d, 8)) return false;
  const ByteReader rest = d.Sub(8, d.size() - 8);
  switch (d.U32(4)) {
    case 1: return Bitmap(rest, slot);
    case 2: return Metafile(rest, slot, texture);
    default: return true;  // no such image: the player makes none
  }
}

// Width, height, stride, pixel format, kind, then pixels (after a palette for
// indexed formats) or a compressed image. Wine's player tests the pixels'
// size as a wrapping 32-bit product and then keeps pointing into the record.
bool EmfPlusChecker::Bitmap(const ByteReader& d, Slot& slot) {
  if (!Min(d, 20)) return false;
  const uint64_t width = d.U32(0), height = d.U32(4), pixels = width * height;
  const int32_t stride = d.I32(8);
  const uint32_t format = d.U32(12);
  if (pixels > kMaxImagePixels) return Fail("with a bitmap larger than this program allows");
  const ByteReader data = d.Sub(20, d.size() - 20);
  slot.pixels = pixels;
  if (d.U32(16) == 1) {
    uint64_t decoded = 0;
    if (!CompressedImage(data, decoded)) return false;
    slot.pixels = std::max(pixels, decoded);
    return true;
  }
  if (d.U32(16) != 0) return true;  // no such kind: the player makes none
  uint64_t off = 0;
  if (format & 0x10000) {  // flags, count, colours
    if (!data.Has(0, 8) || !data.Has(8, 4ull * data.U32(4))) return Fail("with a palette larger than the record");
    off = 8 + 4ull * data.U32(4);
  }
  if (pixels == 0) return true;  // the player refuses empty bitmaps
  // The player computes a row's bits in an int.
  const uint64_t rowBits = width * ((format >> 8) & 0xFF);
  if (rowBits + 7 > 0x7FFFFFFF) return Fail("with bitmap rows wider than the player can compute");
  if (stride <= 0) return Fail("with bitmap rows that do not run forwards");
  if (uint64_t(stride) < (rowBits + 7) / 8) return Fail("with bitmap rows longer than their stride");
  return data.Has(off, height * uint64_t(stride)) || Fail("with more bitmap rows than it holds");
}

// The decoders the players pick by signature (BMP, JPEG, GIF, TIFF, PNG, ICO)
// allocate by the size in the image's own header. A stream no decoder takes
// is never decoded; a metafile is not a bitmap, though one decoder loads it.
bool EmfPlusChecker::CompressedImage(const ByteReader& d, uint64_t& pixels) {
  bool sized;
  if (Starts(d, "BM", 2))
    sized = BmpPixels(d, pixels);
  else if (Starts(d, "\xFF\xD8", 2))
    sized = JpegPixels(d, pixels);
  else if (Starts(d, "GIF87a", 6) || Starts(d, "GIF89a", 6))
    sized = GifPixels(d, pixels);
  else if (Starts(d, "II*\0", 4) || Starts(d, "MM\0*", 4))
    sized = TiffPixels(d, pixels);
  else if (Starts(d, "\x01\0\0\0", 4) || Starts(d, "\xD7\xCD", 2))
    return Fail("with a metafile where a compressed bitmap belongs");
  else if (Starts(d, "\x89PNG\r\n\x1a\n", 8))
    sized = PngPixels(d, pixels);
  else if (Starts(d, "\0\0\1\0", 4))
    sized = IcoPixels(d, pixels);
  else
    return true;
  if (!sized) return Fail("with a compressed image whose size this program cannot read");
  return pixels <= kMaxImagePixels || Fail("with a compressed image larger than this program allows");
}

// Type and size, then an EMF (types 3-5), a WMF (1), or a WMF after a
// placeable header of 24 bytes as written (2). Wine's player plays only the
// EMFs, through its EMF player; Windows' plays WMFs too.
bool EmfPlusChecker::Metafile(const ByteReader& d, Slot& slot, bool texture) {
  if (!Min(d, 8)) return false;
  const uint32_t type = d.U32(0), bytes = d.U32(4);
  const uint64_t at = type == 2 ? 32 : 8;
  if (type < 1 || type > 5) return true;  // no such metafile: the player makes none
  if (!d.Has(at, bytes)) return Fail("with a metafile larger than the record");
  if (type >= 3) return EmbeddedEmf(d.Sub(at, bytes), slot, texture);
  if (type == 2 && d.U32(8) != 0x9AC6CDD7) return Fail("with a placeable metafile without its header");
  const ByteReader wmf = d.Sub(at, bytes);  // METAHEADER: type, header words, version, size in words, ...
  if (!wmf.Has(0, 18) || 2ull * wmf.U32(6) > bytes) return Fail("with a metafile header it does not hold");
  slot.replay = wmf.U32(6) / 3;  // records of at least three words
  if (texture && type == 2 && d.U16(22) != 0) {  // rendered at 96 dpi into a bitmap of the placeable box
    const double w = std::abs(d.I16(18) - d.I16(14)) * 96.0 / d.U16(22),
                 h = std::abs(d.I16(20) - d.I16(16)) * 96.0 / d.U16(22);
    if (w * h > double(kMaxImagePixels)) return Fail("with a texture metafile larger than this program allows");
  }
  return true;
}

// The player plays an embedded EMF's records as they are, EMF+ comments
// included, through its own players: so the EMF checks must pass the EMF
// whole, leaving no record out and mending none, and its EMF+ comments pass
// these checks with an object table of their own.
bool EmfPlusChecker::EmbeddedEmf(const ByteReader& d, Slot& slot, bool texture) {
  if (tEmbedded >= kMaxMetafileNesting) return Fail("with metafiles nested more deeply than this program allows");
  const Nesting nesting;
  const PreparedEmf prepared = PrepareEnhMetafile(d.data(), d.size());
  if (!prepared.verdict) return Fail("with an embedded metafile that is refused: " + prepared.verdict.reason);
  if (!prepared.brokeOff.empty() || prepared.leftOut)
    return Fail("with an embedded metafile whose records the EMF checks do not all pass");
  // The records up to EMR_EOF, which must be the last; as prepared, unchanged.
  const uint64_t first = d.U32(4), end = d.U32(48);
  uint64_t eof = first;
  while (eof + 8 <= end && d.U32(eof) != emr::kEof && d.U32(eof + 4) >= 8 && d.U32(eof + 4) <= end - eof)
    eof += d.U32(eof + 4);
  if (d.U32(eof) != emr::kEof || eof + d.U32(eof + 4) != end || prepared.bytes.size() < eof + 20 ||
      std::memcmp(prepared.bytes.data() + first, d.data() + first, eof - first) != 0)
    return Fail("with an embedded metafile whose records the EMF checks do not all pass");
  EmfPlusChecker inner;
  uint64_t records = 0;
  for (uint64_t off = first; off < eof; off += d.U32(off + 4)) {
    ++records;
    if (d.U32(off) != emr::kGdiComment || d.U32(off + 8) < 4 || d.U32(off + 12) != kSignature) continue;
    if (uint64_t(d.U32(off + 8)) + 12 > d.U32(off + 4))
      return Fail("with an embedded metafile whose comment runs past its record");
    if (!inner.Comment(d.Sub(off + 12, d.U32(off + 8))))
      return Fail("with an embedded metafile whose record " + std::to_string(records + 1) +
                  " of type EMR_GDICOMMENT (70) " + inner.Why());
  }
  if (!inner.End()) return Fail("with an embedded metafile that " + inner.Why());
  slot.replay = records + 1 + inner.Records() + inner.ReplayedRecords();  // EMR_EOF too
  slot.pixels = inner.DrawnPixels();
  if (texture) {  // Windows' player renders it into a bitmap of its frame at its reference resolution
    const double w = (double(d.I32(32)) - d.I32(24)) * d.I32(72) / (100.0 * d.I32(80)),
                 h = (double(d.I32(36)) - d.I32(28)) * d.I32(76) / (100.0 * d.I32(84));
    if (w * h > double(kMaxImagePixels)) return Fail("with a texture metafile larger than this program allows");
  }
  return true;
}

}  // namespace core
