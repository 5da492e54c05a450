// Vector documents: enhanced and Windows metafiles, played with GDI, or with
// GDI+ when they carry EMF+ records.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/documents/document_content.h"
#include "toolkit/handles.h"

namespace core {
struct PreparedEmf;
}

namespace documents {

class MetafileContent final : public DocumentContent {
 public:
  // Both fail with kInvalidContent unless the bytes pass the structural check,
  // and then say why in `reason` (when given).
  static HRESULT FromEmf(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                         std::wstring* reason = nullptr);
  static HRESULT FromWmf(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                         std::wstring* reason = nullptr);

  SIZEL Extent() const override { return extent_; }
  void Draw(HDC dc, const RECT& bounds) const override;

 private:
  MetafileContent(tk::EnhMetaFile emf, SIZEL extent, bool gdiPlus)
      : emf_(std::move(emf)), extent_(extent), gdiPlus_(gdiPlus) {}
  static HRESULT FromPrepared(const core::PreparedEmf& prepared, SIZEL extent, std::unique_ptr<DocumentContent>& out);

  tk::EnhMetaFile emf_;
  SIZEL extent_;
  bool gdiPlus_;  // drawn by GDI+ rather than GDI
};

}  // namespace documents
