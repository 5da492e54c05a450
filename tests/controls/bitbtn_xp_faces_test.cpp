// What the themed bitmap button draws, read back from its window: the visual
// style's face per state, the classic face, frames, focus and the placement
// of glyph and caption.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/bitbtn_xp.h"
#include "controls/theme_api.h"
#include "tests/support/pixels.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"

using controls::TBitBtnXPKind;
using testsupport::PumpMessages;
using testsupport::Snapshot;
namespace theme = controls::theme;

namespace {

constexpr int kW = 113, kH = 25;

// A glyph of two 16 x 16 images: a red square (its bottom-left pixel olive,
// so see-through) and a grey one for the disabled state.
controls::GlyphBitmap RedSquare() {
  controls::GlyphBitmap g;
  g.width = 32;
  g.height = 16;
  g.pixels.assign(32 * 16, 0xFF0000);
  for (int y = 0; y < 16; ++y)
    for (int x = 16; x < 32; ++x) g.pixels[y * 32 + x] = 0x808080;
  g.pixels[15 * 32] = 0x808000;
  g.pixels[15 * 32 + 16] = 0x808000;
  return g;
}

// The face the visual style draws for a state, over the button's colour.
Snapshot ThemedFace(int state) {
  testsupport::DibCanvas canvas(kW, kH, GetSysColor(COLOR_BTNFACE));
  HTHEME t = theme::Api().OpenThemeData(nullptr, L"BUTTON");
  RECT r{0, 0, kW, kH};
  theme::Api().DrawThemeBackground(t, canvas.dc(), 1, state, &r, nullptr);
  theme::Api().CloseThemeData(t);
  Snapshot s;
  s.width = kW;
  s.height = kH;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF c = canvas.At(x, y);
      s.pixels.push_back((uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }
  return s;
}

// Pixels of the outer two-pixel ring that differ.
int RingDifferences(const Snapshot& a, const Snapshot& b) {
  int n = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if ((x < 2 || y < 2 || x >= kW - 2 || y >= kH - 2) && a.At(x, y) != b.At(x, y)) ++n;
  return n;
}

// The top-left corner of the red square, or (-1, -1).
POINT RedAt(const Snapshot& s) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (s.At(x, y) == RGB(255, 0, 0)) return {x, y};
  return {-1, -1};
}

int CountColour(const Snapshot& s, COLORREF c, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += s.At(x, y) == c;
  return n;
}

struct WindowWindow : tk::TForm {
  WindowWindow() : tk::TForm(L"TFacesForm", L"Faces", 400, 200, tk::TFont{}) {}
};
using Window = tk::FormInstance<WindowWindow>;

Snapshot Capture(controls::TBitBtnXP& b) {
  b.Repaint();
  PumpMessages();
  return testsupport::CaptureClient(b.Handle());
}

// Releases the binding to 0 and makes the library missing for the scope.
class WithoutVisualStyles {
 public:
  WithoutVisualStyles() : before_(theme::ThemeApiReferenceCount()) {
    while (theme::ThemeApiReferenceCount() > 0) theme::ReleaseThemeApi();
    theme::SetThemeLibraryName("verdalux_missing_uxtheme.dll");
  }
  ~WithoutVisualStyles() { Restore(); }
  void Restore() {
    if (restored_) return;
    restored_ = true;
    theme::SetThemeLibraryName(nullptr);
    while (theme::ThemeApiReferenceCount() > 0) theme::ReleaseThemeApi();
    for (int i = 0; i < before_ + 1; ++i) theme::LoadThemeApi();
  }

 private:
  int before_;
  bool restored_ = false;
};

}  // namespace

TEST(BitBtnXPFaces, ThemedStatesPlainActivePressedAndDisabled) {
  ASSERT_TRUE(theme::LoadThemeApi());
  ASSERT_TRUE(theme::ThemeApiActive());
  Window w;
  tk::TEdit edit(&w, 8, 150, 100, 21);
  controls::TBitBtnXP plain(&w, 8, 8, kW, kH, L"Render");
  controls::TBitBtnXP def(&w, 130, 8, kW, kH, L"Render");
  controls::TBitBtnXP pressed(&w, 8, 40, kW, kH, L"Render");
  controls::TBitBtnXP disabled(&w, 130, 40, kW, kH, L"Render");
  for (auto* b : {&plain, &def, &pressed, &disabled}) b->SetGlyph(RedSquare());
  EXPECT_NE(plain.ThemeHandle(), nullptr);
  def.SetDefault(true);
  disabled.SetEnabled(false);
  w.Show();
  edit.SetFocus();
  ASSERT_TRUE(def.Active());
  ASSERT_FALSE(plain.Active());

  // The faces compared below must tell the states apart. (Wine's own style
  // draws state 0 exactly like state 1.)
  EXPECT_GT(RingDifferences(ThemedFace(1), ThemedFace(3)), 0);
  EXPECT_GT(RingDifferences(ThemedFace(1), ThemedFace(4)), 0);
  EXPECT_GT(RingDifferences(ThemedFace(3), ThemedFace(4)), 0);
  RecordProperty("state0_equals_state1", RingDifferences(ThemedFace(0), ThemedFace(1)) == 0 ? "yes" : "no");

  const Snapshot sPlain = Capture(plain), sDef = Capture(def);
  EXPECT_EQ(RingDifferences(sPlain, ThemedFace(0)), 0) << "neither active nor focused: state 0";
  EXPECT_EQ(RingDifferences(sDef, ThemedFace(1)), 0) << "the default button while an edit has the focus: state 1";
  EXPECT_EQ(RingDifferences(Capture(disabled), ThemedFace(4)), 0);
  SendMessageW(pressed.Handle(), BM_SETSTATE, TRUE, 0);
  PumpMessages();
  const Snapshot sPressed = testsupport::CaptureClient(pressed.Handle());
  EXPECT_EQ(RingDifferences(sPressed, ThemedFace(3)), 0);
  const POINT up = RedAt(sPlain), down = RedAt(sPressed);
  ASSERT_GE(up.x, 0);
  EXPECT_EQ(down.x, up.x + 1) << "pressed content moves one pixel right";
  EXPECT_EQ(down.y, up.y + 1) << "and one down";
  EXPECT_EQ(CountColour(sDef, RGB(0, 0, 0), 0, 0, kW, 1), 0) << "no black frame with visual styles";
  SendMessageW(pressed.Handle(), BM_SETSTATE, FALSE, 0);
  theme::ReleaseThemeApi();
}

TEST(BitBtnXPFaces, DisabledGlyphAndCaptionInTheGreyLook) {
  Window w;
  controls::TBitBtnXP b(&w, 8, 8, kW, kH, L"Render");
  b.SetGlyph(RedSquare());
  b.SetEnabled(false);
  w.Show();
  const Snapshot s = Capture(b);
  EXPECT_EQ(RedAt(s).x, -1) << "the disabled image replaces the red one";
  EXPECT_GT(CountColour(s, GetSysColor(COLOR_BTNSHADOW), 2, 2, kW - 2, kH - 2), 16 * 16 / 2);
  EXPECT_GT(CountColour(s, GetSysColor(COLOR_BTNHIGHLIGHT), 30, 3, kW - 3, kH - 3), 0) << "the caption's highlight";
  EXPECT_EQ(CountColour(s, GetSysColor(COLOR_BTNTEXT), 2, 2, kW - 2, kH - 2), 0) << "no caption in the text colour";
}

TEST(BitBtnXPFaces, MarginCentresGlyphAndCaptionTogether) {
  Window w;
  controls::TBitBtnXP b(&w, 8, 8, 141, kH, L"Save as...");
  b.SetGlyph(RedSquare());
  w.Show();
  // The caption's width in the button's font, as the user sees it.
  HDC dc = GetDC(b.Handle());
  HGDIOBJ old = SelectObject(dc, tk::FontHandle(b.Font()));
  RECT t{0, 0, 141, 0};
  DrawTextW(dc, L"Save as...", -1, &t, DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(b.Handle(), dc);
  const Snapshot s = Capture(b);
  const int margin = (141 - (16 + 4 + t.right) + 1) / 2;
  EXPECT_EQ(RedAt(s).x, margin);
  EXPECT_EQ(RedAt(s).y, (kH - 16 + 1) / 2);
  // The caption starts after the glyph and the spacing: no text pixels before it.
  EXPECT_EQ(CountColour(s, GetSysColor(COLOR_BTNTEXT), margin + 16, 3, margin + 20, kH - 3), 0);
  EXPECT_GT(CountColour(s, GetSysColor(COLOR_BTNTEXT), margin + 20, 3, margin + 20 + t.right, kH - 3), 0);
}

TEST(BitBtnXPFaces, ClassicFaceWithFrameForTheDefaultAndFocusOnlyWhenFocused) {
  WithoutVisualStyles classic;
  Window w;
  tk::TEdit edit(&w, 8, 150, 100, 21);
  controls::TBitBtnXP def(&w, 8, 8, kW, kH, L"OK");
  controls::TBitBtnXP other(&w, 130, 8, kW, kH, L"Cancel");
  EXPECT_EQ(def.ThemeHandle(), nullptr);
  EXPECT_FALSE(theme::ThemeApiActive());
  def.SetDefault(true);
  w.Show();
  edit.SetFocus();
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  const auto focusDots = [&](const Snapshot& s) {
    return kW - 8 - CountColour(s, GetSysColor(COLOR_BTNFACE), 4, 4, kW - 4, 5);
  };
  Snapshot s = Capture(def);
  EXPECT_EQ(CountColour(s, frame, 0, 0, kW, 1), kW) << "the default button's black frame";
  EXPECT_EQ(focusDots(s), 0) << "no focus rectangle while the edit has the focus";
  s = Capture(other);
  EXPECT_LT(CountColour(s, frame, 0, 0, kW, 1), kW) << "a plain button has the classic light top edge";
  EXPECT_EQ(s.At(kW / 2, 0), GetSysColor(COLOR_BTNHIGHLIGHT));

  other.SetFocus();
  PumpMessages();
  EXPECT_FALSE(def.Active()) << "the focus on another push button takes the default look away";
  s = Capture(other);
  EXPECT_EQ(CountColour(s, frame, 0, 0, kW, 1), kW);
  EXPECT_GT(focusDots(s), kW / 4) << "the focused button shows its focus rectangle";
  s = Capture(def);
  EXPECT_EQ(s.At(kW / 2, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(BitBtnXPFaces, AButtonWithoutThemeHandleShowsOnlyItsColourOnceStylesAreOn) {
  WithoutVisualStyles classic;
  Window w;
  controls::TBitBtnXP b(&w, 8, 8, kW, kH, L"Render");
  b.SetGlyph(RedSquare());
  w.Show();
  Snapshot s = Capture(b);
  EXPECT_EQ(s.At(kW / 2, 0), GetSysColor(COLOR_BTNHIGHLIGHT)) << "classic while styles are off";
  classic.Restore();  // the styles come on while the button exists
  ASSERT_TRUE(theme::ThemeApiActive());
  EXPECT_EQ(b.ThemeHandle(), nullptr);
  s = Capture(b);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (auto [x, y] : {std::pair{0, 0}, {kW - 1, kH - 1}, {kW / 2, 0}, {0, kH / 2}, {kW - 1, 0}})
    EXPECT_EQ(s.At(x, y), face) << x << "," << y;
  EXPECT_GE(RedAt(s).x, 0) << "the glyph is drawn";
  EXPECT_GT(CountColour(s, GetSysColor(COLOR_BTNTEXT), 0, 0, kW, kH), 0) << "and the caption";
}
