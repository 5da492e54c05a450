#include "toolkit/scrollbox.h"

#include <algorithm>

namespace tk {

TScrollBox::TScrollBox(TWinControl* parent)
    : TCustomControl(parent, WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, WS_EX_CONTROLPARENT) {
  SetColor(::GetSysColor(COLOR_APPWORKSPACE));
  UpdateRanges();
}

int TScrollBox::VisibleWidth() const { return ClientWidth(); }
int TScrollBox::VisibleHeight() const { return ClientHeight(); }

void TScrollBox::ChildBoundsChanged(TWinControl*) {
  if (!updating_) UpdateRanges();
}

void TScrollBox::UpdateRanges() {
  if (!Handle() || updating_) return;
  updating_ = true;
  // Content coordinates are window coordinates plus the scroll position.
  int w = 0, h = 0;
  for (TWinControl* c : Controls()) {
    if (!c->Visible()) continue;
    w = std::max(w, c->Left() + posX_ + c->Width());
    h = std::max(h, c->Top() + posY_ + c->Height());
  }
  rangeX_ = w;
  rangeY_ = h;
  // Showing one bar narrows the room for the other, so settle both twice.
  for (int pass = 0; pass < 2; ++pass) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS};
    si.nMin = 0;
    si.nMax = std::max(0, rangeX_ - 1);
    si.nPage = static_cast<UINT>(VisibleWidth());
    si.nPos = posX_;
    ::SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
    si.nMax = std::max(0, rangeY_ - 1);
    si.nPage = static_cast<UINT>(VisibleHeight());
    si.nPos = posY_;
    ::SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
  }
  updating_ = false;
  // A grown view or a shrunk content may leave the position past its end.
  ScrollTo(posX_, posY_);
}

void TScrollBox::SetHorzPosition(int p) { ScrollTo(p, posY_); }
void TScrollBox::SetVertPosition(int p) { ScrollTo(posX_, p); }

void TScrollBox::ScrollTo(int x, int y) {
  x = std::clamp(x, 0, std::max(0, rangeX_ - VisibleWidth()));
  y = std::clamp(y, 0, std::max(0, rangeY_ - VisibleHeight()));
  const int dx = posX_ - x, dy = posY_ - y;
  if (dx == 0 && dy == 0) return;
  posX_ = x;
  posY_ = y;
  updating_ = true;
  ::ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  updating_ = false;
  // ScrollWindowEx moves the child windows without telling the toolkit.
  for (TWinControl* c : Controls()) {
    RECT r;
    ::GetWindowRect(c->Handle(), &r);
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    updating_ = true;
    c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    updating_ = false;
  }
  ::SetScrollPos(Handle(), SB_HORZ, posX_, TRUE);
  ::SetScrollPos(Handle(), SB_VERT, posY_, TRUE);
}

void TScrollBox::OnScroll(int bar, int code) {
  SCROLLINFO si{sizeof si, SIF_ALL};
  ::GetScrollInfo(Handle(), bar, &si);
  const int page = static_cast<int>(si.nPage);
  int pos = bar == SB_HORZ ? posX_ : posY_;
  switch (code) {
    case SB_LINEUP: pos -= 8; break;
    case SB_LINEDOWN: pos += 8; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ)
    SetHorzPosition(pos);
  else
    SetVertPosition(pos);
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_SIZE: {
      LRESULT r = TCustomControl::WndProc(msg, wp, lp);
      UpdateRanges();
      return r;
    }
  }
  return TCustomControl::WndProc(msg, wp, lp);
}

}  // namespace tk
