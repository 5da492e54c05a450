#include "controls/color_text.h"

namespace controls {

COLORREF ColorToRGB(TColor c) {
  if (core::IsSystemColor(c)) return ::GetSysColor(c & 0xFF);
  return static_cast<COLORREF>(c);
}

std::wstring ColorToHTML(TColor c) { return core::RgbToHtml(ColorToRGB(c)); }

}  // namespace controls
