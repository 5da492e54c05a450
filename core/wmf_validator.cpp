// Walks a Windows metafile record by record and writes the copy the platform
// gets; wmf_checker.cpp holds the checks of the records themselves.
#include "core/wmf_validator.h"

#include <algorithm>
#include <string>

#include "core/gdi_enums.h"
#include "core/le_bytes.h"
#include "core/wmf_checker.h"
#include "core/wmf_records.h"

namespace core {
namespace {

constexpr uint32_t kEmbeddedMagic = 0x43464D57;  // "WMFC": a chunk of an enhanced metafile

std::string Describe(uint32_t index, uint16_t function, const std::string& why) {
  const char* name = WmfFunctionName(function);
  static const char kHex[] = "0123456789ABCDEF";
  std::string number = "0x";
  for (int i = 0; i < 4; ++i) number += kHex[(function >> (12 - 4 * i)) & 0xF];
  return "record " + std::to_string(index) + " of function " + (name ? name : "unknown") + " (" + number + ") " + why;
}

void Put16(std::vector<uint8_t>& b, size_t off, uint32_t v) {
  b[off] = static_cast<uint8_t>(v);
  b[off + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t off, uint32_t v) { Put16(b, off, v), Put16(b, off + 2, v >> 16); }

bool IsEmbeddedChunk(const ByteReader& rec) {
  return rec.U16(4) == meta::kEscape && rec.U16(6) == gdi::kEscMfComment && rec.U32(10) == kEmbeddedMagic;
}

// The enhanced metafile that the platform's conversion to a Windows metafile
// keeps in comment escapes at its start: chunk headers (at byte 10: magic,
// type, version, checksum, flags, chunk count, chunk size, bytes remaining
// after it, whole size) and data from byte 44. The platform takes it when the
// chunks add up and the words of the whole metafile sum to zero; so does
// this, and also wants the chunks to fill the size they announce.
std::vector<uint8_t> EmbeddedEmf(const std::vector<ByteReader>& chunks, const ByteReader& metafile) {
  std::vector<uint8_t> emf;
  if (chunks.empty()) return emf;
  const uint64_t whole = chunks[0].U32(40), count = chunks[0].U32(28);
  if (count == 0 || count > chunks.size() || whole > metafile.size()) return emf;
  uint64_t remaining = whole;
  for (uint64_t i = 0; i < count; ++i) {
    const ByteReader& c = chunks[i];
    const uint32_t bytes = c.U32(32);
    if (bytes > remaining || !c.Has(44, bytes)) return {};
    remaining -= bytes;
    if (c.U32(36) != remaining) return {};
    emf.insert(emf.end(), c.data() + 44, c.data() + 44 + bytes);
  }
  uint16_t sum = 0;
  for (uint64_t off = 0; off + 1 < metafile.size(); off += 2) sum = static_cast<uint16_t>(sum + metafile.U16(off));
  if (remaining != 0 || sum != 0) emf.clear();
  return emf;
}

}  // namespace

PreparedWmf PrepareWindowsMetafile(const uint8_t* data, size_t size) {
  PreparedWmf p;
  auto refuse = [&p](std::string why) {
    p.verdict = Verdict::Refuse(std::move(why));
    p.bytes.clear();
    p.embeddedEmf.clear();
    return std::move(p);
  };
  if (!data || size > 0x7FFFFFFF) return refuse("the file is too large");
  const ByteReader file(data, size);
  WmfInfo& info = p.info;
  if (file.U32(0) == meta::kPlaceableKey) {
    if (size < meta::kPlaceableBytes) return refuse("the file is too short for its placeable header");
    info.headerOffset = meta::kPlaceableBytes;
    info.left = file.I16(6), info.top = file.I16(8), info.right = file.I16(10), info.bottom = file.I16(12);
    info.unitsPerInch = file.U16(14);
    // The box only sizes the picture; without a usable one the records' window does.
    info.placeable = info.right > info.left && info.bottom > info.top && info.unitsPerInch != 0;
  }
  const uint64_t h = info.headerOffset;
  if (!file.Has(h, meta::kHeaderBytes)) return refuse("the file is too short for a metafile header");
  // Memory and disk metafiles, of either version, play alike; the players
  // ignore the stated size and largest record and go by the bytes.
  const uint16_t type = file.U16(h), headerWords = file.U16(h + 2), version = file.U16(h + 4);
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
    return refuse("the metafile header is of an unknown kind");
  const ByteReader whole = file.Sub(h, size - h);
  p.bytes.assign(data + h, data + h + meta::kHeaderBytes);
  WmfChecker checker(file.U16(h + 10));
  std::vector<ByteReader> chunks;
  uint64_t offset = meta::kHeaderBytes, chainEnd = 0;
  uint32_t index = 0, largest = 3;
  while (offset < whole.size()) {
    ++index;
    const uint64_t bytes = 2ull * whole.U32(offset);
    const uint16_t function = whole.U16(offset + 4);
    if (offset + 6 > whole.size() || bytes < 6 || bytes > whole.size() - offset) {
      // Cut off before the size its header states: a file that did not
      // arrive whole. Otherwise the players stop at the broken record.
      const bool pastEnd = offset + 6 > whole.size() || bytes > whole.size() - offset;
      if (pastEnd && whole.size() < 2ull * file.U32(h + 6))
        return refuse("the file ends before the metafile its header states");
      p.brokeOff = Describe(index, function, offset + 6 > whole.size() ? "is cut off by the file's end"
                                             : bytes < 6              ? "has an impossible size"
                                                                      : "overruns the file");
      break;
    }
    const ByteReader rec = whole.Sub(offset, bytes);
    offset += bytes;
    if (function == meta::kEof) {
      chainEnd = offset;
      break;
    }
    // The platform's own extraction is never given these, wherever they
    // stand (a record left out before them would put them first): this walk
    // takes the enhanced metafile out itself, with its bounds checked.
    if (IsEmbeddedChunk(rec)) {
      if (chunks.size() + 1 == index) chunks.push_back(rec);
      ++p.leftOut;
      continue;
    }
    const size_t at = p.bytes.size();
    p.bytes.insert(p.bytes.end(), rec.data(), rec.data() + bytes);
    const RecordFate fate = checker.Check(p.bytes, at, function);
    if (fate == RecordFate::kRefuse) return refuse(Describe(index, function, checker.Why()));
    if (fate == RecordFate::kLeaveOut) {
      p.bytes.resize(at);
      ++p.leftOut;
    } else {
      largest = std::max<uint32_t>(largest, static_cast<uint32_t>((p.bytes.size() - at) / 2));
    }
  }
  if (!chainEnd && p.brokeOff.empty() && whole.size() < 2ull * file.U32(h + 6))
    return refuse("the file ends before the metafile its header states");
  if (chainEnd) p.embeddedEmf = EmbeddedEmf(chunks, whole.Sub(0, chainEnd));
  const uint8_t eof[6] = {3, 0, 0, 0, 0, 0};
  p.bytes.insert(p.bytes.end(), eof, eof + 6);
  Put16(p.bytes, 0, 1);  // a memory metafile
  Put16(p.bytes, 4, 0x300);
  Put32(p.bytes, 6, static_cast<uint32_t>(p.bytes.size() / 2));
  Put16(p.bytes, 10, std::min<uint32_t>(checker.ObjectsNeeded(), 0xFFFF));
  Put32(p.bytes, 12, largest);
  info.windowExtX = checker.windowExtX;
  info.windowExtY = checker.windowExtY;
  return p;
}

}  // namespace core
