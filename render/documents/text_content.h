// Plain-text documents: one continuous A4-wide page drawn with GDI text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/documents/document_content.h"
#include "core/text_layout.h"

namespace documents {

// Where page coordinates (HIMETRIC) land in a destination rectangle. Depends
// only on the full rectangle, so a strip of a drawing matches the whole.
struct PageMapping {
  RECT bounds;
  int32_t pageHeight;
  int32_t X(int64_t himetricX) const {
    return static_cast<int32_t>(bounds.left + himetricX * (int64_t(bounds.right) - bounds.left) / core::page::kWidth);
  }
  int32_t Y(int64_t himetricY) const {
    return static_cast<int32_t>(bounds.top + himetricY * (int64_t(bounds.bottom) - bounds.top) / pageHeight);
  }
};

class TextContent final : public DocumentContent {
 public:
  // Fails with kInvalidContent for data that is not text, and says so in
  // `reason` (when given).
  static HRESULT FromBytes(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                           std::wstring* reason = nullptr);

  SIZEL Extent() const override { return {core::page::kWidth, layout_.pageHeight}; }
  void Draw(HDC dc, const RECT& bounds) const override;
  const core::TextLayout& layout() const { return layout_; }

 private:
  explicit TextContent(core::TextLayout layout) : layout_(std::move(layout)) {}
  core::TextLayout layout_;
};

}  // namespace documents
