#include "toolkit/splitter.h"

#include <windowsx.h>

#include <algorithm>

namespace tk {

TSplitter::TSplitter(TWinControl* parent, TAlign align, int thickness, int minSize)
    : TCustomControl(parent), minSize_(minSize) {
  SetWidth(thickness);
  SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
  SetAlign(align);
}

TWinControl* TSplitter::Neighbour() const {
  TWinControl* found = nullptr;
  for (TWinControl* c : Parent()->Controls()) {
    if (c == this) break;
    if (c->Align() == Align()) found = c;
  }
  return found;
}

LRESULT TSplitter::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      TWinControl* n = Neighbour();
      if (!n) break;
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ::ClientToScreen(Handle(), &p);
      dragging_ = true;
      startX_ = p.x;
      startWidth_ = n->Width();
      ::SetCapture(Handle());
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        TWinControl* n = Neighbour();
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ::ClientToScreen(Handle(), &p);
        const int delta = Align() == TAlign::alRight ? startX_ - p.x : p.x - startX_;
        const int limit = std::max(minSize_, Parent()->ClientWidth() - minSize_);
        if (n) n->SetWidth(std::clamp(startWidth_ + delta, minSize_, limit));
        Parent()->Realign();
        return 0;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (msg == WM_LBUTTONUP) ::ReleaseCapture();
        return 0;
      }
      break;
  }
  return TCustomControl::WndProc(msg, wp, lp);
}

}  // namespace tk
