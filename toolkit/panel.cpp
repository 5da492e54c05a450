#include "toolkit/panel.h"

#include "toolkit/handles.h"

namespace tk {

void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  auto line = [dc](int x, int y, int w, int h, COLORREF c) {
    RECT l{x, y, x + w, y + h};
    GdiBrush b(::CreateSolidBrush(c));
    ::FillRect(dc, &l, b.get());
  };
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  line(r.left, r.top, w, 1, topLeft);
  line(r.left, r.top, 1, h, topLeft);
  line(r.left, r.bottom - 1, w, 1, bottomRight);
  line(r.right - 1, r.top, 1, h, bottomRight);
  ::InflateRect(&r, -1, -1);
}

TPanel::TPanel(TWinControl* parent, bool singleBorder)
    : TCustomControl(parent, WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                     WS_EX_CONTROLPARENT | (singleBorder ? WS_EX_CLIENTEDGE : 0)) {}

void TPanel::SetBevelInner(TBevel b) {
  inner_ = b;
  Invalidate();
  Realign();
}

void TPanel::SetBevelOuter(TBevel b) {
  outer_ = b;
  Invalidate();
  Realign();
}

void TPanel::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  const COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), sh = ::GetSysColor(COLOR_BTNSHADOW);
  auto bevel = [&](TBevel b) {
    if (b == TBevel::bvRaised) Frame3D(dc, r, hi, sh);
    if (b == TBevel::bvLowered) Frame3D(dc, r, sh, hi);
  };
  bevel(outer_);
  bevel(inner_);
}

RECT TPanel::AlignRect() const {
  RECT r = TWinControl::AlignRect();
  const int inset = (outer_ != TBevel::bvNone) + (inner_ != TBevel::bvNone);
  ::InflateRect(&r, -inset, -inset);
  return r;
}

}  // namespace tk
