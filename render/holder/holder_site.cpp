#include "render/holder/holder_site.h"

#include "render/holder/document_holder.h"

namespace render {

STDMETHODIMP HolderSite::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite)
    *ppv = static_cast<IOleClientSite*>(this);
  else if (riid == IID_IAdviseSink)
    *ppv = static_cast<IAdviseSink*>(this);
  else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
    *ppv = static_cast<IOleInPlaceSite*>(this);
  else if (riid == IID_IOleDocumentSite)
    *ppv = static_cast<IOleDocumentSite*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) HolderSite::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) HolderSite::Release() {
  const LONG n = InterlockedDecrement(&refs_);
  if (n == 0) delete this;
  return n;
}

STDMETHODIMP HolderSite::SaveObject() { return holder_ ? holder_->SaveObject() : E_UNEXPECTED; }

STDMETHODIMP HolderSite::GetMoniker(DWORD, DWORD, IMoniker** mk) {
  if (mk) *mk = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP HolderSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP HolderSite::ShowObject() { return S_OK; }

STDMETHODIMP HolderSite::OnShowWindow(BOOL show) {
  if (holder_) holder_->OnShowWindow(show != FALSE);
  return S_OK;
}

STDMETHODIMP HolderSite::RequestNewObjectLayout() { return E_NOTIMPL; }

STDMETHODIMP_(void) HolderSite::OnDataChange(FORMATETC*, STGMEDIUM*) {
  if (holder_) holder_->OnDataChange();
}

STDMETHODIMP_(void) HolderSite::OnViewChange(DWORD aspect, LONG) {
  if (holder_) holder_->OnViewChange(aspect);
}

STDMETHODIMP HolderSite::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = holder_ ? holder_->Window() : nullptr;
  return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP HolderSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                          LPRECT, LPRECT, LPOLEINPLACEFRAMEINFO) {
  if (frame) *frame = nullptr;
  if (doc) *doc = nullptr;
  return E_NOTIMPL;  // never in place
}

}  // namespace render
