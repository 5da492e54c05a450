// Geometry of the progress bar in the status bar's second panel.
#pragma once
#include <windows.h>

#include <cstdint>

namespace app {

// The bar for `percent` inside `panel`: from the panel's left edge to
// left + width * percent / 100 (truncated toward zero). The product is formed
// in 64 bits and the bar never leaves the panel, so a stray WM_USER value
// cannot paint over the rest of the status bar.
inline RECT ProgressBarRect(const RECT& panel, int32_t percent) {
  const int64_t width = static_cast<int64_t>(panel.right) - panel.left;
  int64_t right = panel.left + width * percent / 100;
  if (right > panel.right) right = panel.right;
  if (right < panel.left) right = panel.left;
  return RECT{panel.left, panel.top, static_cast<LONG>(right), panel.bottom};
}

}  // namespace app
