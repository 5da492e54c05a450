#include "toolkit/form.h"

#include <windowsx.h>

namespace tk {

TForm::TForm(const std::wstring& className, const std::wstring& caption, int clientWidth, int clientHeight,
             const TFont& font)
    : TWinControl(nullptr), className_(className) {
  SetFont(font);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  // Centred on the desktop's work area unless a stored placement moves it later.
  RECT work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CreateParams cp;
  cp.ownClass = className_;
  cp.text = caption;
  cp.style = style;
  cp.exStyle = exStyle;
  cp.x = work.left + (work.right - work.left - w) / 2;
  cp.y = work.top + (work.bottom - work.top - h) / 2;
  cp.width = w;
  cp.height = h;
  CreateHandle(cp);
}

TForm::~TForm() { DestroyHandle(); }

void TForm::DestroyHandle() {
  if (Handle()) ::DestroyWindow(Handle());
}

void TForm::Show() {
  if (!Handle()) return;
  ::ShowWindow(Handle(), SW_SHOW);
  ::UpdateWindow(Handle());
}

void TForm::Close() {
  if (Handle()) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE: {
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(canClose);
      if (canClose) ::DestroyWindow(Handle());
      return 0;
    }
    case WM_DESTROY:
      if (OnDestroy) OnDestroy();
      break;
    case WM_MOUSEWHEEL:
      if (OnMouseWheel) {
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp), pt.x, pt.y);
      }
      return 0;
  }
  return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace tk
