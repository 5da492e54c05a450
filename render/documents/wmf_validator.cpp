// Whitelist validator for WMF files; see emf_validator.cpp for why.
#include "render/documents/wmf_validator.h"

#include <windows.h>

#include <vector>

#include "render/documents/record_reader.h"

namespace documents {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kMaxSaveDepth = 1024;

class WmfChecker {
 public:
  WmfChecker(uint16_t objects, WmfInfo& info) : slots_(objects, false), info_(info) {}
  // r spans the whole record; parameters start at byte 6.
  bool Check(const RecordReader& r, uint16_t function);

 private:
  size_t Words(const RecordReader& r) const { return (r.size() - 6) / 2; }
  int16_t P(const RecordReader& r, size_t i) const { return r.I16(6 + 2 * i); }
  bool Params(const RecordReader& r, size_t n) const { return Words(r) >= n; }
  bool Enum(const RecordReader& r, int lo, int hi) const {
    return Params(r, 1) && P(r, 0) >= lo && P(r, 0) <= hi;
  }
  bool Create() {
    for (size_t i = 0; i < slots_.size(); ++i)
      if (!slots_[i]) return slots_[i] = true;
    return false;  // the table is full: the player would have nowhere to put it
  }
  bool Used(uint16_t i) const { return i < slots_.size() && slots_[i]; }
  bool PolyPolygon(const RecordReader& r) const;
  bool ExtTextOut(const RecordReader& r) const;

  std::vector<bool> slots_;
  WmfInfo& info_;
  int depth_ = 0;
};

bool WmfChecker::PolyPolygon(const RecordReader& r) const {
  if (!Params(r, 1)) return false;
  const uint16_t polys = r.U16(6);
  if (polys == 0 || !Params(r, 1ull + polys)) return false;
  uint64_t points = 0;
  for (size_t i = 0; i < polys; ++i) {
    const uint16_t c = r.U16(8 + 2 * i);
    if (c < 2) return false;
    points += c;
  }
  return Words(r) >= 1ull + polys + 2 * points;
}

// y, x, count, options, [rectangle], string padded to words, [dx per char]
bool WmfChecker::ExtTextOut(const RecordReader& r) const {
  if (!Params(r, 4)) return false;
  const uint16_t count = r.U16(10), options = r.U16(12);
  if (options & ~(ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX | ETO_RTLREADING)) return false;
  const size_t rect = (options & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
  const size_t text = (count + 1ull) / 2;
  if (!Params(r, 4 + rect + text)) return false;
  const size_t rest = Words(r) - (4 + rect + text);
  return rest == 0 || rest >= count;  // the dx array is all there or absent
}

bool WmfChecker::Check(const RecordReader& r, uint16_t f) {
  switch (f) {
    case META_SAVEDC:
      return ++depth_ <= kMaxSaveDepth;
    case META_RESTOREDC: {
      const int16_t rel = Params(r, 1) ? P(r, 0) : 0;
      if (rel >= 0 || -rel > depth_) return false;
      depth_ += rel;
      return true;
    }
    case META_SETBKMODE: return Enum(r, TRANSPARENT, OPAQUE);
    case META_SETMAPMODE: return Enum(r, MM_TEXT, MM_ANISOTROPIC);
    case META_SETROP2: return Enum(r, R2_BLACK, R2_WHITE);
    case META_SETPOLYFILLMODE: return Enum(r, ALTERNATE, WINDING);
    case META_SETSTRETCHBLTMODE: return Enum(r, BLACKONWHITE, HALFTONE);
    case META_SETTEXTALIGN: return Params(r, 1);
    case META_SETBKCOLOR: case META_SETTEXTCOLOR: return Params(r, 2);
    case META_SETWINDOWEXT:
      if (!Params(r, 2) || P(r, 0) == 0 || P(r, 1) == 0) return false;
      if (info_.windowExtX == 0) {
        info_.windowExtX = P(r, 1);
        info_.windowExtY = P(r, 0);
      }
      return true;
    case META_SETVIEWPORTEXT:
      return Params(r, 2) && P(r, 0) != 0 && P(r, 1) != 0;
    case META_SETWINDOWORG: case META_SETVIEWPORTORG: case META_OFFSETWINDOWORG:
    case META_OFFSETVIEWPORTORG: case META_LINETO: case META_MOVETO: case META_OFFSETCLIPRGN:
      return Params(r, 2);
    case META_SCALEWINDOWEXT: case META_SCALEVIEWPORTEXT:
      return Params(r, 4) && P(r, 0) != 0 && P(r, 1) != 0 && P(r, 2) != 0 && P(r, 3) != 0;
    case META_EXCLUDECLIPRECT: case META_INTERSECTCLIPRECT: case META_RECTANGLE:
    case META_ELLIPSE: case META_SETPIXEL:
      return Params(r, 4);
    case META_ROUNDRECT: return Params(r, 6);
    case META_ARC: case META_PIE: case META_CHORD: return Params(r, 8);
    case META_POLYGON: case META_POLYLINE: {
      const uint16_t n = Params(r, 1) ? r.U16(6) : 0;
      return n >= 2 && Words(r) >= 1ull + 2ull * n;
    }
    case META_POLYPOLYGON: return PolyPolygon(r);
    case META_TEXTOUT: {
      const uint16_t n = Params(r, 1) ? r.U16(6) : 0;
      return Params(r, 1 + (n + 1ull) / 2 + 2);
    }
    case META_EXTTEXTOUT: return ExtTextOut(r);
    case META_SELECTOBJECT: return Params(r, 1) && Used(r.U16(6));
    case META_DELETEOBJECT:
      if (!Params(r, 1) || !Used(r.U16(6))) return false;
      slots_[r.U16(6)] = false;
      return true;
    case META_CREATEPENINDIRECT:
      return Params(r, 5) && r.U16(6) <= PS_INSIDEFRAME && Create();
    case META_CREATEBRUSHINDIRECT: {
      if (!Params(r, 4)) return false;
      const uint16_t style = r.U16(6), hatch = r.U16(12);
      const bool ok = style == BS_SOLID || style == BS_NULL || (style == BS_HATCHED && hatch <= HS_DIAGCROSS);
      return ok && Create();
    }
    case META_CREATEFONTINDIRECT: {
      // LOGFONT16: 18 bytes of fields, then a face name that must end inside the record.
      if (!Params(r, 9)) return false;
      for (size_t i = 6 + 18; i < r.size() && i < 6 + 18 + LF_FACESIZE; ++i)
        if (*r.At(i) == 0) return Create();
      return false;
    }
    default:
      return false;
  }
}

}  // namespace

std::optional<WmfInfo> ValidateWindowsMetafile(const uint8_t* data, size_t size) {
  if (!data || size > 0x7FFFFFFF) return std::nullopt;
  WmfInfo info;
  const RecordReader file(data, size);
  if (file.U32(0) == kPlaceableKey) {
    if (size < 22) return std::nullopt;
    info.placeable = true;
    info.left = file.I16(6);
    info.top = file.I16(8);
    info.right = file.I16(10);
    info.bottom = file.I16(12);
    info.unitsPerInch = file.U16(14);
    if (info.right <= info.left || info.bottom <= info.top || info.unitsPerInch == 0)
      return std::nullopt;
    info.headerOffset = 22;
  }
  const size_t h = info.headerOffset;
  if (!file.Has(h, 18)) return std::nullopt;
  const uint16_t type = file.U16(h), headerWords = file.U16(h + 2), version = file.U16(h + 4);
  const uint64_t bytes = 2ull * file.U32(h + 6);
  const uint16_t objects = file.U16(h + 10);
  const uint32_t maxRecord = file.U32(h + 12);
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
    return std::nullopt;
  if (bytes < 18 + 6 || !file.Has(h, bytes)) return std::nullopt;
  info.bytes = static_cast<size_t>(bytes);
  WmfChecker checker(objects, info);
  uint64_t offset = 18;
  const uint8_t* meta = data + h;
  const RecordReader whole(meta, info.bytes);
  while (offset < bytes) {
    const uint64_t recBytes = 2ull * whole.U32(offset);
    const uint16_t function = whole.U16(offset + 4);
    if (recBytes < 6 || recBytes > bytes - offset || recBytes / 2 > maxRecord) return std::nullopt;
    const RecordReader rec(meta + offset, static_cast<size_t>(recBytes));
    if (function == 0)  // META_EOF: the last record of all
      return recBytes == 6 && offset + recBytes == bytes ? std::optional<WmfInfo>(info) : std::nullopt;
    if (!checker.Check(rec, function)) return std::nullopt;
    offset += recBytes;
  }
  return std::nullopt;
}

}  // namespace documents
