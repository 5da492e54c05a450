// Placement of a button's glyph and caption, and the glyph image per state.
#include "core/button_layout.h"

#include <gtest/gtest.h>

using core::GlyphLayout;
using core::GlyphState;

namespace {

struct PlacementCase {
  const char* name;
  core::ButtonContentInput in;
  int32_t glyphX, glyphY, textLeft, textTop;
};

core::ButtonContentInput Input(core::LayoutRect area, core::LayoutSize glyph, core::LayoutSize text,
                               GlyphLayout layout, int32_t margin, int32_t spacing, bool rtl = false) {
  core::ButtonContentInput in;
  in.area = area;
  in.glyph = glyph;
  in.text = text;
  in.layout = layout;
  in.margin = margin;
  in.spacing = spacing;
  in.rightToLeft = rtl;
  return in;
}

}  // namespace

TEST(ButtonLayout, PlacesGlyphAndCaptionForEveryLayoutAndSetting) {
  const core::LayoutRect r141{0, 0, 141, 21};
  const PlacementCase cases[] = {
      // Centred together: margin (141 - (16 + 4 + 60) + 1) / 2 = 31; caption at 31 + 16 + 4.
      {"centred left", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, -1, 4), 31, 3, 51, 4},
      // The same moved by the area's corner.
      {"offset area", Input({2, 3, 143, 24}, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, -1, 4), 33, 6, 53, 7},
      // Glyph right: glyph at 141 - 31 - 16 = 94, caption at 94 - 4 - 60 = 30.
      {"centred right", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphRight, -1, 4), 94, 3, 30, 4},
      // Right-to-left reading turns left into right and right into left.
      {"rtl left", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, -1, 4, true), 94, 3, 30, 4},
      {"rtl right", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphRight, -1, 4, true), 31, 3, 51, 4},
      // Spread: margin = spacing = (141 - 16 - 60) / 3 = 21.
      {"spread", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, -1, -1), 21, 3, 58, 4},
      // Margin given, spacing spread: (141 - 5 - 16 - 60) / 2 = 30.
      {"margin given", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, 5, -1), 5, 3, 51, 4},
      {"margin and spacing", Input(r141, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, 2, 7), 2, 3, 25, 4},
      // Vertical layouts centre across: x = (141 - 16 + 1) / 2 = 63, caption (141 - 60 + 1) / 2 = 41.
      // Glyph top in a 60-high area: margin (60 - (16 + 4 + 13) + 1) / 2 = 14.
      {"top", Input({0, 0, 141, 60}, {16, 16}, {60, 13}, GlyphLayout::glyphTop, -1, 4), 63, 14, 41, 34},
      {"bottom", Input({0, 0, 141, 60}, {16, 16}, {60, 13}, GlyphLayout::glyphBottom, -1, 4), 63, 30, 41, 13},
      // No glyph: spacing counts 0, the caption alone is centred: (141 - 60 + 1) / 2 = 41.
      {"no glyph", Input(r141, {0, 0}, {60, 13}, GlyphLayout::glyphLeft, -1, 4), 41, 11, 41, 4},
      // No caption: the glyph alone is centred: (141 - 16 + 1) / 2 = 63.
      {"no caption", Input(r141, {16, 16}, {0, 0}, GlyphLayout::glyphLeft, -1, 4), 63, 3, 79, 11},
      // Too little room: the arithmetic goes negative and truncates toward zero.
      {"narrow", Input({0, 0, 20, 10}, {16, 16}, {60, 13}, GlyphLayout::glyphLeft, -1, 4), -29, -2, -9, -1},
  };
  for (const PlacementCase& c : cases) {
    const core::ButtonContentPlacement p = core::PlaceButtonContent(c.in);
    EXPECT_EQ(p.glyphX, c.glyphX) << c.name;
    EXPECT_EQ(p.glyphY, c.glyphY) << c.name;
    EXPECT_EQ(p.text.left, c.textLeft) << c.name;
    EXPECT_EQ(p.text.top, c.textTop) << c.name;
    EXPECT_EQ(p.text.Width(), c.in.text.width) << c.name;
    EXPECT_EQ(p.text.Height(), c.in.text.height) << c.name;
  }
}

TEST(ButtonLayout, GlyphImagePerStateAndCount) {
  // Rows: number of images 1..4; columns: up, disabled, down, exclusive.
  const int expected[4][4] = {
      {0, 0, 0, 0},
      {0, 1, 0, 0},
      {0, 1, 2, 0},
      {0, 1, 2, 3},
  };
  const GlyphState states[] = {GlyphState::up, GlyphState::disabled, GlyphState::down, GlyphState::exclusive};
  for (int n = 1; n <= 4; ++n)
    for (int s = 0; s < 4; ++s) EXPECT_EQ(core::GlyphImageFor(states[s], n), expected[n - 1][s]) << n << " " << s;
}

TEST(ButtonLayout, GlyphCountFromTheBitmapsSize) {
  const struct {
    int32_t w, h;
    int current, expected;
  } cases[] = {
      {32, 16, 1, 2}, {36, 18, 1, 2}, {64, 16, 1, 4}, {16, 16, 3, 1},
      {36, 19, 3, 3},  // not a multiple: unchanged
      {80, 16, 2, 1},  // five squares: one picture
      {0, 16, 2, 2},   {16, 0, 2, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(core::GlyphCountForBitmap(c.w, c.h, c.current), c.expected) << c.w << "x" << c.h;
}
