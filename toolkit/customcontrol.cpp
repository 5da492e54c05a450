#include "toolkit/customcontrol.h"

#include <windowsx.h>

#include "toolkit/handles.h"

namespace tk {
namespace {

TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return TMouseButton::mbLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return TMouseButton::mbRight;
    default:
      return TMouseButton::mbMiddle;
  }
}

}  // namespace

TCustomControl::TCustomControl(TWinControl* parent, DWORD style, DWORD exStyle) : TWinControl(parent) {
  CreateParams cp;
  cp.style |= style;
  cp.exStyle |= exStyle;
  CreateHandle(cp);
}

void TCustomControl::MouseDown(TMouseButton button, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, x, y);
}

void TCustomControl::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}

void TCustomControl::MouseUp(TMouseButton button, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, x, y);
}

void TCustomControl::Click() {
  if (OnClick) OnClick();
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
    case WM_MBUTTONDOWN:
      if (captureMouse_) ::SetCapture(Handle());
      if (msg == WM_LBUTTONDOWN) clicked_ = true;
      MouseDown(ButtonOf(msg), x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double click: a press, but no second click.
      if (captureMouse_) ::SetCapture(Handle());
      if (OnDblClick) OnDblClick();
      MouseDown(TMouseButton::mbLeft, x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (msg == WM_LBUTTONUP && clicked_) {
        clicked_ = false;
        RECT r;
        ::GetClientRect(Handle(), &r);
        if (x >= 0 && y >= 0 && x < r.right && y < r.bottom) Click();
      }
      MouseUp(ButtonOf(msg), x, y);
      if (captureMouse_ && ::GetCapture() == Handle() && !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
        ::ReleaseCapture();
      return 0;
    }
    case WM_MOUSEMOVE:
      MouseMove(x, y);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != Handle()) {
        clicked_ = false;
        if (OnCaptureLost) OnCaptureLost();
      }
      return 0;
  }
  return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace tk
