// IDocumentPages of the built-in document objects.
#include <cstring>

#include "render/documents/document_object.h"

namespace documents {

STDMETHODIMP DocumentObject::GetPageCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = content_->PageCount();
  return S_OK;
}

STDMETHODIMP DocumentObject::ShowPage(LONG index, LPOLESTR* reason) {
  if (reason) *reason = nullptr;
  std::wstring why;
  const HRESULT hr = content_->ShowPage(index, why);
  if (FAILED(hr)) {
    if (reason && !why.empty()) {
      const size_t bytes = (why.size() + 1) * sizeof(wchar_t);
      if ((*reason = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes)))) std::memcpy(*reason, why.c_str(), bytes);
    }
    return hr;
  }
  // The extent may have changed with the page: a holder re-reads it.
  if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
  return S_OK;
}

}  // namespace documents
