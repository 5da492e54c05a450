// Walks an enhanced metafile record by record and writes the copy the players
// get; emf_checker.cpp and emf_bitmap_records.cpp hold the checks of the
// records themselves.
#include "core/emf_validator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/emf_checker.h"
#include "core/emfplus_checker.h"

namespace core {
namespace {

constexpr uint32_t kEofBytes = 20;  // type, size, no palette (count 0, offset 16), nSizeLast
constexpr uint32_t kEmfPlusSignature = 0x2B464D45;  // "EMF+"
constexpr uint16_t kEmfPlusHeader = 0x4001;

std::string Describe(uint32_t index, uint32_t type, const std::string& why) {
  const char* name = EmfRecordName(type);
  return "record " + std::to_string(index) + " of type " + (name ? name : "unknown") + " (" +
         std::to_string(type) + ") " + why;
}

void Set32(std::vector<uint8_t>& b, size_t off, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(v >> (8 * i));
}

bool Draws(uint32_t type) {
  switch (type) {
    case emr::kPolyBezier: case emr::kPolygon: case emr::kPolyline: case emr::kPolyBezierTo: case emr::kPolylineTo:
    case emr::kPolyPolyline: case emr::kPolyPolygon: case emr::kSetPixelV: case emr::kAngleArc: case emr::kEllipse:
    case emr::kRectangle: case emr::kRoundRect: case emr::kArc: case emr::kChord: case emr::kPie:
    case emr::kExtFloodFill: case emr::kLineTo: case emr::kArcTo: case emr::kPolyDraw: case emr::kFillPath:
    case emr::kStrokeAndFillPath: case emr::kStrokePath: case emr::kFillRgn: case emr::kFrameRgn:
    case emr::kInvertRgn: case emr::kPaintRgn: case emr::kBitBlt: case emr::kStretchBlt: case emr::kMaskBlt:
    case emr::kPlgBlt: case emr::kSetDIBitsToDevice: case emr::kStretchDIBits: case emr::kExtTextOutA:
    case emr::kExtTextOutW: case emr::kPolyBezier16: case emr::kPolygon16: case emr::kPolyline16:
    case emr::kPolyBezierTo16: case emr::kPolylineTo16: case emr::kPolyPolyline16: case emr::kPolyPolygon16:
    case emr::kPolyDraw16: case emr::kPolyTextOutA: case emr::kPolyTextOutW: case emr::kSmallTextOut:
    case emr::kAlphaBlend: case emr::kTransparentBlt: case emr::kGradientFill:
      return true;
    default:
      return false;
  }
}

// Only the fields the players follow decide; the record count, the palette
// count and EMR_EOF's last field are stated anew for the copy.
const char* CheckHeader(const ByteReader& h) {
  if (h.U16(56) == 0) return "the header has no handle table";  // slot 0 is the metafile itself
  const int64_t width = int64_t(h.I32(32)) - h.I32(24), height = int64_t(h.I32(36)) - h.I32(28);
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX)
    return "the header has an empty or oversized frame";
  // The players scale by the reference device's pixels per millimetre.
  for (uint64_t off : {72, 76, 80, 84})
    if (h.I32(off) <= 0) return "the header has an unusable reference device";
  return nullptr;
}

// The frame in the reference device's pixels, grown by its own size on every
// side: nothing drawn beyond it can reach the picture, which is the frame.
DeviceBox ClampBox(const ByteReader& h) {
  const double x = double(h.I32(72)) / h.I32(80) / 100, y = double(h.I32(76)) / h.I32(84) / 100;
  auto at = [](double v) { return int64_t(std::clamp(v, -1e9, 1e9)); };
  const int64_t left = at(h.I32(24) * x), top = at(h.I32(28) * y), right = at(h.I32(32) * x), bottom = at(h.I32(36) * y);
  const int64_t w = right - left + 1, hgt = bottom - top + 1;
  return {left - w, top - hgt, right + w, bottom + hgt};
}

// The copy's header: what the players would otherwise read past the header
// (a description, a pixel format) is dropped.
void MendHeader(std::vector<uint8_t>& out, uint32_t headerBytes) {
  const ByteReader h(out.data(), headerBytes);
  const uint32_t nDesc = h.U32(60), offDesc = h.U32(64);
  if (nDesc != 0 && (offDesc < 88 || !h.Has(offDesc, 2ull * nDesc))) Set32(out, 60, 0), Set32(out, 64, 0);
  if (headerBytes >= 100 && h.U32(88) != 0 && (h.U32(92) < 88 || !h.Has(h.U32(92), h.U32(88))))
    Set32(out, 88, 0), Set32(out, 92, 0);
  Set32(out, 68, 0);  // the palette lives in EMR_EOF, and the copy's has none
}

}  // namespace

PreparedEmf PrepareEnhMetafile(const uint8_t* data, size_t size) {
  PreparedEmf p;
  auto refuse = [&p](std::string why) {
    p.verdict = Verdict::Refuse(std::move(why));
    p.bytes.clear();
    return std::move(p);
  };
  if (!data || size < emr::kHeaderMinBytes) return refuse("the file is too short for an enhanced metafile");
  if (size > 0x7FFFFFFF) return refuse("the file is too large");
  const ByteReader file(data, size);
  if (file.U32(0) != emr::kHeader) return refuse("the file does not begin with an enhanced metafile header");
  if (file.U32(40) != emr::kSignature) return refuse("the header lacks the enhanced metafile signature");
  const uint32_t total = file.U32(48);  // nBytes: the metafile ends there
  // Both players refuse a size past the file, or not a multiple of four.
  if (total < emr::kHeaderMinBytes || total > size || total % 4 != 0)
    return refuse("the header states a size the file does not have");
  const uint32_t headerSize = file.U32(4);
  if (headerSize < emr::kHeaderMinBytes || headerSize > total || headerSize % 4 != 0)
    return refuse("the header overruns the file");
  const ByteReader header = file.Sub(0, headerSize);
  if (const char* why = CheckHeader(header)) return refuse(why);

  p.bytes.reserve(total + kEofBytes);
  p.bytes.assign(data, data + headerSize);
  MendHeader(p.bytes, headerSize);
  EmfChecker checker(header.U16(56), ClampBox(header));
  EmfPlusChecker plus;
  uint64_t offset = headerSize;
  uint32_t index = 1, kept = 1;
  while (offset < total) {
    ++index;
    const uint32_t type = file.U32(offset), recSize = file.U32(offset + 4);
    // Sizes are whole 32-bit words; the players load no metafile of another size.
    if (offset + 8 > total || recSize < 8 || recSize % 4 != 0 || recSize > total - offset) {
      p.brokeOff = Describe(index, type, offset + 8 > total ? "is cut off by the file's end"
                                         : recSize > total - offset ? "overruns the file"
                                                                    : "has an impossible size");
      break;
    }
    if (type == emr::kEof) break;
    const size_t at = p.bytes.size();
    p.bytes.insert(p.bytes.end(), data + offset, data + offset + recSize);
    const RecordFate fate = checker.Check(p.bytes.data() + at, recSize, type);
    if (fate == RecordFate::kRefuse) return refuse(Describe(index, type, checker.Why()));
    if (fate == RecordFate::kLeaveOut) {
      p.bytes.resize(at);
      ++p.leftOut;
    } else {
      p.bytes.resize(at + std::min<uint32_t>(recSize, ByteReader(p.bytes.data() + at, 8).U32(4)));
      ++kept;
      p.emfDraws = p.emfDraws || Draws(type);
      const ByteReader comment(data + offset + 12, type == emr::kGdiComment ? file.U32(offset + 8) : 0);
      if (comment.size() >= 4 && comment.U32(0) == kEmfPlusSignature) {
        if (!plus.Comment(comment)) return refuse(Describe(index, type, plus.Why()));
        // Only an EMF+ header right after the EMF header makes the file EMF+ to GDI+.
        if (index == 2 && comment.U16(4) == kEmfPlusHeader) p.emfPlus = true, p.emfPlusDual = comment.U16(6) & 1;
      }
    }
    offset += recSize;
  }
  if (!plus.End()) return refuse("the metafile " + plus.Why());
  const uint8_t eof[kEofBytes] = {emr::kEof, 0, 0, 0, kEofBytes, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, kEofBytes, 0, 0, 0};
  p.bytes.insert(p.bytes.end(), eof, eof + kEofBytes);
  Set32(p.bytes, 48, uint32_t(p.bytes.size()));
  Set32(p.bytes, 52, kept + 1);
  p.bytes[56] = static_cast<uint8_t>(checker.HandlesNeeded());
  p.bytes[57] = static_cast<uint8_t>(checker.HandlesNeeded() >> 8);
  return p;
}

}  // namespace core
