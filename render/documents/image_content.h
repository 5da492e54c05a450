// Raster documents, decoded once with WIC and resampled per destination pixel.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "render/documents/document_content.h"
#include "core/image_scaler.h"

namespace documents {

// Decoded images above this many pixels are refused rather than risk the
// address space of the 32-bit build.
inline constexpr uint64_t kMaxImagePixels = 1ull << 26;

class ImageContent final : public DocumentContent {
 public:
  // Decodes the first frame, or the largest one for icons. Fails with WIC's code
  // for data it cannot decode.
  static HRESULT FromBytes(const std::vector<uint8_t>& bytes, bool largestFrame,
                           std::unique_ptr<DocumentContent>& out);

  SIZEL Extent() const override { return extent_; }
  void Draw(HDC dc, const RECT& bounds) const override;
  const core::ImagePixels& pixels() const { return pixels_; }

 private:
  ImageContent(core::ImagePixels pixels, SIZEL extent) : pixels_(std::move(pixels)), extent_(extent) {}
  void DrawExact(HDC dc, const RECT& bounds, const RECT& visible) const;
  void DrawStretched(HDC dc, const RECT& bounds) const;

  core::ImagePixels pixels_;
  SIZEL extent_;
};

// HIMETRIC length of `pixels` at `dpi`, taking 96 dpi for a missing or absurd one.
int32_t HimetricFromPixels(int32_t pixels, double dpi);

}  // namespace documents
