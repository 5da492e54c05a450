#include "toolkit/font.h"

#include <map>
#include <tuple>

#include "toolkit/handles.h"

namespace tk {

HFONT FontHandle(const TFont& f) {
  static std::map<std::tuple<std::wstring, int, bool>, GdiFont> cache;
  auto key = std::make_tuple(f.name, f.height, f.bold);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  LOGFONTW lf{};
  lf.lfHeight = f.height;
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  f.name.copy(lf.lfFaceName, LF_FACESIZE - 1);
  GdiFont font(::CreateFontIndirectW(&lf));
  if (!font) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  HFONT h = font.get();
  cache.emplace(key, std::move(font));
  return h;
}

}  // namespace tk
