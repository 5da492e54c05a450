// Small helpers that the window's layout code shares.
#pragma once
#include "toolkit/panel.h"

namespace app {

// The header bands' colour.
inline constexpr COLORREF kHeaderColor = RGB(240, 202, 166);

// A panel without bevels.
inline tk::TPanel& Plain(tk::TPanel& p) {
  p.SetBevelOuter(tk::TBevel::bvNone);
  return p;
}

// The bands' look: raised inner and lowered outer bevel in the header colour.
inline tk::TPanel& HeaderLook(tk::TPanel& p) {
  p.SetBevelInner(tk::TBevel::bvRaised);
  p.SetBevelOuter(tk::TBevel::bvLowered);
  p.SetColor(kHeaderColor);
  return p;
}

// Sets the size across the edge the control is aligned to (height for top and
// bottom, width for left and right), then aligns it.
inline void Dock(tk::TWinControl& c, tk::TAlign align, int size = 0) {
  if (align == tk::TAlign::alTop || align == tk::TAlign::alBottom) c.SetHeight(size);
  if (align == tk::TAlign::alLeft || align == tk::TAlign::alRight) c.SetWidth(size);
  c.SetAlign(align);
}

}  // namespace app
