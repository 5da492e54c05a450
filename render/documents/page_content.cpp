// Opening a page document and rendering an area of its first page with MuPDF.
// MuPDF reports errors by longjmp: the functions with fz_try hold no C++
// objects that need destruction, and every MuPDF call runs inside one.
#include "render/documents/page_content.h"

#include <cstdio>
#include <new>
#include <optional>

#include <mupdf/fitz.h>

#include "render/documents/import_reason.h"

namespace documents {
namespace {

// MuPDF's own store of decoded fonts and images, per document.
constexpr size_t kStoreBytes = 64u << 20;

void Quiet(void*, const char*) {}

const char* Magic(PageFormat format) {
  switch (format) {
    case PageFormat::Pdf: return "application/pdf";
    case PageFormat::Svg: return "image/svg+xml";
    case PageFormat::Xps: return "application/oxps";
  }
  return "";
}

// The document with its page count; null and the reason in `why` on failure.
fz_document* OpenDocument(fz_context* ctx, const uint8_t* data, size_t size, const char* magic, int* pages,
                          char* why, size_t whySize) {
  fz_buffer* buffer = nullptr;
  fz_stream* stream = nullptr;
  fz_document* doc = nullptr;
  fz_var(buffer);
  fz_var(stream);
  fz_var(doc);
  fz_try(ctx) {
    buffer = fz_new_buffer_from_copied_data(ctx, data, size);
    stream = fz_open_buffer(ctx, buffer);
    doc = fz_open_document_with_stream(ctx, magic, stream);
    if (fz_needs_password(ctx, doc)) fz_throw(ctx, FZ_ERROR_GENERIC, "the document is encrypted and needs a password");
    *pages = fz_count_pages(ctx, doc);
    if (*pages < 1) fz_throw(ctx, FZ_ERROR_GENERIC, "the document has no pages");
  }
  fz_always(ctx) {
    fz_drop_stream(ctx, stream);
    fz_drop_buffer(ctx, buffer);
  }
  fz_catch(ctx) {
    std::snprintf(why, whySize, "%s", fz_caught_message(ctx));
    fz_drop_document(ctx, doc);
    return nullptr;
  }
  return doc;
}

// Page `index` as a display list with its bounds; null and the reason in
// `why` on failure.
fz_display_list* LoadPage(fz_context* ctx, fz_document* doc, int index, fz_rect* box, char* why, size_t whySize) {
  fz_page* page = nullptr;
  fz_display_list* list = nullptr;
  fz_var(page);
  fz_var(list);
  fz_try(ctx) {
    page = fz_load_page(ctx, doc, index);
    *box = fz_bound_page(ctx, page);
    list = fz_new_display_list_from_page(ctx, page);
  }
  fz_always(ctx) { fz_drop_page(ctx, page); }
  fz_catch(ctx) {
    std::snprintf(why, whySize, "%s", fz_caught_message(ctx));
    fz_drop_display_list(ctx, list);
    return nullptr;
  }
  return list;
}

core::PageBox Box(const fz_rect& r) { return core::PageBox{r.x0, r.y0, r.x1, r.y1}; }

// The page's size in HIMETRIC; empty when either side is not at least one unit.
std::optional<SIZEL> PageExtent(const fz_rect& box) {
  const SIZEL extent{core::HimetricFromPoints(double(box.x1) - box.x0),
                     core::HimetricFromPoints(double(box.y1) - box.y0)};
  if (extent.cx <= 0 || extent.cy <= 0) return std::nullopt;
  return extent;
}

}  // namespace

HRESULT PageContent::FromBytes(const std::vector<uint8_t>& bytes, PageFormat format,
                               std::unique_ptr<DocumentContent>& out, std::wstring* reason) {
  out.reset();
  fz_context* ctx = fz_new_context(nullptr, nullptr, kStoreBytes);
  if (!ctx) return E_OUTOFMEMORY;
  fz_set_warning_callback(ctx, Quiet, nullptr);
  fz_set_error_callback(ctx, Quiet, nullptr);
  char why[256] = "";
  bool registered = true;
  fz_try(ctx) { fz_register_document_handlers(ctx); }
  fz_catch(ctx) { registered = false; }
  int pages = 0;
  fz_document* doc =
      registered ? OpenDocument(ctx, bytes.data(), bytes.size(), Magic(format), &pages, why, sizeof why) : nullptr;
  fz_rect box{};
  fz_display_list* list = doc ? LoadPage(ctx, doc, 0, &box, why, sizeof why) : nullptr;
  const std::optional<SIZEL> extent = list ? PageExtent(box) : std::nullopt;
  if (!extent) {
    fz_drop_display_list(ctx, list);
    fz_drop_document(ctx, doc);
    fz_drop_context(ctx);
    if (reason)
      *reason = Refusal(list ? "the first page has no usable size" : why[0] ? why : "the document could not be opened");
    return kInvalidContent;
  }
  auto* content =
      new (std::nothrow) PageContent(ctx, doc, pages, list, Box(box), *extent);
  if (!content) {
    fz_drop_display_list(ctx, list);
    fz_drop_document(ctx, doc);
    fz_drop_context(ctx);
    return E_OUTOFMEMORY;
  }
  out.reset(content);
  return S_OK;
}

HRESULT PageContent::ShowPage(int32_t index, std::wstring& reason) {
  if (index < 0 || index >= pages_) {
    reason = L"the document has no page " + std::to_wstring(int64_t{index} + 1);
    return kNoSuchPage;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  char why[256] = "";
  fz_rect box{};
  fz_display_list* list = LoadPage(ctx_, doc_, index, &box, why, sizeof why);
  const std::optional<SIZEL> extent = list ? PageExtent(box) : std::nullopt;
  if (!extent) {
    fz_drop_display_list(ctx_, list);
    reason = Refusal(list ? "the page has no usable size" : why[0] ? why : "the page could not be read");
    return kInvalidContent;
  }
  fz_drop_display_list(ctx_, list_);
  list_ = list;
  box_ = Box(box);
  extent_ = *extent;
  return S_OK;
}

PageContent::~PageContent() {
  fz_drop_display_list(ctx_, list_);
  fz_drop_document(ctx_, doc_);
  fz_drop_context(ctx_);
}

bool PageContent::RenderArea(const core::Affine& map, const core::PixelRect& area, uint8_t* first,
                             int64_t stride) const {
  fz_context* ctx = ctx_;
  const fz_matrix ctm = fz_make_matrix(float(map.a), float(map.b), float(map.c), float(map.d), float(map.e),
                                       float(map.f));
  const fz_rect scissor = fz_make_rect(float(area.left), float(area.top), float(area.right), float(area.bottom));
  fz_pixmap* pixmap = nullptr;
  fz_device* device = nullptr;
  fz_var(pixmap);
  fz_var(device);
  fz_try(ctx) {
    pixmap = fz_new_pixmap_with_data(ctx, fz_device_bgr(ctx), int(area.right - area.left),
                                     int(area.bottom - area.top), nullptr, 0, int(stride), first);
    // The grid is the whole picture's: a part of it keeps its place there.
    pixmap->x = int(area.left);
    pixmap->y = int(area.top);
    fz_clear_pixmap_with_value(ctx, pixmap, 0xFF);
    device = fz_new_draw_device(ctx, fz_identity, pixmap);
    fz_run_display_list(ctx, list_, device, ctm, scissor, nullptr);
    fz_close_device(ctx, device);
  }
  fz_always(ctx) {
    fz_drop_device(ctx, device);
    fz_drop_pixmap(ctx, pixmap);
  }
  fz_catch(ctx) { return false; }
  return true;
}

}  // namespace documents
