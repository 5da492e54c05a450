#include "tests/core/emf_builder.h"

#include <algorithm>
#include <cstring>

#include "core/dib_format.h"
#include "core/le_write.h"

namespace coretest {
namespace {

namespace L = core::emr::layout;

void Put(std::vector<uint8_t>& b, uint32_t off, uint32_t v) {
  if (b.size() < off + 4) b.resize(off + 4);
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(v >> (8 * i));
}

constexpr uint32_t kSrcCopy = 0x00CC0020;

}  // namespace

Dib MakeDib(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression, uint32_t clrUsed,
            uint32_t headerBytes, uint32_t entries) {
  Dib d;
  if (headerBytes == core::dib::kCoreHeaderBytes) {  // BITMAPCOREHEADER: 16-bit sizes
    d.info = {12, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8), 1, 0,
              uint8_t(bitCount), 0};
    d.bits.assign(static_cast<size_t>((uint64_t(width) * bitCount + 31) / 32 * 4 * uint64_t(height)), 0);
    return d;
  }
  d.info.assign(std::max<uint32_t>(headerBytes, core::dib::kInfoHeaderBytes), 0);
  Put(d.info, 0, headerBytes);
  Put(d.info, core::dib::kWidth, static_cast<uint32_t>(width));
  Put(d.info, core::dib::kHeight, static_cast<uint32_t>(height));
  d.info[core::dib::kPlanes] = 1;
  d.info[core::dib::kBitCount] = static_cast<uint8_t>(bitCount);
  Put(d.info, core::dib::kCompression, compression);
  Put(d.info, core::dib::kClrUsed, clrUsed);
  d.info.resize(headerBytes);
  if (compression == core::dib::kBiBitfields) {
    const uint32_t masks[3] = {bitCount == 16 ? 0xF800u : 0xFF0000u, bitCount == 16 ? 0x07E0u : 0xFF00u,
                               bitCount == 16 ? 0x001Fu : 0xFFu};
    if (d.info.size() < core::dib::kMasks + core::dib::kMaskBytes) d.info.resize(core::dib::kMasks + core::dib::kMaskBytes);
    for (int i = 0; i < 3; ++i) Put(d.info, core::dib::kMasks + 4 * i, masks[i]);
  }
  if (entries == UINT32_MAX) entries = clrUsed ? clrUsed : (bitCount <= 8 ? 1u << bitCount : 0);
  for (uint32_t i = 0; i < entries; ++i) {
    const uint8_t grey = static_cast<uint8_t>(entries > 1 ? i * 255 / (entries - 1) : 0);
    d.info.insert(d.info.end(), {grey, grey, grey, 0});
  }
  const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
  d.bits.assign(static_cast<size_t>(stride * static_cast<uint64_t>(height < 0 ? -int64_t(height) : height)), 0x5A);
  return d;
}

Record::Record(uint32_t type, uint32_t fixedBytes) : bytes_(fixedBytes, 0) { Put(bytes_, 0, type); }

Record& Record::U32(uint32_t offset, uint32_t v) {
  Put(bytes_, offset, v);
  return *this;
}

Record& Record::F32(uint32_t offset, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  return U32(offset, bits);
}

uint32_t Record::Append(const std::vector<uint8_t>& b) {
  const uint32_t at = static_cast<uint32_t>(bytes_.size());
  bytes_.insert(bytes_.end(), b.begin(), b.end());
  bytes_.resize((bytes_.size() + 3) & ~size_t(3), 0);
  return at;
}

Record& Record::Attach(const core::emr::BitmapFields& f, const Dib& dib, uint32_t usage) {
  U32(f.usage, usage);
  U32(f.offBmi, Append(dib.info));
  U32(f.cbBmi, static_cast<uint32_t>(dib.info.size()));
  U32(f.offBits, Append(dib.bits));
  return U32(f.cbBits, static_cast<uint32_t>(dib.bits.size()));
}

Record& Record::Identity(uint32_t xformOffset) { return F32(xformOffset, 1.0f).F32(xformOffset + 12, 1.0f); }

EmfBuilder& EmfBuilder::Add(const Record& r) {
  records_.push_back(r.bytes());
  Put(records_.back(), 4, static_cast<uint32_t>(records_.back().size()));
  return *this;
}

uint32_t EmfBuilder::OffsetOf(size_t n) const {
  uint32_t off = 108;
  for (size_t i = 0; i < n; ++i) off += static_cast<uint32_t>(records_[i].size());
  return off;
}

std::vector<uint8_t> EmfBuilder::Build() const {
  std::vector<uint8_t> f(108, 0);
  const uint32_t total = OffsetOf(records_.size()) + 20;
  const uint32_t header[] = {core::emr::kHeader, 108, 0, 0, 99, 99, 0, 0, 2000, 1000, core::emr::kSignature,
                             0x10000, total, static_cast<uint32_t>(records_.size() + 2), handles_, 0, 0, 0,
                             100, 100, 100, 100, 0, 0, 0, 100000, 100000};
  for (size_t i = 0; i < sizeof header / sizeof *header; ++i) Put(f, uint32_t(4 * i), header[i]);
  for (const auto& r : records_) f.insert(f.end(), r.begin(), r.end());
  for (uint32_t v : {core::emr::kEof, 20u, 0u, 16u, 20u}) core::PutU32(f, v);
  return f;
}

Record ValidBitmapRecord(uint32_t type) {
  namespace emr = core::emr;
  const Dib rgb = MakeDib(4, 4, 24), mono = MakeDib(4, 4, 1);
  Dib argb = MakeDib(4, 4, 32);
  for (size_t i = 3; i < argb.bits.size(); i += 4) argb.bits[i] = 0xFF;  // opaque
  auto blit = [&](uint32_t bytes) {
    Record r(type, bytes);
    r.I32(L::kBlitDest + 8, 10).I32(L::kBlitDest + 12, 10).U32(L::kBlitRop, kSrcCopy).Identity(L::kBlitXform);
    return r;
  };
  switch (type) {
    case emr::kBitBlt: return blit(L::kBitBltBytes).Attach(L::kBlitSource, rgb);
    case emr::kStretchBlt:
    case emr::kTransparentBlt:
      return blit(L::kStretchBltBytes).I32(L::kStretchBltSrcSize, 4).I32(L::kStretchBltSrcSize + 4, 4)
          .Attach(L::kBlitSource, rgb);
    case emr::kAlphaBlend:  // source over, constant alpha 255, per-pixel alpha
      return blit(L::kStretchBltBytes).U32(L::kBlitRop, 0x01FF0000).I32(L::kStretchBltSrcSize, 4)
          .I32(L::kStretchBltSrcSize + 4, 4).Attach(L::kBlitSource, argb);
    case emr::kMaskBlt:
      return blit(L::kMaskBltBytes).Attach(L::kBlitSource, rgb).Attach(L::kMaskBltMask, mono);
    case emr::kPlgBlt: {
      Record r(type, L::kPlgBltBytes);
      r.I32(L::kPlgBltPoints + 8, 10).I32(L::kPlgBltPoints + 20, 10);  // (0,0) (10,0) (0,10)
      r.I32(L::kPlgBltSrc + 8, 4).I32(L::kPlgBltSrc + 12, 4).Identity(L::kPlgBltXform);
      return r.Attach(L::kPlgBltSource, rgb).Attach(L::kPlgBltMask, mono);
    }
    case emr::kSetDIBitsToDevice: {
      Record r(type, L::kSetDIBitsBytes);
      r.I32(L::kSetDIBitsSrc + 8, 4).I32(L::kSetDIBitsSrc + 12, 4).U32(L::kSetDIBitsScans, 4);
      return r.Attach(L::kSetDIBitsSource, rgb);
    }
    case emr::kStretchDIBits: {
      Record r(type, L::kStretchDIBitsBytes);
      r.I32(L::kStretchDIBitsSrc + 8, 4).I32(L::kStretchDIBitsSrc + 12, 4).U32(L::kStretchDIBitsRop, kSrcCopy);
      r.I32(L::kStretchDIBitsDestSize, 10).I32(L::kStretchDIBitsDestSize + 4, 10);
      return r.Attach(L::kStretchDIBitsSource, rgb);
    }
    case emr::kCreateDIBPatternBrushPt:
      return Record(type, L::kBrushBytes).U32(L::kBrushIndex, 1).Attach(L::kBrushBitmap, MakeDib(8, 8, 8));
    case emr::kCreateMonoBrush:
      return Record(type, L::kBrushBytes).U32(L::kBrushIndex, 1).Attach(L::kBrushBitmap, MakeDib(8, 8, 1));
    case emr::kExtCreatePen:  // a solid cosmetic pen: no bitmap
      return Record(type, L::kExtPenFixedBytes).U32(L::kExtPenIndex, 1).U32(L::kExtPenLogPen + 4, 1);
    default:
      return Record(type, 8);
  }
}

std::vector<uint32_t> BitmapRecordTypes() {
  namespace emr = core::emr;
  return {emr::kBitBlt, emr::kStretchBlt, emr::kMaskBlt, emr::kPlgBlt, emr::kSetDIBitsToDevice,
          emr::kStretchDIBits, emr::kAlphaBlend, emr::kTransparentBlt, emr::kCreateDIBPatternBrushPt,
          emr::kCreateMonoBrush, emr::kExtCreatePen};
}

std::vector<uint8_t> EmfWith(const Record& r, uint16_t handles) { return EmfBuilder(handles).Add(r).Build(); }

}  // namespace coretest
