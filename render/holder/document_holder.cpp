#include "render/holder/document_holder.h"

#include <climits>

#include "render/documents/document_factory.h"
#include "render/documents/document_pages.h"
#include "render/holder/holder_site.h"
#include "render/holder/ole_error.h"
#include "render/holder/ole_session.h"
#include "render/holder/preview_fit.h"
#include "toolkit/handles.h"

using Microsoft::WRL::ComPtr;

namespace render {

DocumentHolder::DocumentHolder(Host host, LinkFactory factory)
    : DocumentHolder(std::move(host),
                     factory ? ExplainingLinkFactory([factory](const std::wstring& file, IOleClientSite* site,
                                                               IStorage* storage, IOleObject** out, std::wstring*) {
                       return factory(file, site, storage, out);
                     })
                             : ExplainingLinkFactory()) {}

DocumentHolder::DocumentHolder(Host host, ExplainingLinkFactory factory)
    : host_(std::move(host)),
      factory_(factory ? std::move(factory)
                       : ExplainingLinkFactory([](const std::wstring& file, IOleClientSite* site, IStorage* storage,
                                                  IOleObject** out, std::wstring* reason) {
                           return documents::CreateLinkToFile(file, site, storage, out, reason);
                         })),
      site_(new HolderSite(this)) {}

DocumentHolder::~DocumentHolder() {
  ReleaseDocument();
  site_->Detach();
  site_->Release();
}

void DocumentHolder::LinkDocument(const std::wstring& fileName) {
  ReleaseDocument();  // first: a failing link leaves the holder empty
  try {
    HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes_);
    if (FAILED(hr)) throw OleError(hr, "CreateILockBytesOnHGlobal");
    hr = StgCreateDocfileOnILockBytes(lockBytes_.Get(),
                                      STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                      &storage_);
    if (FAILED(hr)) throw OleError(hr, "StgCreateDocfileOnILockBytes");
    std::wstring reason;
    hr = factory_(fileName, static_cast<IOleClientSite*>(site_), storage_.Get(), &object_, &reason);
    if (FAILED(hr) || !object_) throw OleError(FAILED(hr) ? hr : E_UNEXPECTED, "OleCreateLinkToFile", reason);
    drawAspect_ = DVASPECT_CONTENT;
    Connect();
    // Propose the holder's own size; objects with a fixed size refuse, which is fine.
    const SIZE client = host_.clientSize ? host_.clientSize() : SIZE{0, 0};
    SIZEL proposed = PixelsToHimetric(client, OleSession::ScreenPixelsPerInch());
    object_->SetExtent(DVASPECT_CONTENT, &proposed);
    RefreshViewSize();
    Invalidate();
    modified_ = true;
  } catch (...) {
    ReleaseDocument();
    throw;
  }
}

// Result codes of these calls are ignored: none of them decides whether the
// document can be shown.
void DocumentHolder::Connect() {
  ComPtr<IViewObject> view;
  if (SUCCEEDED(object_.As(&view))) view->SetAdvise(drawAspect_, 0, static_cast<IAdviseSink*>(site_));
  object_->SetHostNames(host_.applicationTitle.c_str(), host_.caption.c_str());
  OleSetContainedObject(object_.Get(), TRUE);
  ComPtr<IDataObject> data;
  if (SUCCEEDED(object_.As(&data))) {
    FORMATETC any{0, nullptr, DWORD(-1), -1, DWORD(-1)};
    DWORD token = 0;
    if (SUCCEEDED(data->DAdvise(&any, ADVF_NODATA, static_cast<IAdviseSink*>(site_), &token)))
      dataConnection_ = token;
  }
}

void DocumentHolder::RefreshViewSize() {
  ComPtr<IViewObject2> view;
  if (object_ && SUCCEEDED(object_.As(&view)))
    view->GetExtent(drawAspect_, -1, nullptr, &viewSize_);
}

void DocumentHolder::ReleaseDocument() {
  if (object_) {
    ComPtr<IViewObject> view;
    if (SUCCEEDED(object_.As(&view))) view->SetAdvise(drawAspect_, 0, nullptr);
    if (dataConnection_ != 0) {
      ComPtr<IDataObject> data;
      if (SUCCEEDED(object_.As(&data))) data->DUnadvise(dataConnection_);
      dataConnection_ = 0;
    }
    object_->Close(OLECLOSE_NOSAVE);
    Invalidate();
    modified_ = true;
  }
  object_.Reset();
  storage_.Reset();
  lockBytes_.Reset();
  dataConnection_ = 0;
  objectOpen_ = false;
  viewSize_ = SIZEL{0, 0};
}

namespace {

// The object's pages, when it is a built-in document; platform links have none.
ComPtr<documents::IDocumentPages> PagesOf(IOleObject* object) {
  ComPtr<documents::IDocumentPages> pages;
  if (object) object->QueryInterface(documents::kDocumentPagesIid, reinterpret_cast<void**>(pages.GetAddressOf()));
  return pages;
}

}  // namespace

int32_t DocumentHolder::PageCount() const {
  if (!object_) return 0;
  LONG count = 1;
  const ComPtr<documents::IDocumentPages> pages = PagesOf(object_.Get());
  if (pages && FAILED(pages->GetPageCount(&count))) count = 1;
  return count;
}

void DocumentHolder::ShowPage(int32_t index) {
  if (!object_) throw OleError(E_UNEXPECTED, "ShowPage");
  const ComPtr<documents::IDocumentPages> pages = PagesOf(object_.Get());
  if (!pages) {
    if (index == 0) return;
    throw OleError(documents::kNoSuchPage, "ShowPage", L"the document has one page");
  }
  LPOLESTR why = nullptr;
  const HRESULT hr = pages->ShowPage(index, &why);
  std::wstring reason = why ? why : L"";
  CoTaskMemFree(why);
  if (FAILED(hr)) throw OleError(hr, "ShowPage", std::move(reason));
  RefreshViewSize();
  Invalidate();
}

POINT DocumentHolder::GetDocumentExtent() const {
  SIZEL size{0, 0};
  if (object_) object_->GetExtent(DVASPECT_CONTENT, &size);
  return POINT{size.cx, size.cy};
}

void DocumentHolder::DrawDocument(HDC dc, int left, int top, int width, int height) const {
  if (!object_) return;
  auto clamp = [](int64_t v) { return static_cast<LONG>(v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v); };
  const RECT r{left, top, clamp(int64_t(left) + width), clamp(int64_t(top) + height)};
  OleDraw(object_.Get(), DVASPECT_CONTENT, dc, &r);
}

void DocumentHolder::PaintPreview(HDC dc, SIZE client, COLORREF color, bool focused) const {
  RECT r{0, 0, client.cx, client.cy};
  // Without a border the edge flags are flat and mono and name no side, so no
  // edge is drawn. The inside is filled here rather than by BF_MIDDLE, which
  // takes a system colour instead of the holder's own.
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_FLAT | BF_MONO);
  tk::GdiBrush brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.get());
  if (object_) {
    SIZEL extent{0, 0};
    object_->GetExtent(DVASPECT_CONTENT, &extent);
    // An extent of (0, 0) or one that makes no sense has no ratio to keep: nothing is drawn.
    if (const auto fit = FitPreview(r.right - r.left, r.bottom - r.top, extent.cx, extent.cy)) {
      const RECT target{fit->x, fit->y, fit->x + fit->width, fit->y + fit->height};
      OleDraw(object_.Get(), DVASPECT_CONTENT, dc, &target);
    }
  }
  if (focused) DrawFocusRect(dc, &r);
}

HRESULT DocumentHolder::SaveObject() {
  if (!object_ || !storage_) return S_OK;
  ComPtr<IPersistStorage> persist;
  if (FAILED(object_.As(&persist))) return S_OK;
  if (SUCCEEDED(OleSave(persist.Get(), storage_.Get(), TRUE))) {
    persist->SaveCompleted(nullptr);
    storage_->Commit(STGC_DEFAULT);
  }
  return S_OK;
}

void DocumentHolder::OnShowWindow(bool show) {
  if (objectOpen_ == show) return;
  objectOpen_ = show;
  Invalidate();
}

void DocumentHolder::OnViewChange(DWORD aspect) {
  if (aspect != drawAspect_) return;
  RefreshViewSize();
  Invalidate();
}

}  // namespace render
