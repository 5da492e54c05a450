#include "toolkit/customcontrol.h"

#include <windowsx.h>

#include "toolkit/handles.h"

namespace tk {

TCustomControl::TCustomControl(TWinControl* parent, DWORD style, DWORD exStyle) : TWinControl(parent) {
  CreateParams cp;
  cp.style |= style;
  cp.exStyle |= exStyle;
  CreateHandle(cp);
}

LRESULT TCustomControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_PAINT: {
      PaintDC pdc(Handle());
      Paint(pdc.get());
      return 0;
    }
    case WM_SETCURSOR:
      if (cursor_ && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TMouseButton b = msg == WM_LBUTTONDOWN   ? TMouseButton::mbLeft
                             : msg == WM_RBUTTONDOWN ? TMouseButton::mbRight
                                                     : TMouseButton::mbMiddle;
      if (OnMouseDown) OnMouseDown(b, x, y);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TMouseButton b = msg == WM_LBUTTONUP   ? TMouseButton::mbLeft
                             : msg == WM_RBUTTONUP ? TMouseButton::mbRight
                                                   : TMouseButton::mbMiddle;
      if (OnMouseUp) OnMouseUp(b, x, y);
      if (b == TMouseButton::mbLeft && OnClick) OnClick();
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick();
      return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(x, y);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != Handle() && OnCaptureLost) OnCaptureLost();
      return 0;
  }
  return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace tk
