// The pages of a built-in document object: a PDF or XPS has several, every
// other document one. The command line asks for it to render a chosen page.
#pragma once
#include <objbase.h>

namespace documents {

// {6B1C4E1A-3D52-4F7E-9A0B-5E2C7D8F1A02}
inline constexpr IID kDocumentPagesIid = {
    0x6b1c4e1a, 0x3d52, 0x4f7e, {0x9a, 0x0b, 0x5e, 0x2c, 0x7d, 0x8f, 0x1a, 0x02}};

struct IDocumentPages : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetPageCount(LONG* count) = 0;
  // Shows page `index` (from 0) from now on: the extent and the drawing are
  // that page's. On failure the page shown stays, and `reason` (when given)
  // gets why, allocated with CoTaskMemAlloc, or null.
  virtual HRESULT STDMETHODCALLTYPE ShowPage(LONG index, LPOLESTR* reason) = 0;
};

}  // namespace documents
