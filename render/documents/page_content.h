// Page documents (.pdf .svg .xps): one page at a time, the first at the start,
// drawn by MuPDF. Each object
// has a MuPDF context of its own, used by one thread at a time.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/page_mapping.h"
#include "render/documents/document_content.h"

struct fz_context;
struct fz_document;
struct fz_display_list;

namespace documents {

enum class PageFormat { Pdf, Svg, Xps };

class PageContent final : public DocumentContent {
 public:
  // Fails with kInvalidContent for a document MuPDF cannot open, one that
  // needs a password, one without pages or whose first page has no size, and
  // says why in `reason` (when given).
  static HRESULT FromBytes(const std::vector<uint8_t>& bytes, PageFormat format,
                           std::unique_ptr<DocumentContent>& out, std::wstring* reason = nullptr);
  ~PageContent() override;
  PageContent(const PageContent&) = delete;
  PageContent& operator=(const PageContent&) = delete;

  SIZEL Extent() const override { return extent_; }
  int32_t PageCount() const override { return pages_; }
  HRESULT ShowPage(int32_t index, std::wstring& reason) override;
  // Into a 24-bit DIB section the page is drawn straight into the section's
  // bits; into any other DC it goes in bands of device pixels.
  void Draw(HDC dc, const RECT& bounds) const override;

  // How the last Draw reached its DC, so tests can tell the two paths apart.
  enum class Path { None, Section, Bands };
  Path LastPath() const { return lastPath_; }

 private:
  PageContent(fz_context* ctx, fz_document* doc, int32_t pages, fz_display_list* list, core::PageBox box,
              SIZEL extent)
      : ctx_(ctx), doc_(doc), pages_(pages), list_(list), box_(box), extent_(extent) {}
  bool DrawIntoSection(HDC dc, const RECT& bounds) const;
  void DrawInBands(HDC dc, const RECT& bounds) const;
  // Paints `area` of a grid white, then the page through `map`, into rows of
  // `stride` bytes whose first pixel is the area's top-left one.
  bool RenderArea(const core::Affine& map, const core::PixelRect& area, uint8_t* first, int64_t stride) const;

  fz_context* ctx_;
  fz_document* doc_;
  int32_t pages_;
  fz_display_list* list_;
  core::PageBox box_;
  SIZEL extent_;
  mutable std::mutex mutex_;
  mutable Path lastPath_ = Path::None;
};

}  // namespace documents
