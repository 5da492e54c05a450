// What Wine's GDI reads from the bytes of an embedded bitmap, stated again for
// the fuzzers independently of core/dib_check: the header by its size (12 for
// the OS/2 header, 40 and more for BITMAPINFOHEADER, of which 40 are read), the
// three bit-field masks at byte 40, a colour table of min(biClrUsed, 2^bits)
// entries (all when 0) after the header at up to 8 bits per pixel, and the
// pixel rows. A packed bitmap (a pattern brush) has its pixels where
// bitmap_info_size says. Every read is checked against the record's bytes.
#pragma once
#include <algorithm>
#include <cstdint>

namespace fuzzoracle {

// The bytes of one record, and whether everything read so far lay inside them.
class Reads {
 public:
  Reads(const uint8_t* p, uint64_t size) : p_(p), size_(size) {}
  // Notes a read of [off, off + len); false (and remembered) when it leaves the record.
  bool Need(uint64_t off, uint64_t len) {
    if (off > size_ || len > size_ - off) inside_ = false;
    return inside_;
  }
  bool inside() const { return inside_; }
  uint64_t size() const { return size_; }
  const uint8_t* at(uint64_t off) const { return p_ + off; }
  uint32_t U32(uint64_t off) {
    if (!Need(off, 4)) return 0;
    return p_[off] | p_[off + 1] << 8 | p_[off + 2] << 16 | uint32_t(p_[off + 3]) << 24;
  }
  int32_t I32(uint64_t off) { return static_cast<int32_t>(U32(off)); }
  uint16_t U16(uint64_t off) { return Need(off, 2) ? uint16_t(p_[off] | p_[off + 1] << 8) : 0; }
  uint8_t U8(uint64_t off) { return Need(off, 1) ? p_[off] : 0; }

 private:
  const uint8_t* p_;
  uint64_t size_;
  bool inside_ = true;
};

struct DibHeader {
  bool valid = false;  // GDI takes it; otherwise it reads nothing after the header
  uint32_t size = 0, compression = 0, clrUsed = 0, sizeImage = 0;
  int64_t width = 0, height = 0;
  uint32_t planes = 0, bits = 0;
  uint64_t Stride() const { return (uint64_t(width) * bits + 31) / 32 * 4; }
  uint64_t Rows() const { return height < 0 ? uint64_t(-height) : uint64_t(height); }
};

// bitmapinfoheader_from_user_bitmapinfo and is_valid_dib_format.
inline DibHeader ReadDibHeader(Reads& r, uint64_t at, bool allowCompression) {
  DibHeader h;
  h.size = r.U32(at);
  if (h.size == 12) {
    h.width = r.U16(at + 4), h.height = r.U16(at + 6), h.planes = r.U16(at + 8), h.bits = r.U16(at + 10);
  } else if (h.size >= 40) {
    r.Need(at, 40);
    h.width = r.I32(at + 4), h.height = r.I32(at + 8), h.planes = r.U16(at + 12), h.bits = r.U16(at + 14);
    h.compression = r.U32(at + 16), h.sizeImage = r.U32(at + 20), h.clrUsed = r.U32(at + 32);
  } else {
    return h;
  }
  if (h.width <= 0 || h.height == 0) return h;
  if (allowCompression && (h.compression == 1 || h.compression == 2)) {
    h.valid = h.height > 0 && h.sizeImage != 0 && h.bits == (h.compression == 2 ? 4u : 8u);
    return h;
  }
  if (h.planes == 0 || h.bits == 0 || 0xFFFFFFFFull / h.bits < uint64_t(h.width)) return h;
  if (h.Stride() == 0 || 0xFFFFFFFFull / h.Stride() < h.Rows()) return h;
  if (h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 24) h.valid = h.compression == 0;
  if (h.bits == 16 || h.bits == 32) h.valid = h.compression == 0 || h.compression == 3;
  return h;
}

// bitmapinfo_from_user_bitmapinfo: the masks or the colour table.
inline DibHeader ReadDibInfo(Reads& r, uint64_t at, uint32_t usage, bool allowCompression) {
  if (usage > 2) return {};  // refused before anything is read
  const DibHeader h = ReadDibHeader(r, at, allowCompression);
  if (!h.valid) return h;
  if (h.compression == 3) {
    r.Need(at + 40, 12);
  } else if (h.bits <= 8) {
    const uint64_t max = 1ull << h.bits, colors = h.clrUsed ? std::min<uint64_t>(h.clrUsed, max) : max;
    if (usage == 1)
      r.Need(at + h.size, 2 * colors);
    else
      r.Need(at + h.size, (h.size == 12 ? 3 : 4) * colors);
  }
  return h;
}

// A bitmap handed over as header and separate pixels (StretchDIBits,
// SetDIBits, CreateDIBitmap): at most `rows` rows of pixels are read.
inline DibHeader ReadDib(Reads& r, uint64_t bmi, uint64_t bits, uint32_t usage, uint64_t rows = UINT64_MAX) {
  const DibHeader h = ReadDibInfo(r, bmi, usage, true);
  if (!h.valid) return h;
  if (h.compression == 1 || h.compression == 2)
    r.Need(bits, h.sizeImage);
  else
    r.Need(bits, h.Stride() * std::min(rows, h.Rows()));
  return h;
}

// bitmap_info_size: where a packed bitmap's pixels start.
inline uint64_t PackedInfoSize(const DibHeader& h, uint32_t usage) {
  const uint64_t entry = usage == 0 ? (h.size == 12 ? 3 : 4) : 2;
  if (h.size == 12) return 12 + (h.bits <= 8 ? (1ull << h.bits) : 0) * entry;
  const uint64_t colors = h.clrUsed ? std::min<uint64_t>(h.clrUsed, 256) : (h.bits > 8 ? 0 : 1ull << h.bits);
  const uint64_t masks = h.compression == 3 ? 3 : 0;
  return std::max<uint64_t>(h.size, 40 + 4 * masks) + colors * entry;
}

// copy_packed_dib, as CreateDIBPatternBrushPt uses it.
inline void ReadPackedDib(Reads& r, uint64_t bmi, uint32_t usage) {
  const DibHeader h = ReadDibInfo(r, bmi, usage, false);
  if (!h.valid || h.compression == 1 || h.compression == 2) return;
  r.Need(bmi + PackedInfoSize(h, usage), h.Stride() * h.Rows());
}

}  // namespace fuzzoracle
