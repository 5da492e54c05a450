#include "toolkit/speedbutton.h"

#include "toolkit/handles.h"

namespace tk {

TSpeedButton::TSpeedButton(TWinControl* parent, int left, int top, int width, int height,
                           const std::wstring& caption)
    : TCustomControl(parent), caption_(caption) {
  SetCaptureMouse(true);
  SetBounds(left, top, width, height);
}

void TSpeedButton::SetGlyph(const TPicture& glyph, int numGlyphs) {
  glyph_ = glyph;
  numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs > 4 ? 4 : numGlyphs;
  Invalidate();
}

void TSpeedButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetLayout(core::GlyphLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  if (margin < -1) return;
  margin_ = margin;
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TSpeedButton::SetState(bool hot, bool down) {
  if (hot == hot_ && down == down_) return;
  hot_ = hot;
  down_ = down;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    pressed_ = true;
    SetState(true, true);
  }
  TCustomControl::MouseDown(button, x, y);
}

void TSpeedButton::MouseMove(int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (inside && !hot_) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
    ::TrackMouseEvent(&tme);
  }
  SetState(inside, pressed_ && inside);
  TCustomControl::MouseMove(x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    pressed_ = false;
    SetState(x >= 0 && y >= 0 && x < Width() && y < Height(), false);
  }
  TCustomControl::MouseUp(button, x, y);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSELEAVE) {
    if (!pressed_) SetState(false, false);
    return 0;
  }
  if (msg == WM_ENABLE) Invalidate();
  return TCustomControl::WndProc(msg, wp, lp);
}

void TSpeedButton::DrawGlyph(HDC dc, int x, int y, int image) const {
  const int w = glyph_.Width() / numGlyphs_, h = glyph_.Height();
  if (w <= 0 || h <= 0) return;
  const uint32_t key = glyph_.PixelAt(0, h - 1) & 0xFFFFFF;
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      const uint32_t p = glyph_.PixelAt(image * w + col, row) & 0xFFFFFF;
      if (p != key) ::SetPixelV(dc, x + col, y + row, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
}

void TSpeedButton::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  FillWithParentColor(dc);
  if (down_)
    ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ || !flat_)
    ::DrawEdge(dc, &r, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  ::InflateRect(&r, -1, -1);
  const int offset = down_ ? 1 : 0;

  SelectedObject font(dc, FontHandle(Font()));
  RECT textSize{0, 0, r.right - r.left, 0};
  if (!caption_.empty()) ::DrawTextW(dc, caption_.c_str(), -1, &textSize, DT_CALCRECT);
  core::ButtonContentInput in;
  in.area = {r.left + offset, r.top + offset, r.right + offset, r.bottom + offset};
  in.glyph = glyph_.Empty() ? core::LayoutSize{} : core::LayoutSize{glyph_.Width() / numGlyphs_, glyph_.Height()};
  in.text = caption_.empty() ? core::LayoutSize{} : core::LayoutSize{textSize.right, textSize.bottom};
  in.layout = layout_;
  in.margin = margin_;
  in.spacing = spacing_;
  const core::ButtonContentPlacement p = core::PlaceButtonContent(in);

  const bool enabled = Enabled();
  if (!glyph_.Empty()) DrawGlyph(dc, p.glyphX, p.glyphY, !enabled && numGlyphs_ > 1 ? 1 : 0);
  if (caption_.empty()) return;
  ::SetBkMode(dc, TRANSPARENT);
  RECT t{p.text.left, p.text.top, p.text.right, p.text.bottom};
  if (!enabled) {
    RECT shadow = t;
    ::OffsetRect(&shadow, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::DrawTextW(dc, caption_.c_str(), -1, &shadow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
  ::DrawTextW(dc, caption_.c_str(), -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace tk
