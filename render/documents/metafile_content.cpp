#include "render/documents/metafile_content.h"

#include <cstdlib>
#include <cstring>

#include "core/emf_validator.h"
#include "core/wmf_validator.h"
#include "render/documents/import_reason.h"
#include "render/documents/metafile_player.h"

namespace documents {
namespace {

HRESULT Refuse(std::wstring* reason, const std::string& why) {
  if (reason) *reason = Refusal(why);
  return kInvalidContent;
}

// The header's frame, in HIMETRIC; the check made sure it is not empty.
SIZEL FrameOf(const std::vector<uint8_t>& emf) {
  ENHMETAHEADER h;
  std::memcpy(&h, emf.data(), sizeof h);
  return {h.rclFrame.right - h.rclFrame.left, h.rclFrame.bottom - h.rclFrame.top};
}

// EMF+ records are drawn by GDI+, as Office and Windows' own viewers draw
// them. A dual file's EMF records are its picture for players without EMF+:
// when GDI+ refuses to play some of its EMF+ records that make objects or
// draw (Wine's GDI+ lacks some), the EMF records draw the file, unless they
// draw nothing at all (some writers announce them and leave them out). GDI+
// tells only by playing, so the file is played once, small, to decide.
bool DrawnByGdiPlus(const core::PreparedEmf& p, HENHMETAFILE emf) {
  if (!p.emfPlus) return false;
  if (!p.emfPlusDual || !p.emfDraws) return true;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 24, BI_RGB};
  void* bits = nullptr;
  const tk::MemoryDC dc(CreateCompatibleDC(nullptr));
  const tk::GdiBitmap bitmap(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap) return true;
  const tk::SelectedObject selected(dc.get(), bitmap.get());
  return PlayWithGdiPlus(dc.get(), emf, RECT{0, 0, 16, 16}).Whole();
}

}  // namespace

HRESULT MetafileContent::FromPrepared(const core::PreparedEmf& p, SIZEL extent, std::unique_ptr<DocumentContent>& out) {
  tk::EnhMetaFile emf(SetEnhMetaFileBits(static_cast<UINT>(p.bytes.size()), p.bytes.data()));
  if (!emf) return E_OUTOFMEMORY;
  const bool gdiPlus = DrawnByGdiPlus(p, emf.get());
  out.reset(new MetafileContent(std::move(emf), extent, gdiPlus));
  return S_OK;
}

HRESULT MetafileContent::FromEmf(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                                 std::wstring* reason) {
  const core::PreparedEmf p = core::PrepareEnhMetafile(bytes.data(), bytes.size());
  if (!p.verdict) return Refuse(reason, p.verdict.reason);
  return FromPrepared(p, FrameOf(p.bytes), out);
}

HRESULT MetafileContent::FromWmf(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                                 std::wstring* reason) {
  const core::PreparedWmf p = core::PrepareWindowsMetafile(bytes.data(), bytes.size());
  if (!p.verdict) return Refuse(reason, p.verdict.reason);
  SIZEL extent;
  if (p.info.placeable) {
    extent.cx = MulDiv(p.info.right - p.info.left, 2540, p.info.unitsPerInch);
    extent.cy = MulDiv(p.info.bottom - p.info.top, 2540, p.info.unitsPerInch);
  } else {
    // No placeable header: take the drawing's window extent as 96 dpi pixels.
    if (p.info.windowExtX == 0)
      return Refuse(reason, "the metafile states no size: no placeable header, no window extent");
    extent.cx = MulDiv(std::abs(p.info.windowExtX), 2540, 96);
    extent.cy = MulDiv(std::abs(p.info.windowExtY), 2540, 96);
  }
  if (extent.cx <= 0 || extent.cy <= 0) return Refuse(reason, "the metafile's size is empty");
  // A metafile that the platform converted from an enhanced one keeps the
  // original, which the platform plays in its place; a damaged original is
  // passed over for the records.
  if (!p.embeddedEmf.empty()) {
    const core::PreparedEmf original = core::PrepareEnhMetafile(p.embeddedEmf.data(), p.embeddedEmf.size());
    if (original.verdict) return FromPrepared(original, extent, out);
  }
  // One playback path for both kinds: the Windows metafile becomes an enhanced one.
  const METAFILEPICT pict{MM_ANISOTROPIC, extent.cx, extent.cy, nullptr};
  const tk::WindowDC screen(nullptr);
  const tk::EnhMetaFile converted(
      SetWinMetaFileBits(static_cast<UINT>(p.bytes.size()), p.bytes.data(), screen.get(), &pict));
  const UINT size = converted ? GetEnhMetaFileBits(converted.get(), 0, nullptr) : 0;
  std::vector<uint8_t> emf(size);
  if (size == 0 || GetEnhMetaFileBits(converted.get(), size, emf.data()) != size)
    return Refuse(reason, "the platform could not convert the metafile");
  // The conversion is the platform's own recording; hold it to the same standard.
  const core::PreparedEmf again = core::PrepareEnhMetafile(emf.data(), emf.size());
  if (!again.verdict) return Refuse(reason, "the metafile converted by the platform: " + again.verdict.reason);
  return FromPrepared(again, extent, out);
}

void MetafileContent::Draw(HDC dc, const RECT& bounds) const {
  tk::SavedDC saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  // Hatch and pattern brushes repeat from the brush origin, a device position;
  // anchoring it to the picture keeps strips of a drawing seamless.
  POINT origin{bounds.left, bounds.top};
  LPtoDP(dc, &origin, 1);
  SetBrushOrgEx(dc, (origin.x % 8 + 8) % 8, (origin.y % 8 + 8) % 8, nullptr);
  // Should GDI+ fail here after all, the EMF records draw what GDI can.
  if (gdiPlus_ && PlayWithGdiPlus(dc, emf_.get(), bounds).played) return;
  PlayWithGdi(dc, emf_.get(), bounds);
}

}  // namespace documents
