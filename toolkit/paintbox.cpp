#include "toolkit/paintbox.h"

#include "toolkit/handles.h"

namespace tk {

TPaintBox::TPaintBox(TWinControl* parent) : TCustomControl(parent) {}

void TPaintBox::Paint(HDC dc) {
  if (OnPaint) OnPaint(dc);
}

bool TPaintBox::EraseBackground(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  GdiBrush b(::CreateSolidBrush(Parent() ? Parent()->Color() : Color()));
  ::FillRect(dc, &r, b.get());
  return true;
}

LRESULT TPaintBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ::SetCapture(Handle());
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      LRESULT r = TCustomControl::WndProc(msg, wp, lp);
      if (::GetCapture() == Handle() && !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ::ReleaseCapture();
      return r;
    }
  }
  return TCustomControl::WndProc(msg, wp, lp);
}

}  // namespace tk
