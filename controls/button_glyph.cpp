#include "controls/button_glyph.h"

#include <memory>

#include "toolkit/handles.h"

namespace controls {
namespace {

std::unique_ptr<TGlyphCache> g_cache;

uint32_t Rgb(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }
COLORREF ToColorRef(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
uint32_t Sys(int index) { return Rgb(::GetSysColor(index)); }

}  // namespace

TGlyphCache* GlyphCache() { return g_cache.get(); }

COLORREF GlyphBitmap::TransparentColor() const {
  if (fixedTransparent) return *fixedTransparent;
  if (Empty()) return RGB(128, 128, 0);
  return ToColorRef(pixels[size_t(height - 1) * width]);
}

GlyphBitmap GlyphBitmap::FromHandle(HBITMAP bitmap) {
  GlyphBitmap g;
  BITMAP bm{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return g;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(size_t(bm.bmWidth) * bm.bmHeight);
  tk::WindowDC screen(nullptr);
  if (!::GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS)) return g;
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  g.width = bm.bmWidth;
  g.height = bm.bmHeight;
  g.pixels = std::move(pixels);
  return g;
}

TButtonGlyph::TButtonGlyph() {
  if (!g_cache) g_cache = std::make_unique<TGlyphCache>();
}

TButtonGlyph::~TButtonGlyph() {
  ReleaseImages();
  if (g_cache && g_cache->Empty()) g_cache.reset();
}

void TButtonGlyph::SetGlyph(const GlyphBitmap& glyph) {
  ReleaseImages();
  glyph_ = glyph;
  transparent_ = glyph_.TransparentColor();
  Changed();
}

void TButtonGlyph::SetNumGlyphs(int n) {
  if (n <= 0) return;
  if (n > 4) n = 4;
  if (n == numGlyphs_) return;
  ReleaseImages();
  numGlyphs_ = n;
  Changed();
}

core::LayoutSize TButtonGlyph::ImageSize() const {
  if (glyph_.Empty()) return {};
  return {glyph_.width / numGlyphs_, glyph_.height};
}

void TButtonGlyph::Changed() {
  if (OnChange) OnChange();
}

void TButtonGlyph::ReleaseImages() {
  if (!list_) return;
  for (int& i : indexes_) {
    if (i >= 0) list_->Delete(i);
    i = -1;
  }
  if (g_cache) g_cache->Returned(list_);
  list_ = nullptr;
}

std::vector<uint32_t> TButtonGlyph::BuildImage(core::GlyphState state, COLORREF& maskColour) const {
  const core::LayoutSize size = ImageSize();
  const int w = size.width, h = size.height;
  const uint32_t face = Sys(COLOR_BTNFACE);
  std::vector<uint32_t> image(size_t(w) * h, face);
  if (w <= 0 || h <= 0) return image;
  const int source = core::GlyphImageFor(state, numGlyphs_);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image[size_t(y) * w + x] = glyph_.pixels[size_t(y) * glyph_.width + source * w + x];
  const auto bottomLeft = [&] { return ToColorRef(image[size_t(h - 1) * w]); };

  if (state != core::GlyphState::disabled) {
    maskColour = glyph_.fixedTransparent ? *glyph_.fixedTransparent : bottomLeft();
    return image;
  }
  if (numGlyphs_ >= 2) {
    // The disabled picture of the glyph in the system's colours.
    const uint32_t transparent = Rgb(transparent_);
    for (uint32_t& p : image) {
      if (p == 0xFFFFFF)
        p = Sys(COLOR_BTNHIGHLIGHT);
      else if (p == 0x808080)
        p = Sys(COLOR_BTNSHADOW);
      else if (p == transparent)
        p = face;
    }
  } else {
    // Embossed from the black of the only image: highlight one pixel right
    // and down, shadow over it in place, the button face elsewhere.
    std::vector<bool> black(image.size());
    for (size_t i = 0; i < image.size(); ++i) black[i] = image[i] == 0;
    std::fill(image.begin(), image.end(), face);
    for (int y = 0; y + 1 < h; ++y)
      for (int x = 0; x + 1 < w; ++x)
        if (black[size_t(y) * w + x]) image[size_t(y + 1) * w + x + 1] = Sys(COLOR_BTNHIGHLIGHT);
    for (size_t i = 0; i < image.size(); ++i)
      if (black[i]) image[i] = Sys(COLOR_BTNSHADOW);
  }
  maskColour = bottomLeft();
  return image;
}

void TButtonGlyph::Prepare(core::GlyphState state) {
  const core::LayoutSize size = ImageSize();
  if (size.width <= 0 || size.height <= 0 || !g_cache) return;
  int& index = indexes_[static_cast<int>(state)];
  if (index >= 0) return;
  if (!list_) list_ = g_cache->ListFor(size.width, size.height);
  COLORREF mask = 0;
  const std::vector<uint32_t> image = BuildImage(state, mask);  // sets mask: not in the same call
  index = list_->AddMasked(image, mask);
}

void TButtonGlyph::Draw(HDC dc, int x, int y, core::GlyphState state) {
  Prepare(state);
  const int index = indexes_[static_cast<int>(state)];
  if (index < 0 || !list_) return;
  ::ImageList_DrawEx(list_->Handle(), index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

}  // namespace controls
