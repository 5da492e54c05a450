// The glyph of a bitmap button: the source bitmap, its transparent colour, the
// number of images in it, and one image per button state, built on first use
// into the shared glyph list of its size and kept until the glyph changes.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "controls/glyph_list.h"
#include "core/button_layout.h"

namespace controls {

// A bitmap's pixels as the glyph keeps them: top-down 0x00RRGGBB.
struct GlyphBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  std::optional<COLORREF> fixedTransparent;  // a colour the bitmap itself names as see-through

  bool Empty() const { return width <= 0 || height <= 0; }
  // The fixed colour, else the bottom-left pixel's (0x00BBGGRR).
  COLORREF TransparentColor() const;
  // Reads any bitmap handle (DIB section or device-dependent) through GetDIBits.
  static GlyphBitmap FromHandle(HBITMAP bitmap);
};

class TButtonGlyph {
 public:
  TButtonGlyph();
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  const GlyphBitmap& Glyph() const { return glyph_; }
  // Copies the bitmap and takes its transparent colour; the state images go.
  void SetGlyph(const GlyphBitmap& glyph);
  int NumGlyphs() const { return numGlyphs_; }
  // 1..4; larger values are limited to 4, 0 and below are ignored.
  void SetNumGlyphs(int n);
  COLORREF TransparentColor() const { return transparent_; }

  // Width of one image and the height; 0 x 0 without a glyph.
  core::LayoutSize ImageSize() const;
  // Builds the state's image into the glyph list unless it is there.
  void Prepare(core::GlyphState state);
  // Draws the image for the state through its mask; builds it first if needed.
  void Draw(HDC dc, int x, int y, core::GlyphState state);
  // The state's image as built for the glyph list (for tests): top-down
  // 0x00RRGGBB pixels before masking, and the mask colour.
  std::vector<uint32_t> BuildImage(core::GlyphState state, COLORREF& maskColour) const;
  // The list slot of a state's image, -1 while not built.
  int ImageIndex(core::GlyphState state) const { return indexes_[static_cast<int>(state)]; }

  std::function<void()> OnChange;  // the glyph, its content or the image count changed

 private:
  void ReleaseImages();
  void Changed();

  GlyphBitmap glyph_;
  COLORREF transparent_ = RGB(128, 128, 0);  // olive until a glyph brings its own
  int numGlyphs_ = 1;
  std::array<int, 4> indexes_{-1, -1, -1, -1};
  TGlyphList* list_ = nullptr;
};

}  // namespace controls
