#include "core/button_layout.h"

namespace core {

ButtonContentPlacement PlaceButtonContent(const ButtonContentInput& in) {
  GlyphLayout layout = in.layout;
  if (in.rightToLeft) {
    if (layout == GlyphLayout::glyphLeft)
      layout = GlyphLayout::glyphRight;
    else if (layout == GlyphLayout::glyphRight)
      layout = GlyphLayout::glyphLeft;
  }
  const bool horizontal = layout == GlyphLayout::glyphLeft || layout == GlyphLayout::glyphRight;
  const int32_t areaW = in.area.Width(), areaH = in.area.Height();
  const LayoutSize g = in.glyph, t = in.text;

  // Across the layout axis both are centred on their own.
  int32_t glyphX = 0, glyphY = 0, textX = 0, textY = 0;
  if (horizontal) {
    glyphY = (areaH - g.height + 1) / 2;
    textY = (areaH - t.height + 1) / 2;
  } else {
    glyphX = (areaW - g.width + 1) / 2;
    textX = (areaW - t.width + 1) / 2;
  }

  int32_t margin = in.margin, spacing = in.spacing;
  if (t.width == 0 || g.width == 0) spacing = 0;
  const int32_t extent = horizontal ? areaW : areaH;
  const int32_t glyphExtent = horizontal ? g.width : g.height;
  const int32_t textExtent = horizontal ? t.width : t.height;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (extent - glyphExtent - textExtent) / 3;
      spacing = margin;
    } else {
      margin = (extent - (glyphExtent + spacing + textExtent) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (extent - margin - glyphExtent - textExtent) / 2;
  }

  switch (layout) {
    case GlyphLayout::glyphLeft:
      glyphX = margin;
      textX = glyphX + g.width + spacing;
      break;
    case GlyphLayout::glyphRight:
      glyphX = areaW - margin - g.width;
      textX = glyphX - spacing - t.width;
      break;
    case GlyphLayout::glyphTop:
      glyphY = margin;
      textY = glyphY + g.height + spacing;
      break;
    case GlyphLayout::glyphBottom:
      glyphY = areaH - margin - g.height;
      textY = glyphY - spacing - t.height;
      break;
  }

  ButtonContentPlacement p;
  p.glyphX = glyphX + in.area.left;
  p.glyphY = glyphY + in.area.top;
  p.text.left = textX + in.area.left;
  p.text.top = textY + in.area.top;
  p.text.right = p.text.left + t.width;
  p.text.bottom = p.text.top + t.height;
  return p;
}

int GlyphImageFor(GlyphState state, int numGlyphs) {
  int image = static_cast<int>(state);
  if (state == GlyphState::down && numGlyphs < 3) image = static_cast<int>(GlyphState::up);
  return image < numGlyphs ? image : 0;
}

int GlyphCountForBitmap(int32_t width, int32_t height, int current) {
  if (width <= 0 || height <= 0 || width % height != 0) return current;
  const int32_t n = width / height;
  return n <= 4 ? n : 1;
}

}  // namespace core
