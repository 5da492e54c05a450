#include "render/holder/ole_session.h"

#include <ole2.h>

#include "render/holder/ole_error.h"

namespace render {
namespace {

SIZE g_ppi{0, 0};

SIZE ReadScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const SIZE ppi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return ppi;
}

}  // namespace

OleSession::OleSession() {
  const HRESULT hr = OleInitialize(nullptr);
  if (FAILED(hr)) throw OleError(hr, "OleInitialize");
  formats_.objectDescriptor = RegisterClipboardFormatW(L"Object Descriptor");
  formats_.embeddedObject = RegisterClipboardFormatW(L"Embedded Object");
  formats_.linkSource = RegisterClipboardFormatW(L"Link Source");
  g_ppi = ReadScreenPixelsPerInch();
}

OleSession::~OleSession() { OleUninitialize(); }

SIZE OleSession::ScreenPixelsPerInch() {
  if (g_ppi.cx <= 0 || g_ppi.cy <= 0) g_ppi = ReadScreenPixelsPerInch();
  return g_ppi;
}

SIZEL PixelsToHimetric(SIZE pixels, SIZE ppi) {
  // MulDiv gives -1 for a zero divisor; a DC without resolution proposes nothing.
  if (ppi.cx <= 0 || ppi.cy <= 0) return SIZEL{0, 0};
  return SIZEL{MulDiv(pixels.cx, 2540, ppi.cx), MulDiv(pixels.cy, 2540, ppi.cy)};
}

}  // namespace render
