// IViewObject2, IDataObject and IPersistStorage of the built-in document objects.
#include "render/documents/document_object.h"

namespace documents {
namespace {
const wchar_t kLinkStream[] = L"VerdaluxLink";
}

STDMETHODIMP DocumentObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw,
                                  LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                  ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!draw || !bounds) return E_INVALIDARG;
  const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
  if (r.right <= r.left || r.bottom <= r.top) return S_OK;
  try {
    content_->Draw(draw, r);
  } catch (...) {
    return E_OUTOFMEMORY;  // nothing may escape through a COM call
  }
  return S_OK;
}

STDMETHODIMP DocumentObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                         LOGPALETTE** colors) {
  if (!colors) return E_POINTER;
  *colors = nullptr;
  return S_FALSE;  // no palette of its own
}

STDMETHODIMP DocumentObject::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}

STDMETHODIMP DocumentObject::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP DocumentObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  viewAspects_ = aspects;
  viewFlags_ = flags;
  viewSink_ = sink;
  return S_OK;
}

STDMETHODIMP DocumentObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewFlags_;
  if (sink) {
    *sink = viewSink_.Get();
    if (*sink) (*sink)->AddRef();
  }
  return S_OK;
}

STDMETHODIMP DocumentObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

STDMETHODIMP DocumentObject::GetData(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }
STDMETHODIMP DocumentObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }
STDMETHODIMP DocumentObject::QueryGetData(FORMATETC*) { return DV_E_FORMATETC; }

STDMETHODIMP DocumentObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP DocumentObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP DocumentObject::EnumFormatEtc(DWORD, IEnumFORMATETC** e) {
  if (e) *e = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP DocumentObject::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                     DWORD* connection) {
  if (!dataAdvise_) {
    const HRESULT hr = CreateDataAdviseHolder(&dataAdvise_);
    if (FAILED(hr)) return hr;
  }
  return dataAdvise_->Advise(this, format, flags, sink, connection);
}

STDMETHODIMP DocumentObject::DUnadvise(DWORD connection) {
  return dataAdvise_ ? dataAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP DocumentObject::EnumDAdvise(IEnumSTATDATA** e) {
  if (!e) return E_POINTER;
  *e = nullptr;
  return dataAdvise_ ? dataAdvise_->EnumAdvise(e) : S_OK;
}

STDMETHODIMP DocumentObject::GetClassID(CLSID* clsid) { return GetUserClassID(clsid); }
STDMETHODIMP DocumentObject::IsDirty() { return S_FALSE; }

STDMETHODIMP DocumentObject::InitNew(IStorage* storage) {
  if (!storage) return E_POINTER;
  if (storage_) return CO_E_ALREADYINITIALIZED;
  const HRESULT hr = Save(storage, TRUE);
  if (SUCCEEDED(hr)) storage_ = storage;
  return hr;
}

// Objects are made from files by the document factory, never from storage alone.
STDMETHODIMP DocumentObject::Load(IStorage*) { return E_NOTIMPL; }

STDMETHODIMP DocumentObject::Save(IStorage* storage, BOOL) {
  if (!storage) return E_POINTER;
  Microsoft::WRL::ComPtr<IStream> stream;
  HRESULT hr = storage->CreateStream(kLinkStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                     0, 0, &stream);
  if (FAILED(hr)) return hr;
  const ULONG bytes = static_cast<ULONG>(path_.size() * sizeof(wchar_t));
  hr = stream->Write(&bytes, sizeof bytes, nullptr);
  if (SUCCEEDED(hr)) hr = stream->Write(path_.data(), bytes, nullptr);
  return FAILED(hr) ? hr : S_OK;
}

STDMETHODIMP DocumentObject::SaveCompleted(IStorage* storage) {
  if (storage) storage_ = storage;
  return S_OK;
}

STDMETHODIMP DocumentObject::HandsOffStorage() {
  storage_.Reset();
  return S_OK;
}

}  // namespace documents
