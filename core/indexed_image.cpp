#include "core/indexed_image.h"

#include <map>
#include <unordered_map>

#include "core/le_write.h"

namespace core {
namespace {

// Writes variable-width LZW codes least significant bit first, in sub-blocks
// of at most 255 bytes.
class CodeWriter {
 public:
  explicit CodeWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Put(uint32_t code, int bits) {
    acc_ |= uint64_t(code) << nbits_;
    nbits_ += bits;
    while (nbits_ >= 8) {
      Byte(uint8_t(acc_));
      acc_ >>= 8;
      nbits_ -= 8;
    }
  }
  void Finish() {
    if (nbits_ > 0) Byte(uint8_t(acc_));
    if (!block_.empty()) Flush();
    out_.push_back(0);  // block terminator
  }

 private:
  void Byte(uint8_t b) {
    block_.push_back(b);
    if (block_.size() == 255) Flush();
  }
  void Flush() {
    out_.push_back(uint8_t(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }
  std::vector<uint8_t>& out_;
  std::vector<uint8_t> block_;
  uint64_t acc_ = 0;
  int nbits_ = 0;
};

void EncodeLzw(const std::vector<uint8_t>& indexes, int minCodeSize, std::vector<uint8_t>& out) {
  const uint32_t clear = 1u << minCodeSize, end = clear + 1;
  CodeWriter w(out);
  std::unordered_map<uint32_t, uint32_t> table;  // (prefix code << 8 | byte) -> code
  int codeSize = minCodeSize + 1;
  uint32_t next = end + 1;
  w.Put(clear, codeSize);
  if (indexes.empty()) {
    w.Put(end, codeSize);
    w.Finish();
    return;
  }
  uint32_t prefix = indexes[0];
  for (size_t i = 1; i < indexes.size(); ++i) {
    const uint8_t c = indexes[i];
    const uint32_t key = (prefix << 8) | c;
    if (auto it = table.find(key); it != table.end()) {
      prefix = it->second;
      continue;
    }
    w.Put(prefix, codeSize);
    if (next < 4096) {
      table.emplace(key, next++);
      // The decoder adds its entry one code later, so the width grows one
      // code after the new entry no longer fits.
      if (next > (1u << codeSize) && codeSize < 12) ++codeSize;
    } else {
      w.Put(clear, codeSize);
      table.clear();
      codeSize = minCodeSize + 1;
      next = end + 1;
    }
    prefix = c;
  }
  w.Put(prefix, codeSize);
  w.Put(end, codeSize);
  w.Finish();
}

}  // namespace

std::optional<IndexedImage> ToIndexed(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                      size_t maxColours) {
  if (width <= 0 || height <= 0 || pixels.size() != size_t(uint64_t(width) * uint64_t(height))) return std::nullopt;
  IndexedImage out;
  out.width = width;
  out.height = height;
  out.indexes.reserve(pixels.size());
  std::map<uint32_t, uint8_t> seen;
  for (uint32_t p : pixels) {
    p &= 0xFFFFFF;
    auto it = seen.find(p);
    if (it == seen.end()) {
      if (out.palette.size() >= maxColours || out.palette.size() >= 256) return std::nullopt;
      it = seen.emplace(p, uint8_t(out.palette.size())).first;
      out.palette.push_back(p);
    }
    out.indexes.push_back(it->second);
  }
  return out;
}

std::vector<uint8_t> EncodeGif89a(const IndexedImage& image) {
  // The colour table holds 2^n entries, n >= 1; LZW codes start at n bits, at least 2.
  int bits = 1;
  while ((size_t{1} << bits) < image.palette.size()) ++bits;
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  PutU16(out, uint16_t(image.width));
  PutU16(out, uint16_t(image.height));
  out.push_back(uint8_t(0x80 | ((bits - 1) << 4) | (bits - 1)));  // global table, its size, colour resolution
  out.push_back(0);                                                // background colour index
  out.push_back(0);                                                // no aspect ratio
  for (size_t i = 0; i < (size_t{1} << bits); ++i) {
    const uint32_t c = i < image.palette.size() ? image.palette[i] : 0;
    out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  }
  out.push_back(0x2C);  // image descriptor: whole screen, no local table, not interlaced
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, uint16_t(image.width));
  PutU16(out, uint16_t(image.height));
  out.push_back(0);
  const int minCodeSize = bits < 2 ? 2 : bits;
  out.push_back(uint8_t(minCodeSize));
  EncodeLzw(image.indexes, minCodeSize, out);
  out.push_back(0x3B);  // trailer
  return out;
}

std::vector<uint8_t> EncodeBmp4(const IndexedImage& image) {
  const uint32_t stride = ((uint32_t(image.width) * 4 + 31) / 32) * 4;
  const uint32_t pixelBytes = stride * uint32_t(image.height);
  const uint32_t offset = 14 + 40 + 16 * 4;
  std::vector<uint8_t> out = {'B', 'M'};
  PutU32(out, offset + pixelBytes);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, 40);
  PutI32(out, image.width);
  PutI32(out, image.height);  // bottom-up rows
  PutU16(out, 1);
  PutU16(out, 4);
  PutU32(out, 0);  // BI_RGB
  PutU32(out, pixelBytes);
  PutI32(out, 3780);  // 96 dpi in pixels per metre
  PutI32(out, 3780);
  PutU32(out, 16);
  PutU32(out, 0);
  for (size_t i = 0; i < 16; ++i) {
    const uint32_t c = i < image.palette.size() ? image.palette[i] : 0;
    out.insert(out.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0});
  }
  for (int32_t y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t v = image.indexes[size_t(y) * image.width + x] & 0x0F;
      row[x / 2] |= (x % 2 == 0) ? uint8_t(v << 4) : v;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace core
