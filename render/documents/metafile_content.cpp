#include "render/documents/metafile_content.h"

#include <cstdlib>
#include <cstring>

#include "core/emf_validator.h"
#include "core/wmf_validator.h"
#include "render/documents/import_reason.h"

namespace documents {
namespace {

HRESULT Refuse(std::wstring* reason, const std::string& why) {
  if (reason) *reason = Refusal(why);
  return kInvalidContent;
}

}  // namespace

HRESULT MetafileContent::FromEmf(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                                 std::wstring* reason) {
  if (const core::Verdict v = core::ValidateEnhMetafile(bytes.data(), bytes.size()); !v) return Refuse(reason, v.reason);
  ENHMETAHEADER header;
  std::memcpy(&header, bytes.data(), sizeof header);
  tk::EnhMetaFile emf(SetEnhMetaFileBits(header.nBytes, bytes.data()));
  if (!emf) return E_OUTOFMEMORY;
  const SIZEL extent{header.rclFrame.right - header.rclFrame.left,
                     header.rclFrame.bottom - header.rclFrame.top};
  out.reset(new MetafileContent(std::move(emf), extent));
  return S_OK;
}

HRESULT MetafileContent::FromWmf(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                                 std::wstring* reason) {
  core::WmfInfo info;
  if (const core::Verdict v = core::ValidateWindowsMetafile(bytes.data(), bytes.size(), info); !v)
    return Refuse(reason, v.reason);
  SIZEL extent;
  if (info.placeable) {
    extent.cx = MulDiv(info.right - info.left, 2540, info.unitsPerInch);
    extent.cy = MulDiv(info.bottom - info.top, 2540, info.unitsPerInch);
  } else {
    // No placeable header: take the drawing's window extent as 96 dpi pixels.
    if (info.windowExtX == 0) return Refuse(reason, "the metafile states no size: no placeable header, no window extent");
    extent.cx = MulDiv(std::abs(info.windowExtX), 2540, 96);
    extent.cy = MulDiv(std::abs(info.windowExtY), 2540, 96);
  }
  if (extent.cx <= 0 || extent.cy <= 0) return Refuse(reason, "the metafile's size is empty");
  // One playback path for both kinds: the Windows metafile becomes an enhanced one.
  const METAFILEPICT pict{MM_ANISOTROPIC, extent.cx, extent.cy, nullptr};
  HDC screen = GetDC(nullptr);
  tk::EnhMetaFile emf(SetWinMetaFileBits(static_cast<UINT>(info.bytes),
                                           bytes.data() + info.headerOffset, screen, &pict));
  ReleaseDC(nullptr, screen);
  if (!emf) return Refuse(reason, "the platform could not convert the metafile");
  // The conversion is the platform's own recording; hold it to the same standard.
  const UINT size = GetEnhMetaFileBits(emf.get(), 0, nullptr);
  std::vector<uint8_t> converted(size);
  if (size == 0 || GetEnhMetaFileBits(emf.get(), size, converted.data()) != size)
    return Refuse(reason, "the platform could not convert the metafile");
  if (const core::Verdict v = core::ValidateEnhMetafile(converted.data(), converted.size()); !v)
    return Refuse(reason, "the metafile converted by the platform: " + v.reason);
  out.reset(new MetafileContent(std::move(emf), extent));
  return S_OK;
}

void MetafileContent::Draw(HDC dc, const RECT& bounds) const {
  tk::SavedDC saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  // Hatch and pattern brushes repeat from the brush origin, a device position;
  // anchoring it to the picture keeps strips of a drawing seamless.
  POINT origin{bounds.left, bounds.top};
  LPtoDP(dc, &origin, 1);
  SetBrushOrgEx(dc, (origin.x % 8 + 8) % 8, (origin.y % 8 + 8) % 8, nullptr);
  PlayEnhMetaFile(dc, emf_.get(), &bounds);
}

}  // namespace documents
