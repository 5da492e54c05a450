#include "render/documents/metafile_player.h"

// objidl.h declares the property identifiers the GDI+ headers use.
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/dib_check.h"
#include "core/emf_checker.h"
#include "core/emf_records.h"
#include "core/emfplus_records.h"
#include "core/gdi_enums.h"
#include "toolkit/handles.h"

namespace documents {
namespace {

namespace gp = Gdiplus::DllExports;
namespace L = core::emr::layout;

// EXTCREATEPEN with a pattern: ihPen, the bitmap's offsets and sizes, then
// EXTLOGPEN32 (style, width, brush style, colour, hatch, dash count, dashes).
// The pen is made from the bitmap as a packed DIB, header and colour table
// followed by the rows.
void MakePatternPen(HANDLETABLE* table, int handles, const core::ByteReader& r) {
  const uint32_t slot = r.U32(L::kExtPenIndex);
  if (slot == 0 || slot >= static_cast<uint32_t>(handles)) return;
  const bool dib = r.U32(36) != core::gdi::kBsPattern;
  const core::DibSpan span{r.U32(L::kExtPenOffBmi), r.U32(L::kExtPenCbBmi), r.U32(L::kExtPenOffBits),
                           r.U32(L::kExtPenCbBits), dib ? r.U32(40) : DIB_RGB_COLORS};
  core::DibLayout layout;
  if (!core::CheckEmbeddedDib(r, span, {}, &layout)) return;
  std::vector<uint8_t> packed(static_cast<size_t>(layout.infoBytes + layout.imageBytes));
  std::memcpy(packed.data(), r.data() + span.offBmi, static_cast<size_t>(layout.infoBytes));
  std::memcpy(packed.data() + layout.infoBytes, r.data() + span.offBits, static_cast<size_t>(layout.imageBytes));
  const LOGBRUSH brush{BS_DIBPATTERNPT, span.usage, reinterpret_cast<ULONG_PTR>(packed.data())};
  const DWORD count = r.U32(48);
  std::vector<DWORD> dashes(count);
  for (DWORD i = 0; i < count; ++i) dashes[i] = r.U32(L::kExtPenFixedBytes + 4ull * i);
  table->objectHandle[slot] = ExtCreatePen(r.U32(28), r.U32(32), &brush, count, count ? dashes.data() : nullptr);
}

// FILLRGN and FRAMERGN with a stock brush: bounds, cbRgnData 24, ihBrush 28,
// [stroke 32,] RGNDATA.
void PaintRegionWithStockBrush(HDC dc, const core::ByteReader& r) {
  const bool frame = r.U32(0) == core::emr::kFrameRgn;
  const auto* data = reinterpret_cast<const RGNDATA*>(r.data() + (frame ? 40 : 32));
  const tk::GdiRegion region(ExtCreateRegion(nullptr, r.U32(24), data));
  const HGDIOBJ brush = GetStockObject(static_cast<int>(r.U32(28) & 0x7FFFFFFFu));
  if (!region || !brush || GetObjectType(brush) != OBJ_BRUSH) return;
  if (frame)
    FrameRgn(dc, region.get(), static_cast<HBRUSH>(brush), r.I32(32), r.I32(36));
  else
    FillRgn(dc, region.get(), static_cast<HBRUSH>(brush));
}

int CALLBACK PlayGdiRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles, LPARAM) {
  const core::ByteReader r(reinterpret_cast<const uint8_t*>(record), record->nSize);
  if (!core::NeedsProgramPlayer(r))
    PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
  else if (record->iType == EMR_EXTCREATEPEN)
    MakePatternPen(table, handles, r);
  else
    PaintRegionWithStockBrush(dc, r);
  return TRUE;
}

struct GdiPlusContext {
  Gdiplus::GpMetafile* metafile;
  GdiPlusPlay outcome;
};

// GDI+ plays EMF records with GDI's player, into a handle table of its own,
// so the records the program plays itself are left out there.
BOOL CALLBACK PlayGdiPlusRecord(Gdiplus::EmfPlusRecordType type, UINT flags, UINT size, const BYTE* data,
                                VOID* context) {
  auto& c = *static_cast<GdiPlusContext*>(context);
  if (type == EMR_EXTCREATEPEN || type == EMR_FILLRGN || type == EMR_FRAMERGN) {
    std::vector<uint8_t> record(8 + size_t(size));
    const uint32_t head[2] = {static_cast<uint32_t>(type), 8 + size};
    std::memcpy(record.data(), head, 8);
    if (size) std::memcpy(record.data() + 8, data, size);
    if (core::NeedsProgramPlayer(core::ByteReader(record.data(), record.size()))) return TRUE;
  }
  const Gdiplus::Status status = gp::GdipPlayMetafileRecord(c.metafile, type, flags, size, data);
  // EMF records report how GDI fared; only what GDI+ refuses of its own counts.
  if (status != Gdiplus::Ok && type > EMR_MAX) {
    ++c.outcome.refused;
    if (core::IsEmfPlusDrawingRecord(static_cast<uint16_t>(type)) && c.outcome.refusedDrawing++ == 0)
      c.outcome.firstRefusedDrawing = static_cast<unsigned>(type);
  }
  return TRUE;
}

// GDI+ is started once, on first use, and shut down at the process's end.
class GdiPlusSession {
 public:
  GdiPlusSession() {
    const Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiPlusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiPlusSession(const GdiPlusSession&) = delete;
  GdiPlusSession& operator=(const GdiPlusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

struct ImageDeleter {
  void operator()(Gdiplus::GpMetafile* m) const { gp::GdipDisposeImage(m); }
};
struct GraphicsDeleter {
  void operator()(Gdiplus::GpGraphics* g) const { gp::GdipDeleteGraphics(g); }
};

}  // namespace

void PlayWithGdi(HDC dc, HENHMETAFILE emf, const RECT& bounds) {
  EnumEnhMetaFile(dc, emf, PlayGdiRecord, nullptr, &bounds);
}

GdiPlusPlay PlayWithGdiPlus(HDC dc, HENHMETAFILE emf, const RECT& bounds) {
  static GdiPlusSession session;
  if (!session.ok()) return {};
  Gdiplus::GpMetafile* metafile = nullptr;
  if (gp::GdipCreateMetafileFromEmf(emf, FALSE, &metafile) != Gdiplus::Ok) return {};
  const std::unique_ptr<Gdiplus::GpMetafile, ImageDeleter> ownMetafile(metafile);
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return {};
  const std::unique_ptr<Gdiplus::GpGraphics, GraphicsDeleter> ownGraphics(graphics);
  gp::GdipSetPageUnit(graphics, Gdiplus::UnitPixel);
  // Hatches repeat from the rendering origin, a device point: at the
  // picture's top-left corner they run on across strips.
  POINT origin{bounds.left, bounds.top};
  LPtoDP(dc, &origin, 1);
  gp::GdipSetRenderingOrigin(graphics, origin.x, origin.y);
  const Gdiplus::RectF dest(Gdiplus::REAL(bounds.left), Gdiplus::REAL(bounds.top),
                            Gdiplus::REAL(bounds.right - bounds.left), Gdiplus::REAL(bounds.bottom - bounds.top));
  GdiPlusContext context{metafile, {}};
  context.outcome.played =
      gp::GdipEnumerateMetafileDestRect(graphics, metafile, dest, PlayGdiPlusRecord, &context, nullptr) == Gdiplus::Ok;
  return context.outcome;
}

}  // namespace documents
