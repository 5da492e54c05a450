// IUnknown and IOleObject of the built-in document objects.
#include "render/documents/document_object.h"

#include <cstring>

namespace documents {
namespace {
LONG g_live = 0;
}

DocumentObject::DocumentObject(std::wstring path, std::unique_ptr<DocumentContent> content)
    : path_(std::move(path)), content_(std::move(content)) {
  InterlockedIncrement(&g_live);
}

DocumentObject::~DocumentObject() { InterlockedDecrement(&g_live); }

long DocumentObject::LiveCount() { return g_live; }

STDMETHODIMP DocumentObject::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleObject)
    *ppv = static_cast<IOleObject*>(this);
  else if (riid == IID_IViewObject || riid == IID_IViewObject2)
    *ppv = static_cast<IViewObject2*>(this);
  else if (riid == IID_IDataObject)
    *ppv = static_cast<IDataObject*>(this);
  else if (riid == IID_IPersist || riid == IID_IPersistStorage)
    *ppv = static_cast<IPersistStorage*>(this);
  else if (riid == kDocumentPagesIid)
    *ppv = static_cast<IDocumentPages*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) DocumentObject::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) DocumentObject::Release() {
  const LONG n = InterlockedDecrement(&refs_);
  if (n == 0) delete this;
  return n;
}

STDMETHODIMP DocumentObject::SetClientSite(IOleClientSite* site) {
  site_ = site;
  return S_OK;
}

STDMETHODIMP DocumentObject::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_.Get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP DocumentObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP DocumentObject::Close(DWORD) {
  // Never modified, so every save option closes the same way. The sinks go with
  // the close: a closed link keeps no connection to its container alive.
  if (oleAdvise_) oleAdvise_->SendOnClose();
  viewSink_.Reset();
  site_.Reset();
  return S_OK;
}

STDMETHODIMP DocumentObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP DocumentObject::GetMoniker(DWORD, DWORD, IMoniker** mk) {
  if (mk) *mk = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP DocumentObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP DocumentObject::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

// A passive viewer: there is nothing to open, show or edit.
STDMETHODIMP DocumentObject::DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
  return OLEOBJ_S_INVALIDVERB;
}

STDMETHODIMP DocumentObject::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs) *verbs = nullptr;
  return OLEOBJ_E_NOVERBS;
}

STDMETHODIMP DocumentObject::Update() { return S_OK; }
STDMETHODIMP DocumentObject::IsUpToDate() { return S_OK; }

STDMETHODIMP DocumentObject::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = kDocumentClsid;
  return S_OK;
}

STDMETHODIMP DocumentObject::GetUserType(DWORD, LPOLESTR* type) {
  if (!type) return E_POINTER;
  static const wchar_t kName[] = L"Verdalux document";
  *type = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof kName));
  if (!*type) return E_OUTOFMEMORY;
  std::memcpy(*type, kName, sizeof kName);
  return S_OK;
}

// The content decides its size; a container cannot impose another one.
STDMETHODIMP DocumentObject::SetExtent(DWORD, SIZEL*) { return E_FAIL; }

STDMETHODIMP DocumentObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = content_->Extent();
  return S_OK;
}

STDMETHODIMP DocumentObject::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!oleAdvise_) {
    const HRESULT hr = CreateOleAdviseHolder(&oleAdvise_);
    if (FAILED(hr)) return hr;
  }
  return oleAdvise_->Advise(sink, connection);
}

STDMETHODIMP DocumentObject::Unadvise(DWORD connection) {
  return oleAdvise_ ? oleAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP DocumentObject::EnumAdvise(IEnumSTATDATA** e) {
  if (!e) return E_POINTER;
  *e = nullptr;
  return oleAdvise_ ? oleAdvise_->EnumAdvise(e) : S_OK;
}

STDMETHODIMP DocumentObject::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
  return S_OK;
}

STDMETHODIMP DocumentObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

}  // namespace documents
