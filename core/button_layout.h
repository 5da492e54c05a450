// Where a button puts its glyph and its caption, and which of the glyph's
// images a button state shows. Pure arithmetic; every division truncates
// toward zero.
#pragma once
#include <cstdint>

namespace core {

enum class GlyphLayout { glyphLeft, glyphRight, glyphTop, glyphBottom };

struct LayoutRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int32_t width = 0, height = 0;
};

struct ButtonContentInput {
  LayoutRect area;        // the rectangle glyph and caption share
  LayoutSize glyph;       // one image of the glyph; 0 x 0 without one
  LayoutSize text;        // the caption's extent; 0 x 0 for an empty caption
  GlyphLayout layout = GlyphLayout::glyphLeft;
  int32_t margin = -1;    // edge to glyph; -1 centres glyph and caption together
  int32_t spacing = 4;    // glyph to caption; -1 spreads them
  bool rightToLeft = false;  // swaps left and right
};

struct ButtonContentPlacement {
  int32_t glyphX = 0, glyphY = 0;  // top-left of the glyph
  LayoutRect text;                  // the caption's rectangle, as large as its extent
};

ButtonContentPlacement PlaceButtonContent(const ButtonContentInput& in);

// The states a button draws its glyph for, numbered as the glyph's images.
enum class GlyphState { up = 0, disabled = 1, down = 2, exclusive = 3 };

// The image of a glyph with numGlyphs images (1..4) that a state shows: down
// shows the up image below 3 images, and any state without an image of its
// own shows image 0. (A disabled state with one image is drawn from image 0
// in the disabled look.)
int GlyphImageFor(GlyphState state, int numGlyphs);

// NumGlyphs after a glyph of this size is assigned: width / height when the
// width is an exact non-zero multiple of the height, up to 4 (more is taken as
// one picture); otherwise the current count stays.
int GlyphCountForBitmap(int32_t width, int32_t height, int current);

}  // namespace core
