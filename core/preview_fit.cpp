#include "core/preview_fit.h"

namespace core {

std::optional<PreviewRect> FitPreview(int32_t w, int32_t h, int32_t cx, int32_t cy) {
  if (w < 0 || h < 0 || cx < 0 || cy < 0 || (cx == 0 && cy == 0)) return std::nullopt;
  int64_t sx, sy;
  if (int64_t(w) * cy > int64_t(h) * cx) {  // then cy > 0
    sx = int64_t(cx) * h / cy;
    sy = h;
  } else {  // then cx > 0: with cx == 0 the test above holds unless w == 0
    if (cx == 0) return std::nullopt;
    sy = int64_t(cy) * w / cx;
    sx = w;
  }
  PreviewRect r;
  r.width = static_cast<int32_t>(sx);
  r.height = static_cast<int32_t>(sy);
  r.x = static_cast<int32_t>((w - sx) / 2);
  r.y = static_cast<int32_t>((h - sy) / 2);
  return r;
}

}  // namespace core
